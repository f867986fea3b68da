#include "platform/windows/wide_text.h"

#include <algorithm>

#include "platform/cp852.h"

namespace zq::platform {
namespace {

// The code point at `at`, with the number of UTF-16 units it takes; a lone
// surrogate answers 0.
char32_t CodePointAt(std::wstring_view wide, std::size_t at, std::size_t& units) {
  const auto unit = static_cast<char32_t>(wide[at]);
  units = 1;
  if (unit < 0xD800 || unit > 0xDFFF) return unit;
  if (unit > 0xDBFF || at + 1 >= wide.size()) return 0;
  const auto low = static_cast<char32_t>(wide[at + 1]);
  if (low < 0xDC00 || low > 0xDFFF) return 0;
  units = 2;
  return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
}

std::string ToCp852(std::wstring_view wide, char replacement, bool& fits) {
  std::string cp852;
  cp852.reserve(wide.size());
  for (std::size_t at = 0; at < wide.size();) {
    std::size_t units = 1;
    const char32_t code = CodePointAt(wide, at, units);
    const auto byte = UnicodeToCp852(code);
    const bool known = byte && (code != 0 || wide[at] == 0);
    fits = fits && known;
    cp852.push_back(known ? static_cast<char>(*byte) : replacement);
    at += units;
  }
  return cp852;
}

}  // namespace

std::wstring Cp852ToWide(std::string_view cp852) {
  std::wstring wide;
  wide.reserve(cp852.size());
  // Every character of the code page lies in the Basic Multilingual Plane.
  for (const char c : cp852)
    wide.push_back(static_cast<wchar_t>(Cp852ToUnicode(static_cast<unsigned char>(c))));
  return wide;
}

std::optional<std::string> WideToCp852(std::wstring_view wide) {
  bool fits = true;
  std::string cp852 = ToCp852(wide, '?', fits);
  if (!fits) return std::nullopt;
  return cp852;
}

std::string WideToCp852(std::wstring_view wide, char replacement) {
  bool fits = true;
  return ToCp852(wide, replacement, fits);
}

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring wide;
  wide.reserve(utf8.size());
  while (!utf8.empty()) {
    const Utf8Char decoded = DecodeUtf8(utf8);
    const char32_t code = decoded.valid ? decoded.code : U'\uFFFD';
    if (code >= 0x10000) {
      wide.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
      wide.push_back(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      wide.push_back(static_cast<wchar_t>(code));
    }
    utf8.remove_prefix(std::max<std::size_t>(decoded.length, 1));
  }
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
  std::string utf8;
  utf8.reserve(wide.size());
  for (std::size_t at = 0; at < wide.size();) {
    std::size_t units = 1;
    const char32_t code = CodePointAt(wide, at, units);
    AppendUtf8(utf8, code != 0 || wide[at] == 0 ? code : U'\uFFFD');
    at += units;
  }
  return utf8;
}

}  // namespace zq::platform
