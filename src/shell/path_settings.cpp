#include "shell/path_settings.h"

#include <optional>
#include <string>

#include "conversion/run_settings.h"
#include "platform/text_file.h"
#include "platform/text_literal.h"

namespace zq::shell {
namespace {

constexpr ShortString SOURCE_KEY = "DAZ_2020="_pl;
constexpr ShortString TARGET_KEY = "DAZ_2021="_pl;

std::unique_ptr<platform::File> OpenBeside(platform::FileSystem& files, const ShortString& baseName,
                                           std::string_view extension, bool forWriting) {
  int result = platform::IO_OK;
  return files.Open(
      baseName + extension, forWriting ? platform::Access::WRITE : platform::Access::READ,
      platform::Share::DENY_NONE,
      forWriting ? platform::Disposition::CREATE_ALWAYS : platform::Disposition::OPEN_EXISTING,
      result);
}

// The path as the file holds it: without its closing separator.
std::string_view Written(const ShortString& path) {
  const std::string_view text = path.view();
  return !text.empty() && platform::IsPathSeparator(text.back()) ? text.substr(0, text.size() - 1)
                                                                 : text;
}

// The path of a line's value, with its closing separator; nothing when the
// path would not fit.
std::optional<ShortString> PathOf(std::string_view value) {
  if (value.size() >= ShortString::MAX_LENGTH) return std::nullopt;
  return ShortString(value) + platform::PATH_SEPARATOR;
}

bool Storable(const ShortString& path) {
  return path.view().find('\n') == std::string_view::npos && PathOf(Written(path));
}

}  // namespace

void ReadPathSettings(platform::FileSystem& files, const ShortString& baseName,
                      ShortString& sourcePath, ShortString& targetPath) {
  auto file = OpenBeside(files, baseName, ".PTH"_pl, false);
  if (!file) return;
  platform::TextReader reader(*file);
  std::string line;
  while (reader.ReadLine(line)) {
    const std::string_view text = line;
    ShortString* path = text.starts_with(SOURCE_KEY)   ? &sourcePath
                        : text.starts_with(TARGET_KEY) ? &targetPath
                                                       : nullptr;
    if (path == nullptr) continue;
    // Both keys are of one length.
    if (const auto read = PathOf(text.substr(SOURCE_KEY.size()))) *path = *read;
  }
  file->Close();
}

bool WritePathSettings(platform::FileSystem& files, const ShortString& baseName,
                       const ShortString& sourcePath, const ShortString& targetPath) {
  if (!Storable(sourcePath) || !Storable(targetPath)) return false;
  auto file = OpenBeside(files, baseName, ".PTH"_pl, true);
  if (!file) return true;
  {
    platform::TextWriter writer(*file);
    writer.WriteLine("[PATHS]"_pl);
    writer.WriteLine(std::string(SOURCE_KEY) + std::string(Written(sourcePath)));
    writer.WriteLine(std::string(TARGET_KEY) + std::string(Written(targetPath)));
  }
  file->Close();
  return true;
}

void ReadExtraFileList(platform::FileSystem& files, const ShortString& baseName,
                       std::vector<ShortString>& names) {
  auto file = OpenBeside(files, baseName, ".LST"_pl, false);
  if (!file) return;
  platform::TextReader reader(*file);
  std::string text;
  while (reader.ReadLine(text)) {
    ShortString name(text);
    name.Truncate(conversion::EXTRA_FILE_NAME_LENGTH);
    names.push_back(name);
  }
  file->Close();
}

}  // namespace zq::shell
