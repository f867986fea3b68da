#include <gtest/gtest.h>

#include <string>

#include "conversion/conversion_options.h"
#include "conversion/employee_scrambling.h"
#include "conversion/staff_transfer.h"
#include "fileaccess/record_fields.h"
#include "platform/pascal_random.h"
#include "platform/text_literal.h"
#include "sample/record_builders.h"
#include "support/headless_log.h"
#include "ui/key_codes.h"

namespace zq::conversion {
namespace {

using sample::ContractRecord;
using sample::EmployeeRecord;
using sample::FamilyMemberRecord;
using sample::OldContractRecord;
using sample::Record;
using sample::WageRecord;

constexpr std::uint16_t KEY_T = 0x1454;
constexpr std::uint16_t KEY_W = 0x1157;

// A text as the log rows read back: without trailing blanks.
std::string Pl(const ShortString& text) {
  std::string row = text.str();
  row.erase(row.find_last_not_of(' ') + 1);
  return row;
}

struct StaffFixture : ::testing::Test {
  testing::HeadlessLog h;
  StaffTransfer staff{h.log, h.s.clock};

  // Converts one employee; the target starts with leftovers of an earlier
  // record, as the copy engine leaves them.
  bool Employee(const Record& source, Record* converted = nullptr) {
    Record target(EMPLOYEE_SIZE, 0xEE);
    const bool kept = staff.ConvertEmployee(source, target);
    if (converted != nullptr) *converted = target;
    return kept;
  }
  bool Family(const Record& source, Record* converted = nullptr) {
    Record target(FAMILY_MEMBER_SIZE, 0xEE);
    const bool kept = staff.ConvertFamilyMember(source, target);
    if (converted != nullptr) *converted = target;
    return kept;
  }
  bool Contract(const Record& source, Record* converted = nullptr) {
    Record target(1024, 0xEE);
    const bool kept = staff.ConvertContract(source, target);
    if (converted != nullptr) *converted = target;
    return kept;
  }
  bool OldContract(const Record& source, Record* converted = nullptr) {
    Record target(1024, 0xEE);
    const bool kept = staff.ConvertOldContract(source, target);
    if (converted != nullptr) *converted = target;
    return kept;
  }
  bool Wage(Record record) { return staff.FilterWage(record); }
};

EmployeeRecord Person(std::int64_t id, ShortString first, ShortString second,
                      ui::Date leaving = {}) {
  EmployeeRecord employee;
  employee.person = id;
  employee.firstName = first;
  employee.secondName = second;
  employee.leaving = leaving;
  employee.filler = static_cast<std::uint8_t>(id);
  return employee;
}

TEST_F(StaffFixture, YearEndModeDropsOnlyThoseWhoLeftBeforeTheLastDayOfTheYear) {
  staff.Reset(STAFF_EMPLOYED_AT_YEAR_END);
  const Record leftEarlier = Person(1, "Jan"_pl, "Kowalski"_pl, {30, 12, 2020}).Build();
  const Record leftLastDay = Person(2, "Anna"_pl, "Żak"_pl, {31, 12, 2020}).Build();
  const Record stillEmployed = Person(3, "Ewa"_pl, "Nowak"_pl).Build();

  EXPECT_FALSE(Employee(leftEarlier));
  EXPECT_EQ(h.s.clock.Elapsed(), 250u);
  Record converted;
  EXPECT_TRUE(Employee(leftLastDay, &converted));
  EXPECT_EQ(converted, leftLastDay);
  EXPECT_TRUE(Employee(stillEmployed, &converted));
  EXPECT_EQ(converted, stillEmployed);
  EXPECT_EQ(h.s.clock.Elapsed(), 250u);

  EXPECT_EQ(h.Lines(),
            (std::vector<std::string>{Pl("osoba: Jan Kowalski - zwolniony"_pl),
                                      Pl("osoba: Anna Żak"_pl), Pl("osoba: Ewa Nowak"_pl)}));
  EXPECT_EQ(h.s.Attribute(1, 1), transfer::LOG_LABEL);
  EXPECT_EQ(h.s.Attribute(8, 1), transfer::LOG_EMPHASIS);
  EXPECT_EQ(h.s.Attribute(20, 1), transfer::LOG_NORMAL);
  EXPECT_FALSE(staff.IsTransferred(1));
  EXPECT_TRUE(staff.IsTransferred(2));
  EXPECT_TRUE(staff.IsTransferred(3));
  EXPECT_EQ(staff.TransferredCount(), 2);

  // The next company in "all" mode takes the one who left, and starts afresh.
  staff.Reset(STAFF_ALL);
  EXPECT_FALSE(staff.IsTransferred(2));
  EXPECT_TRUE(Employee(leftEarlier));
  EXPECT_TRUE(staff.IsTransferred(1));
  EXPECT_EQ(staff.TransferredCount(), 1);
}

TEST_F(StaffFixture, AskingEachTakesTNAndWAndWLastsUntilTheNextCompany) {
  staff.Reset(STAFF_ASK_EACH);
  h.s.console.PushKey(ui::KB_SMALL_T);
  EXPECT_TRUE(Employee(Person(1, "Jan"_pl, "Kowalski"_pl).Build()));
  h.s.console.PushKey(ui::KB_SMALL_X);  // ignored
  h.s.console.PushPause();
  h.s.console.PushKey(ui::KB_CAPITAL_N);
  EXPECT_FALSE(Employee(Person(2, "Anna"_pl, "Żak"_pl).Build()));
  h.s.console.PushKey(KEY_W);
  EXPECT_TRUE(Employee(Person(3, "Ewa"_pl, "Nowak"_pl).Build()));
  EXPECT_EQ(staff.WorkingTransferMode(), STAFF_ALL);
  EXPECT_TRUE(Employee(Person(4, "Piotr"_pl, "Wiśniewski"_pl).Build()));  // no question
  EXPECT_TRUE(h.s.console.ScriptDone());

  const std::string question = Pl(" Przenieść T/N /W  ? "_pl);
  EXPECT_EQ(h.Lines(),
            (std::vector<std::string>{
                Pl("osoba: Jan Kowalski"_pl) + question, Pl("osoba: Anna Żak"_pl) + question,
                Pl("osoba: Ewa Nowak"_pl) + question, Pl("osoba: Piotr Wiśniewski"_pl)}));
  EXPECT_EQ(h.s.Attribute(20, 1), transfer::LOG_QUESTION);
  EXPECT_TRUE(staff.IsTransferred(1));
  EXPECT_FALSE(staff.IsTransferred(2));
  EXPECT_TRUE(staff.IsTransferred(4));

  staff.Reset(STAFF_ASK_EACH);  // the next company asks again
  h.s.console.PushKey(KEY_T);
  EXPECT_TRUE(Employee(Person(5, "Jan"_pl, "Nowy"_pl).Build()));
  EXPECT_TRUE(h.s.console.ScriptDone());
}

TEST_F(StaffFixture, AProtectedRecordIsReadPlainAndComesOutProtectedAndUnchanged) {
  EmployeeRecord employee = Person(7, "Zofia"_pl, "Łęcka"_pl, {15, 6, 2020});
  employee.protectedRecord = true;
  const Record source = employee.Build();
  ASSERT_EQ(source[8], 2);

  staff.Reset(STAFF_ALL);
  Record converted;
  EXPECT_TRUE(Employee(source, &converted));
  EXPECT_EQ(converted, source);
  EXPECT_EQ(h.Line(1), Pl("osoba: Zofia Łęcka"_pl));
  EXPECT_TRUE(staff.IsTransferred(7));

  // The leaving date is read from the plain record too.
  staff.Reset(STAFF_EMPLOYED_AT_YEAR_END);
  EXPECT_FALSE(Employee(source));
  EXPECT_EQ(h.Line(2), Pl("osoba: Zofia Łęcka - zwolniony"_pl));
}

TEST(EmployeeScrambling, UndoesItselfAndTouchesOnlyBytes14To2021WithTheFixedSeed) {
  Record plain = sample::PatternRecord(EMPLOYEE_SIZE, 3);
  Record scrambled = plain;
  ScrambleEmployeeRecord(scrambled);
  EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 14, scrambled.begin()));
  EXPECT_TRUE(std::equal(plain.begin() + 2022, plain.end(), scrambled.begin() + 2022));
  // First value of the generator seeded with 0x5A: (0x5A * 0x08088405 + 1) mod 2^32,
  // times 255, high 32 bits.
  const std::uint32_t state = 0x5Au * 0x08088405u + 1u;
  const auto firstKey = static_cast<std::uint8_t>((std::uint64_t{state} * 255u) >> 32);
  EXPECT_EQ(scrambled[14], plain[14] ^ firstKey);
  // The last scrambled byte takes the 2008th value of the same generator.
  platform::PascalRandom random;
  random.Seed(EMPLOYEE_SCRAMBLE_SEED);
  std::uint32_t lastKey = 0;
  for (std::size_t i = 14; i <= 2021; ++i) lastKey = random.Next(255);
  ASSERT_NE(lastKey, 0u);
  EXPECT_EQ(scrambled[2021], plain[2021] ^ lastKey);
  ScrambleEmployeeRecord(scrambled);
  EXPECT_EQ(scrambled, plain);
}

