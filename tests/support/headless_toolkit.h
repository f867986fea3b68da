#pragma once
// A whole toolkit over the headless console, built in one line:
//
//     zq::testing::HeadlessToolkit t;
//     t.console.PushKey(0x1C0D);
//     ShowMessage(t.toolkit, ...);

#include "platform/console_clipboard.h"
#include "support/headless_screen.h"
#include "support/no_files.h"
#include "support/recording_sound.h"
#include "ui/toolkit.h"

namespace zq::testing {

struct HeadlessToolkit : HeadlessScreen {
  NoFiles files;
  RecordingSound tones;
  platform::ConsoleClipboard clipboard{console};
  ui::Colours colours{files};
  ui::EventSource events{console, clock, screen, colours};
  ui::ToolkitSound sound{tones, clock, console};
  ui::Toolkit toolkit{screen, colours, events, sound, clipboard};

  HeadlessToolkit() { colours.ApplyControlColours(); }
};

}  // namespace zq::testing
