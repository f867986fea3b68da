#pragma once
// A clock whose time moves only when the program sleeps: headless runs take
// no real time, and a test sets the hour it needs.

#include "platform/clock.h"

namespace zq::platform {

class ManualClock : public Clock {
 public:
  void Sleep(int milliseconds) override {
    if (milliseconds > 0) elapsed_ += static_cast<std::uint32_t>(milliseconds);
  }
  std::uint32_t TickCount() override { return ticksAtStart_ + elapsed_; }
  LocalTime Now() override {
    LocalTime now = start_;
    const std::uint32_t seconds = static_cast<std::uint32_t>(start_.second) + elapsed_ / 1000u;
    now.second = static_cast<int>(seconds % 60u);
    const std::uint32_t minutes = static_cast<std::uint32_t>(start_.minute) + seconds / 60u;
    now.minute = static_cast<int>(minutes % 60u);
    now.hour = static_cast<int>((static_cast<std::uint32_t>(start_.hour) + minutes / 60u) % 24u);
    now.millisecond = static_cast<int>(elapsed_ % 1000u);
    return now;
  }

  void SetStart(const LocalTime& start, std::uint32_t ticks) {
    start_ = start;
    ticksAtStart_ = ticks;
    elapsed_ = 0;
  }
  std::uint32_t Elapsed() const { return elapsed_; }

 private:
  LocalTime start_{2021, 1, 4, 12, 0, 0, 1, 0};
  std::uint32_t ticksAtStart_ = 1000;
  std::uint32_t elapsed_ = 0;
};

}  // namespace zq::platform
