#pragma once
// The run-time file mode: the code with which plain opens take a file, access
// bits plus share bits. The record files open with read-write access and
// deny-none sharing; the source register is read with read-only access and
// deny-all sharing, switched on just for its open.

#include <cstdint>
#include <memory>

#include "platform/files.h"

namespace zq::fileaccess {

inline constexpr std::uint8_t ACCESS_READ = 0x00;
inline constexpr std::uint8_t ACCESS_WRITE = 0x01;
inline constexpr std::uint8_t ACCESS_READ_WRITE = 0x02;
inline constexpr std::uint8_t SHARE_DENY_ALL = 0x10;
inline constexpr std::uint8_t SHARE_DENY_WRITE = 0x20;
inline constexpr std::uint8_t SHARE_DENY_READ = 0x30;
inline constexpr std::uint8_t SHARE_DENY_NONE = 0x40;
inline constexpr std::uint8_t SHARED_READ_WRITE = ACCESS_READ_WRITE | SHARE_DENY_NONE;

// The platform's access and sharing for a mode code. Share bits 0x00 (the
// old compatibility mode) share like deny-none.
platform::Access AccessOf(std::uint8_t mode);
platform::Share ShareOf(std::uint8_t mode);

class FileModes {
 public:
  std::uint8_t Current() const { return mode_; }
  // Saves the mode in force and sets a new one.
  void SetFileMode(std::uint8_t mode) {
    saved_ = mode_;
    mode_ = mode;
  }
  void RestoreFileMode() { mode_ = saved_; }

  // Opens an existing file with the mode in force.
  std::unique_ptr<platform::File> OpenExisting(platform::FileSystem& files, const ShortString& name,
                                               int& result) const {
    return OpenExisting(files, name, mode_, result);
  }
  // Opens an existing file with a mode of its own, the mode in force left as
  // it is (the record files' shared open).
  static std::unique_ptr<platform::File> OpenExisting(platform::FileSystem& files,
                                                      const ShortString& name, std::uint8_t mode,
                                                      int& result);

 private:
  std::uint8_t mode_ = SHARED_READ_WRITE;
  std::uint8_t saved_ = SHARED_READ_WRITE;
};

}  // namespace zq::fileaccess
