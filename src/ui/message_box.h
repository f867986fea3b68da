#pragma once
// The message box: a report or question with a kind (title and colours) and
// up to four buttons, laid out from control bytes in its text: \x0d breaks
// the line, \x03 at the start of a line centres it, and text before a \x07
// replaces the title.

#include <cstdint>
#include <string_view>

#include "ui/toolkit.h"

namespace zq::ui {

// Kinds (the low four bits).
inline constexpr std::uint16_t MB_WARNING = 0;
inline constexpr std::uint16_t MB_ERROR = 1;
inline constexpr std::uint16_t MB_INFORMATION = 2;
inline constexpr std::uint16_t MB_CONFIRMATION = 3;
// Shows for a while and closes by itself (bit 3 of any kind does that).
inline constexpr std::uint16_t MB_TIMED_ERROR = 8;

// Buttons.
inline constexpr std::uint16_t MB_YES = 0x0100;
inline constexpr std::uint16_t MB_NO = 0x0200;
inline constexpr std::uint16_t MB_OK = 0x0400;
inline constexpr std::uint16_t MB_CANCEL = 0x0800;

inline constexpr int TIMED_BOX_MS = 2500;

// The standard geometry: 40 x 10, centred on the screen.
inline constexpr int BOX_HEIGHT = 10;
inline constexpr int BOX_WIDTH = 40;
inline constexpr int BOX_TOP = 8;
inline constexpr int BOX_LEFT = 20;

// The answer: the command of the button chosen, CM_CANCEL for Esc, the right
// mouse button, a timed box or a box that cannot be opened.
std::uint16_t MessageBox(Toolkit& toolkit, std::uint16_t kind, std::string_view text, int height,
                         int width, int top, int left);
std::uint16_t ShowMessage(Toolkit& toolkit, std::uint16_t kind, std::string_view text);
void ShowError(Toolkit& toolkit, std::string_view text);

}  // namespace zq::ui
