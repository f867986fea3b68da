#pragma once
// The file system of a POSIX host: program names through PathMapper, locks
// and sharing modes through ofd_locks.h, every system call through Syscalls.
//
// Directory search, as the DOS search sees a POSIX directory:
// - attributes: a directory has ATTR_DIRECTORY, a name starting with '.'
//   ATTR_HIDDEN, a regular file ATTR_ARCHIVE and, when nobody may write it,
//   ATTR_READ_ONLY; anything else (a device, a pipe, a socket, a broken link)
//   is ATTR_SYSTEM, so the file queries never open it;
// - entries come sorted by their upper-cased CP852 names, as an NTFS
//   directory lists them;
// - a disk name that does not fit CP852 is listed with '?' for each character
//   the code page lacks; such a name cannot be opened, because a '?' in a name
//   is refused as a bad name.
// Results: IO_OK with at least one entry, IO_NO_MORE_FILES with none,
// IO_PATH_NOT_FOUND when the directory is missing.

#include <string>

#include "platform/files.h"
#include "platform/path_mapper.h"
#include "platform/posix_syscalls.h"
#include "platform/process.h"

namespace zq::platform {

class PosixFileSystem final : public FileSystem {
 public:
  PosixFileSystem(Syscalls& syscalls, const Process& process)
      : syscalls_(syscalls), mapper_(syscalls, process) {}

  std::unique_ptr<File> Open(const ShortString& name, Access access, Share share,
                             Disposition disposition, int& result) override;
  int Search(const ShortString& pattern, std::uint8_t attributes,
             std::vector<DirEntry>& found) override;
  int MakeDirectory(const ShortString& name) override;
  int Rename(const ShortString& from, const ShortString& to) override;
  int Erase(const ShortString& name) override;

 private:
  // The result of a call by name that failed with `error`: a missing entry is
  // IO_FILE_NOT_FOUND when its directory exists, IO_PATH_NOT_FOUND otherwise.
  int NameResult(int error, const std::string& host);
  bool IsDirectory(const std::string& host);
  // Attributes and size of the disk entry `host`: 0, or the errno of its
  // status.
  int Describe(const std::string& host, std::string_view diskName, DirEntry& entry);
  // The same from the entry's status (a link not followed).
  void Describe(const std::string& host, std::string_view diskName, struct stat status,
                DirEntry& entry);

  Syscalls& syscalls_;
  PathMapper mapper_;
};

}  // namespace zq::platform
