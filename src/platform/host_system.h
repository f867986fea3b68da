#pragma once
// The system the program is built for, for the few texts that name what
// only one system has.

namespace zq::platform {

// On POSIX, drive letters are mapped to directories (ZQ_DRIVE_X) and the
// console is a terminal named by TERM; Windows has both itself.
#ifdef _WIN32
inline constexpr bool HOST_IS_POSIX = false;
#else
inline constexpr bool HOST_IS_POSIX = true;
#endif

}  // namespace zq::platform
