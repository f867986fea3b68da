#pragma once
// Whether the tests run under Wine, which differs from Windows in a few
// places a test may depend on (it says so and is skipped there).

#include "platform/windows/win32.h"

namespace zq::testing {

inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace zq::testing
