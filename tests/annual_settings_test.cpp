#include "conversion/annual_settings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/text_literal.h"
#include "support/headless_conversion.h"
#include "support/record_builders.h"
#include "ui/key_codes.h"

namespace zq::conversion {
namespace {

using testing::AnnualSettingsRecord1;
using testing::AnnualSettingsRecord2;
using testing::PatternRecord;
using testing::Record;
using zq::testing::SyscallKind;

struct Bytes {
  std::size_t offset;
  std::size_t count;
};
// The fields taken over as they stand, whichever file the year starts from.
constexpr Bytes RECORD1_COPIED[] = {{0, 2},   {5, 2},   {7, 2},   {12, 1},  {13, 1},  {14, 2},
                                    {112, 2}, {114, 1}, {115, 1}, {116, 1}, {122, 1}, {123, 4},
                                    {127, 2}, {133, 1}, {135, 2}, {137, 2}, {139, 2}, {141, 1},
                                    {142, 1}, {143, 1}, {254, 2}, {364, 2}, {408, 8}, {418, 5}};
constexpr Bytes RECORD2_COPIED[] = {{0, 2}, {162, 1}, {163, 1}};
constexpr Bytes RECORD3_COPIED[] = {{0, 2}, {2, 8}, {10, 8}, {270, 8}, {278, 2}};
constexpr Bytes RECORD3_MONTHLY_BLOCKS[] = {{18, 252}};

// `expected` with the bytes of `fields` taken from `source`.
Record WithBytesOf(Record expected, const Record& source, std::span<const Bytes> fields) {
  for (const Bytes& field : fields) {
    std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(field.offset), field.count,
                expected.begin() + static_cast<std::ptrdiff_t>(field.offset));
  }
  return expected;
}

std::string Join(const std::vector<Record>& records) {
  std::string bytes;
  for (const Record& record : records) bytes.append(record.begin(), record.end());
  return bytes;
}

// Record 1 of a company in the middle of a year with VAT in proportion.
AnnualSettingsRecord1 YearInProgress() {
  AnnualSettingsRecord1 record;
  record.monthCounter = 7;
  record.openMonth = 13;
  record.byteAt4 = 9;
  for (std::uint16_t m = 0; m < 12; ++m) record.monthlyCounters[m] = {std::uint16_t(m + 5), 300};
  record.vatProportional = true;
  record.vatProportion = 75;
  record.nextVatProportion = 82;
  record.byteAt131 = 44;
  for (std::size_t k = 0; k < 13; ++k) record.balances[k] = 1000.25 * double(k + 1);
  for (std::size_t m = 0; m < 12; ++m) record.secondMonthly[m] = -17.5 * double(m + 1);
  record.valueAt416 = 333;
  record.filler = 0x5A;
  return record;
}

AnnualSettingsRecord2 Numberings() {
  AnnualSettingsRecord2 record;
  for (std::uint16_t i = 0; i < 10; ++i)
    record.numberings[i] = {"FV"_pl, std::uint16_t(40 + i), "/2020"_pl};
  record.filler = 0x77;
  return record;
}

struct AnnualSettingsTest : ::testing::Test, testing::HeadlessConversion {
  RunSettings settings;
  RunFlags flags;
  AnnualSettings annual{world.files, log, t.toolkit, settings, flags};

