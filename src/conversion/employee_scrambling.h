#pragma once
// Protected employee records keep bytes 14..2021 scrambled: combined by
// exclusive or with successive values Random(255) of the run-time library's
// generator, seeded with the program's own fixed seed. The same operation
// undoes itself.

#include <cstddef>
#include <cstdint>
#include <span>

namespace zq::conversion {

inline constexpr std::uint8_t EMPLOYEE_SCRAMBLE_SEED = 0x5A;
inline constexpr std::size_t EMPLOYEE_SCRAMBLED_FIRST = 14;
inline constexpr std::size_t EMPLOYEE_SCRAMBLED_LAST = 2021;

// Scrambles a plain record or unscrambles a scrambled one, in place. A record
// shorter than the scrambled range is scrambled as far as it reaches.
void ScrambleEmployeeRecord(std::span<std::uint8_t> record);

}  // namespace zq::conversion
