#pragma once
// What every file system backend does alike with the entries it found: the
// DOS attribute filter and the order in which a search hands them out.

#include <cstdint>
#include <vector>

#include "platform/files.h"

namespace zq::platform {

// DOS hands out hidden, system and directory entries only to a filter that
// asks for them.
constexpr bool PassesAttributeFilter(std::uint8_t entryAttributes, std::uint8_t filter) {
  constexpr std::uint8_t SPECIAL = ATTR_HIDDEN | ATTR_SYSTEM | ATTR_DIRECTORY;
  return (entryAttributes & SPECIAL & ~filter) == 0;
}

// Sorts entries by their upper-cased CP852 names, as an NTFS directory lists
// them, whatever order the disk gave.
void SortAsNtfsLists(std::vector<DirEntry>& entries);

}  // namespace zq::platform
