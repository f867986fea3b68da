#pragma once
// Finding an item by the beginning of its key in a list held in Polish
// alphabetical order, by bisection, as the list control's typing search does.

#include <cstdint>
#include <string_view>

#include "ui/polish_text.h"

namespace zq::ui {

// The first index in first..last whose key, cut to the length of `search` and
// upper-cased, equals the upper-cased search text; -1 when none does.
// `keyOf(index)` gives the key of an item; keys ascend in ComparePL order.
template <typename KeyOf>
std::int32_t FindPrefix(std::string_view search, std::int32_t first, std::int32_t last,
                        KeyOf&& keyOf) {
  const ShortString wanted = UpperCasePL(search);
  auto prefixOf = [&](std::int32_t index) {
    ShortString key = UpperCasePL(keyOf(index));
    key.Truncate(wanted.size());
    return key;
  };
  std::int32_t low = first;
  std::int32_t high = last + 1;  // the answer lies in low..high
  while (low < high) {
    const std::int32_t middle = low + (high - low) / 2;
    if (ComparePL(prefixOf(middle), wanted) > 0) {  // the prefix sorts before the search text
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low <= last && ComparePL(prefixOf(low), wanted) == 0) return low;
  return -1;
}

}  // namespace zq::ui
