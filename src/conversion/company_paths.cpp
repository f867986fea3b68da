#include "conversion/company_paths.h"

#include <algorithm>

#include "platform/files.h"

namespace zq::conversion {

bool IsPlainName(std::string_view name) {
  if (name.empty()) return false;
  if (std::all_of(name.begin(), name.end(), [](char c) { return c == '.'; })) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return platform::IsPathSeparator(c) || c == ':' || c == '*' || c == '?' ||
           static_cast<unsigned char>(c) < 0x20;
  });
}

std::optional<ShortString> FileIn(const ShortString& directory, std::string_view name) {
  if (!IsPlainName(name) || directory.size() + 1 + name.size() > ShortString::MAX_LENGTH) {
    return std::nullopt;
  }
  return directory + platform::PATH_SEPARATOR + name;
}

ShortString SearchPattern(const ShortString& directory, std::string_view mask) {
  return directory + platform::PATH_SEPARATOR + mask;
}

std::optional<CompanyPaths> CompanyPaths::For(const RunSettings& settings,
                                              std::string_view directory) {
  const std::size_t longestTree = std::max(settings.SourcePath.size(), settings.TargetPath.size());
  if (!IsPlainName(directory) ||
      longestTree + directory.size() + 1 + LONGEST_FILE_NAME > ShortString::MAX_LENGTH) {
    return std::nullopt;
  }
  CompanyPaths paths;
  paths.directory_ = directory;
  paths.sourceDirectory_ = settings.SourcePath + directory;
  paths.targetDirectory_ = settings.TargetPath + directory;
  return paths;
}

std::optional<ShortString> CompanyPaths::SourceFile(std::string_view name) const {
  return FileIn(sourceDirectory_, name);
}

std::optional<ShortString> CompanyPaths::TargetFile(std::string_view name) const {
  return FileIn(targetDirectory_, name);
}

}  // namespace zq::conversion
