#pragma once
// Every system call of the POSIX file layer, behind one small table. The file
// system holds a reference to it, so a test can put a decorator in between that
// makes a chosen call fail (fault injection).
//
// Each call answers a result >= 0 on success or the negated errno on failure,
// so that no later call can overwrite the error before it is read.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

namespace zq::platform {

class Syscalls {
 public:
  virtual ~Syscalls() = default;

  virtual int Open(const char* path, int flags, mode_t mode) = 0;  // the descriptor
  virtual int Close(int fd) = 0;
  virtual ssize_t Read(int fd, void* buffer, std::size_t size) = 0;
  virtual ssize_t Write(int fd, const void* buffer, std::size_t size) = 0;
  // Copies from one descriptor's position to the other's inside the kernel
  // (copy_file_range); 0 at the end of the input.
  virtual ssize_t CopyRange(int fromFd, int toFd, std::size_t size) = 0;
  virtual off_t Seek(int fd, off_t offset) = 0;  // from the start of the file
  virtual int Truncate(int fd, off_t length) = 0;
  virtual int Sync(int fd) = 0;
  virtual int FileStatus(int fd, struct stat& status) = 0;
  // Follows symbolic links unless `followLinks` is false.
  virtual int PathStatus(const char* path, struct stat& status, bool followLinks) = 0;
  // Open file description locks: `command` is F_OFD_SETLK or F_OFD_GETLK.
  virtual int Lock(int fd, int command, struct flock& lock) = 0;
  // The names of a directory in its own order, without "." and "..".
  virtual int ListDirectory(const char* path, std::vector<std::string>& names) = 0;
  virtual int MakeDirectory(const char* path, mode_t mode) = 0;
  // Never replaces an existing entry of the new name (-EEXIST).
  virtual int Rename(const char* from, const char* to) = 0;
  virtual int Unlink(const char* path) = 0;
};

class PosixSyscalls final : public Syscalls {
 public:
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
};

}  // namespace zq::platform
