#pragma once
// Rows of repeated characters for frames, bars and blank fields, sized by
// the int arithmetic of screen positions.

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "platform/short_string.h"
#include "ui/polish_text.h"

namespace zq::ui {

// `piece` (one CP852 character) `count` times; empty for a count below 1.
inline ShortString Repeated(std::string_view piece, int count) {
  ShortString text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

inline ShortString Blanks(int count) {
  return Spaces(static_cast<std::size_t>(std::max(count, 0)));
}

inline ShortString PaddedTo(int width, std::string_view text) {
  return PadRight(static_cast<std::size_t>(std::max(width, 0)), text);
}

}  // namespace zq::ui
