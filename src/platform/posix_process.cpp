#include "platform/posix_process.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "platform/cp852.h"

namespace zq::platform {

PosixProcess::PosixProcess(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) arguments_.emplace_back(Utf8ToCp852(argv[i]));
}

ShortString PosixProcess::ExecutablePath() const {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0) return {};
  return ShortString(Utf8ToCp852(std::string_view(path, static_cast<std::size_t>(length))));
}

ShortString PosixProcess::CurrentDirectory() const {
  char path[PATH_MAX];
  if (getcwd(path, sizeof path) == nullptr) return {};
  return ShortString(Utf8ToCp852(path));
}

std::optional<ShortString> PosixProcess::GetEnv(std::string_view name) const {
  const char* value = std::getenv(std::string(name).c_str());
  if (value == nullptr) return std::nullopt;
  return ShortString(Utf8ToCp852(value));
}

}  // namespace zq::platform
