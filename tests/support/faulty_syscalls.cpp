#include "support/faulty_syscalls.h"

namespace zq::testing {

void FaultySyscalls::FailNth(SyscallKind kind, int nth, int error) {
  plans_[Index(kind)] = {calls_[Index(kind)] + nth, error};
}

int FaultySyscalls::Fault(SyscallKind kind) {
  history_.push_back(kind);
  const int call = ++calls_[Index(kind)];
  Plan& plan = plans_[Index(kind)];
  if (plan.callNumber != call) return 0;
  plan.callNumber = 0;
  return plan.error;
}

int FaultySyscalls::Open(const char* path, int flags, mode_t mode) {
  const int error = Fault(SyscallKind::OPEN);
  return error != 0 ? -error : real_.Open(path, flags, mode);
}

int FaultySyscalls::Close(int fd) {
  const int error = Fault(SyscallKind::CLOSE);
  const int result = real_.Close(fd);
  return error != 0 ? -error : result;
}

ssize_t FaultySyscalls::Read(int fd, void* buffer, std::size_t size) {
  const int error = Fault(SyscallKind::READ);
  return error != 0 ? -error : real_.Read(fd, buffer, size);
}

ssize_t FaultySyscalls::Write(int fd, const void* buffer, std::size_t size) {
  const int error = Fault(SyscallKind::WRITE);
  return error != 0 ? -error : real_.Write(fd, buffer, size);
}

off_t FaultySyscalls::Seek(int fd, off_t offset) {
  const int error = Fault(SyscallKind::SEEK);
  return error != 0 ? -error : real_.Seek(fd, offset);
}

int FaultySyscalls::Truncate(int fd, off_t length) {
  const int error = Fault(SyscallKind::TRUNCATE);
  return error != 0 ? -error : real_.Truncate(fd, length);
}

int FaultySyscalls::Sync(int fd) {
  const int error = Fault(SyscallKind::SYNC);
  return error != 0 ? -error : real_.Sync(fd);
}

int FaultySyscalls::FileStatus(int fd, struct stat& status) {
  const int error = Fault(SyscallKind::STAT);
  return error != 0 ? -error : real_.FileStatus(fd, status);
}

int FaultySyscalls::PathStatus(const char* path, struct stat& status, bool followLinks) {
  const int error = Fault(SyscallKind::STAT);
  return error != 0 ? -error : real_.PathStatus(path, status, followLinks);
}

int FaultySyscalls::Lock(int fd, int command, struct flock& lock) {
  const int error = Fault(SyscallKind::LOCK);
  return error != 0 ? -error : real_.Lock(fd, command, lock);
}

int FaultySyscalls::ListDirectory(const char* path, std::vector<std::string>& names) {
  const int error = Fault(SyscallKind::LIST);
  return error != 0 ? -error : real_.ListDirectory(path, names);
}

int FaultySyscalls::MakeDirectory(const char* path, mode_t mode) {
  const int error = Fault(SyscallKind::MAKE_DIRECTORY);
  return error != 0 ? -error : real_.MakeDirectory(path, mode);
}

int FaultySyscalls::Rename(const char* from, const char* to) {
  const int error = Fault(SyscallKind::RENAME);
  return error != 0 ? -error : real_.Rename(from, to);
}

int FaultySyscalls::Unlink(const char* path) {
  const int error = Fault(SyscallKind::UNLINK);
  return error != 0 ? -error : real_.Unlink(path);
}

}  // namespace zq::testing
