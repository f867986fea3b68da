#include "platform/posix_syscalls.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zq::platform {
namespace {

int Result(int value) {
  return value < 0 ? -errno : value;
}

// Calls that may be interrupted by a signal before they did anything are
// simply repeated.
template <typename Call>
auto Repeated(Call call) {
  for (;;) {
    auto value = call();
    if (value >= 0 || errno != EINTR)
      return value < 0 ? -static_cast<decltype(value)>(errno) : value;
  }
}

}  // namespace

int PosixSyscalls::Open(const char* path, int flags, mode_t mode) {
  return Repeated([&] { return ::open(path, flags, mode); });
}

int PosixSyscalls::Close(int fd) {
  // Linux releases the descriptor even when close reports an error, so it is
  // never repeated.
  return Result(::close(fd));
}

ssize_t PosixSyscalls::Read(int fd, void* buffer, std::size_t size) {
  return Repeated([&] { return ::read(fd, buffer, size); });
}

ssize_t PosixSyscalls::Write(int fd, const void* buffer, std::size_t size) {
  return Repeated([&] { return ::write(fd, buffer, size); });
}

ssize_t PosixSyscalls::CopyRange(int fromFd, int toFd, std::size_t size) {
  return Repeated([&] { return ::copy_file_range(fromFd, nullptr, toFd, nullptr, size, 0); });
}

off_t PosixSyscalls::Seek(int fd, off_t offset) {
  const off_t position = ::lseek(fd, offset, SEEK_SET);
  return position < 0 ? -errno : position;
}

int PosixSyscalls::Truncate(int fd, off_t length) {
  return Repeated([&] { return ::ftruncate(fd, length); });
}

int PosixSyscalls::Sync(int fd) {
  return Result(::fsync(fd));
}

int PosixSyscalls::FileStatus(int fd, struct stat& status) {
  return Result(::fstat(fd, &status));
}

int PosixSyscalls::PathStatus(const char* path, struct stat& status, bool followLinks) {
  return Result(followLinks ? ::stat(path, &status) : ::lstat(path, &status));
}

int PosixSyscalls::Lock(int fd, int command, struct flock& lock) {
  return Result(::fcntl(fd, command, &lock));
}

int PosixSyscalls::ListDirectory(const char* path, std::vector<std::string>& names) {
  DIR* directory = ::opendir(path);
  if (directory == nullptr) return -errno;
  names.clear();
  errno = 0;
  while (const dirent* entry = ::readdir(directory)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      names.emplace_back(entry->d_name);
    }
    errno = 0;
  }
  const int error = errno;
  ::closedir(directory);
  return -error;
}

int PosixSyscalls::MakeDirectory(const char* path, mode_t mode) {
  return Result(::mkdir(path, mode));
}

int PosixSyscalls::Rename(const char* from, const char* to) {
  const int result = Result(::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
  if (result != -EINVAL && result != -ENOSYS) return result;
  // A file system without the no-replace flag: check first, then rename.
  struct stat status {};
  if (::lstat(to, &status) == 0) return -EEXIST;
  return Result(::rename(from, to));
}

int PosixSyscalls::Unlink(const char* path) {
  return Result(::unlink(path));
}

}  // namespace zq::platform
