#pragma once
// Emptying a company's target directory before its conversion starts over:
// every file in it and in its sub-folders goes, except the one named to
// stay. A link is removed as a link: the walk never follows one out of the
// directory, so nothing outside the company's target directory is touched.

#include <string_view>

#include "platform/files.h"
#include "platform/short_string.h"

namespace zq::conversion {

// False when some file could not be removed.
bool EmptyDirectory(platform::FileSystem& files, const ShortString& directory,
                    std::string_view keep);

}  // namespace zq::conversion