TEST_F(StaffFixture, The2048thEmployeeIsKeptWithItsFamilyAndTheNextIsNot) {
  staff.Reset(STAFF_ALL);
  for (std::int64_t id = 1; id < 2048; ++id) {
    ASSERT_TRUE(Employee(Person(id, "Jan"_pl, "Kowalski"_pl).Build()));
  }
  h.s.console.PushKey(ui::KB_ENTER);  // the only key wait of the whole run
  ASSERT_TRUE(Employee(Person(2048, "Ostatni"_pl, "Zmieszczony"_pl).Build()));
  EXPECT_TRUE(h.s.console.ScriptDone());
  EXPECT_EQ(h.Line(h.log.CurrentRow() - 1),
            Pl("Upss... za dużo pracowników, nie połapię się w rodzinach !"_pl));
  EXPECT_TRUE(staff.IsTransferred(1));
  EXPECT_TRUE(staff.IsTransferred(2048));

  FamilyMemberRecord child;
  child.person = 2048;
  child.firstName = "Ola"_pl;
  EXPECT_TRUE(Family(child.Build()));
  ContractRecord contract;
  contract.person = 2048;
  EXPECT_TRUE(Contract(contract.Build()));
  WageRecord wage;
  wage.person = 2048;
  EXPECT_TRUE(Wage(wage.Build()));
  EXPECT_TRUE(h.s.console.ScriptDone());

  // The 2049th is transferred without another warning but not remembered.
  EXPECT_TRUE(Employee(Person(2049, "Jan"_pl, "Nadliczbowy"_pl).Build()));
  EXPECT_TRUE(h.s.console.ScriptDone());
  EXPECT_FALSE(staff.IsTransferred(2049));
  EXPECT_EQ(staff.TransferredCount(), 2049);

  // From now on every dependent record warns, and the 2049th's are not found.
  h.Clear();
  h.s.console.PushKey(ui::KB_ENTER);
  h.s.console.PushPause();
  h.s.console.PushKey(ui::KB_ENTER);
  child.person = 2049;
  EXPECT_FALSE(Family(child.Build()));
  EXPECT_TRUE(h.s.console.ScriptDone());
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{
                           Pl("Upss... Wskaźnik osoby > max ilość osob !"_pl),
                           Pl("Nie odnaleziono osoby związanej z członkiem rodziny !"_pl)}));
  h.s.console.PushKey(ui::KB_ENTER);
  wage.person = 2048;
  EXPECT_TRUE(Wage(wage.Build()));
  EXPECT_TRUE(h.s.console.ScriptDone());
}

