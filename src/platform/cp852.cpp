#include "platform/cp852.h"

#include <algorithm>

namespace zq::platform {
namespace {

// ASCII reads the same in CP852 and in UTF-8, and most names and texts of the
// system are ASCII alone: they pass unconverted.
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

std::string Cp852ToUtf8(std::string_view cp852) {
  if (IsAscii(cp852)) return std::string(cp852);
  std::string out;
  out.reserve(cp852.size() * 2);
  for (char byte : cp852) AppendUtf8(out, Cp852ToUnicode(static_cast<unsigned char>(byte)));
  return out;
}

std::string Utf8ToCp852(std::string_view utf8, char replacement) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const Utf8Char decoded = DecodeUtf8(utf8);
    const auto byte = decoded.valid ? UnicodeToCp852(decoded.code) : std::nullopt;
    out.push_back(byte ? static_cast<char>(*byte) : replacement);
    utf8.remove_prefix(decoded.length);
  }
  return out;
}

bool FitsCp852(std::string_view utf8) {
  if (IsAscii(utf8)) return true;
  while (!utf8.empty()) {
    const Utf8Char decoded = DecodeUtf8(utf8);
    if (!decoded.valid || !UnicodeToCp852(decoded.code)) return false;
    utf8.remove_prefix(decoded.length);
  }
  return true;
}

}  // namespace zq::platform
