#include <gtest/gtest.h>

#include <string>

#include "sample/office_answers.h"
#include "support/office_run.h"

namespace zq::shell {
namespace {

using testing::Snapshot;

struct OfficeConversion : ::testing::Test, testing::OfficeRun {};

TEST_F(OfficeConversion, TheDefaultOfficeGoesThroughAndEveryFileIsWhereTheAccountingSystemLooks) {
  const auto sourceBefore = Snapshot(p.world.tree, "DAZ_2020");
  const std::string sourceRegister = p.world.tree.ReadFile("DAZ_2020/SPISFIRM.DAT");

  sample::ScriptAnswers(p.console, sample::DefaultOfficeAnswers());
  Convert();
  EXPECT_TRUE(p.console.ScriptDone());
  EXPECT_NE(p.console.Transcript().find("Koniec pracy kopiera danych DAZ_ZQ na rok 2021"),
            std::string::npos);

  // Each company with its directory in the 2020 tree alone has its own 2021
  // directory with the three records of its annual settings.
  for (const sample::CompanyPlan& company : plan) {
    SCOPED_TRACE(HostName(company.directory));
    const std::string target = "DAZ_2021/" + HostName(company.directory);
    switch (company.place) {
      case sample::CompanyPlace::SOURCE:
        EXPECT_EQ(p.world.tree.ReadFile(target + "/2021_ROK.REK").size(), 3u * 512u);
        break;
      case sample::CompanyPlace::ALREADY_TARGET:
        // What the earlier run left stays as it was: nothing is added.
        EXPECT_EQ(Snapshot(p.world.tree, target).size(), 1u);
        EXPECT_TRUE(p.world.tree.Exists(target + "/_zq_daz.rek"));
        break;
      case sample::CompanyPlace::MISSING:
        EXPECT_FALSE(p.world.tree.Exists(target));
        break;
    }
  }

  // The answers to the year question show in the third record's twelve
  // monthly blocks (bytes 18..269): carried from 2021's data when it is
  // chosen, cleared when the year starts from 2020's.
  const auto monthlyBlocks = [&](const std::string& file) {
    return p.world.tree.ReadFile(file).substr(2 * 512 + 18, 12 * 21);
  };
  EXPECT_EQ(monthlyBlocks("DAZ_2021/PIEKARN/2021_ROK.REK"), std::string(12 * 21, '\0'));
  EXPECT_EQ(monthlyBlocks("DAZ_2021/ROZA/2021_ROK.REK"),
            monthlyBlocks("DAZ_2020/ROZA/2021_ROK.REK"));
  EXPECT_NE(monthlyBlocks("DAZ_2020/ROZA/2021_ROK.REK"), std::string(12 * 21, '\0'));

  // The 2021 register holds the converted companies alone, each with its
  // 2020 record, sorted by name as the accounting system lists them.
  std::string registered;
  for (const char* directory : {"APTEKA", "ZABEK", "JABLON", "ROZA", "PIEKARN", "IGIELKA",
                                "GROSZEK", "ŻURAW", "TLOK", "STOLARZ"}) {
    for (const sample::CompanyPlan& company : plan) {
      if (HostName(company.directory) == directory) {
        registered +=
            sourceRegister.substr(static_cast<std::size_t>(company.number - 1) * 103, 103);
      }
    }
  }
  EXPECT_EQ(registered.size(), 10u * 103u);
  EXPECT_EQ(p.world.tree.ReadFile("DAZ_2021/SPISFIRM.DAT"), registered);

  // The global data the defaults copy, and not what they leave out.
  for (const char* same : {"baza_ad8.rek", "baza_ff.txt", "DAZ_ZQ.INI", "KOLORY.ZQ", "OPERATOR.REK",
                           "ZUS_PEL.INI", "UMOWY.INI"}) {
    EXPECT_EQ(p.world.tree.ReadFile(std::string("DAZ_2021/#BIN021/") + same),
              p.world.tree.ReadFile(std::string("DAZ_2020/#BIN020/") + same))
        << same;
  }
  EXPECT_EQ(p.world.tree.ReadFile("DAZ_2021/#BIN021/2021_lp2.cc"),
            p.world.tree.ReadFile("DAZ_2020/#BIN020/2021_lp2.cc"));
  for (const char* absent : {"daz_2020.ini", "daz_2021.ini", "2021_BR.REK", "2020spd.ini"}) {
    EXPECT_FALSE(p.world.tree.Exists(std::string("DAZ_2021/#BIN021/") + absent)) << absent;
  }

  // The saved record closes with the summary: a row per company with what
  // its run carried (Piekarnia: four answers, its deleted staff record and
  // the three persons carried), and no company failed the check.
  const std::string log = Log();
  const std::size_t summary = log.find(" PODSUMOWANIE KONWERSJI\r\n");
  ASSERT_NE(summary, std::string::npos);
  EXPECT_NE(
      log.find(" Firma            Katalog  Wynik          Pliki Pozycje Pomin. Osób Pom Pyt\r\n",
               summary),
      std::string::npos);
  EXPECT_NE(
      log.find(" Piekarnia Złoty  PIEKARN  przeniesiona      42      73      1    3   0   4\r\n",
               summary),
      std::string::npos);
  for (const sample::CompanyPlan& company : plan) {
    if (company.place != sample::CompanyPlace::SOURCE) continue;
    const std::string directory = HostName(company.directory);
    const std::size_t row =
        log.find(" " + directory + std::string(9 - company.directory.size(), ' ') + "przeniesiona ",
                 summary);
    EXPECT_NE(row, std::string::npos) << directory;
    EXPECT_FALSE(p.world.tree.Exists("DAZ_2021/" + directory + "/ZQ20-21.NKN")) << directory;
  }
  EXPECT_NE(log.find(" Przeniesiono firm: 10 z wybranych 10\r\n", summary), std::string::npos);
  EXPECT_EQ(log.find("KONTROLA"), std::string::npos);
  EXPECT_LT(summary, log.find("Koniec pracy kopiera danych DAZ_ZQ na rok 2021"));

  // The 2020 tree is read, never written.
  const auto sourceAfter = Snapshot(p.world.tree, "DAZ_2020");
  EXPECT_EQ(sourceAfter.size(), sourceBefore.size());
  for (const auto& [name, bytes] : sourceBefore) {
    const auto after = sourceAfter.find(name);
    EXPECT_TRUE(after != sourceAfter.end() && after->second == bytes) << name;
  }
}

}  // namespace
}  // namespace zq::shell
