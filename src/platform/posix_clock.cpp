#include "platform/posix_clock.h"

#include <cerrno>
#include <ctime>

namespace zq::platform {

void PosixClock::Sleep(int milliseconds) {
  if (milliseconds <= 0) return;
  timespec remaining{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
  }
}

std::uint32_t PosixClock::TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto milliseconds = static_cast<unsigned long long>(now.tv_sec) * 1000ull +
                            static_cast<unsigned long long>(now.tv_nsec) / 1000000ull;
  return static_cast<std::uint32_t>(milliseconds);  // wraps like a 32-bit tick count
}

LocalTime PosixClock::Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm parts{};
  localtime_r(&now.tv_sec, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1,
          parts.tm_mday,        parts.tm_hour,
          parts.tm_min,         parts.tm_sec,
          parts.tm_wday,        static_cast<int>(now.tv_nsec / 1000000)};
}

}  // namespace zq::platform
