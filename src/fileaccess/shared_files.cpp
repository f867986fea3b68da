#include "fileaccess/shared_files.h"

#include <vector>

namespace zq::fileaccess {

std::optional<bool> FileExistsByName(platform::FileSystem& files, std::string_view name) {
  std::vector<platform::DirEntry> found;
  switch (files.Search(ShortString(name), platform::ATTR_FILES, found)) {
    case platform::IO_OK:
      return !found.empty();
    case platform::IO_FILE_NOT_FOUND:
    case platform::IO_PATH_NOT_FOUND:
    case platform::IO_NO_MORE_FILES:
      return false;
    default:
      return std::nullopt;
  }
}

bool LockFirstByte(platform::File& file) {
  return file.Lock(0, 1) == platform::IO_OK;
}

bool UnlockFirstByte(platform::File& file) {
  return file.Unlock(0, 1) == platform::IO_OK;
}

}  // namespace zq::fileaccess
