#pragma once
// The host's real file system for a helper program, with no environment of
// its own: on POSIX the file layer over the real system calls.

#include "platform/posix_file_system.h"
#include "platform/posix_syscalls.h"
#include "support/no_environment.h"

namespace zq::testing {

struct HostFiles {
  platform::PosixSyscalls syscalls;
  NoEnvironment process;
  platform::PosixFileSystem files{syscalls, process};
};

}  // namespace zq::testing
