// The real platform on the Windows console.

#include "platform/windows/win32.h"

#include <set>
#include <string>

#include "platform/cp852.h"
#include "platform/native_platform.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_clipboard.h"
#include "platform/windows/windows_clock.h"
#include "platform/windows/windows_console.h"
#include "platform/windows/windows_file_system.h"
#include "platform/windows/windows_process.h"
#include "platform/windows/windows_sound.h"

namespace zq::platform {

// The command line comes from the system in UTF-16 (argv would have passed
// through the ANSI code page).
std::unique_ptr<Process> MakeNativeProcess(int /*argc*/, const char* const* /*argv*/) {
  return std::make_unique<WindowsProcess>();
}

void PrintNativeLine(bool standardError, std::string_view utf8) {
  HANDLE out = GetStdHandle(standardError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(out, &mode)) {
    const std::wstring wide = Utf8ToWide(utf8) + L"\r\n";
    WriteConsoleW(out, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  // A file or a pipe gets UTF-8 with the system's line break.
  const std::string line = std::string(utf8) + "\r\n";
  WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

struct NativeFiles::Parts {
  WindowsFileSystem files;
};

NativeFiles::NativeFiles(const Process& /*process*/) : parts_(std::make_unique<Parts>()) {}
NativeFiles::~NativeFiles() = default;

FileSystem& NativeFiles::Files() {
  return parts_->files;
}

struct NativePlatform::Parts {
  explicit Parts(Process& process) : platform{console, files, clock, sound, process, clipboard} {}

  // Entries the program could not name, each told once when the console is
  // given back (while the screen is up there is nowhere to write them).
  std::set<std::string> skipped;
  WindowsFileSystem files{[this](const ShortString& directory, const ShortString& name) {
    skipped.insert(Cp852ToUtf8(directory.view()) + Cp852ToUtf8(name.view()));
  }};
  WindowsClock clock;
  // The original screen buffer comes back when the console goes.
  WindowsConsole console;
  WindowsSound sound;
  WindowsClipboard clipboard;
  Platform platform;
};

NativePlatform::NativePlatform(Process& process) : parts_(std::make_unique<Parts>(process)) {}
NativePlatform::~NativePlatform() {
  const std::set<std::string> skipped = std::move(parts_->skipped);
  parts_.reset();
  for (const std::string& name : skipped) {
    PrintNativeLine(true, "zq20-21: pominięty plik o nazwie spoza strony kodowej 852: " + name);
  }
}

Platform& NativePlatform::Bundle() {
  return parts_->platform;
}

}  // namespace zq::platform