  AnnualSettingsTest() {
    settings.SourcePath = world.Name("DAZ_2020/");
    settings.TargetPath = world.Name("DAZ_2021/");
  }
  void WriteSource(const std::string& company, const std::string& name, const std::string& bytes) {
    world.tree.MakeDirectory("DAZ_2020/" + company);
    world.tree.WriteFile("DAZ_2020/" + company + "/" + name, bytes);
  }
  std::string Target(const std::string& company) const {
    const std::string name = "DAZ_2021/" + company + "/2021_ROK.REK";
    return world.tree.Exists(name) ? world.tree.ReadFile(name) : "(none)";
  }
  void Convert(const std::string& company) {
    world.tree.MakeDirectory("DAZ_2021/" + company);
    annual.Convert(*CompanyPaths::For(settings, company));
  }
};

TEST_F(AnnualSettingsTest, RecordsFromEitherYearFieldByField) {
  const AnnualSettingsRecord1 old1 = YearInProgress();
  AnnualSettingsRecord2 old2Fields = Numberings();
  Record old2 = old2Fields.Build();
  old2[2] = 0xFF;  // a prefix whose length byte is beyond its field: read as 6 characters
  const Record old3 = PatternRecord(512, 0x33);
  const std::string source = Join({old1.Build(), old2, old3, PatternRecord(512, 0x44)});
  AnnualSettingsRecord2 new2Fields = old2Fields;
  new2Fields.numberings[0].prefix =
      ShortString(std::string_view(reinterpret_cast<const char*>(old2.data() + 3), 6));
  new2Fields.filler = 0;

  // From 2020 the year starts anew: BO := BZ, the second table's first entry
  // := its last, the proportion planned for 2021 is in force.
  AnnualSettingsRecord1 from2020;
  from2020.monthCounter = 1;
  from2020.openMonth = 1;
  from2020.byteAt4 = 3;
  for (auto& counters : from2020.monthlyCounters) counters = {1, 1};
  from2020.vatProportional = true;
  from2020.vatProportion = 82;
  from2020.byteAt131 = 3;
  from2020.balances[0] = old1.balances[12];
  from2020.secondMonthly[0] = old1.secondMonthly[11];
  from2020.valueAt416 = 1;
  AnnualSettingsRecord2 numbering2020 = new2Fields;
  for (auto& numbering : numbering2020.numberings) numbering.counter = 1;

  // From 2021 the year's state is carried on.
  AnnualSettingsRecord1 from2021 = old1;
  from2021.byteAt4 = 3;
  from2021.byteAt131 = 3;
  from2021.nextVatProportion = 0;
  from2021.filler = 0;

  struct Case {
    const char* file;
    AnnualSettingsRecord1 record1;
    AnnualSettingsRecord2 record2;
    bool from2021;
  };
  for (const Case& c : {Case{"2020_ROK.REK", from2020, numbering2020, false},
                        Case{"2021_ROK.REK", from2021, new2Fields, true}}) {
    SCOPED_TRACE(c.file);
    const std::string company = std::string("F") + c.file[3];
    WriteSource(company, c.file, source);
    flags.AnnualFrom2021 = false;
    Convert(company);
    Record expected3 = WithBytesOf(Record(512, 0), old3, RECORD3_COPIED);
    if (c.from2021) expected3 = WithBytesOf(expected3, old3, RECORD3_MONTHLY_BLOCKS);
    EXPECT_EQ(Target(company),
              Join({WithBytesOf(c.record1.Build(), old1.Build(), RECORD1_COPIED),
                    WithBytesOf(c.record2.Build(), old2, RECORD2_COPIED), expected3}));
    EXPECT_EQ(flags.AnnualFrom2021, c.from2021);
    EXPECT_EQ(flags.PreviousDataPath, settings.SourcePath + company);
    EXPECT_EQ(Lines().back(), "Utworzono dane w 2021");
    EXPECT_EQ(world.tree.ReadFile("DAZ_2020/" + company + "/" + c.file), source);
  }
  EXPECT_TRUE(t.console.ScriptDone());

  // The path is cut to 40 characters, wherever the cut falls.
  settings.SourcePath = world.Name("DAZ_2020/" + std::string(30, 'd') + "/");
  WriteSource(std::string(30, 'd') + "/FIRMA", "2020_ROK.REK", source);
  Convert("FIRMA");
  EXPECT_EQ(flags.PreviousDataPath, (settings.SourcePath + "FIRMA"_pl).view().substr(0, 40));
}

TEST_F(AnnualSettingsTest, BothFilesAskBOrNOrAndAKeepsTakingTheLaterYear) {
  AnnualSettingsRecord1 old2020 = YearInProgress();
  old2020.monthCounter = 12;
  const std::string annual2020 = Join({old2020.Build(), Numberings().Build(), Record(512, 0)});
  const std::string annual2021 = Join({YearInProgress().Build(), Record(1024, 0)});
  struct Case {
    std::string keys;  // pressed at the question; none when it must not come
    bool takes2021;
    bool alwaysAfter;
  };
  const Case cases[] = {
      {"xb", false, false}, {"n", true, false}, {"A", true, true}, {"", true, true}};
  int company = 0;
  for (const Case& c : cases) {
    const std::string name = "FIRMA" + std::to_string(++company);
    SCOPED_TRACE(name);
    WriteSource(name, "2020_ROK.REK", annual2020);
    WriteSource(name, "2021_ROK.REK", annual2021);
    for (const char key : c.keys) Press(key);
    flags.AnnualFrom2021 = false;
    log.ClearLog(true);
    Convert(name);
    EXPECT_TRUE(t.console.ScriptDone());
    EXPECT_EQ(flags.AnnualFrom2021, c.takes2021);
    EXPECT_EQ(flags.AlwaysTake2021, c.alwaysAfter);
    EXPECT_EQ(static_cast<std::uint8_t>(Target(name)[2]), c.takes2021 ? 7 : 1);  // month counter
    std::vector<std::string> expected = {"Konwersja danych ROCZNYCH ustawień firmy"_pl.str()};
    if (!c.keys.empty()) {
      expected.insert(expected.end(),
                      {"Występują dane ROCZNE za rok 2020 i 2021 !"_pl.str(),
                       "Wybierz z których skrzystać :"_pl.str(),
                       " B-2020 N-2021, A-wszyskie następne na N  (B/N/A) ?"_pl.str(),
                       " - wybrano: " + std::string(1, char(c.keys.back() & ~0x20)), ""});
      EXPECT_EQ(t.Attribute(1, 2), 0x0C);
      EXPECT_EQ(t.Attribute(1, 3), 0x0C);
      EXPECT_EQ(t.Attribute(1, 4), 0x0A);
    }
    expected.push_back("Utworzono dane w 2021");
    EXPECT_EQ(Lines(), expected);
  }
}

TEST_F(AnnualSettingsTest, VatProportionQuestionAndOpenDecemberWarning) {
  struct Case {
    const char* file;
    std::uint16_t vatProportion;  // of the source
    std::uint16_t nextVatProportion;
    std::uint8_t openMonth;
    std::uint8_t warnOption;
    std::vector<std::string> answers;  // typed over the "0"; "Esc" leaves the box
    std::string firstLine;             // of the question
    std::uint16_t proportion;          // in the target
    bool warns;
  };
  const Case cases[] = {
      {"2020_ROK.REK",
       75,
       0,
       13,
       1,
       {"101", "abc", "", "Esc"},
       "Firma rozliczała  VAT w proporcji 75%",
       0,
       false},
      {"2021_ROK.REK", 0, 50, 12, 1, {"100"}, "Firma rozliczała  VAT w proporcji", 100, false},
      {"2020_ROK.REK", 65535, 0, 13, 1, {" 7"}, "Firma rozliczała  VAT w proporcji 6553", 7, false},
      {"2021_ROK.REK", 65535, 0, 13, 1, {}, "", 65535, false},  // not 0: not asked
      {"2020_ROK.REK", 10, 40, 12, 1, {}, "", 40, true},
      {"2020_ROK.REK", 10, 40, 12, 0, {}, "", 40, false},
  };
  int company = 0;
  for (const Case& c : cases) {
    const std::string name = "F" + std::to_string(++company);
    SCOPED_TRACE(name);
    AnnualSettingsRecord1 record = YearInProgress();
    record.vatProportion = c.vatProportion;
    record.nextVatProportion = c.nextVatProportion;
    record.openMonth = c.openMonth;
    settings.Options.WarnOpenDecember = c.warnOption;
    WriteSource(name, c.file, Join({record.Build(), Record(1024, 0)}));
    std::vector<std::string> shown;
    for (const std::string& answer : c.answers) {
      t.console.PushPause();
      t.AtNextPause([&] {
        for (int row = 10; row <= 12; ++row) shown.push_back(t.Text(22, row, 38));
      });
      if (answer == "Esc") {
        t.console.PushKey(ui::KB_ESC);
        continue;
      }
      t.console.PushKey(ui::KB_BACKSPACE);
      for (const char key : answer) t.console.PushKey(static_cast<std::uint8_t>(key));
      t.console.PushKey(ui::KB_ENTER);
    }
    if (c.warns) Press(' ');
    t.tones.tones.clear();
    log.ClearLog(true);
    Convert(name);
    EXPECT_TRUE(t.console.ScriptDone());
    const std::string target = Target(name);
    ASSERT_EQ(target.size(), 1536u);
    const Record built(target.begin(), target.end());
    EXPECT_EQ(fileaccess::ReadU16(built, 118), c.proportion);
    // The balances are carried all the same.
    EXPECT_EQ(fileaccess::ReadDouble(built, 150), record.balances[c.file[3] == '0' ? 12 : 0]);
    const std::size_t beeps = c.answers.empty() ? (c.warns ? 2 : 0) : c.answers.size() - 1;
    EXPECT_EQ(t.tones.tones, std::vector<testing::PlayedTone>(beeps, {500, 6 * 48}));
    ASSERT_EQ(shown.size(), 3 * c.answers.size());
    for (std::size_t i = 0; i < shown.size(); i += 3) {
      EXPECT_EQ(testing::Trimmed(shown[i]), c.firstLine);
      EXPECT_EQ(testing::Trimmed(shown[i + 1]), "a zakładana na 2021 wynosi 0% ?");
      EXPECT_EQ(testing::Trimmed(shown[i + 2]), "Podaj właściwą:");
    }
    std::vector<std::string> warning;
    if (c.warns) {
      warning = {"Nie zatwierdzono miesiąca GRUDNIA.2020"_pl.str(),
                 "mogę przenieść niepoprawny stan BZ.2020 jako BO.2021"_pl.str()};
    }
    const std::vector<std::string> lines = Lines();
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end() - 1), warning);
  }
  for (const char* answer : {"0", "000", "100", " 42 "}) EXPECT_TRUE(ParseVatProportion(answer));
  for (const char* answer : {"", "   ", "101", "-1", "+5", "1 2", "0x1", "1000"}) {
    EXPECT_FALSE(ParseVatProportion(answer)) << answer;
  }
}

