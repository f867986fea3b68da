#include "conversion/employee_scrambling.h"

#include <algorithm>

#include "platform/pascal_random.h"

namespace zq::conversion {

void ScrambleEmployeeRecord(std::span<std::uint8_t> record) {
  platform::PascalRandom random;
  random.Seed(EMPLOYEE_SCRAMBLE_SEED);
  const std::size_t end = std::min(record.size(), EMPLOYEE_SCRAMBLED_LAST + 1);
  for (std::size_t i = EMPLOYEE_SCRAMBLED_FIRST; i < end; ++i) {
    record[i] = static_cast<std::uint8_t>(record[i] ^ random.Next(255));
  }
}

}  // namespace zq::conversion
