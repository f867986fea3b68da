#pragma once
// The process: its arguments, its own executable, the current directory and
// the environment. Every value is CP852, as the rest of the program sees it.

#include <optional>
#include <string_view>
#include <vector>

#include "platform/short_string.h"

namespace zq::platform {

// The one way to end the program early: thrown where the converter must stop
// (the help, the fatal stops) and caught by main after the terminal is
// restored.
struct ProgramExit {
  int code = 0;
};

class Process {
 public:
  virtual ~Process() = default;
  // The parameters after the program name.
  virtual const std::vector<ShortString>& Arguments() const = 0;
  // The full path of the running executable, in the program's path form.
  virtual ShortString ExecutablePath() const = 0;
  virtual ShortString CurrentDirectory() const = 0;
  // The value of an environment variable; nothing when it is not set.
  virtual std::optional<ShortString> GetEnv(std::string_view name) const = 0;
};

}  // namespace zq::platform
