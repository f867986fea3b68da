#include "ui/event_source.h"

#include <array>
#include <cstdio>

#include "ui/key_codes.h"

namespace zq::ui {

namespace {

struct PolishAltKey {
  std::uint16_t code;
  std::uint8_t small;
  std::uint8_t capital;
};

// Alt+letter and the letter it types.
constexpr std::array<PolishAltKey, 10> POLISH_ALT_KEYS = {{
    {0x1E00, 0xA5, 0xA4},  // ą Ą
    {0x2E00, 0x86, 0x8F},  // ć Ć
    {0x1200, 0xA9, 0xA8},  // ę Ę
    {0x2600, 0x88, 0x9D},  // ł Ł
    {0x3100, 0xE4, 0xE3},  // ń Ń
    {0x1800, 0xA2, 0xE0},  // ó Ó
    {0x1F00, 0x98, 0x97},  // ś Ś
    {0x2D00, 0xAB, 0x8D},  // ź Ź
    {0x2C00, 0xBE, 0xBD},  // ż Ż
    {0x1900, 0xF5, 0xF5},  // § §
}};

// The capital comes only with Alt + Shift + Num Lock or Alt + Caps Lock +
// Num Lock, exactly; any other state gives the small letter.
constexpr std::uint8_t ALT_SHIFT_NUM_LOCK = 0x2B;
constexpr std::uint8_t ALT_CAPS_NUM_LOCK = 0x68;

bool IsEscCorner(const platform::MouseRecord& mouse) {
  return mouse.row == 0 && mouse.column <= 1;
}

}  // namespace

EventSource::EventSource(platform::Console& console, platform::Clock& clock, Screen& screen,
                         const Colours& colours)
    : console_(console), clock_(clock), screen_(screen), hintLines_(screen, colours) {}

void EventSource::GetEvent(Event& event) {
  event.Clear();
  while (event.kind == EventKind::NONE) {
    platform::InputRecord record;
    if (!console_.ReadInput(record)) {
      IdleStep();
    } else if (record.kind == platform::InputRecord::Kind::KEY) {
      TakeKey(record.key, event);
    } else {
      TakeMouse(record.mouse, event);
    }
  }
  if (const HintLine* line = hintLines_.Current()) line->Translate(event);
}

void EventSource::TakeKey(const platform::KeyRecord& key, Event& event) const {
  event.kind = EventKind::KEY;
  event.state = key.state;
  event.keyCode = key.code;
  if (key.code == KB_CTRL_I) event.keyCode = KB_INSERT;
  if (key.code == KB_CTRL_Q) event.keyCode = KB_ESC;
  if (event.keyCode == KB_INSERT && (key.state & platform::STATE_SHIFT) == platform::STATE_SHIFT) {
    event.keyCode = KB_SHIFT_INSERT;
  }
  const auto character = static_cast<std::uint8_t>(event.keyCode & 0xFF);
  if (character != 0) {
    event.character = character;
    event.flag = 0;
    return;
  }
  event.character = ' ';
  event.flag = 1;
  if (!polishComposition_) return;
  for (const PolishAltKey& alt : POLISH_ALT_KEYS) {
    if (alt.code != event.keyCode) continue;
    const bool capital = key.state == ALT_SHIFT_NUM_LOCK || key.state == ALT_CAPS_NUM_LOCK;
    event.character = capital ? alt.capital : alt.small;
    event.flag = 0;
    return;
  }
}

void EventSource::TakeMouse(const platform::MouseRecord& mouse, Event& event) {
  if (mouse.buttons == 0) return;  // a release or a move
  // One click per press: whatever the mouse reported after it is dropped.
  platform::InputRecord further;
  while (console_.PeekInput(further) && further.kind == platform::InputRecord::Kind::MOUSE) {
    console_.ReadInput(further);
  }
  if (IsEscCorner(mouse)) {
    event.kind = EventKind::KEY;
    event.keyCode = KB_ESC;
    event.character = static_cast<std::uint8_t>(KB_ESC & 0xFF);
    return;
  }
  event.kind = EventKind::MOUSE;
  event.buttons = mouse.buttons;
  event.screenColumn = mouse.column + 1;
  event.screenRow = mouse.row + 1;
  const Rect& region = screen_.Region();
  event.column = event.screenColumn - region.x1 + 1;
  event.row = event.screenRow - region.y1 + 1;
}

void EventSource::IdleStep() {
  console_.WaitForInput(IDLE_WAIT_MS);
  const platform::LocalTime now = clock_.Now();
  if (now.second == shownSecond_) return;
  shownSecond_ = now.second;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.hour % 100, now.minute % 100,
                now.second % 100);
  screen_.WriteScreen(CLOCK_COLOUR, CLOCK_COLUMN, 1, text);
}

void EventSource::FlushKeys() {
  platform::InputRecord record;
  while (console_.ReadInput(record)) {
  }
}

}  // namespace zq::ui
