#pragma once
// The kinds of terminal the console can draw on, told apart by TERM. They
// read the same cursor, colour and scrolling sequences; they differ in what
// else they understand: an alternate screen, bright colours, the window
// title, mouse reports, a request for a size. The keys they send need no
// telling apart: the key decoder reads every family's sequences.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zq::platform {

enum class TerminalFamily : std::uint8_t {
  XTERM,          // xterm and its descendants (VTE, Konsole, rxvt, kitty, ...)
  MULTIPLEXER,    // screen and tmux: like xterm, but they size their windows themselves
  LINUX_CONSOLE,  // the Linux virtual console: no alternate screen, no title, no mouse
                  // reports; its 8 colours become 16 through bold and blink
};

// The family of the terminal TERM names; nothing for a terminal the program
// cannot draw on: no TERM, one without cursor addressing (`dumb`) or one it
// does not know.
std::optional<TerminalFamily> FamilyOf(std::string_view term);

// Why the terminal TERM names is refused, in Polish (UTF-8), for the
// operator's shell.
std::string RefusalOf(std::string_view term);

}  // namespace zq::platform
