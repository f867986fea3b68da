#pragma once
// Where the program lives: its base name (the executable without its
// extension), its directory and the directory it was started from. The path
// settings file and the extra file list are named after the base name.

#include "platform/process.h"
#include "platform/short_string.h"

namespace zq::shell {

struct ProgramLocation {
  ShortString BaseName;        // "/opt/daz/zq20-21" for "/opt/daz/zq20-21.exe"
  ShortString Directory;       // "/opt/daz/", ending with a separator; empty without one
  ShortString StartDirectory;  // no closing separator unless it is a root

  static ProgramLocation Of(const platform::Process& process);
};

}  // namespace zq::shell
