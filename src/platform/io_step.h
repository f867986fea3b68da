#pragma once
// What the file layer was doing when a system call failed: the same system
// error means different I/O results by step (an I/O error is a read fault on
// a read and a write fault on a write).

#include "platform/files.h"

namespace zq::platform {

enum class IoStep {
  NAME,   // opening, searching, creating, renaming or erasing by name
  READ,   // reading, seeking, asking the size
  WRITE,  // writing, flushing, closing (a close may report a lost write)
  LOCK,   // taking or releasing a byte-range lock
};

// The result of a system error that has no result of its own: what failed.
constexpr int IoResultOfStep(IoStep step) {
  switch (step) {
    case IoStep::NAME:
      return IO_ACCESS_DENIED;
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
