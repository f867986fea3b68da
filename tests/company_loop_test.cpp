#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "host_world.h"
#include "platform/cp852.h"
#include "platform/pascal_random.h"
#include "platform/text_literal.h"
#include "register/company_loop.h"
#include "register/company_record.h"
#include "sample/record_builders.h"
#include "support/golden_screen.h"
#include "support/headless_toolkit.h"
#include "support/lock_holder_client.h"
#include "support/register_trees.h"
#include "ui/key_codes.h"

namespace zq::registry {
namespace {

using namespace ui;  // key codes

struct Company {
  std::string name;
  std::string directory;
  std::string info;
};

// The selection screen over the four companies of the 2020 register below,
// the second one unmarked and current.
constexpr const char* SELECTION_SCREEN = R"(
┌────────────────────── BAZA FIRM ───────────────────────┐
.......................WWWWWWWWWWW........................
│  Nazwa                   Wybrana? KATALOG   INFO       │
.ggWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWggggggg.
│┌──────────────────────────────────────────────────────┐│
.WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW.
││ Zakład Stolarski Wiórek        ■ STOLARZ  Piaseczno, ││
.WffffffffffffffffffffffffffffffffffffffffffffffffffffffW.
││ Apteka pod Lipą                ˙ APTEKA              ││
.WSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSW.
││ Kowalski i Syn Hurtownia Owoców■ KOWAL    hurt       ││
.WffffffffffffffffffffffffffffffffffffffffffffffffffffffW.
││ Młyn Zbożowy                   ■ MLYN                ││
.WffffffffffffffffffffffffffffffffffffffffffffffffffffffW.
││                                                      ││
.WffffffffffffffffffffffffffffffffffffffffffffffffffffffW.
││                                                      ││
.WffffffffffffffffffffffffffffffffffffffffffffffffffffffW.
││                                                      ││
.WffffffffffffffffffffffffffffffffffffffffffffffffffffffW.
││                                                      ││
.WffffffffffffffffffffffffffffffffffffffffffffffffffffffW.
││                                                      ││
.WffffffffffffffffffffffffffffffffffffffffffffffffffffffW.
││                                                      ││
.WffffffffffffffffffffffffffffffffffffffffffffffffffffffW.
│└─>────────────────────────────────────────────────────┘│
.WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW.
└────────────────────────────────────────────────────────┘
..........................................................
)";

// A 2020 tree whose register lists `source` (each with its folder), a 2021
// tree, and the loop run over them with a company run that notes what it is
// given and fails for the directories in `failing`.
conversion::CompanyReport Outcome(bool converted) {
  conversion::CompanyReport report;
  report.outcome =
      converted ? conversion::CompanyOutcome::CONVERTED : conversion::CompanyOutcome::FAILED;
  return report;
}

struct CompanyLoopTest : ::testing::Test, testing::RegisterTrees {
  std::vector<std::string> runs;  // "name in the log/directory" for each run
  std::set<std::string> failing;

