#include "conversion/company_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "conversion/annual_settings.h"
#include "fileaccess/record_fields.h"
#include "platform/cp852.h"
#include "platform/text_literal.h"
#include "sample/sample_office.h"
#include "support/headless_conversion.h"
#include "support/lock_holder_client.h"

namespace zq::conversion {
namespace {

using fileaccess::RecordView;
using Files = std::map<std::string, std::string>;  // relative UTF-8 name -> bytes

constexpr int RECORDS = 2;

RecordView Bytes(const std::string& content) {
  return {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()};
}

// Every file under `directory` of the tree, by its name relative to it.
Files Snapshot(const zq::testing::TempTree& tree, const std::string& directory) {
  Files files;
  const std::filesystem::path root = tree.Path(directory);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const std::u8string relative = entry.path().lexically_relative(root).generic_u8string();
    const std::string name(relative.begin(), relative.end());
    files[name] = tree.ReadFile(directory + "/" + name);
  }
  return files;
}

// The sample company of these tests: every kind of data, two records a file.
sample::CompanyPlan Bakery(bool working2021) {
  sample::CompanyPlan company;
  company.name = "Piekarnia Złoty Kłos s.c."_pl;
  company.directory = "PIEKARN"_pl;
  company.annual2021 = working2021;
  company.currentTaxForms = true;
  company.wageSettings2021 = true;
  company.oldFormatContracts = !working2021;
  company.documentMonths = 2;  // the last document of February is struck out
  company.repaymentMonths = 1;
  company.draFiles = 2;
  company.kilometres410 = true;
  company.kstFiles = working2021;
  company.kilometres510 = true;
  company.assetBases = working2021
                           ? std::vector<ShortString>{"Srodki"_pl, "Budynki"_pl, "Maszyny"_pl}
                           : std::vector<ShortString>{"srodki"_pl, "Maszyny"_pl};
  return company;
}

struct CompanyRunTest : ::testing::Test, zq::testing::HeadlessConversion {
  RunSettings settings;
  RunFlags flags;
  transfer::CopyEngine copier{world.files, log};
  StaffTransfer staff{log, t.clock};
  TaxFormConverters taxForms{log, settings.Options, flags};
  DocumentConverters documents{log, settings.Options, copier.RecordCopyCounter()};
  AnnualSettings annual{world.files, log, t.toolkit, settings, flags};
  CompanyMarker unfinishedMark{world.files, t.clock, "stacja TEST"_pl};
  CompanyRun run{world.files, log,      t.toolkit, copier, settings,      flags,
                 staff,       taxForms, documents, annual, unfinishedMark};

  CompanyRunTest() {
    world.tree.MakeDirectory("DAZ_2020");
    world.tree.MakeDirectory("DAZ_2021");
    settings.SourcePath = world.Name("DAZ_2020") + platform::PATH_SEPARATOR;
    settings.TargetPath = world.Name("DAZ_2021") + platform::PATH_SEPARATOR;
    settings.Options.DllProgramItems = 0xFFFF;
  }

