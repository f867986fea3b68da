#pragma once
// Turns console input into the events that dialogs and boxes consume: key
// translations, the Polish letters typed with Alt, mouse clicks and the
// commands of the current hint line. While nothing is typed it sleeps in
// short steps and keeps the clock in the top-right corner running.

#include <cstdint>
#include <vector>

#include "platform/clock.h"
#include "platform/console.h"
#include "ui/colours.h"
#include "ui/event.h"
#include "ui/hint_line.h"
#include "ui/screen.h"

namespace zq::ui {

class EventSource {
 public:
  static constexpr int IDLE_WAIT_MS = 64;
  static constexpr int CLOCK_COLUMN = 73;

  EventSource(platform::Console& console, platform::Clock& clock, Screen& screen,
              const Colours& colours);

  // Waits for the next key or click (or the command of a hint-line entry).
  void GetEvent(Event& event);
  // Throws away everything typed or clicked ahead.
  void FlushKeys();

  // Under this switch (on from the start) Alt+letter types a Polish letter.
  void SetPolishComposition(bool on) { polishComposition_ = on; }

  HintLine* NewHintLine(std::vector<HintItem> items) { return hintLines_.Push(std::move(items)); }
  void DoneHintLine(const HintLine* line) { hintLines_.Done(line); }
  void ResetHintLines() { hintLines_.Reset(); }
  const HintLine* CurrentHintLine() const { return hintLines_.Current(); }

 private:
  void TakeKey(const platform::KeyRecord& key, Event& event) const;
  void TakeMouse(const platform::MouseRecord& mouse, Event& event);
  void IdleStep();

  platform::Console& console_;
  platform::Clock& clock_;
  Screen& screen_;
  HintLineStack hintLines_;
  bool polishComposition_ = true;
  int shownSecond_ = -1;
};

}  // namespace zq::ui
