#pragma once
// The host's real file system for a helper program: on Windows the system's.

#include "platform/windows/windows_file_system.h"

namespace zq::testing {

struct HostFiles {
  platform::WindowsFileSystem files;
};

}  // namespace zq::testing
