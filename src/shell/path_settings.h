#pragma once
// The path settings file "<base name>.PTH" and the extra file list
// "<base name>.LST" beside the program.

#include <vector>

#include "platform/files.h"
#include "platform/short_string.h"

namespace zq::shell {

// Overrides the paths from the lines "DAZ_2020=" and "DAZ_2021=" (exactly
// that case, at the start of the line; a later line wins), adding the closing
// separator. A path too long to hold with its separator is no path: the line
// is ignored. A missing file leaves the paths alone; a read error ends the
// reading.
void ReadPathSettings(platform::FileSystem& files, const ShortString& baseName,
                      ShortString& sourcePath, ShortString& targetPath);

// Writes the three lines of the file from the paths, each without its closing
// separator and never cut. False, and the file left as it was, when a path
// would not read back as given (a line feed in it, or too long to hold with
// its separator). A file that cannot be written is skipped silently (true).
bool WritePathSettings(platform::FileSystem& files, const ShortString& baseName,
                       const ShortString& sourcePath, const ShortString& targetPath);

// One name a line, its first 25 characters, in file order; an empty line is
// an empty name. A missing file gives an empty list.
void ReadExtraFileList(platform::FileSystem& files, const ShortString& baseName,
                       std::vector<ShortString>& names);

}  // namespace zq::shell
