#include "fileaccess/shared_files.h"

#include <vector>

namespace zq::fileaccess {

bool FileExistsByName(platform::FileSystem& files, std::string_view name) {
  std::vector<platform::DirEntry> found;
  return files.Search(ShortString(name), platform::ATTR_FILES, found) == platform::IO_OK &&
         !found.empty();
}

bool LockFirstByte(platform::File& file) {
  return file.Lock(0, 1) == platform::IO_OK;
}

bool UnlockFirstByte(platform::File& file) {
  return file.Unlock(0, 1) == platform::IO_OK;
}

}  // namespace zq::fileaccess
