#pragma once
// Matching a file name against a DOS mask, as the Windows directory search
// matches it. Both texts are CP852.
//
// The mask "*.*" matches every name, with or without a dot. Otherwise each
// character of the mask means:
// - '?': any one character except '.'; at a '.' of the name or at its end it
//   matches nothing, so "2021D5??.*" takes "2021D51.REK" as well as
//   "2021D512.REK".
// - '*' followed by '.': any run of characters that stops before the last '.'
//   of the name (so "*." matches only names without a dot).
// - any other '*': any run of characters, dots included.
// - '.' followed by '?', '*' or nothing: a '.' of the name, or nothing at the
//   very end of the name; so "NAME.*" and "NAME.???" also match "NAME", and a
//   trailing dot in "NAME." matches the name "NAME".
// - every other character, '_', '[', ']', '+' and a '.' elsewhere included,
//   matches itself, letters without regard to case (Polish letters through
//   UpCasePL).
// An empty mask matches nothing.

#include <string_view>

namespace zq::platform {

bool MatchesDosMask(std::string_view name, std::string_view mask);

// True when the text holds a wildcard ('*' or '?').
bool HasWildcards(std::string_view text);

}  // namespace zq::platform
