#pragma once
// <windows.h> for the Windows backends. The API's creation dispositions are
// macros whose names are those of the file layer's Disposition values; they
// are kept here as constants and the macros removed.

#include <windows.h>

namespace zq::platform::win32 {

inline constexpr DWORD OPEN_EXISTING_FILE = OPEN_EXISTING;

}  // namespace zq::platform::win32

#undef OPEN_EXISTING
#undef CREATE_ALWAYS
