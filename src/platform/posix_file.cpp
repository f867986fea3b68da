#include "platform/posix_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <utility>

#include "platform/ofd_locks.h"
#include "platform/posix_errors.h"

namespace zq::platform {
namespace {

// One read or write call moves at most this much, so its count fits ssize_t.
constexpr std::size_t MAX_TRANSFER = SSIZE_MAX;

}  // namespace

PosixFile::PosixFile(Syscalls& syscalls, int fd, bool writable, std::string host,
                     const struct stat& status, bool append)
    : syscalls_(syscalls),
      fd_(fd),
      lockFd_(fd),
      lockFdWritable_(writable),
      host_(writable ? std::string() : std::move(host)),
      device_(status.st_dev),
      inode_(status.st_ino),
      append_(append) {}

void PosixFile::OpenCompanion() {
  const std::string host = std::move(host_);
  host_.clear();
  const int companion = syscalls_.Open(host.c_str(), O_RDWR | COMMON_OPEN_FLAGS, 0);
  if (companion < 0) return;
  struct stat status {};
  if (syscalls_.FileStatus(companion, status) < 0 || status.st_dev != device_ ||
      status.st_ino != inode_) {
    syscalls_.Close(companion);  // the name moved to another file meanwhile
    return;
  }
  lockFd_ = companion;
  lockFdWritable_ = true;
}

PosixFile::~PosixFile() {
  Close();
}

int PosixFile::Read(void* buffer, std::size_t size, std::size_t& done) {
  done = 0;
  if (fd_ < 0) return IO_NOT_OPEN;
  if (append_) return IO_ACCESS_DENIED;  // its descriptor reads only for the sharing locks
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (done < size) {
    const ssize_t count = syscalls_.Read(fd_, bytes + done, std::min(size - done, MAX_TRANSFER));
    if (count < 0) return IoResultOf(static_cast<int>(-count), IoStep::READ);
    if (count == 0) break;  // the end of the file
    done += static_cast<std::size_t>(count);
  }
  return IO_OK;
}

int PosixFile::Write(const void* buffer, std::size_t size, std::size_t& done) {
  done = 0;
  if (fd_ < 0) return IO_NOT_OPEN;
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  while (done < size) {
    const ssize_t count = syscalls_.Write(fd_, bytes + done, std::min(size - done, MAX_TRANSFER));
    if (count < 0) return IoResultOf(static_cast<int>(-count), IoStep::WRITE);
    if (count == 0) return IO_WRITE_FAULT;  // nothing more fits
    done += static_cast<std::size_t>(count);
  }
  return IO_OK;
}

int PosixFile::CopyTo(File& target, std::uint64_t& done, bool& targetFailed) {
  done = 0;
  targetFailed = false;
  auto* posixTarget = dynamic_cast<PosixFile*>(&target);
  if (fd_ < 0 || posixTarget == nullptr || posixTarget->fd_ < 0) return IO_NOT_SUPPORTED;
  for (;;) {
    const ssize_t count = syscalls_.CopyRange(fd_, posixTarget->fd_, MAX_TRANSFER);
    if (count == 0) return IO_OK;  // the end of the file
    if (count > 0) {
      done += static_cast<std::uint64_t>(count);
      continue;
    }
    const int error = static_cast<int>(-count);
    // Another file system, a kernel or a kind of file that cannot copy by itself.
    if (done == 0 && (error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
                      error == EBADF)) {
      return IO_NOT_SUPPORTED;
    }
    targetFailed = error == ENOSPC || error == EDQUOT || error == EFBIG;
    return IoResultOf(error, targetFailed ? IoStep::WRITE : IoStep::READ);
  }
}

int PosixFile::Seek(std::uint64_t offset) {
  if (fd_ < 0) return IO_NOT_OPEN;
  if (append_) return IO_NOT_SUPPORTED;  // every write goes to the end
  if (offset > static_cast<std::uint64_t>(INT64_MAX)) return IO_READ_FAULT;
  const off_t position = syscalls_.Seek(fd_, static_cast<off_t>(offset));
  return position < 0 ? IoResultOf(static_cast<int>(-position), IoStep::READ) : IO_OK;
}

int PosixFile::Size(std::uint64_t& size) {
  size = 0;
  if (fd_ < 0) return IO_NOT_OPEN;
  struct stat status {};
  const int result = syscalls_.FileStatus(fd_, status);
  if (result < 0) return IoResultOf(-result, IoStep::READ);
  size = static_cast<std::uint64_t>(status.st_size);
  return IO_OK;
}

int PosixFile::Flush() {
  if (fd_ < 0) return IO_NOT_OPEN;
  const int result = syscalls_.Sync(fd_);
  return result < 0 ? IoResultOf(-result, IoStep::WRITE) : IO_OK;
}

int PosixFile::Lock(std::uint64_t offset, std::uint64_t length) {
  if (fd_ < 0) return IO_NOT_OPEN;
  if (append_) return IO_NOT_SUPPORTED;  // as on Windows (files.h)
  if (!host_.empty()) OpenCompanion();
  return LockRange(syscalls_, lockFd_, offset, length, lockFdWritable_);
}

int PosixFile::Unlock(std::uint64_t offset, std::uint64_t length) {
  if (fd_ < 0) return IO_NOT_OPEN;
  if (append_) return IO_NOT_SUPPORTED;
  return UnlockRange(syscalls_, lockFd_, offset, length);
}

int PosixFile::Close() {
  if (fd_ < 0) return IO_NOT_OPEN;
  if (lockFd_ != fd_) syscalls_.Close(lockFd_);
  const int result = syscalls_.Close(fd_);
  fd_ = -1;
  lockFd_ = -1;
  return result < 0 ? IoResultOf(-result, IoStep::WRITE) : IO_OK;
}

}  // namespace zq::platform
