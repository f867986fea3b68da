#pragma once
// The real platform of the system the program was built for, as main needs
// it: the process, a way to print a line for the operator before any screen
// is up, the file layer alone, and the whole bundle, whose console is taken over while the object
// lives and given back as it was when it goes. The build picks the POSIX or
// the Windows implementation.

#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace zq::platform {

std::unique_ptr<Process> MakeNativeProcess(int argc, const char* const* argv);

// Prints one line of UTF-8 text, with its line break, on the standard output
// or the standard error, readable whatever the console's code page.
void PrintNativeLine(bool standardError, std::string_view utf8);

// The system's file layer alone, for programs that work on files without a
// console (the sample office's converter run, the tests' second station).
class NativeFiles {
 public:
  explicit NativeFiles(const Process& process);
  ~NativeFiles();
  NativeFiles(const NativeFiles&) = delete;
  NativeFiles& operator=(const NativeFiles&) = delete;

  FileSystem& Files();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

class NativePlatform {
 public:
  // Throws std::runtime_error, with a message for the operator, when the
  // console cannot be taken over.
  explicit NativePlatform(Process& process);
  // Gives the console back, then tells on the standard error what the
  // operator could not see on the screen: on Windows, the files that
  // searches left out because their names do not fit CP852.
  ~NativePlatform();
  NativePlatform(const NativePlatform&) = delete;
  NativePlatform& operator=(const NativePlatform&) = delete;

  Platform& Bundle();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace zq::platform
