#pragma once
// The system's texts are written in the source as readable UTF-8 Polish and
// turned into code page 852 bytes at compile time:
//
//     log.WriteLn("Błąd odczytu danych"_pl);
//
// A character that code page 852 does not hold, or a text over 255 bytes, is a
// compile error, so a reviewer can compare every message with its original by
// eye and the program never carries a text it cannot show.

#include <cstddef>
#include <string_view>

#include "platform/cp852.h"
#include "platform/short_string.h"

namespace zq {
namespace text_literal_detail {

template <std::size_t N>
struct Utf8Source {
  char bytes[N]{};
  consteval Utf8Source(const char (&text)[N]) {  // NOLINT: implicit by design
    for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
  constexpr std::string_view view() const { return {bytes, N - 1}; }
};

consteval ShortString EncodeCp852(std::string_view utf8) {
  ShortString out;
  std::size_t count = 0;
  while (!utf8.empty()) {
    const platform::Utf8Char decoded = platform::DecodeUtf8(utf8);
    if (!decoded.valid) throw "text literal: malformed UTF-8";
    const auto byte = platform::UnicodeToCp852(decoded.code);
    if (!byte) throw "text literal: character outside code page 852";
    if (++count > ShortString::MAX_LENGTH) throw "text literal: longer than 255 bytes";
    out.push_back(static_cast<char>(*byte));
    utf8.remove_prefix(decoded.length);
  }
  return out;
}

}  // namespace text_literal_detail

template <text_literal_detail::Utf8Source SOURCE>
consteval ShortString operator""_pl() {
  return text_literal_detail::EncodeCp852(SOURCE.view());
}

}  // namespace zq
