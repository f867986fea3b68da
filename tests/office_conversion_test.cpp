#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/cp852.h"
#include "platform/text_literal.h"
#include "sample/office_answers.h"
#include "sample/sample_office.h"
#include "shell/converter.h"
#include "support/headless_platform.h"

namespace zq::shell {
namespace {

namespace fs = std::filesystem;

// Every file of a tree, by its path relative to the tree, with its bytes;
// a directory is listed with a marker in place of bytes.
std::map<std::string, std::string> Snapshot(const testing::TempTree& tree,
                                            const std::string& folder) {
  std::map<std::string, std::string> files;
  const fs::path root = tree.Path(folder);
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).string();
    files[name] = entry.is_directory() ? "<directory>" : tree.ReadFile(folder + "/" + name);
  }
  return files;
}

// The process's working directory for the length of a run: the converter
// opens the trees by the relative names of its path settings.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const fs::path& directory) : previous_(fs::current_path()) {
    fs::current_path(directory);
  }
  ~WorkingDirectory() { fs::current_path(previous_); }
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

 private:
  fs::path previous_;
};

// The default sample office with the converter installed in its 2021 tree
// and the path settings beside it naming the trees relative to the office
// folder, where the converter starts (as `make demo` does).
struct OfficeConversion : ::testing::Test {
  testing::HeadlessPlatform p;
  std::vector<sample::CompanyPlan> plan;

  OfficeConversion() {
    const ShortString root = p.world.Name("");
    plan = sample::WriteSampleOffice(p.world.files,
                                     ShortString(root.view().substr(0, root.size() - 1)),
                                     sample::SampleOfficeOptions{});
    p.world.tree.WriteFile("DAZ_2021/zq20-21.PTH",
                           "[PATHS]\r\nDAZ_2020=DAZ_2020\r\nDAZ_2021=DAZ_2021\r\n");
    p.world.process.SetExecutablePath(p.world.Name("DAZ_2021/zq20-21"));
    p.world.process.SetCurrentDirectory(p.world.Name(""));
  }

  std::string Screen() const {
    std::string rows;
    for (int row = 1; row <= 25; ++row) rows += p.Row(row) + "\n";
    return rows;
  }
  static std::string HostName(const ShortString& name) {
    return platform::Cp852ToUtf8(name.view());
  }
};

TEST_F(OfficeConversion, TheDefaultOfficeGoesThroughAndEveryFileIsWhereTheAccountingSystemLooks) {
  const auto sourceBefore = Snapshot(p.world.tree, "DAZ_2020");
  const std::string sourceRegister = p.world.tree.ReadFile("DAZ_2020/SPISFIRM.DAT");

  sample::ScriptAnswers(p.console, sample::DefaultOfficeAnswers());
  Converter converter(p.platform);
  {
    WorkingDirectory office(p.world.tree.Root());
    try {
      converter.Run();
    } catch (const platform::HeadlessInputExhausted&) {
      FAIL() << "an unanswered question:\n" << Screen();
    }
  }
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