  void WriteRegister(const std::string& file, const std::vector<Company>& companies) const {
    std::string bytes;
    for (const Company& c : companies) {
      const auto record = sample::CompanyRecord{ShortString(platform::Utf8ToCp852(c.name)),
                                                ShortString(c.directory),
                                                ShortString(platform::Utf8ToCp852(c.info))}
                              .Build();
      bytes.append(record.begin(), record.end());
    }
    world.tree.WriteFile(file, bytes);
  }
  void WriteSource(const std::vector<Company>& companies) const {
    for (const Company& c : companies) world.tree.MakeDirectory("DAZ_2020/" + c.directory);
    WriteRegister("DAZ_2020/SPISFIRM.DAT", companies);
  }
  // The company names of the 2021 register, in file order.
  std::vector<std::string> TargetNames() const {
    const std::string bytes = world.tree.ReadFile("DAZ_2021/SPISFIRM.DAT");
    std::vector<std::string> names;
    for (std::size_t at = 0; at + COMPANY_RECORD_SIZE <= bytes.size(); at += COMPANY_RECORD_SIZE) {
      const auto* record = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
      names.push_back(platform::Cp852ToUtf8(CompanyName({record, COMPANY_RECORD_SIZE})));
    }
    return names;
  }
  void Keys(std::initializer_list<std::uint16_t> keys) {
    for (std::uint16_t key : keys) t.console.PushKey(key);
  }
  // The summary box at the end of the loop, closed when it waits.
  void CloseSummary() {
    t.console.PushPause();
    t.console.PushKey(KB_ENTER);
  }
  void Look(std::function<void()> look) {
    t.console.PushPause();
    t.AtNextPause(std::move(look));
  }
  void Loop() {
    CompanyLoop(t.toolkit, access, log, settings, [&](const ShortString& directory, bool) {
      // The log was cleared and names the company first.
      std::string heading = log.MirrorRow(1).str();
      heading.erase(heading.find_last_not_of(' ') + 1);
      runs.push_back(platform::Cp852ToUtf8(heading) + "/" + directory.str());
      EXPECT_EQ(log.MirrorRow(2).str().substr(0, 24 + directory.size()),
                "              Katalog : " + directory.str());
      return Outcome(failing.count(directory.str()) == 0);
    });
    EXPECT_TRUE(t.console.ScriptDone());
  }
};

TEST_F(CompanyLoopTest, TheChosenCompaniesAreConvertedAndLandAtTheirKeyPlaces) {
  WriteSource({{"Zakład Stolarski Wiórek", "STOLARZ", "Piaseczno, ul. Leśna 4"},
               {"Apteka pod Lipą", "APTEKA", ""},
               {"Kowalski i Syn Hurtownia Owoców", "KOWAL", "hurt"},  // 31 characters
               {"Młyn Zbożowy", "MLYN", ""}});
  WriteRegister("DAZ_2021/SPISFIRM.DAT",
                {{"Bank Spółdzielczy", "BANK", ""}, {"Ogrodnik", "OGROD", ""}});
  failing = {"MLYN"};                             // its run fails half-way: it is not registered
  Keys({KB_DOWN, KB_SPACE, KB_SPACE, KB_SPACE});  // Space twice leaves the mark as it was
  Look([&] {
    EXPECT_EQ(testing::GoldenScreen(t.console, 10, 58, 6, 20), SELECTION_SCREEN);
    EXPECT_EQ(t.Text(1, 25, 58), " SPACE - Zaznacz (■)│^W Wszystkie │^D Żadna │F5 - ZACZNIJ│");
  });
  Keys({KB_F5});
  // The summary: a row per listed company, the failed one with its counts.
  Look([&] {
    EXPECT_EQ(t.Text(1, 2, 80),
              "┌─────────────────────────── PODSUMOWANIE KONWERSJI ───────────────────────────┐");
    EXPECT_EQ(t.Text(4, 3, 74),
              "Firma            Katalog  Wynik          Pliki Pozycje Pomin. Osób Pom Pyt");
    EXPECT_EQ(t.Text(4, 5, 74),
              "Zakład Stolarski STOLARZ  przeniesiona       0       0      0    0   0   0");
    EXPECT_EQ(t.Text(4, 6, 50), "Apteka pod Lipą  APTEKA   pominięta               ");
    EXPECT_EQ(t.Text(4, 8, 50), "Młyn Zbożowy     MLYN     nieudana           0    ");
    EXPECT_EQ(t.Text(4, 9, 40), "Przeniesiono firm: 2 z wybranych 3      ");
    EXPECT_EQ(t.Text(1, 25, 31), " Enter - Zamknij│Esc - Zamknij│");
  });
  CloseSummary();
  Loop();
  EXPECT_EQ(runs, (std::vector<std::string>{
                      "Kopiowanie  - FIRMA   : Zakład Stolarski Wiórek/STOLARZ",
                      "Kopiowanie  - FIRMA   : Kowalski i Syn Hurtownia Owoców/KOWAL",
                      "Kopiowanie  - FIRMA   : Młyn Zbożowy/MLYN"}));
  EXPECT_EQ(TargetNames(),
            (std::vector<std::string>{"Bank Spółdzielczy", "Kowalski i Syn Hurtownia Owoców",
                                      "Ogrodnik", "Zakład Stolarski Wiórek"}));
}

// Two companies that can be converted, the second one MLYN.
const std::vector<Company> TWO = {{"Apteka pod Lipą", "APTEKA", ""}, {"Młyn Zbożowy", "MLYN", ""}};

TEST_F(CompanyLoopTest, OnlyF5StartsAndOnlyTheMarkedCompaniesRun) {
  constexpr std::uint16_t KEY_M = 0x324D;
  struct Case {
    const char* what;
    std::vector<std::uint16_t> keys;
    std::vector<std::string> directories;  // that run, in order
    bool registerOpened;                   // the 2021 register exists afterwards
  };
  const Case cases[] = {
      {"none, then start", {KB_CTRL_D, KB_F5}, {}, true},
      {"none, all, start", {KB_CTRL_D, KB_CTRL_W, KB_F5}, {"APTEKA", "MLYN"}, true},
      {"by the directory key", {KB_TAB, KEY_M, KB_SPACE, KB_F5}, {"APTEKA"}, true},
      {"Esc after changes", {KB_SPACE, KB_ESC}, {}, false},
  };
  WriteSource(TWO);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(world.tree.Path("DAZ_2021/SPISFIRM.DAT"));
    runs.clear();
    for (std::uint16_t key : c.keys) t.console.PushKey(key);
    if (c.keys.back() == KB_F5) CloseSummary();
    Loop();
    std::vector<std::string> directories;
    for (const std::string& run : runs) directories.push_back(run.substr(run.rfind('/') + 1));
    EXPECT_EQ(directories, c.directories);
    EXPECT_EQ(world.tree.Exists("DAZ_2021/SPISFIRM.DAT"), c.registerOpened);
  }
  // The right mouse button leaves the screen as Esc does.
  t.console.PushMouse(platform::MOUSE_RIGHT, 30, 12);
  runs.clear();
  Loop();
  EXPECT_TRUE(runs.empty());
}