TEST_F(StaffFixture, RecordsOfAPersonWhoStayedBehindAreDroppedWithAKeyWait) {
  staff.Reset(STAFF_ALL);
  ASSERT_TRUE(Employee(Person(10, "Jan"_pl, "Kowalski"_pl).Build()));
  h.Clear();

  FamilyMemberRecord wife;
  wife.person = 10;
  wife.firstName = "Anna"_pl;
  wife.secondName = "Kowalska"_pl;
  wife.filler = 9;
  Record converted;
  EXPECT_TRUE(Family(wife.Build(), &converted));
  EXPECT_EQ(converted, wife.Build());

  FamilyMemberRecord stranger = wife;
  stranger.person = 11;
  h.s.console.PushKey(ui::KB_ENTER);
  EXPECT_FALSE(Family(stranger.Build(), &converted));
  EXPECT_EQ(converted, Record(FAMILY_MEMBER_SIZE, 0));  // cleared, not written
  EXPECT_TRUE(h.s.console.ScriptDone());

  ContractRecord contract;
  contract.person = 10;
  contract.filler = 5;
  EXPECT_TRUE(Contract(contract.Build(), &converted));
  EXPECT_EQ(converted, contract.Build());
  contract.person = 11;
  h.s.console.PushKey(ui::KB_ENTER);
  EXPECT_FALSE(Contract(contract.Build()));
  OldContractRecord oldContract;
  oldContract.person = 11;
  h.s.console.PushKey(ui::KB_ENTER);
  EXPECT_FALSE(OldContract(oldContract.Build()));
  EXPECT_TRUE(h.s.console.ScriptDone());

  WageRecord wage;
  wage.person = 10;
  EXPECT_TRUE(Wage(wage.Build()));
  wage.person = 11;
  EXPECT_FALSE(Wage(wage.Build()));  // silently

  // Deleted records go without a word.
  wage.person = -10;
  EXPECT_FALSE(Wage(wage.Build()));
  wife.person = -10;
  EXPECT_FALSE(Family(wife.Build()));
  contract.person = -10;
  EXPECT_FALSE(Contract(contract.Build()));
  EXPECT_FALSE(Employee(Person(-12, "Usunięty"_pl, "Pracownik"_pl).Build()));
  // Identifier 0 is a person like any other, not a deleted record.
  ASSERT_TRUE(Employee(Person(0, "Zero"_pl, "Zerowy"_pl).Build()));
  EXPECT_TRUE(staff.IsTransferred(0));
  wage.person = 0;
  EXPECT_TRUE(Wage(wage.Build()));
  wife.person = 0;
  EXPECT_TRUE(Family(wife.Build()));
  contract.person = 0;
  EXPECT_TRUE(Contract(contract.Build()));
  oldContract.person = 0;
  EXPECT_TRUE(OldContract(oldContract.Build()));

  const std::string noPerson =
      Pl("Upss... nie odnaleziono osoby związanej z odczytną umową/zlecenia !"_pl);
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{
                           Pl("  Anna Kowalska"_pl),
                           Pl("Nie odnaleziono osoby związanej z członkiem rodziny !"_pl), noPerson,
                           noPerson, Pl("Wynagrodzenie idx = "_pl), Pl("osoba: Zero Zerowy"_pl),
                           Pl("Wynagrodzenie idx = "_pl), Pl("  Anna Kowalska"_pl)}));
}

