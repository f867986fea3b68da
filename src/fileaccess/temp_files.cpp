#include "fileaccess/temp_files.h"

#include <array>
#include <vector>

#include "platform/dos_mask.h"

namespace zq::fileaccess {
namespace {

using platform::DirEntry;

constexpr std::uint32_t NAME_NUMBERS = 32767;
constexpr std::array<std::string_view, 4> TEMP_VARIABLES = {"zqTEMP", "KPRBOX", "TEMP", "TMP"};

}  // namespace

ShortString AddBackslash(const ShortString& path) {
  if (path.empty() || platform::IsPathSeparator(path.back())) return path;
  return path + platform::PATH_SEPARATOR;
}

ShortString FormatTempName(const ShortString& directory, std::uint32_t n,
                           std::string_view extension) {
  constexpr std::string_view DIGITS = "0123456789ABCDEF";
  ShortString name = directory + "~zq";
  for (int shift = 28; shift >= 0; shift -= 4) name += DIGITS[(n >> shift) & 0xFu];
  name += extension;
  return name;
}

void TempFiles::InitTempDir() {
  for (std::string_view variable : TEMP_VARIABLES) {
    tempDir_ = EnvDirectory(variable);
    if (!tempDir_.empty()) return;
  }
  // A current directory too long for the temporary directory is named
  // relatively instead (an empty temporary directory), rather than cut into a
  // path that leads somewhere else.
  tempDir_ = process_.CurrentDirectory();
  if (tempDir_.size() > TEMP_DIR_MAX_LENGTH) tempDir_.clear();
}

ShortString TempFiles::EnvDirectory(std::string_view name) const {
  const auto value = process_.GetEnv(name);
  // Longer values are not usable: cut, they would name another directory.
  if (!value || value->empty() || value->size() > TEMP_DIR_MAX_LENGTH ||
      platform::HasWildcards(*value)) {
    return {};
  }
  std::vector<DirEntry> found;
  constexpr std::uint8_t FILTER = platform::ATTR_READ_ONLY | platform::ATTR_HIDDEN |
                                  platform::ATTR_SYSTEM | platform::ATTR_DIRECTORY |
                                  platform::ATTR_ARCHIVE;
  if (files_.Search(*value, FILTER, found) != platform::IO_OK || found.empty() ||
      (found.front().attributes & platform::ATTR_DIRECTORY) == 0) {
    return {};
  }
  return *value;
}

bool TempFiles::Exists(const ShortString& name) const {
  std::vector<DirEntry> found;
  return files_.Search(name, platform::ATTR_ANY, found) == platform::IO_OK && !found.empty();
}

ShortString TempFiles::TempFileName(std::string_view extension, const ShortString& directory) {
  const ShortString base = AddBackslash(directory.empty() ? tempDir_ : directory);
  random_.Seed(clock_.TickCount());
  std::uint32_t n = random_.Next(NAME_NUMBERS);
  ShortString name = FormatTempName(base, n, extension);
  while (Exists(name)) name = FormatTempName(base, ++n, extension);
  return name;
}

ShortString TempFiles::TempFileNameTmp(const ShortString& directory) {
  return TempFileName(".tmp", directory);
}

}  // namespace zq::fileaccess
