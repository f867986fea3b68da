#pragma once
// What the program answers, without starting its screen, to a command line
// that asks for the help or the version or holds an option it does not know:
// lines for standard output or standard error, and the exit code. On a
// terminal the answer stays readable after the program ends, as the answers
// of command-line programs do.

#include <optional>
#include <vector>

#include "platform/short_string.h"
#include "shell/command_line.h"

namespace zq::shell {

inline constexpr int EXIT_UNKNOWN_OPTION = 2;

struct CommandLineAnswer {
  int exitCode = 0;
  bool onStandardError = false;
  std::vector<ShortString> lines;  // CP852, each printed with a line break
};

// Nothing for a command line that asks for a run.
std::optional<CommandLineAnswer> AnswerTo(const CommandLineRequest& request);

}  // namespace zq::shell
