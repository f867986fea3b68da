#include "platform/pc_keyboard.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/cp852.h"

namespace zq::platform::pc {
namespace {

// The codes a PC keyboard BIOS gives for a key alone and with Shift, Ctrl or
// Alt (Alt wins over Ctrl, Ctrl over Shift).
struct KeyCodes {
  std::uint16_t plain, shift, ctrl, alt;
};

constexpr std::array<KeyCodes, static_cast<std::size_t>(Key::COUNT)> KEY_CODES = {{
    {0x011B, 0x011B, 0x011B, 0x0100},  // Esc
    {0x1C0D, 0x1C0D, 0x1C0A, 0x1C00},  // Enter
    {0x0F09, 0x0F00, 0x9400, 0xA500},  // Tab
    {0x0E08, 0x0E08, 0x0E7F, 0x0E00},  // Backspace
    {0x4800, 0x4800, 0x8D00, 0x9800},  // Up
    {0x5000, 0x5000, 0x9100, 0xA000},  // Down
    {0x4B00, 0x4B00, 0x7300, 0x9B00},  // Left
    {0x4D00, 0x4D00, 0x7400, 0x9D00},  // Right
    {0x4700, 0x4700, 0x7700, 0x9700},  // Home
    {0x4F00, 0x4F00, 0x7500, 0x9F00},  // End
    {0x4900, 0x4900, 0x8400, 0x9900},  // PgUp
    {0x5100, 0x5100, 0x7600, 0xA100},  // PgDn
    {0x5200, 0x5200, 0x9200, 0xA200},  // Insert
    {0x5300, 0x5300, 0x9300, 0xA300},  // Delete
    {0x4C00, 0x4C00, 0x8F00, 0x4C00},  // keypad 5 without Num Lock
    {0x3B00, 0x5400, 0x5E00, 0x6800},  // F1
    {0x3C00, 0x5500, 0x5F00, 0x6900}, {0x3D00, 0x5600, 0x6000, 0x6A00},
    {0x3E00, 0x5700, 0x6100, 0x6B00}, {0x3F00, 0x5800, 0x6200, 0x6C00},  // F5
    {0x4000, 0x5900, 0x6300, 0x6D00}, {0x4100, 0x5A00, 0x6400, 0x6E00},
    {0x4200, 0x5B00, 0x6500, 0x6F00}, {0x4300, 0x5C00, 0x6600, 0x7000},
    {0x4400, 0x5D00, 0x6700, 0x7100},  // F10
    {0x8500, 0x8700, 0x8900, 0x8B00},  // F11
    {0x8600, 0x8800, 0x8A00, 0x8C00},  // F12
    {0x4E2B, 0x4E2B, 0x9000, 0x4E00},  // keypad +
    {0x4A2D, 0x4A2D, 0x8E00, 0x4A00},  // keypad -
    {0x372A, 0x372A, 0x9600, 0x3700},  // keypad *
    {0xE02F, 0xE02F, 0x9500, 0xA400},  // keypad /
    {0x532E, 0x532E, 0x9300, 0xA300},  // keypad .
    {0x5230, 0x5230, 0x9200, 0xA200},  // keypad 0 .. 9 with Num Lock
    {0x4F31, 0x4F31, 0x7500, 0x9F00}, {0x5032, 0x5032, 0x9100, 0xA000},
    {0x5133, 0x5133, 0x7600, 0xA100}, {0x4B34, 0x4B34, 0x7300, 0x9B00},
    {0x4C35, 0x4C35, 0x8F00, 0x4C00}, {0x4D36, 0x4D36, 0x7400, 0x9D00},
    {0x4737, 0x4737, 0x7700, 0x9700}, {0x4838, 0x4838, 0x8D00, 0x9800},
    {0x4939, 0x4939, 0x8400, 0x9900},
}};

// ---- Character keys on a US keyboard ------------------------------------

struct CharacterScan {
  std::uint8_t scan = 0;
  bool shifted = false;
};

constexpr std::uint8_t LetterScan(char upper) {
  constexpr std::string_view ROWS[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  constexpr std::uint8_t ROW_STARTS[] = {0x10, 0x1E, 0x2C};
  for (std::size_t row = 0; row < 3; ++row) {
    const std::size_t at = ROWS[row].find(upper);
    if (at != std::string_view::npos) return static_cast<std::uint8_t>(ROW_STARTS[row] + at);
  }
  return 0;
}

// Printable ASCII other than letters: the key that types it and whether
// Shift is held for it.
struct SymbolKey {
  char symbol;
  std::uint8_t scan;
  bool shifted;
};
constexpr SymbolKey SYMBOL_KEYS[] = {
    {' ', 0x39, false}, {'!', 0x02, true},   {'"', 0x28, true},  {'#', 0x04, true},
    {'$', 0x05, true},  {'%', 0x06, true},   {'&', 0x08, true},  {'\'', 0x28, false},
    {'(', 0x0A, true},  {')', 0x0B, true},   {'*', 0x09, true},  {'+', 0x0D, true},
    {',', 0x33, false}, {'-', 0x0C, false},  {'.', 0x34, false}, {'/', 0x35, false},
    {'0', 0x0B, false}, {':', 0x27, true},   {';', 0x27, false}, {'<', 0x33, true},
    {'=', 0x0D, false}, {'>', 0x34, true},   {'?', 0x35, true},  {'@', 0x03, true},
    {'[', 0x1A, false}, {'\\', 0x2B, false}, {']', 0x1B, false}, {'^', 0x07, true},
    {'_', 0x0C, true},  {'`', 0x29, false},  {'{', 0x1A, true},  {'|', 0x2B, true},
    {'}', 0x1B, true},  {'~', 0x29, true},
};

// The Polish letters carry the scan code of their Latin base letter, as
// they are typed with AltGr (or Alt) on that key.
constexpr std::string_view POLISH_BASE_LETTERS = "ACELNOSZZ";

CharacterScan ScanOf(unsigned char character) {
  if (character >= 'a' && character <= 'z')
    return {LetterScan(static_cast<char>(character - 0x20)), false};
  if (character >= 'A' && character <= 'Z') return {LetterScan(static_cast<char>(character)), true};
  if (character >= '1' && character <= '9')
    return {static_cast<std::uint8_t>(character - '1' + 2), false};
  for (const SymbolKey& key : SYMBOL_KEYS) {
    if (static_cast<unsigned char>(key.symbol) == character) return {key.scan, key.shifted};
  }
  for (std::size_t i = 0; i < POLISH_BASE_LETTERS.size(); ++i) {
    const std::uint8_t scan = LetterScan(POLISH_BASE_LETTERS[i]);
    if (SMALL_LETTERS[i] == character) return {scan, false};
    if (CAPITAL_LETTERS[i] == character) return {scan, true};
  }
  return {};
}

// The character a Ctrl combination types, where a PC keyboard gives one.
std::uint8_t ControlCharacter(unsigned char character) {
  const auto upper = static_cast<unsigned char>(UpCasePL(static_cast<char>(character)));
  if (upper >= '@' && upper <= '_') return static_cast<std::uint8_t>(upper - 0x40);
  if (character == '2') return 0x00;
  if (character == '6') return 0x1E;
  if (character == '-') return 0x1F;
  if (character == ' ') return ' ';
  return 0;
}

// ---- From a pressed key to the record -----------------------------------

std::uint8_t StateByte(unsigned modifiers, std::uint8_t locks) {
  unsigned state = locks;
  if (modifiers & WITH_SHIFT) state |= STATE_SHIFT;
  if (modifiers & WITH_CTRL) state |= STATE_CTRL;
  if (modifiers & WITH_ALT) state |= STATE_ALT;
  return static_cast<std::uint8_t>(state);
}

std::uint16_t Code(unsigned scan, unsigned character) {
  return static_cast<std::uint16_t>(scan << 8 | character);
}

}  // namespace

InputRecord ToRecord(Pressed pressed, std::uint8_t locks) {
  if (pressed.named) {
    const KeyCodes& codes = KEY_CODES[static_cast<std::size_t>(pressed.key)];
    const unsigned modifiers = pressed.modifiers;
    const std::uint16_t code = (modifiers & WITH_ALT)     ? codes.alt
                               : (modifiers & WITH_CTRL)  ? codes.ctrl
                               : (modifiers & WITH_SHIFT) ? codes.shift
                                                          : codes.plain;
    return InputRecord::Key(code, StateByte(modifiers, locks));
  }
  const CharacterScan scan = ScanOf(pressed.character);
  const unsigned modifiers = pressed.modifiers | (scan.shifted ? WITH_SHIFT : 0u);
  std::uint16_t code = Code(scan.scan, pressed.character);
  if (modifiers & WITH_ALT) {
    // The digit row moves to 0x78..0x83 with Alt; Alt+Space keeps its blank.
    if (scan.scan >= 0x02 && scan.scan <= 0x0D) {
      code = Code(scan.scan + 0x76u, 0);
    } else if (pressed.character != ' ' && scan.scan != 0) {
      code = Code(scan.scan, 0);
    }
  } else if (modifiers & WITH_CTRL) {
    code = Code(scan.scan, ControlCharacter(pressed.character));
  }
  return InputRecord::Key(code, StateByte(modifiers, locks));
}

}  // namespace zq::platform::pc
