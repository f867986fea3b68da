#pragma once
// The one-line input box: a text over an input line and an "OK" button.
// Enter confirms, Esc gives the value back as it was.

#include <cstdint>
#include <string_view>

#include "platform/short_string.h"
#include "ui/toolkit.h"

namespace zq::ui {

// The length of the next input box, 1..36; any other value is ignored. Every
// input box sets it back to 37.
void SetInputBoxLength(Toolkit& toolkit, int length);

// CM_OK when confirmed; otherwise `value` is restored. The DataChanged flag
// is left as it was before the box.
std::uint16_t InputBox(Toolkit& toolkit, ShortString& value, std::string_view text);

}  // namespace zq::ui
