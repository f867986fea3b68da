// The real platform on a POSIX terminal.

#include <cstdio>

#include "platform/bell_sound.h"
#include "platform/console_clipboard.h"
#include "platform/native_platform.h"
#include "platform/posix_clock.h"
#include "platform/posix_file_system.h"
#include "platform/posix_process.h"
#include "platform/posix_syscalls.h"
#include "platform/terminal_console.h"

namespace zq::platform {

std::unique_ptr<Process> MakeNativeProcess(int argc, const char* const* argv) {
  return std::make_unique<PosixProcess>(argc, argv);
}

void PrintNativeLine(bool standardError, std::string_view utf8) {
  std::FILE* out = standardError ? stderr : stdout;
  std::fwrite(utf8.data(), 1, utf8.size(), out);
  std::fputc('\n', out);
}

struct NativeFiles::Parts {
  explicit Parts(const Process& process) : files(syscalls, process) {}

  PosixSyscalls syscalls;
  PosixFileSystem files;
};

NativeFiles::NativeFiles(const Process& process) : parts_(std::make_unique<Parts>(process)) {}
NativeFiles::~NativeFiles() = default;

FileSystem& NativeFiles::Files() {
  return parts_->files;
}

struct NativePlatform::Parts {
  explicit Parts(Process& process)
      : files(process), platform{console, files.Files(), clock, sound, process, clipboard} {}

  NativeFiles files;
  PosixClock clock;
  // The terminal is restored when the console goes, on every way out.
  TerminalConsole console;
  BellSound sound{console, clock};
  ConsoleClipboard clipboard{console};
  Platform platform;
};

NativePlatform::NativePlatform(Process& process) : parts_(std::make_unique<Parts>(process)) {}
NativePlatform::~NativePlatform() = default;

Platform& NativePlatform::Bundle() {
  return parts_->platform;
}

}  // namespace zq::platform
