#pragma once
// A decorator of the file layer's system calls that counts every call by kind
// and keeps their order: the benchmarks report the calls an operation costs,
// and tests check what was called when. A descendant may make a call fail
// before it reaches the system (fault injection).

#include <array>
#include <cstddef>
#include <vector>

#include "platform/posix_syscalls.h"

namespace zq::platform {

enum class SyscallKind : std::size_t {
  OPEN,
  CLOSE,
  READ,
  WRITE,
  COPY,
  SEEK,
  TRUNCATE,
  SYNC,
  STAT,  // FileStatus and PathStatus
  LOCK,  // setting and testing locks
  LIST,
  MAKE_DIRECTORY,
  RENAME,
  UNLINK,
  COUNT,
};

class CountingSyscalls : public Syscalls {
 public:
  explicit CountingSyscalls(Syscalls& real) : real_(real) {}

  int Calls(SyscallKind kind) const { return calls_[Index(kind)]; }
  long TotalCalls() const;
  // Every call since the last clearing, in order.
  const std::vector<SyscallKind>& History() const { return history_; }
  void ClearHistory() { history_.clear(); }

  int Open(const char* path, int flags, mode_t mode) override;
  int Close(int fd) override;
  ssize_t Read(int fd, void* buffer, std::size_t size) override;
  ssize_t Write(int fd, const void* buffer, std::size_t size) override;
  ssize_t CopyRange(int fromFd, int toFd, std::size_t size) override;
  off_t Seek(int fd, off_t offset) override;
  int Truncate(int fd, off_t length) override;
  int Sync(int fd) override;
  int FileStatus(int fd, struct stat& status) override;
  int PathStatus(const char* path, struct stat& status, bool followLinks) override;
  int Lock(int fd, int command, struct flock& lock) override;
  int ListDirectory(const char* path, std::vector<std::string>& names) override;
  int MakeDirectory(const char* path, mode_t mode) override;
  int Rename(const char* from, const char* to) override;
  int Unlink(const char* path) override;

 protected:
  static constexpr std::size_t Index(SyscallKind kind) { return static_cast<std::size_t>(kind); }
  // The errno to fail the `call`-th call of its kind with, or 0 to let it
  // through.
  virtual int FaultFor(SyscallKind /*kind*/, int /*call*/) { return 0; }

 private:
  int Count(SyscallKind kind);

  Syscalls& real_;
  std::array<int, static_cast<std::size_t>(SyscallKind::COUNT)> calls_{};
  std::vector<SyscallKind> history_;
};

}  // namespace zq::platform
