#include "platform/terminal_glyphs.h"

#include <array>

#include "platform/cp852.h"

namespace zq::platform {
namespace {

// ☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼
constexpr std::array<char32_t, 32> CONTROL_GLYPHS = {
    U' ',   0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
    0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};
constexpr char32_t HOUSE = 0x2302;  // ⌂
constexpr unsigned char SOFT_HYPHEN_BYTE = 0xF0;

}  // namespace

char32_t TerminalGlyph(unsigned char byte) {
  if (byte < CONTROL_GLYPHS.size()) return CONTROL_GLYPHS[byte];
  if (byte == 0x7F) return HOUSE;
  if (byte == SOFT_HYPHEN_BYTE) return U'-';
  // The system's texts use this byte for the middle dot of unchosen marks.
  if (byte == MIDDLE_DOT_BYTE) return MIDDLE_DOT;
  return Cp852ToUnicode(byte);
}

}  // namespace zq::platform
