#pragma once
// Finding an item by the beginning of its key, as the list control's typing
// search does: by bisection when the items are held in Polish alphabetical
// order of the key, item by item when they are not.

#include <cstdint>
#include <string_view>

#include "ui/polish_text.h"

namespace zq::ui {

// The key of item `index`, upper-cased and cut to the length of `wanted`.
template <typename KeyOf>
ShortString KeyPrefix(KeyOf& keyOf, std::int32_t index, const ShortString& wanted) {
  ShortString key = UpperCasePL(keyOf(index));
  key.Truncate(wanted.size());
  return key;
}

// The first index in first..last whose key, cut to the length of `search` and
// upper-cased, equals the upper-cased search text; -1 when none does.
// `keyOf(index)` gives the key of an item; keys ascend in ComparePL order.
template <typename KeyOf>
std::int32_t FindPrefix(std::string_view search, std::int32_t first, std::int32_t last,
                        KeyOf&& keyOf) {
  const ShortString wanted = UpperCasePL(search);
  std::int32_t low = first;
  std::int32_t high = last + 1;  // the answer lies in low..high
  while (low < high) {
    const std::int32_t middle = low + (high - low) / 2;
    if (ComparePL(KeyPrefix(keyOf, middle, wanted), wanted) > 0) {  // sorts before the text
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low <= last && ComparePL(KeyPrefix(keyOf, low, wanted), wanted) == 0) return low;
  return -1;
}

// As FindPrefix, for keys in no particular order: tries every item from
// `first` on.
template <typename KeyOf>
std::int32_t ScanForPrefix(std::string_view search, std::int32_t first, std::int32_t last,
                           KeyOf&& keyOf) {
  const ShortString wanted = UpperCasePL(search);
  for (std::int32_t index = first; index <= last; ++index) {
    if (ComparePL(KeyPrefix(keyOf, index, wanted), wanted) == 0) return index;
  }
  return -1;
}

}  // namespace zq::ui
