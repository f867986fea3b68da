#pragma once
// Text services shared by the whole system: case mapping that knows the
// Polish letters, comparison in Polish alphabetical order, blank filling,
// numbers as text and bit-set tests.

#include <cstdint>
#include <string_view>

#include "platform/cp852.h"
#include "platform/short_string.h"

namespace zq::ui {

using platform::LowCasePL;
using platform::UpCasePL;

ShortString UpperCasePL(std::string_view text);
ShortString LowerCasePL(std::string_view text);

// 1 when `first` sorts before `second`, 0 when they are equal, -1 when it
// sorts after. Case matters only between a capital and its own small letter
// and never outweighs a difference of letters: "a" sorts before "B".
int ComparePL(std::string_view first, std::string_view second);

// `text` cut to `width` characters, or extended with blanks to `width`.
ShortString PadRight(std::size_t width, std::string_view text);
// `text` right-aligned in `width` characters; unchanged when already as long.
ShortString PadLeft(std::size_t width, std::string_view text);
ShortString Spaces(std::size_t count);
ShortString IntToStr(long long value);

// True when every bit of `mask` is set in `value`.
constexpr bool BitsSet(std::uint16_t mask, std::uint16_t value) {
  return (value & mask) == mask;
}

}  // namespace zq::ui
