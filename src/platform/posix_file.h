#pragma once
// A file handle over a POSIX descriptor.
//
// Its locks (the byte ranges and the sharing bytes of ofd_locks.h) live on a
// lock descriptor. An exclusive lock needs a writable descriptor and the
// sharing locks a readable one, while Windows locks on any handle, so:
// - a handle that writes reads too where the file's permissions let it, and
//   its own descriptor carries every lock; a write-only descriptor carries
//   the byte ranges but no sharing locks;
// - a read-only handle carries its sharing locks itself and, at its first
//   byte-range lock, opens a companion descriptor of the same file for
//   reading and writing that carries the ranges. When no companion can be
//   opened (the permissions refuse it, or the name now leads elsewhere), the
//   handle takes shared byte-range locks on its own descriptor, which keep
//   writers' locks out but not other read-only handles' locks.
// An appending handle (O_APPEND) carries its sharing locks alone: it reads
// nothing, has no position to seek and takes no byte-range locks.

#include <sys/stat.h>

#include <string>

#include "platform/files.h"
#include "platform/posix_syscalls.h"

namespace zq::platform {

// Every open of the file layer: O_NONBLOCK keeps an open of a pipe from
// waiting; regular files ignore it.
inline constexpr int COMMON_OPEN_FLAGS = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

class PosixFile final : public File {
 public:
  // Takes over `fd`. A read-only one names the file it was opened by, for
  // the companion. `append` for a descriptor opened with O_APPEND.
  PosixFile(Syscalls& syscalls, int fd, bool writable, std::string host, const struct stat& status,
            bool append = false);
  ~PosixFile() override;
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  int Read(void* buffer, std::size_t size, std::size_t& done) override;
  int Write(const void* buffer, std::size_t size, std::size_t& done) override;
  int CopyTo(File& target, std::uint64_t& done, bool& targetFailed) override;
  int Seek(std::uint64_t offset) override;
  int Size(std::uint64_t& size) override;
  int Flush() override;
  int Lock(std::uint64_t offset, std::uint64_t length) override;
  int Unlock(std::uint64_t offset, std::uint64_t length) override;
  int Close() override;

 private:
  // Opens the companion of a read-only handle, once.
  void OpenCompanion();

  Syscalls& syscalls_;
  int fd_;
  int lockFd_;
  bool lockFdWritable_;
  std::string host_;  // empty once the companion was tried
  dev_t device_;
  ino_t inode_;
  bool append_;
};

}  // namespace zq::platform
