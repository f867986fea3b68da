// The converter on a POSIX terminal: the command line's answers that need no
// screen, the real platform, the run, and the one place where the program
// ends.

#include <cstdio>
#include <exception>
#include <stdexcept>

#include "platform/bell_sound.h"
#include "platform/console_clipboard.h"
#include "platform/cp852.h"
#include "platform/posix_clock.h"
#include "platform/posix_file_system.h"
#include "platform/posix_process.h"
#include "platform/posix_syscalls.h"
#include "platform/terminal_console.h"
#include "shell/command_line_answer.h"
#include "shell/converter.h"

namespace {

int Print(const zq::shell::CommandLineAnswer& answer) {
  std::FILE* out = answer.onStandardError ? stderr : stdout;
  for (const zq::ShortString& line : answer.lines) {
    std::fputs(zq::platform::Cp852ToUtf8(line).c_str(), out);
    std::fputc('\n', out);
  }
  return answer.exitCode;
}

int RunConverter(zq::platform::PosixProcess& process) {
  zq::platform::PosixSyscalls syscalls;
  zq::platform::PosixFileSystem files(syscalls, process);
  zq::platform::PosixClock clock;
  // The terminal is restored when the console goes, on every way out,
  // before main reports anything.
  zq::platform::TerminalConsole console;
  zq::platform::BellSound sound(console, clock);
  zq::platform::ConsoleClipboard clipboard(console);
  zq::platform::Platform platform{console, files, clock, sound, process, clipboard};
  zq::shell::Converter converter(platform);
  return converter.Run();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    zq::platform::PosixProcess process(argc, argv);
    if (const auto answer = zq::shell::AnswerTo(zq::shell::RequestOf(process.Arguments()))) {
      return Print(*answer);
    }
    return RunConverter(process);
  } catch (const zq::platform::ProgramExit& exit) {
    return exit.code;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zq20-21: %s\n", error.what());
    return 1;
  }
}
