#include "shell/global_data_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/text_literal.h"
#include "sample/record_builders.h"
#include "support/headless_conversion.h"
#include "ui/key_codes.h"

namespace zq::shell {
namespace {

using sample::OfficeDataRecord;
using sample::PatternRecord;
using sample::Record;

std::string Bytes(const Record& record) {
  return std::string(record.begin(), record.end());
}

// An office's two invoice records and a third cut short after its lines.
OfficeDataRecord Office(std::string_view service, std::uint8_t filler) {
  OfficeDataRecord office;
  office.lines = {"Biuro Rachunkowe \"Saldo\""_pl, "ul. Długa 5"_pl, "00-950 Warszawa"_pl};
  office.identifier = "525-000-00-00"_pl;
  office.firstText = "PKO BP 1020 1234"_pl;
  office.numberings = {{{57, "/2020"_pl}, {3, "/FV/2020"_pl}, {12, "/R/2020"_pl}, {0, {}}}};
  office.textAt204 = "Rachunek nr"_pl;
  office.service = ShortString(service);
  office.flag = 1;
  office.secondText = "Konto 12 3456"_pl;
  office.valueAt349 = 0x1234;
  office.filler = filler;
  return office;
}

// The record of the new year: texts kept, numberings at 1/2021, the block
// at 310 carried byte for byte, the last 33 bytes zero.
std::string NewYearOffice(const OfficeDataRecord& old, std::string_view service) {
  OfficeDataRecord fresh = old;
  for (auto& numbering : fresh.numberings) numbering = {1, "/2021"_pl};
  fresh.service = ShortString(service);
  fresh.filler = 0;
  Record record = fresh.Build();
  const Record source = old.Build();
  std::copy_n(source.begin() + 310, 39, record.begin() + 310);
  return Bytes(record);
}

struct GlobalDataCopyTest : ::testing::Test, testing::HeadlessConversion {
  transfer::CopyEngine engine{world.files, log};
  conversion::RunSettings settings;
  GlobalDataCopy copy{world.files, engine, log, t.toolkit, settings};

