#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fileaccess/shared_file_access.h"
#include "host_world.h"
#include "platform/cp852.h"
#include "platform/process.h"
#include "platform/text_literal.h"
#include "register/recognition.h"
#include "sample/record_builders.h"
#include "support/headless_toolkit.h"
#include "support/register_trees.h"
#include "ui/key_codes.h"

namespace zq::registry {
namespace {

using sample::CompanyRecord;
using sample::Record;

struct RecognitionTest : ::testing::Test, testing::RegisterTrees {
  CompanyList list;

  RecognitionTest() {
    log.ClearLog(true);
    log.LogWriteLn("NAGŁÓWEK"_pl);
    log.LogWriteLn("--------"_pl);
  }

  void WriteRegister(const std::vector<Record>& records, std::string_view tail = {}) {
    std::string bytes;
    for (const Record& record : records) bytes.append(record.begin(), record.end());
    world.tree.WriteFile("DAZ_2020/SPISFIRM.DAT", bytes + std::string(tail));
  }
  // The body of the log (rows 3 on) in UTF-8, without trailing blanks.
  std::vector<std::string> Body() const {
    std::vector<std::string> lines;
    for (int row = 3; row < log.CurrentRow(); ++row) {
      std::string line = platform::Cp852ToUtf8(log.MirrorRow(row));
      lines.push_back(line.erase(line.find_last_not_of(' ') + 1));
    }
    return lines;
  }
  std::vector<std::string> Listed() const {
    std::vector<std::string> names;
    for (std::int32_t i = 1; i <= list.Count(); ++i) {
      names.push_back(platform::Cp852ToUtf8(list.Entry(i)->Name()));
    }
    return names;
  }
  // The count, or -1 with the exit code when the recognition ends the program.
  std::optional<int> exitCode;
  std::int32_t Recognise() {
    exitCode.reset();
    try {
      return Recognition(access, log, settings).Recognise(list);
    } catch (const platform::ProgramExit& exit) {
      exitCode = exit.code;
      return -1;
    }
  }
};

Record Company(std::string_view name, std::string_view directory) {
  return CompanyRecord{ShortString(platform::Utf8ToCp852(name)), ShortString(directory), {}}
      .Build();
}

TEST_F(RecognitionTest, ListsWhatCanBeConvertedAndReportsEveryCompanyItLeavesOut) {
  for (const char* folder : {"DAZ_2020/KOWAL", "DAZ_2020/NOWAK", "DAZ_2020/KOWALSKI",
                             "DAZ_2020/ZIELIŃ", "DAZ_2020/GOTOWA", "DAZ_2021/GOTOWA"}) {
    world.tree.MakeDirectory(folder);
  }
  // A length beyond the field reads the whole name; beyond the directory's
  // eight characters it marks a broken record.
  CompanyRecord longName{ShortString(platform::Utf8ToCp852("Długa nazwa firmy ze wszystkimi")),
                         ShortString(platform::Utf8ToCp852("ZIELIŃ")),
                         {}};
  longName.nameLength = 200;
  CompanyRecord longDirectory{"Za długi katalog"_pl, "KOWALSKI"_pl, {}};
  longDirectory.directoryLength = 9;
  WriteRegister({Company("Kowalski Sp. z o.o.", "KOWAL"), Company("Gotowa", "GOTOWA"),
                 Company("Brakująca", "BRAK"),
                 // Names that would reach outside the two trees or find another folder.
                 Company("Wyżej", ".."), Company("Korzeń", "."), Company("Ukośnik", "A/B"),
                 Company("Odwrotny", "A\\B"), Company("Dysk", "C:"), Company("Maska", "NOWA*"),
                 Company("Pusta", ""), longDirectory.Build(), Company("Nowak i synowie", "nowak"),
                 longName.Build()},
                std::string(50, 'x'));  // a part of a record at the end is no record
  t.console.PushKey(ui::KB_ENTER);      // after "Napraw plik"

  EXPECT_EQ(Recognise(), 3);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"Kowalski Sp. z o.o.", "Nowak i synowie",
                                                "Długa nazwa firmy ze wszystkimi"}));
  EXPECT_TRUE(list.Entry(1)->Selected);
  EXPECT_EQ(platform::Cp852ToUtf8(list.Entry(3)->Directory()), "ZIELIŃ");
  EXPECT_EQ(list.Entry(0), nullptr);
  EXPECT_EQ(list.Entry(4), nullptr);
  EXPECT_EQ(Body(), (std::vector<std::string>{
                        "ROZPOZNANIE ŚRODOWISKA PRACY DAZ 2020",
                        "",
                        "Odnaleziono katalog docelowy GOTOWA dla firmy Gotowa",
                        "Brak katalogu zródłowego    BRAK dla firmy Brakująca",
                        "Błędna nazwa katalogu .. dla firmy Wyżej",
                        "Błędna nazwa katalogu . dla firmy Korzeń",
                        "Błędna nazwa katalogu A/B dla firmy Ukośnik",
                        "Błędna nazwa katalogu A\\B dla firmy Odwrotny",
                        "Błędna nazwa katalogu C: dla firmy Dysk",
                        "Błędna nazwa katalogu NOWA* dla firmy Maska",
                        "Błędna nazwa katalogu  dla firmy Pusta",
                        "Błędna nazwa katalogu KOWALSKI dla firmy Za długi katalog",
                        "Napraw plik SPISFIRM.DAT !",
                    }));
  EXPECT_EQ(t.Attribute(1, 1), 0x07);  // the header rows stay
  EXPECT_EQ(t.Text(1, 1, 8), "NAGŁÓWEK");
  EXPECT_EQ(t.Attribute(1, 3), transfer::LOG_EMPHASIS);
  EXPECT_EQ(t.Attribute(1, 5), transfer::LOG_NOTICE);
  EXPECT_EQ(t.Attribute(1, 6), transfer::LOG_ERROR);
  EXPECT_TRUE(t.console.ScriptDone());
  // The record goes into the target register as it was read.
  EXPECT_EQ(std::vector<std::uint8_t>(list.Entry(3)->record.begin(), list.Entry(3)->record.end()),
            longName.Build());
}

