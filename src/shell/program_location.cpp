#include "shell/program_location.h"

#include <string_view>

#include "platform/files.h"

namespace zq::shell {
namespace {

// One past the last separator of a path; 0 when it has none.
std::size_t NameStart(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (platform::IsPathSeparator(path[i - 1])) return i;
  }
  return 0;
}

bool IsRoot(std::string_view path) {
  return path.size() == 1 || (path.size() == 3 && path[1] == ':');
}

}  // namespace

ProgramLocation ProgramLocation::Of(const platform::Process& process) {
  ProgramLocation location;
  const ShortString executable = process.ExecutablePath();
  const std::size_t nameStart = NameStart(executable);
  // Only a dot in the file name starts an extension, never one in a folder.
  const std::size_t dot = executable.view().rfind('.');
  location.BaseName = executable;
  if (dot != std::string_view::npos && dot >= nameStart) location.BaseName.Truncate(dot);
  location.Directory = ShortString(executable.view().substr(0, nameStart));

  location.StartDirectory = process.CurrentDirectory();
  const std::string_view start = location.StartDirectory;
  if (!start.empty() && platform::IsPathSeparator(start.back()) && !IsRoot(start)) {
    location.StartDirectory.Truncate(start.size() - 1);
  }
  return location;
}

}  // namespace zq::shell
