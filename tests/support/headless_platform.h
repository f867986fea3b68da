#pragma once
// The whole platform of a headless run: the headless console and a manual
// clock, the bell on that console, and the real file system over a fresh
// temporary tree with an environment the test sets.

#include <filesystem>
#include <string>

#include "support/screen_text.h"

#include "host_world.h"
#include "platform/bell_sound.h"
#include "platform/console_clipboard.h"
#include "platform/headless_console.h"
#include "platform/manual_clock.h"
#include "platform/platform.h"

namespace zq::testing {

struct HeadlessPlatform : ScreenText<HeadlessPlatform> {
  HeadlessPlatform() = default;
  // The tree in `base` (TempTree).
  explicit HeadlessPlatform(const std::filesystem::path& base) : world(base) {}

  HostWorld world;
  platform::ManualClock clock;
  platform::HeadlessConsole console{clock};
  platform::BellSound sound{console, clock};
  platform::ConsoleClipboard clipboard{console};
  platform::Platform platform{console, world.files, clock, sound, world.process, clipboard};
};

}  // namespace zq::testing
