#pragma once
// The keys of a PC keyboard (US layout) as the BIOS reports them: a key
// pressed with its modifiers becomes the key code (scan code * 256 + CP852
// character) and the keyboard state byte. Each console backend tells what was
// pressed in its own way (terminal bytes, console input records) and leaves
// the codes to this one table.

#include <cstdint>

#include "platform/console.h"

namespace zq::platform::pc {

// Modifier bits as a backend collects them; the state byte is made from
// them at the end.
inline constexpr unsigned WITH_SHIFT = 1;
inline constexpr unsigned WITH_ALT = 2;
inline constexpr unsigned WITH_CTRL = 4;

// Keys that carry no character of their own (or a fixed one).
// clang-format off
enum class Key : std::uint8_t {
  ESCAPE, ENTER, TAB, BACKSPACE,
  UP, DOWN, LEFT, RIGHT, HOME, END, PAGE_UP, PAGE_DOWN, INSERT, DEL, CENTRE,
  F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
  KEYPAD_PLUS, KEYPAD_MINUS, KEYPAD_STAR, KEYPAD_SLASH, KEYPAD_DOT,
  KEYPAD_0, KEYPAD_1, KEYPAD_2, KEYPAD_3, KEYPAD_4,
  KEYPAD_5, KEYPAD_6, KEYPAD_7, KEYPAD_8, KEYPAD_9,
  COUNT
};
// clang-format on

constexpr Key FunctionKey(int number) {  // 1..12
  return static_cast<Key>(static_cast<int>(Key::F1) + number - 1);
}

// A key as the backend reported it, before it becomes a PC key code.
struct Pressed {
  bool named = false;
  Key key = Key::ESCAPE;
  unsigned char character = 0;  // CP852, when not named
  unsigned modifiers = 0;
};

constexpr Pressed Named(Key key, unsigned modifiers = 0) {
  return {true, key, 0, modifiers};
}
constexpr Pressed Character(unsigned char character, unsigned modifiers = 0) {
  return {false, Key::ESCAPE, character, modifiers};
}

// The record of a pressed key. `locks` are the lock bits of the state byte
// (STATE_NUM_LOCK, STATE_CAPS_LOCK, STATE_SCROLL_LOCK); a terminal cannot
// tell them, so there Num Lock is taken as on.
InputRecord ToRecord(Pressed pressed, std::uint8_t locks = STATE_NUM_LOCK);

}  // namespace zq::platform::pc
