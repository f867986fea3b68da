#pragma once
// POSIX errors as the program reports them: the I/O results (IO_... of
// files.h) of the file layer, and the words an operator reads. The same
// errno means different things by what failed: EIO is a read fault on a read
// and a write fault on a write.

#include <string>

#include "platform/io_step.h"

namespace zq::platform {

// `error` is a positive errno value.
int IoResultOf(int error, IoStep step);

// The operator's description of a system error, in Polish (UTF-8); the
// system's own (English) words only for an error without a Polish one.
std::string SystemErrorText(int error);

}  // namespace zq::platform
