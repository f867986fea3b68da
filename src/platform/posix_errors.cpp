#include "platform/posix_errors.h"

#include <cerrno>

#include "platform/files.h"

namespace zq::platform {

int IoResultOf(int error, IoStep step) {
  switch (error) {
    case ENOENT:
      return IO_FILE_NOT_FOUND;
    case ENOTDIR:
      return IO_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE:
      return IO_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EAGAIN:
      // A refused byte-range lock answers one of these two.
      return step == IoStep::LOCK ? IO_LOCK_VIOLATION : IO_ACCESS_DENIED;
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
    case EBADF:
    case EEXIST:
    case ENOTEMPTY:
    case EBUSY:
    case EXDEV:
      return IO_ACCESS_DENIED;
    case ENAMETOOLONG:
    case EILSEQ:
    case ELOOP:
      return IO_BAD_NAME;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return IO_WRITE_FAULT;
    default:
      break;
  }
  switch (step) {
    case IoStep::NAME:
      return error == EINVAL ? IO_BAD_NAME : IO_ACCESS_DENIED;
    case IoStep::READ:
      return IO_READ_FAULT;
    case IoStep::WRITE:
      return IO_WRITE_FAULT;
    case IoStep::LOCK:
      return IO_LOCK_VIOLATION;
  }
  return IO_ACCESS_DENIED;
}

}  // namespace zq::platform
