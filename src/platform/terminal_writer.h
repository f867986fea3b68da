#pragma once
// The escape sequences that show the console's screen on an xterm-compatible
// terminal. Pure: it turns the wanted screen into bytes, remembering what it
// sent so that the next update sends only what changed.

#include <array>
#include <chrono>
#include <string>
#include <string_view>

#include "platform/console.h"

namespace zq::platform {

// Sent on entry: the alternate screen, no autowrap (so the last cell of the
// last row never scrolls), mouse reports in the SGR form, bracketed paste,
// xterm's modifyOtherKeys (so that Ctrl+M and Ctrl+I differ from Enter and
// Tab where the terminal can), and the terminal's title saved.
inline constexpr std::string_view TERMINAL_ENTER =
    "\x1B[22;0t\x1B[?1049h\x1B[?7l\x1B[?1000h\x1B[?1006h\x1B[?2004h\x1B[>4;2m";
// Sent on the way out: everything above undone, colours and cursor back to
// the terminal's defaults.
inline constexpr std::string_view TERMINAL_LEAVE =
    "\x1B[>4m\x1B[?2004l\x1B[?1006l\x1B[?1000l\x1B[0m\x1B[0 q\x1B[?25h\x1B[?7h\x1B[?1049l"
    "\x1B[23;0t";

// The terminal is brought up to date before every wait for input and, while
// the program writes without waiting (a long conversion), at most once a
// frame: the operator sees the work go on, and a run of log lines costs a few
// updates a second instead of one per line.
inline constexpr std::chrono::milliseconds FRAME_INTERVAL{40};

// Everything the terminal shows.
struct TerminalScreen {
  std::array<Cell, SCREEN_WIDTH * SCREEN_HEIGHT> cells{};
  int cursorColumn = 0;
  int cursorRow = 0;
  bool cursorVisible = true;
  int cursorSize = 20;
  std::string title;  // CP852
};

class TerminalWriter {
 public:
  // The bytes that bring the terminal from what was sent last to `wanted`.
  std::string Update(const TerminalScreen& wanted);

  // The terminal's contents are unknown (first draw, resize, resume): the
  // next update clears it and sends everything.
  void Invalidate() { valid_ = false; }

 private:
  TerminalScreen sent_;
  bool valid_ = false;
};

// The SGR sequence for a PC attribute: its colours as ANSI colours (PC and
// ANSI order red and blue the other way round), bright background where the
// attribute's top bit is set.
std::string AttributeSequence(unsigned char attribute);

// A cleared terminal with a centred note that it is smaller than the screen.
std::string TooSmallSequence(int width, int height);

// OSC 52: offers a CP852 text to the system clipboard through the terminal.
std::string ClipboardSequence(std::string_view cp852);

}  // namespace zq::platform
