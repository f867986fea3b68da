#pragma once
// Puts the terminal back the way it was found on every way out of the
// process: normal destruction, std::exit, the terminating signals (SIGINT,
// SIGTERM, SIGHUP, SIGQUIT) and crashes (SIGSEGV, SIGABRT, SIGBUS, SIGFPE,
// SIGILL), which then take their default action. SIGTSTP restores the
// terminal, stops, and on resumption enters raw mode again; SIGWINCH and the
// resumption are reported through a wake-up pipe so that the owner can
// measure and redraw.

#include <termios.h>

#include <array>
#include <csignal>
#include <string_view>

namespace zq::platform {

// The byte written to the wake-up pipe after a resize and after a resumption.
inline constexpr char WAKE_RESIZED = 'W';
inline constexpr char WAKE_RESUMED = 'C';

class TerminalGuard {
 public:
  // Enters raw mode (`raw`) and writes `enterBytes` to the terminal; the
  // destructor writes `leaveBytes` and puts back `saved`. Only one guard may
  // exist at a time (throws std::logic_error otherwise).
  TerminalGuard(int ttyFd, const termios& saved, const termios& raw, std::string_view enterBytes,
                std::string_view leaveBytes, int wakeFd);
  ~TerminalGuard();
  TerminalGuard(const TerminalGuard&) = delete;
  TerminalGuard& operator=(const TerminalGuard&) = delete;

 private:
  static constexpr std::array<int, 12> SIGNALS = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT,
                                                  SIGSEGV, SIGABRT, SIGBUS,  SIGFPE,
                                                  SIGILL,  SIGTSTP, SIGCONT, SIGWINCH};
  std::array<struct sigaction, SIGNALS.size()> previous_{};
};

}  // namespace zq::platform
