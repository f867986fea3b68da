#pragma once
// The Windows path of a program file name (CP852, '\' or '/' separating):
// made full against the current directory (drive letters, "." and ".."
// resolved by the system) and given the "\\?\" prefix when it is longer
// than the classic limit of MAX_PATH characters, so a deep tree on a network
// drive still opens.

#include <string>
#include <string_view>

namespace zq::platform {

// IO_OK, or IO_BAD_NAME for a name no Windows disk can hold: empty, with a
// NUL, a wildcard or a control character in it, or longer than the system
// takes even with the prefix.
int ToWindowsPath(std::string_view name, std::wstring& path);

}  // namespace zq::platform
