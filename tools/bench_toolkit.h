#pragma once
// What the benchmarks of screens and boxes stand on: a console that shows
// nothing and hands out the keys queued for it, so that drawing costs what
// the screen buffer costs rather than what a test console keeps; a silent
// bell; and the dialog toolkit over them.

#include <cstdint>
#include <deque>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/console_clipboard.h"
#include "platform/files.h"
#include "platform/sound.h"
#include "ui/colours.h"
#include "ui/event_source.h"
#include "ui/screen.h"
#include "ui/toolkit.h"
#include "ui/toolkit_sound.h"

namespace zq::bench {

struct Silence : platform::Sound {
  void Tone(int, int) override {}
};

struct KeyQueueConsole : platform::Console {
  std::deque<platform::InputRecord> keys;

  void PushKey(std::uint16_t code) {
    keys.push_back(platform::InputRecord::Key(code, platform::STATE_NUM_LOCK));
  }
  void WriteCells(int, int, std::span<const platform::Cell>) override {}
  void SetCursorPosition(int, int) override {}
  void SetCursorVisible(bool) override {}
  void SetCursorSize(int) override {}
  void SetTitle(std::string_view) override {}
  bool PeekInput(platform::InputRecord& record) override {
    if (keys.empty()) return false;
    record = keys.front();
    return true;
  }
  bool ReadInput(platform::InputRecord& record) override {
    if (!PeekInput(record)) return false;
    keys.pop_front();
    return true;
  }
  bool WaitForInput(int) override { return !keys.empty(); }
  void Flush() override {}
  void Bell() override {}
};

struct BenchToolkit {
  BenchToolkit(platform::FileSystem& files, platform::Clock& clock)
      : colours(files), events(console, clock, screen, colours), sound(silence, clock, console) {}

  KeyQueueConsole console;
  ui::Screen screen{console};
  ui::Colours colours;
  ui::EventSource events;
  Silence silence;
  ui::ToolkitSound sound;
  platform::ConsoleClipboard clipboard{console};
  ui::Toolkit toolkit{screen, colours, events, sound, clipboard};
};

}  // namespace zq::bench
