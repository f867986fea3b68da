#pragma once
// A file handle of the Windows API. Sharing modes are the system's own; the
// byte-range locks are LockFileEx locks taken without waiting. Windows lets a
// handle's second lock over a range it already holds fail; here, as on every
// platform, a handle does not block itself: a range inside one the handle
// holds is granted at once, and releasing it leaves the holding lock alone.
// An appending handle (FILE_APPEND_DATA alone) has no position to seek and
// takes no locks: LockFileEx wants a handle with GENERIC_READ or GENERIC_WRITE.

#include <vector>

#include "platform/files.h"

namespace zq::platform {

class WindowsFile final : public File {
 public:
  // `append` for a handle opened for Access::APPEND.
  explicit WindowsFile(void* handle, bool append = false) : handle_(handle), append_(append) {}
  ~WindowsFile() override;
  WindowsFile(const WindowsFile&) = delete;
  WindowsFile& operator=(const WindowsFile&) = delete;

  int Read(void* buffer, std::size_t size, std::size_t& done) override;
  int Write(const void* buffer, std::size_t size, std::size_t& done) override;
  int Seek(std::uint64_t offset) override;
  int Size(std::uint64_t& size) override;
  int Flush() override;
  int Lock(std::uint64_t offset, std::uint64_t length) override;
  int Unlock(std::uint64_t offset, std::uint64_t length) override;
  int Close() override;

  // Empties the file (a new file or one replaced by CREATE_ALWAYS).
  int Truncate();

 private:
  struct Range {
    std::uint64_t offset;
    std::uint64_t length;
  };
  // The range of `held_` that covers the given one, or nullptr.
  const Range* HolderOf(std::uint64_t offset, std::uint64_t length) const;

  void* handle_;  // INVALID_HANDLE_VALUE once closed
  bool append_;
  std::vector<Range> held_;  // the ranges locked through the system
};

}  // namespace zq::platform
