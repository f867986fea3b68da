#include "ui/polish_text.h"

#include <array>

namespace zq::ui {
namespace {

// The sorting order: control characters, "_", blank to "@", the letters with
// each capital right before its small letter and the Polish and other
// accented letters after their base letter, then "[\]^`{|}~". A character's
// rank is its 1-based position; one that is not listed ranks 255.
constexpr std::string_view COLLATION_LETTERS =
    "Aa\xA4\xA5\x8E\x84"  // A a Ą ą Ä ä
    "Bb"
    "Cc\x8F\x86\xAC\x9F"  // C c Ć ć Č č
    "Dd"
    "Ee\xA8\xA9\xD3\x89"  // E e Ę ę Ë ë
    "FfGgHhIiJjKk"
    "Ll\x9D\x88"  // L l Ł ł
    "Mm"
    "Nn\xE3\xE4"                  // N n Ń ń
    "Oo\xE0\xA2\x99\x94\x8A\x8B"  // O o Ó ó Ö ö Ő ő
    "PpQqRr"
    "Ss\x97\x98\xE6\xE7"  // S s Ś ś Š š
    "Tt"
    "Uu\x9A\x81"  // U u Ü ü
    "VvWwXxYy"
    "Zz\xBD\xBE\x8D\xAB";  // Z z Ż ż Ź ź

constexpr std::array<std::uint8_t, 256> MakeRanks() {
  std::array<std::uint8_t, 256> ranks{};
  ranks.fill(255);
  std::uint8_t rank = 0;
  for (int c = 0x00; c <= 0x1F; ++c) ranks[static_cast<std::size_t>(c)] = ++rank;
  ranks['_'] = ++rank;
  for (int c = 0x20; c <= 0x40; ++c) ranks[static_cast<std::size_t>(c)] = ++rank;
  for (char c : COLLATION_LETTERS) ranks[static_cast<unsigned char>(c)] = ++rank;
  for (char c : std::string_view("[\\]^`{|}~")) ranks[static_cast<unsigned char>(c)] = ++rank;
  return ranks;
}

constexpr std::array<std::uint8_t, 256> RANKS = MakeRanks();
static_assert(RANKS['~'] == 159, "the collation lists 159 characters");

std::uint8_t RankAt(std::string_view text, std::size_t index) {
  return RANKS[index < text.size() ? static_cast<unsigned char>(text[index]) : 0u];
}

}  // namespace

ShortString UpperCasePL(std::string_view text) {
  ShortString result(text);
  for (char& c : result) c = UpCasePL(c);
  return result;
}

ShortString LowerCasePL(std::string_view text) {
  ShortString result(text);
  for (char& c : result) c = LowCasePL(c);
  return result;
}

int ComparePL(std::string_view first, std::string_view second) {
  const std::size_t length = std::max(first.size(), second.size());
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t a = RankAt(first, i);
    const std::uint8_t b = RankAt(second, i);
    if (a != b) return a < b ? 1 : -1;
  }
  return 0;
}

ShortString PadRight(std::size_t width, std::string_view text) {
  ShortString result(text);
  result.Resize(width, ' ');
  return result;
}

ShortString PadLeft(std::size_t width, std::string_view text) {
  if (text.size() >= width) return ShortString(text);
  return Spaces(width - text.size()) + text;
}

ShortString Spaces(std::size_t count) {
  ShortString result;
  result.Resize(count, ' ');
  return result;
}

ShortString IntToStr(long long value) {
  char digits[24];
  std::size_t length = 0;
  unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                           : static_cast<unsigned long long>(value);
  do {
    digits[length++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  ShortString result;
  if (value < 0) result.push_back('-');
  while (length > 0) result.push_back(digits[--length]);
  return result;
}

}  // namespace zq::ui
