#pragma once
// A decorator of the file layer's system calls that makes the Nth call of a
// chosen kind fail with a chosen errno; every other call goes through.

#include <array>
#include <cstddef>
#include <vector>

#include "platform/posix_syscalls.h"

namespace zq::testing {

enum class SyscallKind : std::size_t {
  OPEN,
  CLOSE,
  READ,
  WRITE,
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

class FaultySyscalls final : public platform::Syscalls {
 public:
  explicit FaultySyscalls(platform::Syscalls& real) : real_(real) {}

  // The `nth` call of `kind` from now on (1 = the next) fails with `error`.
  // A failed close still releases the descriptor, as Linux does.
  void FailNth(SyscallKind kind, int nth, int error);
  int Calls(SyscallKind kind) const { return calls_[Index(kind)]; }
  // Every call since the last clearing, in order.
  const std::vector<SyscallKind>& History() const { return history_; }
  void ClearHistory() { history_.clear(); }

  int Open(const char* path, int flags, mode_t mode) override;
  int Close(int fd) override;
  ssize_t Read(int fd, void* buffer, std::size_t size) override;
  ssize_t Write(int fd, const void* buffer, std::size_t size) override;
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

 private:
  static constexpr std::size_t Index(SyscallKind kind) { return static_cast<std::size_t>(kind); }
  // Counts the call; the error to fail it with, or 0.
  int Fault(SyscallKind kind);

  struct Plan {
    int callNumber = 0;  // 0 = no failure planned
    int error = 0;
  };
  platform::Syscalls& real_;
  std::array<int, static_cast<std::size_t>(SyscallKind::COUNT)> calls_{};
  std::array<Plan, static_cast<std::size_t>(SyscallKind::COUNT)> plans_{};
  std::vector<SyscallKind> history_;
};

}  // namespace zq::testing