TEST_F(AnnualSettingsTest, BrokenFilesLeaveNoTargetAndTheSourceAsItWas) {
  const Record record1 = YearInProgress().Build();
  const std::string whole = Join({record1, Numberings().Build(), Record(512, 0)});
  const std::string readFailure = "Błąd odczytu danych z 2020"_pl.str();
  const std::string writeFailure = "Błąd zapisu danych do 2021"_pl.str();
  struct Case {
    std::string file;
    std::string content;
    std::string failure;  // the last log line
    bool previousPathSet;
    std::function<void(testing::FaultySyscalls&)> fault = [](testing::FaultySyscalls&) {};
  };
  const Case cases[] = {
      {"", "", "Brak danych nnnnROK.REK danych za 2020 i 2021 !", false},
      {"2020_ROK.REK", std::string(511, 'x'), readFailure, false},
      {"2020_ROK.REK", Join({record1}), readFailure, true},
      {"2021_ROK.REK", whole.substr(0, 1024), readFailure, true},
      {"2020_ROK.REK", whole, writeFailure, true,
       [](testing::FaultySyscalls& calls) { calls.FailNth(SyscallKind::WRITE, 2, ENOSPC); }},
      {"2020_ROK.REK", whole, writeFailure, true,  // a target that does not close cleanly
       [](testing::FaultySyscalls& calls) { calls.FailNth(SyscallKind::CLOSE, 1, EIO, 10); }},
      {"2020_ROK.REK", whole, "brak dostępu do danych za FirmaREK !"_pl.str(), false,
       [](testing::FaultySyscalls& calls) { calls.FailNth(SyscallKind::OPEN, 1, EACCES); }},
  };
  int company = 0;
  for (const Case& c : cases) {
    const std::string name = "F" + std::to_string(++company);
    SCOPED_TRACE(name);
    WriteSource(name, c.file.empty() ? "other.dat" : c.file, c.content);
    world.tree.MakeDirectory("DAZ_2021/" + name);
    c.fault(world.syscalls);
    Press(' ');
    flags.PreviousDataPath = "stale"_pl;
    annual.Convert(*CompanyPaths::For(settings, name));
    EXPECT_TRUE(t.console.ScriptDone());
    EXPECT_EQ(Target(name), "(none)");
    EXPECT_EQ(Lines().back(), c.failure);
    EXPECT_EQ(flags.PreviousDataPath.empty(), !c.previousPathSet);
    EXPECT_EQ(
        world.tree.ReadFile("DAZ_2020/" + name + "/" + (c.file.empty() ? "other.dat" : c.file)),
        c.content);
  }
  // Without its target directory the target cannot be created.
  WriteSource("NODIR", "2020_ROK.REK", whole);
  Press(' ');
  annual.Convert(*CompanyPaths::For(settings, "NODIR"));
  EXPECT_EQ(Lines().back(), "brak dostępu do danych FirmaREK za 2021 !"_pl.str());
  EXPECT_FALSE(world.tree.Exists("DAZ_2021/NODIR"));
}

}  // namespace
}  // namespace zq::conversion
