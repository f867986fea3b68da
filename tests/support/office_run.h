#pragma once
// The default sample office, with the converter installed in its 2021 tree
// and path settings naming the trees relative to the office folder, run
// whole through the headless console as `make demo` runs it.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/cp852.h"
#include "platform/headless_console.h"
#include "platform/text_literal.h"
#include "sample/sample_office.h"
#include "shell/converter.h"
#include "support/headless_platform.h"

namespace zq::testing {

namespace fs = std::filesystem;

inline constexpr std::uint16_t PAGE_DOWN = 0x5100;
inline constexpr std::uint16_t F5 = 0x3F00;
inline constexpr std::uint16_t ENTER = 0x1C0D;
inline constexpr std::uint16_t KEY_A = 0x1E61;
inline constexpr std::uint16_t KEY_B = 0x3062;
inline constexpr std::uint16_t KEY_N = 0x316E;
inline constexpr std::uint16_t KEY_T = 0x1474;
inline constexpr std::uint16_t KEY_W = 0x1177;

// Every file of a tree, by its path relative to the tree, with its bytes;
// a directory is listed with a marker in place of bytes.
inline std::map<std::string, std::string> Snapshot(const TempTree& tree,
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

struct OfficeRun {
  HeadlessPlatform p;
  std::vector<sample::CompanyPlan> plan;

  OfficeRun() {
    const ShortString root = p.world.Name("");
    plan = sample::WriteSampleOffice(p.world.files,
                                     ShortString(root.view().substr(0, root.size() - 1)),
                                     sample::SampleOfficeOptions{});
    p.world.tree.WriteFile("DAZ_2021/zq20-21.PTH",
                           "[PATHS]\r\nDAZ_2020=DAZ_2020\r\nDAZ_2021=DAZ_2021\r\n");
    p.world.process.SetExecutablePath(p.world.Name("DAZ_2021/zq20-21"));
    p.world.process.SetCurrentDirectory(p.world.Name(""));
  }

  // A key the operator presses when the program waits for one; the pause
  // lets the program's looks for a key while it works pass by.
  void Answer(std::uint16_t key) {
    p.console.PushPause();
    p.console.PushKey(key);
  }
  // The wizard's three pages with their defaults, then start.
  void PassWizard() {
    for (std::uint16_t key : {PAGE_DOWN, PAGE_DOWN, PAGE_DOWN, F5}) p.console.PushKey(key);
  }
  std::string Screen() const {
    std::string rows;
    for (int row = 1; row <= 25; ++row) rows += p.Row(row) + "\n";
    return rows;
  }
  // One whole run of the converter on `platform` (the office's own unless a
  // test puts something between it and the disk).
  void Convert(platform::Platform& platform) {
    shell::Converter converter(platform);
    WorkingDirectory office(p.world.tree.Root());
    try {
      converter.Run();
    } catch (const platform::HeadlessInputExhausted&) {
      ADD_FAILURE() << "an unanswered question:\n" << Screen();
    }
  }
  void Convert() { Convert(p.platform); }
  // The saved record of the runs (UTF-8).
  std::string Log() const { return p.world.tree.ReadFile("DAZ_2021/zq20-21.log"); }
  static std::string HostName(const ShortString& name) {
    return platform::Cp852ToUtf8(name.view());
  }
};

}  // namespace zq::testing
