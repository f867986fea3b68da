#include <gtest/gtest.h>

#include "platform/windows/console_input.h"

namespace zq::platform {
namespace {

KEY_EVENT_RECORD Key(WORD virtualKey, wchar_t character, DWORD state, BOOL down = TRUE) {
  KEY_EVENT_RECORD key{};
  key.bKeyDown = down;
  key.wRepeatCount = 1;
  key.wVirtualKeyCode = virtualKey;
  key.uChar.UnicodeChar = character;
  key.dwControlKeyState = state;
  return key;
}

TEST(WindowsConsoleInput, KeysBecomeThePcKeyboardsCodesWithTheirStateByte) {
  struct Case {
    const char* what;
    KEY_EVENT_RECORD key;
    std::uint16_t code;
    std::uint8_t state;
  };
  const Case cases[] = {
      {"a", Key('A', L'a', NUMLOCK_ON), 0x1E61, 0x20},
      {"Shift+A", Key('A', L'A', NUMLOCK_ON | SHIFT_PRESSED), 0x1E41, 0x23},
      {"Caps Lock, no Num Lock", Key('A', L'A', CAPSLOCK_ON), 0x1E41, 0x43},
      {"Ctrl+C arrives as a key", Key('C', 0x03, NUMLOCK_ON | LEFT_CTRL_PRESSED), 0x2E03, 0x24},
      {"left Alt+X", Key('X', L'x', NUMLOCK_ON | LEFT_ALT_PRESSED), 0x2D00, 0x28},
      {"Alt+1", Key('1', L'1', LEFT_ALT_PRESSED), 0x7800, 0x08},
      {"AltGr+A is the Polish letter",
       Key('A', L'ą', NUMLOCK_ON | RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED), 0x1EA5, 0x20},
      {"AltGr+Shift+Z", Key('Z', L'Ż', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED | SHIFT_PRESSED),
       0x2CBD, 0x03},
      {"AltGr without the added Ctrl", Key('L', L'ł', RIGHT_ALT_PRESSED), 0x2688, 0x00},
      {"Enter", Key(VK_RETURN, L'\r', 0), 0x1C0D, 0x00},
      {"Esc", Key(VK_ESCAPE, 0x1B, 0), 0x011B, 0x00},
      {"F1", Key(VK_F1, 0, 0), 0x3B00, 0x00},
      {"Shift+F1", Key(VK_F1, 0, SHIFT_PRESSED), 0x5400, 0x03},
      {"Alt+F4", Key(VK_F4, 0, LEFT_ALT_PRESSED), 0x6B00, 0x08},
      {"Ctrl+Left", Key(VK_LEFT, 0, ENHANCED_KEY | RIGHT_CTRL_PRESSED), 0x7300, 0x04},
      {"Up", Key(VK_UP, 0, ENHANCED_KEY), 0x4800, 0x00},
      {"keypad 7 with Num Lock", Key(VK_NUMPAD7, L'7', NUMLOCK_ON), 0x4737, 0x20},
      {"keypad 5 without Num Lock", Key(VK_CLEAR, 0, 0), 0x4C00, 0x00},
      {"Tab", Key(VK_TAB, L'\t', 0), 0x0F09, 0x00},
      {"Shift+Tab", Key(VK_TAB, L'\t', SHIFT_PRESSED), 0x0F00, 0x03},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto record = KeyInputOf(c.key);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(*record, InputRecord::Key(c.code, c.state));
  }
  // Releases, modifiers alone and characters outside CP852 give nothing.
  EXPECT_FALSE(KeyInputOf(Key('A', L'a', 0, FALSE)));
  EXPECT_FALSE(KeyInputOf(Key(VK_SHIFT, 0, SHIFT_PRESSED)));
  EXPECT_FALSE(KeyInputOf(Key(VK_CONTROL, 0, LEFT_CTRL_PRESSED)));
  EXPECT_FALSE(KeyInputOf(Key('A', L'€', 0)));
}

TEST(WindowsConsoleInput, TheMouseReportsPressesDragsAndReleasesByCell) {
  const auto mouse = [](SHORT column, SHORT row, DWORD buttons, DWORD flags) {
    MOUSE_EVENT_RECORD record{};
    record.dwMousePosition = {column, row};
    record.dwButtonState = buttons;
    record.dwEventFlags = flags;
    return record;
  };
  std::uint16_t held = 0;
  EXPECT_FALSE(MouseInputOf(mouse(3, 4, 0, MOUSE_MOVED), held));  // moving, nothing held
  EXPECT_EQ(MouseInputOf(mouse(10, 5, FROM_LEFT_1ST_BUTTON_PRESSED, 0), held),
            InputRecord::Mouse(MOUSE_LEFT, 10, 5));
  EXPECT_EQ(MouseInputOf(mouse(11, 5, FROM_LEFT_1ST_BUTTON_PRESSED, MOUSE_MOVED), held),
            InputRecord::Mouse(MOUSE_LEFT, 11, 5));
  EXPECT_FALSE(MouseInputOf(mouse(11, 5, FROM_LEFT_1ST_BUTTON_PRESSED, MOUSE_WHEELED), held));
  EXPECT_EQ(MouseInputOf(mouse(120, 40, FROM_LEFT_1ST_BUTTON_PRESSED | RIGHTMOST_BUTTON_PRESSED, 0),
                         held),
            InputRecord::Mouse(MOUSE_LEFT | MOUSE_RIGHT, 79, 24));
  EXPECT_EQ(MouseInputOf(mouse(12, 6, 0, 0), held), InputRecord::Mouse(0, 12, 6));
}

}  // namespace
}  // namespace zq::platform
