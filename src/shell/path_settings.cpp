#include "shell/path_settings.h"

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

// The path without its last character, the closing separator.
std::string_view WithoutClosingSeparator(const ShortString& path) {
  return path.empty() ? std::string_view() : path.view().substr(0, path.size() - 1);
}

}  // namespace

void ReadPathSettings(platform::FileSystem& files, const ShortString& baseName,
                      ShortString& sourcePath, ShortString& targetPath) {
  auto file = OpenBeside(files, baseName, ".PTH"_pl, false);
  if (!file) return;
  platform::TextReader reader(*file);
  std::string text;
  while (reader.ReadLine(text)) {
    const ShortString line(text);
    if (line.view().starts_with(SOURCE_KEY)) {
      sourcePath = ShortString(line.view().substr(SOURCE_KEY.size())) + platform::PATH_SEPARATOR;
    } else if (line.view().starts_with(TARGET_KEY)) {
      targetPath = ShortString(line.view().substr(TARGET_KEY.size())) + platform::PATH_SEPARATOR;
    }
  }
  file->Close();
}

void WritePathSettings(platform::FileSystem& files, const ShortString& baseName,
                       const ShortString& sourcePath, const ShortString& targetPath) {
  auto file = OpenBeside(files, baseName, ".PTH"_pl, true);
  if (!file) return;
  {
    platform::TextWriter writer(*file);
    writer.WriteLine("[PATHS]"_pl);
    writer.WriteLine(SOURCE_KEY + WithoutClosingSeparator(sourcePath));
    writer.WriteLine(TARGET_KEY + WithoutClosingSeparator(targetPath));
  }
  file->Close();
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
