#pragma once
// A screen on the headless console, read back in the 1-based coordinates of
// the screen's own operations.

#include <string>

#include "support/screen_text.h"

#include "platform/headless_console.h"
#include "platform/manual_clock.h"
#include "ui/screen.h"

namespace zq::testing {

struct HeadlessScreen : ScreenText<HeadlessScreen> {
  platform::ManualClock clock;
  platform::HeadlessConsole console{clock};
  ui::Screen screen{console};
};

}  // namespace zq::testing