TEST_F(StaffFixture, OldContractsMoveIntoTheNewLayoutWithTheNewTypeCodes) {
  staff.Reset(STAFF_ALL);
  ASSERT_TRUE(Employee(Person(20, "Jan"_pl, "Kowalski"_pl).Build()));

  sample::ContractTexts texts;
  for (std::size_t i = 0; i < texts.headFields.size(); ++i) {
    texts.headFields[i] = static_cast<std::uint8_t>(0xA0 + i);
  }
  texts.firstText = "UZ/1/2021"_pl;
  texts.secondText = "12.01.2021"_pl;
  texts.lines = {"Wykonanie projektu"_pl, "ogrodzenia posesji"_pl, "przy ulicy Łąkowej"_pl};
  std::array<std::uint8_t, 327> tail{};
  for (std::size_t i = 0; i < tail.size(); ++i) tail[i] = static_cast<std::uint8_t>(i * 5 + 1);

  struct Case {
    std::uint8_t kind;
    char oldType;
    char newType;
  };
  for (const Case& c : {Case{1, 'R', '6'}, Case{2, '7', 'D'}, Case{1, '1', '2'}, Case{2, 'D', 'K'},
                        Case{1, 'Z', 'X'}, Case{3, 'R', 'R'}}) {
    SCOPED_TRACE(std::string(1, c.oldType) + " kind " + std::to_string(c.kind));
    OldContractRecord old{20, texts, tail, 0x77};
    old.texts.typeKind = c.kind;
    old.texts.typeCode = c.oldType;
    ContractRecord expected{20, texts, tail, 0};
    expected.texts.typeKind = c.kind;
    expected.texts.typeCode = c.newType;
    Record converted;
    EXPECT_TRUE(OldContract(old.Build(), &converted));
    EXPECT_EQ(converted, expected.Build());
  }
}

TEST_F(StaffFixture, BrokenRecordsStayInsideTheirFields) {
  staff.Reset(STAFF_ALL);
  // All 0xFF: a negative identifier, so a deleted record.
  EXPECT_FALSE(Employee(Record(EMPLOYEE_SIZE, 0xFF)));
  EXPECT_FALSE(Family(Record(FAMILY_MEMBER_SIZE, 0xFF)));
  EXPECT_FALSE(Contract(Record(1024, 0xFF)));
  EXPECT_FALSE(OldContract(Record(552, 0xFF)));
  EXPECT_TRUE(h.Lines().empty());

  // Length bytes far beyond their fields: the name shows the whole field.
  Record employee(EMPLOYEE_SIZE, 0xFF);
  fileaccess::WriteI64(employee, 0, 30);
  std::fill_n(employee.begin() + 41, 31, 'A');
  std::fill_n(employee.begin() + 73, 31, 'B');
  Record converted;
  EXPECT_TRUE(Employee(employee, &converted));
  EXPECT_EQ(converted, employee);
  EXPECT_EQ(h.Line(1), "osoba: " + std::string(31, 'A') + " " + std::string(31, 'B'));

  Record old(552, 0xFF);
  fileaccess::WriteI64(old, 0, 30);
  EXPECT_TRUE(OldContract(old, &converted));
  EXPECT_EQ(converted[20], 10);  // the old field's ten characters
  EXPECT_EQ(converted[31], 0);
  EXPECT_EQ(converted[57], 10);
  EXPECT_EQ(converted[94], 60);
  EXPECT_EQ(converted[155], 0);
  EXPECT_EQ(converted[459], 0xFF);  // a type code of an unknown kind is kept
}

}  // namespace
}  // namespace zq::conversion
