#pragma once
// Where a company's files lie: its directory in the source tree and in the
// target tree, and the files in them. Every path of a company is built here,
// and a name that comes from a record or a list (the register's directory, a
// fixed-asset base, an extra file) becomes part of a path only after it has
// passed IsPlainName, so no data file can lead the converter outside the two
// trees.

#include <optional>
#include <string_view>

#include "conversion/run_settings.h"
#include "platform/short_string.h"

namespace zq::conversion {

// One component of a path: not empty, not made of dots alone ("." and ".."),
// without a separator of either kind, a drive colon, a wildcard or a control
// character.
bool IsPlainName(std::string_view name);

class CompanyPaths {
 public:
  // The longest name the company run appends with SourceFile or TargetFile.
  static constexpr std::size_t LONGEST_FILE_NAME = 40;

  // Nothing when `directory` is not a plain name, or when a file of it would
  // not fit into a path of 255 characters.
  static std::optional<CompanyPaths> For(const RunSettings& settings, std::string_view directory);

  const ShortString& Directory() const { return directory_; }
  // SourcePath + directory, TargetPath + directory (no closing separator).
  const ShortString& SourceDirectory() const { return sourceDirectory_; }
  const ShortString& TargetDirectory() const { return targetDirectory_; }

  // A file in the company's directory. Nothing when `name` is not a plain
  // name or the path would be longer than 255 characters.
  std::optional<ShortString> SourceFile(std::string_view name) const;
  std::optional<ShortString> TargetFile(std::string_view name) const;

 private:
  CompanyPaths() = default;

  ShortString directory_;
  ShortString sourceDirectory_;
  ShortString targetDirectory_;
};

// `directory` + separator + `name`, when `name` is plain and the whole fits.
std::optional<ShortString> FileIn(const ShortString& directory, std::string_view name);

// The search for the entries of `directory` that match `mask`. Masks come
// from the program's own tables, never from a file.
ShortString SearchPattern(const ShortString& directory, std::string_view mask);

}  // namespace zq::conversion
