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
#include "shell/converter.h"
#include "support/headless_office.h"
#include "support/headless_platform.h"
#include "support/working_directory.h"
#include "ui/key_codes.h"

namespace zq::testing {

namespace fs = std::filesystem;

// Every file of a tree, by its path relative to the tree, with its bytes;
// a directory is listed with a marker in place of bytes.
inline std::map<std::string, std::string> Snapshot(const TempTree& tree,
                                                   const std::string& folder) {
  return tree.Snapshot(folder);
}

struct OfficeRun {
  HeadlessPlatform p;
  std::vector<sample::CompanyPlan> plan;

  OfficeRun() : plan(WriteConvertibleOffice(p)) {}

  // A key the operator presses when the program waits for one; the pause
  // lets the program's looks for a key while it works pass by.
  void Answer(std::uint16_t key) {
    p.console.PushPause();
    p.console.PushKey(key);
  }
  // The wizard's three pages with their defaults, then start.
  void PassWizard() {
    for (std::uint16_t key : {ui::KB_PGDN, ui::KB_PGDN, ui::KB_PGDN, ui::KB_F5})
      p.console.PushKey(key);
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
