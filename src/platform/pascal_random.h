#pragma once
// The run-time library's pseudo-random generator: a 32-bit linear
// congruential state, advanced before every draw. The temporary file names and
// the scrambling of protected records depend on its exact sequence.

#include <cstdint>

namespace zq::platform {

class PascalRandom {
 public:
  void Seed(std::uint32_t seed) { state_ = seed; }

  // A number from 0 to n - 1 (0 when n is 0).
  std::uint32_t Next(std::uint32_t n) {
    state_ = state_ * 0x08088405u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t{state_} * n) >> 32);
  }

  std::uint32_t State() const { return state_; }

 private:
  std::uint32_t state_ = 0;
};

}  // namespace zq::platform
