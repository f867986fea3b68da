#pragma once
// A whole toolkit over the headless console, built in one line:
//
//     zq::testing::HeadlessToolkit t;
//     t.console.PushKey(0x1C0D);
//     ShowMessage(t.toolkit, ...);
//
// A test looks at a box while it waits by scripting a pause and a check for
// that moment:
//
//     t.console.PushPause();
//     t.AtNextPause([&] { EXPECT_EQ(t.Text(34, 8, 12), " Informacja "); });

#include <functional>
#include <utility>

#include "platform/console_clipboard.h"
#include "platform/headless_console.h"
#include "platform/manual_clock.h"
#include "support/no_files.h"
#include "support/recording_sound.h"
#include "support/screen_text.h"
#include "ui/screen.h"
#include "ui/toolkit.h"

namespace zq::testing {

struct HeadlessToolkit : ScreenText<HeadlessToolkit> {
  platform::ManualClock clock;
  platform::HeadlessConsole console{clock};
  ui::Screen screen{console};
  NoFiles files;
  RecordingSound tones;
  platform::ConsoleClipboard clipboard{console};
  ui::Colours colours{files};
  ui::EventSource events{console, clock, screen, colours};
  ui::ToolkitSound sound{tones, clock, console};
  ui::Toolkit toolkit{screen, colours, events, sound, clipboard};

  HeadlessToolkit() { colours.ApplyControlColours(); }

  // Runs `check` once, when the program looks for input after the pause
  // scripted last.
  void AtNextPause(std::function<void()> check) { console.PushAction(std::move(check)); }
};

}  // namespace zq::testing
