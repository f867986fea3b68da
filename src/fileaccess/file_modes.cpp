#include "fileaccess/file_modes.h"

namespace zq::fileaccess {

platform::Access AccessOf(std::uint8_t mode) {
  switch (mode & 0x07) {
    case ACCESS_READ:
      return platform::Access::READ;
    case ACCESS_WRITE:
      return platform::Access::WRITE;
    default:
      return platform::Access::READ_WRITE;
  }
}

platform::Share ShareOf(std::uint8_t mode) {
  switch (mode & 0x70) {
    case SHARE_DENY_ALL:
      return platform::Share::DENY_ALL;
    case SHARE_DENY_WRITE:
      return platform::Share::DENY_WRITE;
    case SHARE_DENY_READ:
      return platform::Share::DENY_READ;
    default:
      return platform::Share::DENY_NONE;
  }
}

std::unique_ptr<platform::File> FileModes::OpenExisting(platform::FileSystem& files,
                                                        const ShortString& name, std::uint8_t mode,
                                                        int& result) {
  return files.Open(name, AccessOf(mode), ShareOf(mode), platform::Disposition::OPEN_EXISTING,
                    result);
}

}  // namespace zq::fileaccess
