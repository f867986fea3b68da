#pragma once
// The I/O results (IO_... of files.h) of POSIX errors. The same errno means
// different things by what failed: EIO is a read fault on a read and a write
// fault on a write.

namespace zq::platform {

enum class IoStep {
  NAME,   // opening, searching, creating, renaming or erasing by name
  READ,   // reading, seeking, asking the size
  WRITE,  // writing, flushing, closing (a close may report a lost write)
  LOCK,   // taking or releasing a byte-range lock
};

// `error` is a positive errno value.
int IoResultOf(int error, IoStep step);

}  // namespace zq::platform
