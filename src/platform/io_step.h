#pragma once
// What the file layer was doing when a system call failed: the same system
// error means different I/O results by step (an I/O error is a read fault on
// a read and a write fault on a write).

namespace zq::platform {

enum class IoStep {
  NAME,   // opening, searching, creating, renaming or erasing by name
  READ,   // reading, seeking, asking the size
  WRITE,  // writing, flushing, closing (a close may report a lost write)
  LOCK,   // taking or releasing a byte-range lock
};

}  // namespace zq::platform
