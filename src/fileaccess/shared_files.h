#pragma once
// Module-level operations of the shared-file layer that stand beside the
// record file object: the existence check by name and the lock on the first
// byte of a file that keeps two stations from updating it at once.

#include <optional>
#include <string_view>

#include "platform/files.h"

namespace zq::fileaccess {

// Whether a search for the name finds a plain file (no directories); nothing
// when the search itself failed (access refused, a disk or network fault), so
// that an existing file is never taken for a missing one.
std::optional<bool> FileExistsByName(platform::FileSystem& files, std::string_view name);

// One byte at offset 0, no retry: the platform lock's own answer.
bool LockFirstByte(platform::File& file);
bool UnlockFirstByte(platform::File& file);

}  // namespace zq::fileaccess