TEST_F(CompanyLoopTest, ATargetRegisterThatCannotBeOpenedRunsNobody) {
  WriteSource(TWO);
  world.tree.MakeDirectory("DAZ_2021/SPISFIRM.DAT");  // a directory in its place
  Keys({KB_F5});
  Look([&] {
    EXPECT_NE(t.Row(9).find("Brak dostepu do pliku"), std::string::npos);
    EXPECT_NE(t.Row(10).find(world.tree.Root()), std::string::npos);  // the path, cut to the box
  });
  Keys({KB_ENTER});
  Loop();
  EXPECT_TRUE(runs.empty());
}

TEST_F(CompanyLoopTest, ARegisterLockedByAnotherStationIsWaitedForAndNothingIsLostOrDoubled) {
  WriteSource(TWO);
  WriteRegister("DAZ_2021/SPISFIRM.DAT", {{"Bank Spółdzielczy", "BANK", ""}});
  testing::LockHolder station(world.tree.Path("DAZ_2021/SPISFIRM.DAT"));
  ASSERT_EQ(station.Send("lock 0 2147483647"), "OK");
  Keys({KB_F5});
  // The first insertion waits: the operator is asked, the station lets go.
  Look([&] {
    EXPECT_NE(t.Row(10).find("DOSTĘP BLOKOWANY SIECIOWO"), std::string::npos);
    EXPECT_EQ(station.Send("unlock 0 2147483647"), "OK");
  });
  Keys({KB_ENTER});
  CloseSummary();
  Loop();
  EXPECT_EQ(TargetNames(),
            (std::vector<std::string>{"Apteka pod Lipą", "Bank Spółdzielczy", "Młyn Zbożowy"}));
}

TEST_F(CompanyLoopTest, AConvertedCompanyTheRegisterDoesNotTakeStaysUnfinished) {
  WriteSource(TWO);
  WriteRegister("DAZ_2021/SPISFIRM.DAT", {{"Bank Spółdzielczy", "BANK", ""}});
  testing::LockHolder station(world.tree.Path("DAZ_2021/SPISFIRM.DAT"));
  ASSERT_EQ(station.Send("lock 0 2147483647"), "OK");
  Keys({KB_F5});
  // Each insertion finds the register locked; the operator does not wait.
  for (int company = 0; company < 2; ++company) {
    t.console.PushPause();
    Keys({ui::KB_SMALL_N});
  }
  Look([&] {
    EXPECT_EQ(t.Text(4, 5, 40), "Apteka pod Lipą  APTEKA   poza rejestrem");
    EXPECT_EQ(t.Text(4, 6, 70), "                 Nie dopisano firmy do " +
                                    world.tree.Path("DAZ_2021/SPISFIRM.DAT").substr(0, 31));
  });
  CloseSummary();
  std::vector<bool> registered;
  CompanyLoop(
      t.toolkit, access, log, settings, [&](const ShortString&, bool) { return Outcome(true); },
      [&](bool taken) { registered.push_back(taken); });
  EXPECT_TRUE(t.console.ScriptDone());
  EXPECT_EQ(registered, (std::vector<bool>{false, false}));
  EXPECT_EQ(TargetNames(), (std::vector<std::string>{"Bank Spółdzielczy"}));
}

TEST_F(CompanyLoopTest, ASecondRunOffersOnlyTheCompaniesNotConvertedYet) {
  WriteSource(TWO);
  failing = {"MLYN"};
  // A run makes the company's 2021 folder, as the real one does before it
  // can fail half-way.
  auto loop = [&] {
    CompanyLoop(t.toolkit, access, log, settings, [&](const ShortString& directory, bool) {
      world.tree.MakeDirectory("DAZ_2021/" + directory.str());
      runs.push_back(directory.str());
      return Outcome(failing.count(directory.str()) == 0);
    });
  };
  Keys({KB_F5});
  CloseSummary();
  loop();
  EXPECT_EQ(runs, (std::vector<std::string>{"APTEKA", "MLYN"}));
  // Both folders exist now: the recognition lists nobody and says so.
  Keys({KB_ENTER});  // the key after "Zerowa ilość odczytanych firm"
  loop();
  EXPECT_TRUE(t.console.ScriptDone());
  EXPECT_EQ(runs.size(), 2u);
  EXPECT_NE(t.console.Transcript().find("Odnaleziono katalog docelowy MLYN dla firmy Młyn Zbożowy"),
            std::string::npos);
  EXPECT_EQ(TargetNames(), (std::vector<std::string>{"Apteka pod Lipą"}));
}

}  // namespace
}  // namespace zq::registry
