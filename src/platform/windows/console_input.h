#pragma once
// The records of the Windows console's input (ReadConsoleInputW) as the key
// and mouse records of a PC console. Keys carry the codes of a PC keyboard
// (pc_keyboard.h), whatever layout the system has: a key that types a
// character gives that character's code, so AltGr+A (right Alt with the left
// Ctrl that Windows adds to it) arrives as the Polish letter it types, while
// the left Alt with a letter is Alt+letter. Num, Caps and Scroll Lock come
// into the state byte as the console reports them.

#include "platform/windows/win32.h"

#include <optional>

#include "platform/console.h"

namespace zq::platform {

// A key pressed (never a release), or nothing for a key the program does not
// know (Shift, Ctrl or Alt alone, the Windows keys).
std::optional<InputRecord> KeyInputOf(const KEY_EVENT_RECORD& key);

// A mouse report when the buttons changed or moved while held; nothing for
// the wheel and for moves with no button held. The cell is clamped to the
// 80 x 25 screen.
std::optional<InputRecord> MouseInputOf(const MOUSE_EVENT_RECORD& mouse,
                                        std::uint16_t& lastButtons);

}  // namespace zq::platform
