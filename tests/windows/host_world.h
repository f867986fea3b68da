#pragma once
// The host's real file system over a fresh temporary tree: on Windows the
// system's own, with an environment the test sets.

#include <filesystem>
#include <string_view>

#include "platform/cp852.h"
#include "platform/windows/windows_file_system.h"
#include "support/fake_process.h"
#include "support/temp_tree.h"

namespace zq::testing {

struct HostWorld {
  HostWorld() = default;
  explicit HostWorld(const std::filesystem::path& base) : tree(base) {}

  TempTree tree;
  FakeProcess process;
  platform::WindowsFileSystem files;

  // The program's (CP852) name of a path of the tree given in UTF-8.
  ShortString Name(std::string_view relative) const {
    return ShortString(platform::Utf8ToCp852(tree.Path(relative)));
  }
};

}  // namespace zq::testing
