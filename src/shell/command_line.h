#pragma once
// The command line: zq20-21 [directory_2021] [/kprspis:NAME], and the few
// options a command-line program answers without starting its screen.

#include <optional>
#include <string_view>
#include <vector>

#include "platform/short_string.h"

namespace zq::shell {

// What the command line asks for, decided by its first option: the help
// (`/?`, `-?`, `?`, `--help`, `-h`), the version (`--version`), or nothing
// but a run. A double-dash option the program does not know is refused; a
// parameter that merely holds a "?" (a directory name) is no option. A single
// "/" begins a path on this system, so other such parameters stay paths.
enum class Request { RUN, HELP, VERSION, UNKNOWN_OPTION };

struct CommandLineRequest {
  Request request = Request::RUN;
  ShortString option;  // the option that decided, as given
};

CommandLineRequest RequestOf(const std::vector<ShortString>& arguments);

// The value of a switch such as "/kprspis:" given at any position: a
// parameter matches when, with one leading "-" or "/" taken off both, the
// switch is a prefix of it, whatever the case; the value is what follows.
std::optional<ShortString> SwitchValue(const std::vector<ShortString>& arguments,
                                       std::string_view switchText);

}  // namespace zq::shell
