// DOS masks against a plain backtracking matcher written from the rules in
// dos_mask.h, on short names and masks (the reference is exponential).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/cp852.h"
#include "platform/dos_mask.h"

namespace {

using zq::platform::UpCasePL;

struct Reference {
  std::string_view name;
  std::string_view mask;
  std::size_t runLimit;  // where a '*' before a '.' must stop: the name's last '.'

  bool Match(std::size_t i, std::size_t j) const {
    if (j == mask.size()) return i == name.size();
    const char c = mask[j];
    const char next = j + 1 < mask.size() ? mask[j + 1] : '\0';
    const bool atEnd = i == name.size();
    const bool atDot = !atEnd && name[i] == '.';
    if (c == '?') {
      if (atEnd || atDot) return Match(i, j + 1);
      return Match(i + 1, j + 1);
    }
    if (c == '*') {
      const std::size_t limit = next == '.' ? std::max(i, runLimit) : name.size();
      for (std::size_t k = i; k <= limit; ++k) {
        if (Match(k, j + 1)) return true;
      }
      return false;
    }
    if (c == '.' && (j + 1 == mask.size() || next == '*' || next == '?')) {
      if (atDot && Match(i + 1, j + 1)) return true;
      return atEnd && Match(i, j + 1);
    }
    return !atEnd && UpCasePL(name[i]) == UpCasePL(c) && Match(i + 1, j + 1);
  }
};

bool ReferenceMatch(std::string_view name, std::string_view mask) {
  if (mask == "*.*") return !name.empty();
  if (mask.empty() || name.empty()) return false;
  const std::size_t lastDot = name.rfind('.');
  return Reference{name, mask, lastDot == std::string_view::npos ? name.size() : lastDot}.Match(0,
                                                                                                0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // name, a zero byte, mask
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  if (split == std::string_view::npos) return 0;
  const std::string_view name = input.substr(0, split);
  const std::string_view mask = input.substr(split + 1);
  if (name.size() > 16 || mask.size() > 12) {
    zq::platform::MatchesDosMask(name, mask);  // must only not fail
    return 0;
  }
  if (zq::platform::MatchesDosMask(name, mask) != ReferenceMatch(name, mask)) std::abort();
  return 0;
}
