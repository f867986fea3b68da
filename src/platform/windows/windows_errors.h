#pragma once
// Windows errors (GetLastError) as the I/O results of files.h. DOS numbered
// its results after the same system errors, so most pass through unchanged.

#include <cstdint>

#include "platform/io_step.h"

namespace zq::platform {

int IoResultOfWindowsError(std::uint32_t error, IoStep step);

}  // namespace zq::platform
