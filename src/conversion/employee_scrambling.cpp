#include "conversion/employee_scrambling.h"

#include <algorithm>

namespace zq::conversion {
namespace {

// The run-time library's linear congruential generator.
class ScrambleGenerator {
 public:
  void Seed(std::uint32_t seed) { state_ = seed; }
  std::uint32_t Next(std::uint32_t n) {
    state_ = state_ * 0x08088405u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t{state_} * n) >> 32);
  }

 private:
  std::uint32_t state_ = 0;
};

}  // namespace

void ScrambleEmployeeRecord(std::span<std::uint8_t> record) {
  ScrambleGenerator random;
  random.Seed(EMPLOYEE_SCRAMBLE_SEED);
  const std::size_t end = std::min(record.size(), EMPLOYEE_SCRAMBLED_LAST + 1);
  for (std::size_t i = EMPLOYEE_SCRAMBLED_FIRST; i < end; ++i) {
    record[i] = static_cast<std::uint8_t>(record[i] ^ random.Next(255));
  }
}

}  // namespace zq::conversion
