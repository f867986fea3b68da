#include "platform/windows/console_input.h"

#include <algorithm>

#include "platform/cp852.h"
#include "platform/pc_keyboard.h"

namespace zq::platform {
namespace {

using pc::Key;

struct NamedVirtualKey {
  WORD virtualKey;
  Key key;
};

// Keys that type no character of their own. The keypad's digits and dot
// appear here only as Windows reports them with Num Lock on (VK_NUMPADn);
// with it off they come as the arrows and the rest.
constexpr NamedVirtualKey NAMED_KEYS[] = {
    {VK_ESCAPE, Key::ESCAPE},
    {VK_RETURN, Key::ENTER},
    {VK_TAB, Key::TAB},
    {VK_BACK, Key::BACKSPACE},
    {VK_UP, Key::UP},
    {VK_DOWN, Key::DOWN},
    {VK_LEFT, Key::LEFT},
    {VK_RIGHT, Key::RIGHT},
    {VK_HOME, Key::HOME},
    {VK_END, Key::END},
    {VK_PRIOR, Key::PAGE_UP},
    {VK_NEXT, Key::PAGE_DOWN},
    {VK_INSERT, Key::INSERT},
    {VK_DELETE, Key::DEL},
    {VK_CLEAR, Key::CENTRE},
    {VK_F1, Key::F1},
    {VK_F2, Key::F2},
    {VK_F3, Key::F3},
    {VK_F4, Key::F4},
    {VK_F5, Key::F5},
    {VK_F6, Key::F6},
    {VK_F7, Key::F7},
    {VK_F8, Key::F8},
    {VK_F9, Key::F9},
    {VK_F10, Key::F10},
    {VK_F11, Key::F11},
    {VK_F12, Key::F12},
    {VK_ADD, Key::KEYPAD_PLUS},
    {VK_SUBTRACT, Key::KEYPAD_MINUS},
    {VK_MULTIPLY, Key::KEYPAD_STAR},
    {VK_DIVIDE, Key::KEYPAD_SLASH},
    {VK_DECIMAL, Key::KEYPAD_DOT},
    {VK_NUMPAD0, Key::KEYPAD_0},
    {VK_NUMPAD1, Key::KEYPAD_1},
    {VK_NUMPAD2, Key::KEYPAD_2},
    {VK_NUMPAD3, Key::KEYPAD_3},
    {VK_NUMPAD4, Key::KEYPAD_4},
    {VK_NUMPAD5, Key::KEYPAD_5},
    {VK_NUMPAD6, Key::KEYPAD_6},
    {VK_NUMPAD7, Key::KEYPAD_7},
    {VK_NUMPAD8, Key::KEYPAD_8},
    {VK_NUMPAD9, Key::KEYPAD_9},
};

std::optional<Key> NamedKeyOf(WORD virtualKey) {
  for (const NamedVirtualKey& named : NAMED_KEYS) {
    if (named.virtualKey == virtualKey) return named.key;
  }
  return std::nullopt;
}

std::uint8_t LockBits(DWORD state) {
  unsigned locks = 0;
  if (state & NUMLOCK_ON) locks |= STATE_NUM_LOCK;
  if (state & CAPSLOCK_ON) locks |= STATE_CAPS_LOCK;
  if (state & SCROLLLOCK_ON) locks |= STATE_SCROLL_LOCK;
  return static_cast<std::uint8_t>(locks);
}

// The character a letter, digit or symbol key types unshifted, for Ctrl and
// Alt combinations where Windows gives a control code or nothing instead.
std::optional<unsigned char> BaseCharacterOf(WORD virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<unsigned char>(virtualKey + 0x20);
  if (virtualKey >= '0' && virtualKey <= '9') return static_cast<unsigned char>(virtualKey);
  const UINT mapped = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR) & 0x7FFFu;
  if (mapped >= 0x20 && mapped < 0x7F) return static_cast<unsigned char>(mapped);
  return std::nullopt;
}

}  // namespace

std::optional<InputRecord> KeyInputOf(const KEY_EVENT_RECORD& key) {
  if (!key.bKeyDown) return std::nullopt;
  const DWORD state = key.dwControlKeyState;
  const auto typed = key.uChar.UnicodeChar;
  // Windows adds the left Ctrl to AltGr; a console that does not still
  // shows AltGr by the letter it typed.
  const bool altGr = (state & RIGHT_ALT_PRESSED) && ((state & LEFT_CTRL_PRESSED) || typed >= 0x80);
  unsigned modifiers = 0;
  if (state & SHIFT_PRESSED) modifiers |= pc::WITH_SHIFT;
  if (!altGr) {
    if (state & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) modifiers |= pc::WITH_CTRL;
    if (state & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) modifiers |= pc::WITH_ALT;
  }
  const std::uint8_t locks = LockBits(state);
  if (const auto named = NamedKeyOf(key.wVirtualKeyCode)) {
    // The keypad's digits with Shift (or with Num Lock off) are the keys
    // printed under them; Windows already reports those as VK_UP and so on.
    return pc::ToRecord(pc::Named(*named, modifiers), locks);
  }
  if ((modifiers & (pc::WITH_CTRL | pc::WITH_ALT)) != 0 || typed < 0x20) {
    const auto base = BaseCharacterOf(key.wVirtualKeyCode);
    if (!base) return std::nullopt;
    if ((modifiers & (pc::WITH_CTRL | pc::WITH_ALT)) == 0) return std::nullopt;
    const char character = (modifiers & pc::WITH_SHIFT) ? UpCasePL(static_cast<char>(*base))
                                                        : static_cast<char>(*base);
    return pc::ToRecord(pc::Character(static_cast<unsigned char>(character), modifiers), locks);
  }
  const auto byte = UnicodeToCp852(typed);
  if (!byte || *byte == 0x7F) return std::nullopt;
  // The character already shows Shift; the table adds it for the scan code.
  return pc::ToRecord(pc::Character(*byte, modifiers & ~pc::WITH_SHIFT), locks);
}

std::optional<InputRecord> MouseInputOf(const MOUSE_EVENT_RECORD& mouse,
                                        std::uint16_t& lastButtons) {
  if (mouse.dwEventFlags & (MOUSE_WHEELED | MOUSE_HWHEELED)) return std::nullopt;
  // The console's first, second and middle buttons have the bits of ours.
  const auto buttons =
      static_cast<std::uint16_t>(mouse.dwButtonState & (MOUSE_LEFT | MOUSE_RIGHT | MOUSE_MIDDLE));
  const bool moved = (mouse.dwEventFlags & MOUSE_MOVED) != 0;
  if (buttons == lastButtons && (!moved || buttons == 0)) return std::nullopt;
  lastButtons = buttons;
  const auto column =
      static_cast<std::uint8_t>(std::clamp<int>(mouse.dwMousePosition.X, 0, SCREEN_WIDTH - 1));
  const auto row =
      static_cast<std::uint8_t>(std::clamp<int>(mouse.dwMousePosition.Y, 0, SCREEN_HEIGHT - 1));
  return InputRecord::Mouse(buttons, column, row);
}

}  // namespace zq::platform
