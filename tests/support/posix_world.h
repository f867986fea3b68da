#pragma once
// A real POSIX file system over a fresh temporary tree, with fault injection
// between them and an environment the test sets.

#include <filesystem>
#include <string_view>

#include "platform/cp852.h"
#include "platform/posix_file_system.h"
#include "platform/posix_syscalls.h"
#include "support/fake_process.h"
#include "support/faulty_syscalls.h"
#include "support/temp_tree.h"

namespace zq::testing {

struct PosixWorld {
  PosixWorld() = default;
  explicit PosixWorld(const std::filesystem::path& base) : tree(base) {}

  TempTree tree;
  platform::PosixSyscalls realSyscalls;
  FaultySyscalls syscalls{realSyscalls};
  FakeProcess process;
  platform::PosixFileSystem files{syscalls, process};

  // The program's (CP852) name of a path of the tree given in UTF-8.
  ShortString Name(std::string_view relative) const {
    return ShortString(platform::Utf8ToCp852(tree.Path(relative)));
  }
};

}  // namespace zq::testing
