#include "platform/windows/windows_clock.h"

#include "platform/windows/win32.h"

namespace zq::platform {

void WindowsClock::Sleep(int milliseconds) {
  if (milliseconds > 0) ::Sleep(static_cast<DWORD>(milliseconds));
}

std::uint32_t WindowsClock::TickCount() {
  return GetTickCount();
}

LocalTime WindowsClock::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear,   now.wMonth,  now.wDay,       now.wHour,
          now.wMinute, now.wSecond, now.wDayOfWeek, now.wMilliseconds};
}

}  // namespace zq::platform
