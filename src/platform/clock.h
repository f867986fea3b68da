#pragma once
// Time: a millisecond sleep, a millisecond tick count and the local time.

#include <cstdint>

namespace zq::platform {

struct LocalTime {
  int year = 2021;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int dayOfWeek = 5;  // 0 = Sunday .. 6 = Saturday
  int millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Sleep(int milliseconds) = 0;
  virtual std::uint32_t TickCount() = 0;
  virtual LocalTime Now() = 0;
};

}  // namespace zq::platform
