#pragma once
// Inline questions of the conversion are answered with single keys in the
// progress log: keys are read and upper-cased until one of the offered
// letters comes; every other key is ignored and not shown.

#include <string_view>

#include "transfer/progress_log.h"

namespace zq::conversion {

// The answer, upper-cased; `choices` holds the capital letters offered.
char WaitForChoice(transfer::ProgressLog& log, std::string_view choices);

}  // namespace zq::conversion
