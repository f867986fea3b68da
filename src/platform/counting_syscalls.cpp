#include "platform/counting_syscalls.h"

#include <numeric>

namespace zq::platform {

long CountingSyscalls::TotalCalls() const {
  return std::accumulate(calls_.begin(), calls_.end(), 0L);
}

int CountingSyscalls::Count(SyscallKind kind) {
  history_.push_back(kind);
  return FaultFor(kind, ++calls_[Index(kind)]);
}

int CountingSyscalls::Open(const char* path, int flags, mode_t mode) {
  const int error = Count(SyscallKind::OPEN);
  return error != 0 ? -error : real_.Open(path, flags, mode);
}

int CountingSyscalls::Close(int fd) {
  const int error = Count(SyscallKind::CLOSE);
  const int result = real_.Close(fd);
  return error != 0 ? -error : result;
}

ssize_t CountingSyscalls::Read(int fd, void* buffer, std::size_t size) {
  const int error = Count(SyscallKind::READ);
  return error != 0 ? -error : real_.Read(fd, buffer, size);
}

ssize_t CountingSyscalls::Write(int fd, const void* buffer, std::size_t size) {
  const int error = Count(SyscallKind::WRITE);
  return error != 0 ? -error : real_.Write(fd, buffer, size);
}

ssize_t CountingSyscalls::CopyRange(int fromFd, int toFd, std::size_t size) {
  const int error = Count(SyscallKind::COPY);
  return error != 0 ? -error : real_.CopyRange(fromFd, toFd, size);
}

off_t CountingSyscalls::Seek(int fd, off_t offset) {
  const int error = Count(SyscallKind::SEEK);
  return error != 0 ? -error : real_.Seek(fd, offset);
}

int CountingSyscalls::Truncate(int fd, off_t length) {
  const int error = Count(SyscallKind::TRUNCATE);
  return error != 0 ? -error : real_.Truncate(fd, length);
}

int CountingSyscalls::Sync(int fd) {
  const int error = Count(SyscallKind::SYNC);
  return error != 0 ? -error : real_.Sync(fd);
}

int CountingSyscalls::FileStatus(int fd, struct stat& status) {
  const int error = Count(SyscallKind::STAT);
  return error != 0 ? -error : real_.FileStatus(fd, status);
}

int CountingSyscalls::PathStatus(const char* path, struct stat& status, bool followLinks) {
  const int error = Count(SyscallKind::STAT);
  return error != 0 ? -error : real_.PathStatus(path, status, followLinks);
}

int CountingSyscalls::Lock(int fd, int command, struct flock& lock) {
  const int error = Count(SyscallKind::LOCK);
  return error != 0 ? -error : real_.Lock(fd, command, lock);
}

int CountingSyscalls::ListDirectory(const char* path, std::vector<std::string>& names) {
  const int error = Count(SyscallKind::LIST);
  return error != 0 ? -error : real_.ListDirectory(path, names);
}

int CountingSyscalls::MakeDirectory(const char* path, mode_t mode) {
  const int error = Count(SyscallKind::MAKE_DIRECTORY);
  return error != 0 ? -error : real_.MakeDirectory(path, mode);
}

int CountingSyscalls::Rename(const char* from, const char* to) {
  const int error = Count(SyscallKind::RENAME);
  return error != 0 ? -error : real_.Rename(from, to);
}

int CountingSyscalls::Unlink(const char* path) {
  const int error = Count(SyscallKind::UNLINK);
  return error != 0 ? -error : real_.Unlink(path);
}

}  // namespace zq::platform