  GlobalDataCopyTest() {
    settings.SourcePath = world.Name("DAZ_2020/");
    settings.TargetPath = world.Name("DAZ_2021/");
    world.tree.MakeDirectory("DAZ_2021");
  }
};

// Every file of a directory of the tree, by name.
std::map<std::string, std::string> Files(testing::HostWorld& world, const std::string& directory) {
  std::vector<platform::DirEntry> found;
  world.files.Search(world.Name(directory + "/*.*"), platform::ATTR_FILES, found);
  std::map<std::string, std::string> files;
  for (const auto& entry : found)
    files[entry.name.str()] = world.tree.ReadFile(directory + "/" + entry.name.str());
  return files;
}

TEST_F(GlobalDataCopyTest, EveryItemLandsInBin021UnderItsNewName) {
  const OfficeDataRecord first = Office("", 0x21);
  const OfficeDataRecord second = Office("Obsługa kadrowa"_pl, 0x62);
  OfficeDataRecord cut;
  cut.lines = first.lines;
  const std::map<std::string, std::string> source = {
      {"baza_ad8.rek", Bytes(PatternRecord(480, 1)) + Bytes(PatternRecord(480, 2))},
      {"daz_2020.ini", "[DAZ]\r\nROK=2020\r\n"_pl.str() + "Ścieżka=C:\\DAZ_2020\r\n"_pl.str()},
      {"baza_ff.txt", "F2=Faktura\r\nF3=Rachunek\r\n"},
      {"2020_BR.REK",
       Bytes(first.Build()) + Bytes(second.Build()) + Bytes(cut.Build()).substr(0, 111)},
      {"DAZ_ZQ.INI", "[DLL]\r\nST=1\r\n"},
      {"2020spd.ini", "[PIT]\r\nPROG=85528\r\n"},
      {"2020_lp2.cc", Bytes(PatternRecord(2048, 3))},
      {"2021_lp2.cc", Bytes(PatternRecord(2048, 4))},
      {"KOLORY.ZQ", std::string(11, '\x1E')},
      {"OPERATOR.REK", Bytes(PatternRecord(512, 5)) + Bytes(PatternRecord(512, 6))},
      {"ZUS_PEL.INI", "[ZUS]\r\n"},
      {"UMOWY.INI", "[UMOWY]\r\n"},
  };
  world.tree.MakeDirectory("DAZ_2020/#BIN020");
  for (const auto& [name, bytes] : source) world.tree.WriteFile("DAZ_2020/#BIN020/" + name, bytes);
  settings.Options.GlobalItems = 0x07FF;
  settings.Options.StopAfterEachCompany = 1;

  // The log scrolls: what it shows is read at the question and at the end.
  std::vector<std::string> atQuestion;
  std::vector<std::string> atEnd;
  t.console.PushPause();
  t.AtNextPause([&] { atQuestion = Lines(); });
  t.console.PushKey('w');  // the second wage settings copy replaces the first
  t.console.PushPause();
  t.AtNextPause([&] { atEnd = Lines(); });
  t.console.PushKey(ui::KB_ENTER);  // after "cdn"
  copy.CopyGlobalData();
  EXPECT_TRUE(t.console.ScriptDone());

  std::map<std::string, std::string> expected = source;
  expected.erase("daz_2020.ini");
  expected.erase("2020_BR.REK");
  expected.erase("2020_lp2.cc");
  expected["daz_2021.ini"] = source.at("daz_2020.ini");
  expected["2021_BR.REK"] = NewYearOffice(first, "Prowadzenie księgi - {zamiesiac}"_pl) +
                            NewYearOffice(second, "Obsługa kadrowa"_pl) +
                            NewYearOffice(cut, "Prowadzenie księgi - {zamiesiac}"_pl);
  EXPECT_EQ(Files(world, "DAZ_2021/#BIN021"), expected);
  EXPECT_EQ(Files(world, "DAZ_2020/#BIN020"), source);

  // The progress lines in the order of the items, one copy line for each
  // copy, the question for the second wage file, the stop.
  std::vector<std::string> shown = atQuestion;
  const auto answered = std::find_if(atEnd.begin(), atEnd.end(), [](const std::string& line) {
    return line.starts_with("---->");
  });
  ASSERT_NE(answered, atEnd.end());
  shown.insert(shown.end(), answered + 1, atEnd.end());
  std::vector<std::string> progress;
  int copies = 0;
  for (const std::string& line : shown) {
    if (line.starts_with("Kopiuj"))
      ++copies;
    else if (!line.starts_with(" ") && !line.starts_with("---") && !line.empty())
      progress.push_back(line);
  }
  const ShortString question =
      "Stwierdzono obecność pliku "_pl + world.Name("DAZ_2021/#BIN021/2021_lp2.cc");
  EXPECT_EQ(progress,
            (std::vector<std::string>{
                "Globalna baza adresów"_pl.str(), "Konfigurator daz_2020.ini",
                "Globale stale klawiszy F2..F10", "Dane biura do FRV", "Konfigurator DAZ_ZQ.INI",
                "Zeszloroczne stale podatkowe", "Globale ustawienia wynagrodzen",
                testing::Trimmed(question.str().substr(0, 79)), "Ustawienia kolorów"_pl.str(),
                "cdn - nacisnij dowolny klawisz."}));
  EXPECT_EQ(copies, 12);
  // Afterwards the log's body is clear and the header kept.
  EXPECT_EQ(log.CurrentRow(), 1);
  for (int row = 3; row <= 25; ++row) EXPECT_EQ(testing::Trimmed(log.MirrorRow(row).str()), "");
  EXPECT_EQ(t.screen.Region(), ui::Rect{});
}

TEST_F(GlobalDataCopyTest, ItemsComeFromTheChosenDirectoryAndOnlyWhenChosen) {
  struct Case {
    const char* directory;
    std::uint16_t items;
    std::vector<std::string> targets;
    std::string keys;  // at the overwrite question
  };
  const Case cases[] = {
      {"#BIN020", 0x0002, {}, ""},  // only the placeholder: #BIN021 made, nothing copied
      {"STARE", 0x0240, {"2021_lp2.cc", "OPERATOR.REK"}, "z"},
      {"#BIN020", 0x0120, {"2020spd.ini", "daz_2021.ini"}, ""},
  };
  for (const Case& c : cases) {
    testing::HostWorld fresh;
    const std::string folder = std::string("DAZ_2020/") + c.directory + "/";
    fresh.tree.MakeDirectory(folder);
    for (const char* name : {"daz_2020.ini", "2020spd.ini", "2020_lp2.cc", "2021_lp2.cc",
                             "OPERATOR.REK", "KOLORY.ZQ"}) {
      fresh.tree.WriteFile(folder + name, std::string("from ") + name + "\r\n");
    }
    conversion::RunSettings chosen;
    chosen.SourcePath = fresh.Name("DAZ_2020/");
    chosen.TargetPath = fresh.Name("DAZ_2021/");
    chosen.Options.SourceGlobalDir = ShortString(std::string_view(c.directory));
    chosen.Options.GlobalItems = c.items;
    fresh.tree.MakeDirectory("DAZ_2021");
    transfer::CopyEngine freshEngine{fresh.files, log};
    for (const char key : c.keys) Press(key);
    GlobalDataCopy(fresh.files, freshEngine, log, t.toolkit, chosen).CopyGlobalData();
    EXPECT_TRUE(t.console.ScriptDone());
    std::vector<std::string> names;
    for (const auto& [name, bytes] : Files(fresh, "DAZ_2021/#BIN021")) names.push_back(name);
    EXPECT_TRUE(fresh.tree.Exists("DAZ_2021/#BIN021"));
    EXPECT_EQ(names, c.targets) << c.directory;
    if (c.keys == "z") {  // the converted 2020 wage file stays
      EXPECT_EQ(fresh.tree.ReadFile("DAZ_2021/#BIN021/2021_lp2.cc"), "from 2020_lp2.cc\r\n");
    }
  }
}

TEST_F(GlobalDataCopyTest, UnusableDirectoriesStopTheProgramAfterABox) {
  world.tree.MakeDirectory("DAZ_2020/#BIN020");
  world.tree.WriteFile("DAZ_2020/#BIN020/KOLORY.ZQ", "x");
  world.tree.MakeDirectory("PLAIN");
  world.tree.WriteFile("PLAIN/#BIN021", "a plain file");
  struct Case {
    std::string globalDir;
    std::string targetTree;
    std::string firstLine;  // of the box
    std::string secondLine;
  };
  const Case cases[] = {
      {"MISSING", "DAZ_2021/", "Brak katalogu zródłowego", world.Name("DAZ_2020/MISSING").str()},
      {"#BIN020", "NO_TREE/", "Utworzenia katalogu", world.Name("NO_TREE/#BIN021").str()},
      {"#BIN020", "PLAIN/", "Utworzenia katalogu", world.Name("PLAIN/#BIN021").str()},
      {"..", "DAZ_2021/", "Niepoprawna nazwa katalogu", ".."},
      {"#BIN020/..", "DAZ_2021/", "Niepoprawna nazwa katalogu", "#BIN020/.."},
      {"a\\..\\..", "DAZ_2021/", "Niepoprawna nazwa katalogu", "a\\..\\.."},
      {"C:", "DAZ_2021/", "Niepoprawna nazwa katalogu", "C:"},
      {"#BIN*", "DAZ_2021/", "Niepoprawna nazwa katalogu", "#BIN*"},
      {"", "DAZ_2021/", "Niepoprawna nazwa katalogu", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.globalDir);
    settings.Options.SourceGlobalDir = ShortString(std::string_view(c.globalDir));
    settings.TargetPath = world.Name(c.targetTree);
    std::vector<std::string> box;
    t.console.PushPause();
    t.AtNextPause([&] {
      for (int row = 9; row <= 16; ++row) box.push_back(testing::Trimmed(t.Row(row)));
    });
    t.console.PushKey(ui::KB_ENTER);
    try {
      copy.CopyGlobalData();
      ADD_FAILURE() << "the copy must stop the program";
    } catch (const platform::ProgramExit& exit) {
      EXPECT_EQ(exit.code, 0);
    }
    const auto first = std::find_if(box.begin(), box.end(), [&](const std::string& row) {
      return row.find(c.firstLine) != std::string::npos;
    });
    ASSERT_LT(first + 1, box.end());
    // Under it as much of the path or name as the box holds.
    EXPECT_NE(first[1].find(c.secondLine.substr(0, 20)), std::string::npos) << first[1];
    EXPECT_FALSE(world.tree.Exists("DAZ_2021/#BIN021"));
  }
  EXPECT_EQ(world.tree.ReadFile("PLAIN/#BIN021"), "a plain file");
}

}  // namespace
}  // namespace zq::shell
