#pragma once
// The file layer's system calls with the Nth call of a chosen kind failing
// with a chosen errno; every other call goes through (and is counted).

#include <array>

#include "platform/counting_syscalls.h"

namespace zq::testing {

using platform::SyscallKind;

class FaultySyscalls final : public platform::CountingSyscalls {
 public:
  using CountingSyscalls::CountingSyscalls;

  // The `nth` call of `kind` from now on (1 = the next) fails with `error`,
  // and so do the `times` - 1 calls of that kind after it. A failed close
  // still releases the descriptor, as Linux does.
  void FailNth(SyscallKind kind, int nth, int error, int times = 1) {
    plans_[Index(kind)] = {Calls(kind) + nth, error, times};
  }

 protected:
  int FaultFor(SyscallKind kind, int call) override {
    Plan& plan = plans_[Index(kind)];
    if (plan.callNumber == 0 || call < plan.callNumber || call >= plan.callNumber + plan.times)
      return 0;
    return plan.error;
  }

 private:
  struct Plan {
    int callNumber = 0;  // 0 = no failure planned
    int error = 0;
    int times = 1;
  };
  std::array<Plan, static_cast<std::size_t>(SyscallKind::COUNT)> plans_{};
};

}  // namespace zq::testing
