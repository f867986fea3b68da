#pragma once
// What a conversion step that talks to the operator runs on: a toolkit and a
// progress log on one headless console, over a real temporary tree.

#include <string>
#include <vector>

#include "host_world.h"
#include "support/headless_log.h"
#include "support/headless_toolkit.h"
#include "transfer/progress_log.h"

namespace zq::testing {

struct HeadlessConversion {
  HostWorld world;
  HeadlessToolkit t;
  std::uint8_t showSlowly = 0;
  transfer::ProgressLog log{t.screen, t.colours, t.clock, showSlowly};

  HeadlessConversion() { log.ClearLog(true); }

  std::vector<std::string> Lines() const { return LogLines(log); }
  // A key the operator presses when the program waits for one.
  void Press(char key) {
    t.console.PushPause();
    t.console.PushKey(static_cast<std::uint8_t>(key));
  }
};

}  // namespace zq::testing
