#pragma once
// A file handle over a POSIX descriptor.
//
// Its locks (the byte ranges and the sharing bytes of ofd_locks.h) live on a
// lock descriptor: the handle's own when it reads and writes, otherwise a
// companion descriptor of the same file opened for reading and writing,
// because an exclusive lock needs a writable descriptor and the sharing locks
// a readable one, while Windows locks on any handle. When no companion can be
// opened (the file's permissions refuse it), the handle's own descriptor
// carries the locks: a read-only handle then takes shared byte-range locks,
// which keep writers' locks out but not other read-only handles' locks.
// An appending handle (O_APPEND) keeps its companion for the sharing locks
// alone: it has no position to seek and takes no byte-range locks.

#include "platform/files.h"
#include "platform/posix_syscalls.h"

namespace zq::platform {

class PosixFile final : public File {
 public:
  // Takes over both descriptors; `lockFd` may equal `fd`. `append` for a
  // descriptor opened with O_APPEND (Access::APPEND).
  PosixFile(Syscalls& syscalls, int fd, int lockFd, bool lockFdWritable, bool append = false);
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
  Syscalls& syscalls_;
  int fd_;
  int lockFd_;
  bool lockFdWritable_;
  bool append_;
};

}  // namespace zq::platform
