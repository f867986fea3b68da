#pragma once
// A clock for tests: time stands still until the test (or a Sleep) moves it.

#include "platform/clock.h"

namespace zq::testing {

class FakeClock final : public platform::Clock {
 public:
  void Sleep(int milliseconds) override { ticks_ += static_cast<std::uint32_t>(milliseconds); }
  std::uint32_t TickCount() override { return ticks_; }
  platform::LocalTime Now() override { return now_; }

  void SetTickCount(std::uint32_t ticks) { ticks_ = ticks; }
  void SetNow(const platform::LocalTime& now) { now_ = now; }

 private:
  std::uint32_t ticks_ = 0;
  platform::LocalTime now_;
};

}  // namespace zq::testing
