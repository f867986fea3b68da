#pragma once
// The two file queries that stand beside the progress log.

#include <cstdint>
#include <string_view>

#include "platform/files.h"

namespace zq::transfer {

// The size of the first plain file found by that name; 0 when none is found.
std::uint64_t FileSizeByName(platform::FileSystem& files, std::string_view name);

// True when an entry of that name exists, a file or a directory.
bool EntryExists(platform::FileSystem& files, std::string_view name);

// True when the path names a directory. A path that ends with a separator
// names nothing.
bool DirectoryExists(platform::FileSystem& files, std::string_view path);

}  // namespace zq::transfer
