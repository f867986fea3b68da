#pragma once
// The file layer's system calls with the Nth call of a chosen kind failing
// with a chosen errno; every other call goes through (and is counted).

#include <array>
#include <cerrno>
#include <limits>
#include <stdexcept>

#include "platform/counting_syscalls.h"

namespace zq::testing {

using platform::SyscallKind;

// Thrown by the first call past the limit of LimitCalls (later ones fail with
// EIO): a program that keeps calling the file layer for ever ends instead of
// hanging the test. Thrown inside a destructor it ends the test at once,
// which is still better than a hang.
struct CallLimitExceeded : std::runtime_error {
  CallLimitExceeded() : std::runtime_error("the file layer was called without end") {}
};

class FaultySyscalls final : public platform::CountingSyscalls {
 public:
  using CountingSyscalls::CountingSyscalls;

  // The `nth` call of `kind` from now on (1 = the next) fails with `error`,
  // and so do the `times` - 1 calls of that kind after it. A failed close
  // still releases the descriptor, as Linux does.
  void FailNth(SyscallKind kind, int nth, int error, int times = 1) {
    plans_[Index(kind)] = {Calls(kind) + nth, error, times};
  }
  // Every planned failure is dropped.
  void Heal() { plans_ = {}; }
  // The first call of any kind after `most` more from now throws
  // CallLimitExceeded, the later ones fail.
  void LimitCalls(long most) { callLimit_ = TotalCalls() + most; }

 protected:
  int FaultFor(SyscallKind kind, int call) override {
    if (TotalCalls() > callLimit_) {
      if (!limitReached_) {
        limitReached_ = true;
        throw CallLimitExceeded();
      }
      return EIO;
    }
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
  long callLimit_ = std::numeric_limits<long>::max();
  bool limitReached_ = false;
};

}  // namespace zq::testing
