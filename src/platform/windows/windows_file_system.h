#pragma once
// The file system of a Windows host, through the wide-character API: names
// converted from CP852 with the program's own table, sharing modes and
// byte-range locks of the system, drive letters and network paths as Windows
// knows them, letter case ignored by the file system itself.
//
// Directory search lists a directory with FindFirstFileW and matches each
// name against the DOS mask itself, so a mask means the same here as on
// POSIX (and 8.3 short names never match). Entries come sorted by their
// upper-cased CP852 names. A name with a character outside CP852 cannot be
// named by the program: such an entry is left out of every search and told
// to the notice sink once per search. Results: IO_OK with at least one entry,
// IO_NO_MORE_FILES with none, IO_PATH_NOT_FOUND when the directory is missing.

#include <functional>
#include <string>

#include "platform/files.h"

namespace zq::platform {

class WindowsFileSystem final : public FileSystem {
 public:
  // Hears of each entry a search left out, by its name with '?' for the
  // characters CP852 lacks.
  using SkippedEntrySink =
      std::function<void(const ShortString& directory, const ShortString& name)>;

  explicit WindowsFileSystem(SkippedEntrySink skipped = {}) : skipped_(std::move(skipped)) {}

  std::unique_ptr<File> Open(const ShortString& name, Access access, Share share,
                             Disposition disposition, int& result) override;
  int Search(const ShortString& pattern, std::uint8_t attributes,
             std::vector<DirEntry>& found) override;
  int MakeDirectory(const ShortString& name) override;
  int Rename(const ShortString& from, const ShortString& to) override;
  int Erase(const ShortString& name) override;

 private:
  SkippedEntrySink skipped_;
};

}  // namespace zq::platform