TEST_F(RecognitionTest, WithNobodyToConvertTheZeroLineComesBeforeTheRepairLine) {
  world.tree.MakeDirectory("DAZ_2020/A");
  world.tree.MakeDirectory("DAZ_2021/A");
  world.tree.MakeDirectory("DAZ_2021/B");  // converted, its source gone
  WriteRegister({Company("Alfa", "A"), Company("Beta", "b")});
  t.console.PushKey(ui::KB_ENTER);
  EXPECT_EQ(Recognise(), 0);
  EXPECT_EQ(Body(), (std::vector<std::string>{"ROZPOZNANIE ŚRODOWISKA PRACY DAZ 2020", "",
                                              "Odnaleziono katalog docelowy A dla firmy Alfa",
                                              "Odnaleziono katalog docelowy b dla firmy Beta",
                                              "Zerowa ilość odczytanych firm"}));
  EXPECT_TRUE(t.console.ScriptDone());

  WriteRegister({Company("Alfa", "A"), Company("Gamma", "C")});
  t.console.PushKey(ui::KB_ENTER);
  t.console.PushPause();  // keys typed ahead of a wait are dropped
  t.console.PushKey(ui::KB_ENTER);
  EXPECT_EQ(Recognise(), 0);
  const std::vector<std::string> body = Body();
  ASSERT_EQ(body.size(), 6u);
  EXPECT_EQ(body[3], "Brak katalogu zródłowego    C dla firmy Gamma");
  EXPECT_EQ(body[4], "Zerowa ilość odczytanych firm");
  EXPECT_EQ(body[5], "Napraw plik SPISFIRM.DAT !");
  EXPECT_TRUE(t.console.ScriptDone());
}

TEST_F(RecognitionTest, ListsAtMost2048CompaniesAndSaysSoOnce) {
  world.tree.MakeDirectory("DAZ_2020/F");
  std::vector<Record> records;
  for (int i = 1; i <= MAX_COMPANIES + 1; ++i) records.push_back(Company(std::to_string(i), "F"));
  WriteRegister(records);
  EXPECT_EQ(Recognise(), MAX_COMPANIES);
  EXPECT_EQ(platform::Cp852ToUtf8(list.Entry(MAX_COMPANIES)->Name()), "2048");
  EXPECT_EQ(Body(), (std::vector<std::string>{"ROZPOZNANIE ŚRODOWISKA PRACY DAZ 2020", "",
                                              "Przekroczona maksymalna ilość firm 2048"}));
  list.Release();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(RecognitionTest, ARegisterThatCannotBeUsedEndsTheProgramAfterItsMessage) {
  const std::string path = platform::Cp852ToUtf8(settings.SourcePath) + "SPISFIRM.DAT";
  struct Case {
    const char* what;
    bool exists;
    std::string content;
    bool heldElsewhere;
    std::vector<std::string> lines;
    bool box;
  };
  const Case cases[] = {
      {"missing", false, {}, false, {"Błąd otwarcia/dostępu do pliku " + path}, true},
      {"open at another station",
       true,
       std::string(103, 'x'),
       true,
       {"Błąd otwarcia/dostępu do pliku " + path},
       true},
      {"shorter than a record",
       true,
       std::string(102, 'x'),
       false,
       {"Zerowa długość pliku SPISFIRM.DAT"},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.exists) world.tree.WriteFile("DAZ_2020/SPISFIRM.DAT", c.content);
    std::unique_ptr<platform::File> held;
    int result = 0;
    if (c.heldElsewhere) {
      held = world.files.Open(world.Name("DAZ_2020/SPISFIRM.DAT"), platform::Access::READ_WRITE,
                              platform::Share::DENY_NONE, platform::Disposition::OPEN_EXISTING,
                              result);
    }
    bool boxSeen = false;
    t.console.PushPause();
    t.AtNextPause([&] {
      boxSeen = t.Text(37, 8, 6) == " Błąd " &&
                t.Text(21, 9, 38).find("Brak dostępu do pliku") != std::string::npos;
    });
    t.console.PushKey(ui::KB_ENTER);
    EXPECT_EQ(Recognise(), -1);
    EXPECT_EQ(exitCode, 0);
    std::vector<std::string> expected = {"ROZPOZNANIE ŚRODOWISKA PRACY DAZ 2020", ""};
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(Body(), expected);
    EXPECT_EQ(boxSeen, c.box);
    EXPECT_TRUE(t.console.ScriptDone());
    EXPECT_EQ(access.modes.Current(), fileaccess::SHARED_READ_WRITE);  // the mode is restored
  }
}

}  // namespace
}  // namespace zq::registry
