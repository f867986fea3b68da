#pragma once
#include "platform/clock.h"

namespace zq::platform {

class PosixClock : public Clock {
 public:
  void Sleep(int milliseconds) override;
  std::uint32_t TickCount() override;
  LocalTime Now() override;
};

}  // namespace zq::platform
