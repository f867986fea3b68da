#pragma once
// Code page 852, the encoding of every text of the system, and its mapping to
// Unicode. The platform layer uses it at its edges (terminal output, key input,
// file names on disk); the compile-time text literal uses it for the program's
// own texts. Bytes 0x00..0x7F are ASCII, control characters included, so the
// layout bytes of message texts (0x03, 0x07, 0x0D) pass through unchanged.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zq::platform {

inline constexpr std::array<char32_t, 128> CP852_HIGH_HALF = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7,  // 80
    0x0142, 0x00EB, 0x0150, 0x0151, 0x00EE, 0x0179, 0x00C4, 0x0106,  // 88
    0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A,  // 90
    0x015B, 0x00D6, 0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0104, 0x0105, 0x017D, 0x017E,  // A0
    0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x011A,  // B0
    0x015E, 0x2563, 0x2551, 0x2557, 0x255D, 0x017B, 0x017C, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,  // C8
    0x0111, 0x0110, 0x010E, 0x00CB, 0x010F, 0x0147, 0x00CD, 0x00CE,  // D0
    0x011B, 0x2518, 0x250C, 0x2588, 0x2584, 0x0162, 0x016E, 0x2580,  // D8
    0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161,  // E0
    0x0154, 0x00DA, 0x0155, 0x0170, 0x00FD, 0x00DD, 0x0163, 0x00B4,  // E8
    0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8, 0x00A7, 0x00F7, 0x00B8,  // F0
    0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0,  // F8
};

// The middle dot that the system's texts use for an unselected mark is byte
// 0xFA of the code page (drawn there as a small raised dot).
inline constexpr char32_t MIDDLE_DOT = 0x00B7;
inline constexpr unsigned char MIDDLE_DOT_BYTE = 0xFA;

constexpr char32_t Cp852ToUnicode(unsigned char byte) {
  return byte < 0x80 ? char32_t{byte} : CP852_HIGH_HALF[byte - 0x80u];
}

// The CP852 byte of a Unicode character, if the code page holds it.
constexpr std::optional<unsigned char> UnicodeToCp852(char32_t code) {
  if (code < 0x80) return static_cast<unsigned char>(code);
  if (code == MIDDLE_DOT) return MIDDLE_DOT_BYTE;
  for (std::size_t i = 0; i < CP852_HIGH_HALF.size(); ++i) {
    if (CP852_HIGH_HALF[i] == code) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

// One UTF-8 sequence at the start of a text.
struct Utf8Char {
  char32_t code = 0;
  std::size_t length = 0;  // bytes taken; 0 when the text is empty
  bool valid = false;      // false for a malformed or overlong sequence
  bool complete = true;    // false when the text ends inside a sequence
};

constexpr Utf8Char DecodeUtf8(std::string_view text) {
  if (text.empty()) return {};
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {lead, 1, true, true};
  std::size_t length = 0;
  char32_t code = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return {0, 1, false, true};
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (i >= text.size()) return {0, text.size(), false, false};
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return {0, i, false, true};
    code = (code << 6) | (next & 0x3Fu);
  }
  constexpr char32_t MINIMUM[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool valid =
      code >= MINIMUM[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
  return {valid ? code : 0, length, valid, true};
}

// The sixteen letter pairs of the system's case mapping, small and capital by
// position: ąćęłńóśżźüëäöőčš and ĄĆĘŁŃÓŚŻŹÜËÄÖŐČŠ.
inline constexpr std::array<unsigned char, 16> SMALL_LETTERS = {
    0xA5, 0x86, 0xA9, 0x88, 0xE4, 0xA2, 0x98, 0xBE, 0xAB, 0x81, 0x89, 0x84, 0x94, 0x8B, 0x9F, 0xE7};
inline constexpr std::array<unsigned char, 16> CAPITAL_LETTERS = {
    0xA4, 0x8F, 0xA8, 0x9D, 0xE3, 0xE0, 0x97, 0xBD, 0x8D, 0x9A, 0xD3, 0x8E, 0x99, 0x8A, 0xAC, 0xE6};

// The capital of every byte: "a".."z" and the small letters of the pairs to
// their capitals, every other byte itself. A table, because every look-up of
// a name upper-cases each name of its directory.
inline constexpr std::array<unsigned char, 256> CAPITALS = [] {
  std::array<unsigned char, 256> capitals{};
  for (std::size_t byte = 0; byte < capitals.size(); ++byte) {
    capitals[byte] = static_cast<unsigned char>(byte >= 'a' && byte <= 'z' ? byte - 0x20 : byte);
  }
  for (std::size_t i = 0; i < SMALL_LETTERS.size(); ++i)
    capitals[SMALL_LETTERS[i]] = CAPITAL_LETTERS[i];
  return capitals;
}();

constexpr char UpCasePL(char c) {
  return static_cast<char>(CAPITALS[static_cast<unsigned char>(c)]);
}

// The reverse of UpCasePL.
constexpr char LowCasePL(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'A' && byte <= 'Z') return static_cast<char>(byte + 0x20);
  for (std::size_t i = 0; i < CAPITAL_LETTERS.size(); ++i) {
    if (CAPITAL_LETTERS[i] == byte) return static_cast<char>(SMALL_LETTERS[i]);
  }
  return c;
}

// True when the texts are equal once upper-cased with UpCasePL, whatever
// their length.
constexpr bool SameUpperCasePL(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (UpCasePL(left[i]) != UpCasePL(right[i])) return false;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t code);

// CP852 bytes to UTF-8, byte for byte.
std::string Cp852ToUtf8(std::string_view cp852);

// UTF-8 to CP852. Characters the code page does not hold, and malformed
// sequences, become the replacement byte.
std::string Utf8ToCp852(std::string_view utf8, char replacement = '?');

// True when every character of the UTF-8 text has a CP852 byte.
bool FitsCp852(std::string_view utf8);

}  // namespace zq::platform
