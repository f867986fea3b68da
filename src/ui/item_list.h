#pragma once
// The item texts of a check box group or radio group, in order. The group
// owns its copy; a text is cut to 78 characters.

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/short_string.h"

namespace zq::ui {

using ItemList = std::vector<ShortString>;

inline constexpr std::size_t MAX_ITEM_TEXT = 78;

inline ItemList CutItems(ItemList items, std::size_t maxCount) {
  if (items.size() > maxCount) items.resize(maxCount);
  for (ShortString& item : items) item.Truncate(MAX_ITEM_TEXT);
  return items;
}

// The width of the longest item.
inline int LongestItem(const ItemList& items) {
  std::size_t longest = 0;
  for (const ShortString& item : items) longest = std::max(longest, item.size());
  return static_cast<int>(longest);
}

}  // namespace zq::ui
