#pragma once
// The command line: zq20-21 [directory_2021] [/kprspis:NAME]

#include <optional>
#include <string_view>
#include <vector>

#include "platform/short_string.h"

namespace zq::shell {

// True when the first parameter asks for the help ("?" anywhere in it).
bool AsksForHelp(const std::vector<ShortString>& arguments);

// The value of a switch such as "/kprspis:" given at any position: a
// parameter matches when, with one leading "-" or "/" taken off both, the
// switch is a prefix of it, whatever the case; the value is what follows.
std::optional<ShortString> SwitchValue(const std::vector<ShortString>& arguments,
                                       std::string_view switchText);

}  // namespace zq::shell
