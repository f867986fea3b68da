#include "platform/windows/windows_errors.h"

#include "platform/windows/win32.h"

#include "platform/files.h"

namespace zq::platform {

int IoResultOfWindowsError(std::uint32_t error, IoStep step) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return IO_FILE_NOT_FOUND;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_DIRECTORY:
      return IO_PATH_NOT_FOUND;
    case ERROR_TOO_MANY_OPEN_FILES:
      return IO_TOO_MANY_OPEN_FILES;
    case ERROR_SHARING_VIOLATION:
      return IO_SHARING_VIOLATION;
    case ERROR_LOCK_VIOLATION:
    case ERROR_NOT_LOCKED:
      return step == IoStep::READ || step == IoStep::WRITE || step == IoStep::LOCK
                 ? IO_LOCK_VIOLATION
                 : IO_ACCESS_DENIED;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_PATHNAME:
      return IO_BAD_NAME;
    case ERROR_NO_MORE_FILES:
      return IO_NO_MORE_FILES;
    case ERROR_ACCESS_DENIED:
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
    case ERROR_DIR_NOT_EMPTY:
    case ERROR_WRITE_PROTECT:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_CURRENT_DIRECTORY:
      return IO_ACCESS_DENIED;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return IO_WRITE_FAULT;
    default:
      return IoResultOfStep(step);
  }
}

}  // namespace zq::platform
