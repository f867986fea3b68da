// The converter on a POSIX terminal: the real platform, the run, and the one
// place where the program ends.

#include <cstdio>
#include <exception>
#include <stdexcept>

#include "platform/bell_sound.h"
#include "platform/console_clipboard.h"
#include "platform/posix_clock.h"
#include "platform/posix_file_system.h"
#include "platform/posix_process.h"
#include "platform/posix_syscalls.h"
#include "platform/terminal_console.h"
#include "shell/converter.h"

namespace {

int RunConverter(int argc, const char* const* argv) {
  zq::platform::PosixProcess process(argc, argv);
  zq::platform::PosixSyscalls syscalls;
  zq::platform::PosixFileSystem files(syscalls, process);
  zq::platform::PosixClock clock;
  // The terminal is restored when the console goes, on every way out.
  zq::platform::TerminalConsole console;
  zq::platform::BellSound sound(console, clock);
  zq::platform::ConsoleClipboard clipboard(console);
  zq::platform::Platform platform{console, files, clock, sound, process, clipboard};
  try {
    zq::shell::Converter converter(platform);
    return converter.Run();
  } catch (const zq::platform::ProgramExit& exit) {
    return exit.code;
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return RunConverter(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zq20-21: %s\n", error.what());
    return 1;
  }
}
