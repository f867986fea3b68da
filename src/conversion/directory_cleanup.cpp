#include "conversion/directory_cleanup.h"

#include <vector>

#include "conversion/company_paths.h"
#include "ui/polish_text.h"

namespace zq::conversion {
namespace {

// Deeper than any folder the converter makes; a deeper tree is left as it is.
constexpr int DEEPEST = 8;

bool EmptyLevel(platform::FileSystem& files, const ShortString& directory, std::string_view keep,
                int depth) {
  std::vector<platform::DirEntry> found;
  files.Search(SearchPattern(directory, "*"), platform::ATTR_ANY, found);
  bool emptied = true;
  for (const platform::DirEntry& entry : found) {
    if (!keep.empty() && ui::UpperCasePL(entry.name) == ui::UpperCasePL(keep)) continue;
    const auto path = FileIn(directory, entry.name);
    if (!path) {
      emptied = false;
      continue;
    }
    if ((entry.attributes & platform::ATTR_DIRECTORY) != 0 && !entry.link) {
      // The file layer removes files only: the folder stays, empty.
      emptied = depth < DEEPEST && EmptyLevel(files, *path, {}, depth + 1) && emptied;
    } else if (files.Erase(*path) != platform::IO_OK) {
      emptied = false;
    }
  }
  return emptied;
}

}  // namespace

bool EmptyDirectory(platform::FileSystem& files, const ShortString& directory,
                    std::string_view keep) {
  return EmptyLevel(files, directory, keep, 0);
}

}  // namespace zq::conversion
