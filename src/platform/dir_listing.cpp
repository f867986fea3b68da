#include "platform/dir_listing.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/cp852.h"

namespace zq::platform {
namespace {

std::string UpperCased(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpCasePL(c);
  return upper;
}

}  // namespace

void SortAsNtfsLists(std::vector<DirEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const DirEntry& left, const DirEntry& right) {
    return UpperCased(left.name.view()) < UpperCased(right.name.view());
  });
}

}  // namespace zq::platform
