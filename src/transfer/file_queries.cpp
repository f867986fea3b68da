#include "transfer/file_queries.h"

#include <algorithm>
#include <vector>

namespace zq::transfer {

std::uint64_t FileSizeByName(platform::FileSystem& files, std::string_view name) {
  std::vector<platform::DirEntry> found;
  if (files.Search(ShortString(name), platform::ATTR_FILES, found) != platform::IO_OK ||
      found.empty()) {
    return 0;
  }
  return found.front().size;
}

bool EntryExists(platform::FileSystem& files, std::string_view name) {
  std::vector<platform::DirEntry> found;
  return files.Search(ShortString(name), platform::ATTR_ANY & ~platform::ATTR_VOLUME, found) ==
             platform::IO_OK &&
         !found.empty();
}

bool DirectoryExists(platform::FileSystem& files, std::string_view path) {
  std::vector<platform::DirEntry> found;
  if (files.Search(ShortString(path), platform::ATTR_ANY & ~platform::ATTR_VOLUME, found) !=
      platform::IO_OK) {
    return false;
  }
  return std::any_of(found.begin(), found.end(), [](const platform::DirEntry& entry) {
    return (entry.attributes & platform::ATTR_DIRECTORY) != 0;
  });
}

}  // namespace zq::transfer
