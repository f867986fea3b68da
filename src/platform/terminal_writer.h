#pragma once
// The escape sequences that show the console's screen on a terminal of one
// of the families the console knows. Pure: it turns the wanted screen into
// bytes, remembering what it sent so that the next update sends only what
// changed.

#include <array>
#include <chrono>
#include <string>
#include <string_view>

#include "platform/console.h"
#include "platform/terminal_family.h"

namespace zq::platform {

// Sent on entry: the alternate screen, no autowrap (so the last cell of the
// last row never scrolls) and, where the family has them, mouse reports in
// the SGR form, bracketed paste, xterm's modifyOtherKeys (so that Ctrl+M and
// Ctrl+I differ from Enter and Tab where the terminal can) and the
// terminal's title saved.
std::string EnterSequence(TerminalFamily family);
// Sent on the way out: everything above undone, colours and cursor back to
// the terminal's defaults. Without an alternate screen the screen is cleared.
std::string LeaveSequence(TerminalFamily family);

// Asks the terminal to make its text area `columns` x `rows` (xterm's window
// operation 8; terminals that do not allow it ignore it).
std::string SizeRequest(int columns, int rows);

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
  explicit TerminalWriter(TerminalFamily family = TerminalFamily::XTERM) : family_(family) {}

  // The bytes that bring the terminal from what was sent last to `wanted`.
  std::string Update(const TerminalScreen& wanted);

  // The terminal's contents are unknown (first draw, resize, resume): the
  // next update clears it and sends everything.
  void Invalidate() { valid_ = false; }

 private:
  TerminalFamily family_;
  TerminalScreen sent_;
  bool valid_ = false;
};

// The SGR sequence for a PC attribute: its colours as ANSI colours (PC and
// ANSI order red and blue the other way round), bright background where the
// attribute's top bit is set. The Linux console shows a bright foreground
// for bold and a bright background for blink.
std::string AttributeSequence(unsigned char attribute,
                              TerminalFamily family = TerminalFamily::XTERM);

// A cleared terminal with a centred note that it is smaller than the screen:
// the size needed, that the window may be enlarged, and the key that quits.
std::string TooSmallSequence(int width, int height);

// OSC 52: offers a CP852 text to the system clipboard through the terminal.
std::string ClipboardSequence(std::string_view cp852);

}  // namespace zq::platform