  void Write(const sample::CompanyPlan& company) {
    sample::WriteCompany(world.files, world.Name("DAZ_2020/" + Utf8(company.directory)), company,
                         {.records = RECORDS});
  }
  static std::string Utf8(std::string_view cp852) { return platform::Cp852ToUtf8(cp852); }
  // The log showed the line (UTF-8) at some moment, as far as a row holds it.
  bool Logged(const std::string& line) const {
    std::size_t end = 0;
    for (int characters = 0; end < line.size() && characters < 79; ++characters) {
      end += platform::DecodeUtf8(std::string_view(line).substr(end)).length;
    }
    return t.console.Transcript().find(line.substr(0, end)) != std::string::npos;
  }
};

// What a target file must hold: the bytes of a source file, or records of a
// conversion (`recordSize` bytes, `records` of them).
struct Expected {
  std::string from;
  std::size_t recordSize = 0;
  std::size_t records = 0;
};

std::map<std::string, Expected> ExpectedTarget(bool working2021) {
  std::map<std::string, Expected> expected;
  for (const char* same :
       {"FIRMA_A8.REK", "DANE_PR8.REK",  "DANE_PZ.DAT",  "2021PITS.REK", "DANE_PF8.REK",
        "UMOWY.INI",    "baza_ad8.rek",  "baza_sp9.rek", "baza_za9.rek", "baza_ff.txt",
        "Notatnik.txt", "Notatka.txt",   "Notes.txt",    "BAZA_PP8.REK", "ZUS_PEL.INI",
        "ESTUJ.REK",    "BAZA_PP8.INI",  "BAZA_DW8.REK", "ODS_ZOB.REK",  "AUTOV26.REK",
        "2021SP.1",     "2021IDX.REK",   "2021WP5.REK",  "2021_NK8.REK", "2021D501.KED",
        "2021D502.KED", "dokument.rek",  "srodki.rek",   "wyposaz.rek",  "st.cnf",
        "stbazy.rek",   "Maszyny.REK",   "PRACA.cel",    "cel2021.rek",  "DOM.trs",
        "tras2021.rek", "km.cnf",        "adresy.rek",   "samochod.rek", "km__auto.rek",
        "km21_01.rek",  "daz_import.xml"}) {
    expected[same] = {same};
  }
  expected["_zq_daz.rek"] = {{}, 256, 1};
  expected["2021_ROK.REK"] = {{}, 512, 3};
  expected["FIRMATXT.INI"] = {};
  expected["2021P5.REK"] = {{}, 13952, RECORDS};
  expected["2021P28.REK"] = {{}, 13952, RECORDS};
  expected["2021K990.1"] = {{}, 1024, RECORDS};
  expected["2021K990.2"] = {{}, 1024, RECORDS - 1};
  if (working2021) {
    for (const char* same :
         {"2021vJ17.REK", "2021UE01.REK", "2021UE02.REK", "2021ZAL.REK", "Budynki.REK",
          "2021UZ5.REK", "2021_lp2.cc", "_2021/STYCZEŃ.kst", "_2021/LUTY.kst"}) {
      expected[same] = {same};
    }
    expected["2021VXX.REK"] = {"2020VXX.REK"};
    expected["2021KOL3.REK"] = {{}, 3552, RECORDS};
  } else {
    expected["baza_ff.bak"] = {"baza_ff.txt"};
    expected["2019_ROK.REK"] = {"2019_ROK.REK"};
    expected["2021UZ5.REK"] = {{}, 1024, RECORDS};
    expected["2021_lp2.cc"] = {{}, 2048, 1};
  }
  return expected;
}

void ExpectTarget(const Files& source, const Files& target, bool working2021) {
  const std::map<std::string, Expected> expected = ExpectedTarget(working2021);
  for (const auto& [name, bytes] : target) {
    const auto found = expected.find(name);
    if (found == expected.end()) {
      ADD_FAILURE() << "unexpected target file " << name;
      continue;
    }
    const Expected& file = found->second;
    if (!file.from.empty()) {
      EXPECT_EQ(bytes, source.at(file.from)) << name;
    } else if (file.recordSize != 0) {
      EXPECT_EQ(bytes.size(), file.recordSize * file.records) << name;
    }
  }
  for (const auto& [name, file] : expected) EXPECT_TRUE(target.contains(name)) << name;
}

TEST_F(CompanyRunTest, ACompanyStartingTheNewYearWithHiddenMonthsAndExtraFiles) {
  Write(Bakery(false));
  settings.Options.HideConvertedFiles = 1;
  settings.ExtraFiles = {"baza_ff.txt>baza_ff.bak"_pl, "2019_ROK.REK"_pl, ""_pl};
  const Files source = Snapshot(world.tree, "DAZ_2020/PIEKARN");
  Press('W');  // PID-5: this year's forms make way for new ones from 2020
  Press('Z');  // PIT-28: this year's forms stay the source
  Press('Z');  // 2021_lp2.cc: the settings just converted stay

  EXPECT_TRUE(run.RunCompany("PIEKARN"_pl));
  unfinishedMark.Finish();  // as the company loop does once it is registered
  EXPECT_TRUE(t.console.ScriptDone());
  EXPECT_FALSE(flags.AnnualFrom2021);
  const Files target = Snapshot(world.tree, "DAZ_2021/PIEKARN");
  ExpectTarget(source, target, false);

  const std::string& marker = target.at("_zq_daz.rek");
  EXPECT_EQ(marker.substr(0, 8), std::string("\xE5\x07\xE5\x07\xE5\x07\x01\x01", 8));
  EXPECT_EQ(marker.substr(8), source.at("_zq_daz.rek").substr(8));
  // PID-5 from the 2020 forms, PIT-28 from this year's, the wage settings
  // of 2020 turned into 2021's.
  const RecordView pid5 = Bytes(target.at("2021P5.REK"));
  EXPECT_EQ(fileaccess::ReadDouble(pid5, 1212),
            fileaccess::ReadDouble(Bytes(source.at("2020P5.REK")), 1212 + 88));
  EXPECT_EQ(fileaccess::ReadDouble(Bytes(target.at("2021P28.REK")), 388 + 427),
            fileaccess::ReadDouble(Bytes(source.at("2021_P28.REK")), 388 + 385));
  EXPECT_EQ(fileaccess::ReadU16(Bytes(target.at("2021_lp2.cc")), 611), 2021);
  EXPECT_NE(target.at("2021_lp2.cc"), source.at("2021_lp2.cc"));
  EXPECT_NE(target.at("FIRMATXT.INI").find("DAZ2020=" + Utf8(flags.PreviousDataPath)),
            std::string::npos);
  EXPECT_FALSE(world.tree.Exists("DAZ_2021/PIEKARN/_2021"));

  // The source tree is as it was, but for the converted months renamed.
  const Files after = Snapshot(world.tree, "DAZ_2020/PIEKARN");
  Files expectedAfter = source;
  for (const char* hidden : {"2021K990.1", "2021K990.2", "2021SP.1"}) {
    expectedAfter[std::string(hidden) + "~"] = expectedAfter.at(hidden);
    expectedAfter.erase(hidden);
  }
  EXPECT_EQ(after, expectedAfter);
  const std::string months =
      Utf8(settings.SourcePath) + "PIEKARN" + platform::PATH_SEPARATOR + "2021SP.1";
  EXPECT_TRUE(Logged("Zmiana nazwy pliku " + months + " na " + months + "~"));
  EXPECT_TRUE(Logged("Lista dodatkowa ...."));
  EXPECT_TRUE(Logged("Koniec konwersji danych firmy"));
}

TEST_F(CompanyRunTest, ACompanyAlreadyWorkingIn2021KeepsItsYear) {
  Write(Bakery(true));
  const Files source = Snapshot(world.tree, "DAZ_2020/PIEKARN");
  Press('N');  // both annual files: take 2021's

  EXPECT_TRUE(run.RunCompany("PIEKARN"_pl));
  unfinishedMark.Finish();  // as the company loop does once it is registered
  EXPECT_TRUE(t.console.ScriptDone());
  EXPECT_TRUE(flags.AnnualFrom2021);
  const Files target = Snapshot(world.tree, "DAZ_2021/PIEKARN");
  ExpectTarget(source, target, true);
  // This year's PID-5 forms are carried over as they are.
  EXPECT_EQ(target.at("2021P5.REK").substr(0, 13888), source.at("2021P5.REK").substr(0, 13888));
  EXPECT_EQ(Snapshot(world.tree, "DAZ_2020/PIEKARN"), source);
  EXPECT_TRUE(Logged("1. :2021D501.KED"));
  EXPECT_TRUE(Logged("2. :2021D502.KED"));
}

TEST_F(CompanyRunTest, NamesThatLeadOutOfTheCompanyCopyNothing) {
  sample::CompanyPlan company = Bakery(false);
  company.assetBases = {"Maszyny"_pl, "../Budynki"_pl, "sub\\x"_pl, "C:Evil"_pl,
                        ShortString(std::string(250, 'A'))};
  Write(company);
  world.tree.WriteFile("DAZ_2020/Budynki.REK", std::string(39771, 'x'));
  world.tree.WriteFile("DAZ_2020/PIEKARN/Notes.txt", "notes");
  settings.ExtraFiles = {"Notes.txt>..\\ukradzione.txt"_pl, "/etc/hostname"_pl,
                         "..\\..\\SPISFIRM.DAT"_pl};
  settings.Options.CompanyItems = 0;
  settings.Options.Entered2021Items = 0;
  settings.Options.DllProgramItems = DLL_ST;
  const std::vector<std::string> refused = {"Notes.txt>..\\ukradzione.txt",
                                            "/etc/hostname",
                                            "..\\..\\SPISFIRM.DAT",
                                            "../Budynki.REK",
                                            "sub\\x.REK",
                                            "C:Evil.REK",
                                            std::string(250, 'A') + ".REK"};
  for (std::size_t i = 0; i < refused.size(); ++i) Press(' ');

  EXPECT_TRUE(run.RunCompany("PIEKARN"_pl));
  EXPECT_TRUE(t.console.ScriptDone());
  for (const std::string& name : refused) {
    EXPECT_TRUE(Logged("Pominięto niedozwoloną nazwę pliku " + name)) << name;
  }
  EXPECT_TRUE(world.tree.Exists("DAZ_2021/PIEKARN/Maszyny.REK"));
  EXPECT_EQ(Snapshot(world.tree, "DAZ_2021").size(),
            Snapshot(world.tree, "DAZ_2021/PIEKARN").size());
  EXPECT_FALSE(world.tree.Exists("DAZ_2021/ukradzione.txt"));
}

TEST_F(CompanyRunTest, RunsThatStopBeforeTheItems) {
  struct Case {
    const char* what;
    std::function<void()> prepare;
    std::string line;
    ShortString directory = "PIEKARN"_pl;
  };
  const std::string company = Utf8(settings.SourcePath) + "PIEKARN" + platform::PATH_SEPARATOR;
  const std::vector<Case> cases = {
      {"no annual file", [&] { world.tree.WriteFile("DAZ_2020/PIEKARN/2020_ROK.REK", ""); },
       "Nie można dokonać konwersji ..."},
      {"no year marker",
       [&] { std::filesystem::remove(world.tree.Path("DAZ_2020/PIEKARN/_zq_daz.rek")); },
       "Brak dostepu do " + company + "_zq_daz.rek"},
      {"a short year marker",
       [&] { world.tree.WriteFile("DAZ_2020/PIEKARN/_zq_daz.rek", std::string(255, '\0')); },
       "Błąd odczytu danych z " + company + "_zq_daz.rek"},
      {"a file where the directory goes", [&] { world.tree.WriteFile("DAZ_2021/PIEKARN", ""); },
       "W miejscu katalogu firmy jest plik " + Utf8(settings.TargetPath) + "PIEKARN"},
      {"a directory name that is no name", [] {}, "Niedozwolona nazwa katalogu firmy ..", ".."_pl},
  };
  for (const Case& failure : cases) {
    SCOPED_TRACE(failure.what);
    std::filesystem::remove_all(world.tree.Path("DAZ_2020/PIEKARN"));
    std::filesystem::remove_all(world.tree.Path("DAZ_2021/PIEKARN"));
    Write(Bakery(false));
    failure.prepare();
    Press(' ');
    EXPECT_FALSE(run.RunCompany(failure.directory));
    EXPECT_TRUE(t.console.ScriptDone());
    EXPECT_TRUE(Logged(failure.line));
    EXPECT_FALSE(world.tree.Exists("DAZ_2021/PIEKARN/_zq_daz.rek"));
  }
}

// A target directory found at the company's turn: another converter's, one
// finished or left half-done since the recognition, an empty one; and the
// restart of a half-done one.
TEST_F(CompanyRunTest, ATargetDirectoryFoundAtTheStartIsLeftToWhoeverHoldsIt) {
  const std::string mark = "2021-01-04 11:58:00 stacja BIURO2, operator ewa";
  const std::string target = Utf8(settings.TargetPath) + "PIEKARN";
  struct Case {
    const char* what;
    bool marked;
    bool held;
    bool converted;
    bool restart;
    CompanyOutcome outcome;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"held by another converter", true, true, false, false, CompanyOutcome::HELD_ELSEWHERE,
       "Firmę konwertuje teraz: " + mark},
      {"held, even for a restart", true, true, false, true, CompanyOutcome::HELD_ELSEWHERE,
       "Firmę konwertuje teraz: " + mark},
      {"left half-done", true, false, false, false, CompanyOutcome::DIRECTORY_EXISTS,
       "Niedokończona konwersja z " + mark},
      {"converted meanwhile", false, false, true, false, CompanyOutcome::DIRECTORY_EXISTS,
       "Odnaleziono katalog docelowy " + target},
      {"empty but for a file", false, false, false, false, CompanyOutcome::CONVERTED, ""},
      {"restarted", true, false, false, true, CompanyOutcome::CONVERTED, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(world.tree.Path("DAZ_2020/PIEKARN"));
    std::filesystem::remove_all(world.tree.Path("DAZ_2021/PIEKARN"));
    Write(Bakery(false));
    world.tree.MakeDirectory("DAZ_2021/PIEKARN");
    world.tree.WriteFile("DAZ_2021/PIEKARN/zbędny.txt", "z poprzedniego przebiegu");
    if (c.marked) world.tree.WriteFile("DAZ_2021/PIEKARN/ZQ20-21.NKN", mark + "\r\n");
    if (c.converted) world.tree.WriteFile("DAZ_2021/PIEKARN/_zq_daz.rek", std::string(256, 'x'));
    std::unique_ptr<zq::testing::LockHolder> station;
    if (c.held) {
      station = std::make_unique<zq::testing::LockHolder>(
          world.tree.Path("DAZ_2021/PIEKARN/ZQ20-21.NKN"));
      ASSERT_EQ(station->Send("lock 1048576 1"), "OK");
    }
    const Files before = Snapshot(world.tree, "DAZ_2021/PIEKARN");
    const bool converts = c.outcome == CompanyOutcome::CONVERTED;
    if (converts) {
      Press('W');
      Press('Z');
      Press('Z');
    }

    EXPECT_EQ(run.RunCompany("PIEKARN"_pl, c.restart), converts);
    EXPECT_TRUE(t.console.ScriptDone());
    EXPECT_EQ(run.Report().outcome, c.outcome);
    EXPECT_EQ(Utf8(run.Report().reason), c.reason);
    if (!converts) {
      EXPECT_TRUE(Logged(c.reason));
      EXPECT_EQ(Snapshot(world.tree, "DAZ_2021/PIEKARN"), before);
      continue;
    }
    // Held until the company is registered.
    EXPECT_EQ(LookAtMarker(world.files, world.Name("DAZ_2021/PIEKARN")).state, MarkerState::HELD);
    EXPECT_EQ(world.tree.Exists("DAZ_2021/PIEKARN/zbędny.txt"), !c.restart);
    EXPECT_EQ(run.Report().mismatches, 0u);
    EXPECT_TRUE(unfinishedMark.Finish());
    EXPECT_FALSE(world.tree.Exists("DAZ_2021/PIEKARN/ZQ20-21.NKN"));
  }
}

}  // namespace
}  // namespace zq::conversion
