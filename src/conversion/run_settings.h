#pragma once
// The settings of the whole run: the two data trees, the register file name,
// the extra files copied for every company and the conversion options.

#include <vector>

#include "conversion/conversion_options.h"
#include "platform/files.h"
#include "platform/short_string.h"
#include "platform/text_literal.h"

namespace zq::conversion {

inline constexpr std::size_t REGISTER_NAME_LENGTH = 12;
inline constexpr std::size_t EXTRA_FILE_NAME_LENGTH = 25;

struct RunSettings {
  // Both end with the path separator once the path page has been left.
  ShortString SourcePath;
  ShortString TargetPath;
  ShortString RegisterFileName = "SPISFIRM.DAT"_pl;
  std::vector<ShortString> ExtraFiles;
  ConversionOptions Options;
};

}  // namespace zq::conversion
