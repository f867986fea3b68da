// Writes a long progress log in a real terminal for the end-to-end test:
//
//     log_probe LINES
//
// the header, then LINES numbered lines of different lengths and colours, each
// shown on the terminal at once (as a slow display shows them), then
// "KONIEC" and a wait for any key.

#include <cstdlib>
#include <exception>
#include <string>

#include "platform/posix_clock.h"
#include "platform/posix_file_system.h"
#include "platform/posix_process.h"
#include "platform/posix_syscalls.h"
#include "platform/terminal_console.h"
#include "platform/text_literal.h"
#include "transfer/progress_log.h"

int main(int argc, char** argv) {
  using namespace zq;
  const int lines = argc > 1 ? std::atoi(argv[1]) : 100;
  platform::PosixProcess process(argc, argv);
  platform::PosixSyscalls syscalls;
  platform::PosixFileSystem files(syscalls, process);
  platform::PosixClock clock;
  platform::TerminalConsole console;
  ui::Colours colours(files);
  ui::Screen screen(console);
  std::uint8_t showSlowly = 0;
  transfer::ProgressLog log(screen, colours, clock, showSlowly);
  log.ClearLog(true);
  log.LogWriteLn("NAGŁÓWEK"_pl);
  log.LogWriteLn(std::string(80, '\xC4'));
  for (int line = 1; line <= lines; ++line) {
    log.SetLogColour(static_cast<std::uint8_t>(9 + line % 7));
    log.LogWriteLn("wiersz " + std::to_string(line) +
                   std::string(static_cast<std::size_t>(line % 50), '.'));
    console.Flush();
  }
  log.LogWrite("KONIEC"_pl);
  log.WaitForKey();
  return 0;
}
