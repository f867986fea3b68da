#pragma once
#include "platform/clock.h"

namespace zq::platform {

// The system's sleep, tick count and local time.
class WindowsClock final : public Clock {
 public:
  void Sleep(int milliseconds) override;
  std::uint32_t TickCount() override;
  LocalTime Now() override;
};

}  // namespace zq::platform
