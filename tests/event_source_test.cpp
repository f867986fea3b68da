#include <gtest/gtest.h>

#include "platform/text_literal.h"
#include "support/headless_toolkit.h"
#include "ui/key_codes.h"

namespace zq::ui {
namespace {

using testing::HeadlessToolkit;
using testing::PlayedTone;

Event NextEvent(HeadlessToolkit& t) {
  Event event;
  t.events.GetEvent(event);
  return event;
}

TEST(EventSource, TranslatesKeysAndMarksExtendedOnes) {
  HeadlessToolkit t;
  t.console.PushKey(KB_CTRL_I);
  t.console.PushKey(KB_CTRL_Q);
  t.console.PushKey(KB_INSERT, 0x23);  // Shift held (both bits)
  t.console.PushKey(KB_INSERT, 0x21);  // only one Shift bit: a plain Insert
  t.console.PushKey(0x1E61);           // "a"
  t.console.PushKey(KB_F1);

  Event event = NextEvent(t);
  EXPECT_EQ(event.kind, EventKind::KEY);
  EXPECT_EQ(event.keyCode, KB_INSERT);
  EXPECT_EQ(event.flag, 1);
  EXPECT_EQ(event.character, ' ');
  event = NextEvent(t);
  EXPECT_EQ(event.keyCode, KB_ESC);
  EXPECT_EQ(event.flag, 0);
  EXPECT_EQ(event.character, 0x1B);
  EXPECT_EQ(NextEvent(t).keyCode, KB_SHIFT_INSERT);
  EXPECT_EQ(NextEvent(t).keyCode, KB_INSERT);
  event = NextEvent(t);
  EXPECT_EQ(event.character, 'a');
  EXPECT_EQ(event.flag, 0);
  EXPECT_EQ(event.state, 0x20);
  event = NextEvent(t);
  EXPECT_EQ(event.keyCode, KB_F1);
  EXPECT_EQ(event.flag, 1);
}

TEST(EventSource, AltLettersTypePolishLettersCapitalOnlyForTwoExactStates) {
  HeadlessToolkit t;
  const std::uint16_t ALT_A = 0x1E00;
  const std::uint16_t ALT_P = 0x1900;
  const std::uint16_t ALT_Z = 0x2C00;
  t.console.PushKey(ALT_P, 0x28);
  t.console.PushKey(ALT_P, 0x2B);
  t.console.PushKey(ALT_A, 0x0B);  // Alt + Shift with Num Lock off
  t.console.PushKey(ALT_A, 0x2B);  // Alt + Shift + Num Lock
  t.console.PushKey(ALT_Z, 0x68);  // Alt + Caps Lock + Num Lock
  t.console.PushKey(ALT_Z, 0x6B);  // Caps Lock and Shift together
  const ShortString expected = "§§ąĄŻż"_pl;
  for (char letter : expected) {
    const Event event = NextEvent(t);
    EXPECT_EQ(event.flag, 0);
    EXPECT_EQ(event.character, static_cast<std::uint8_t>(letter));
  }
  t.events.SetPolishComposition(false);
  t.console.PushKey(ALT_A, 0x28);
  const Event plain = NextEvent(t);
  EXPECT_EQ(plain.flag, 1);
  EXPECT_EQ(plain.keyCode, ALT_A);
}

TEST(EventSource, MouseTakesOnePressAndTheTopLeftCornerIsEsc) {
  HeadlessToolkit t;
  t.console.PushMouse(0, 5, 5);  // a release alone is no event
  t.console.PushMouse(platform::MOUSE_LEFT, 24, 10);
  t.console.PushMouse(0, 24, 10);
  t.console.PushMouse(platform::MOUSE_LEFT, 30, 10);  // dropped with the release
  t.console.PushKey(KB_ENTER);
  t.console.PushMouse(platform::MOUSE_RIGHT, 1, 0);  // column 2 of row 1
  Rect saved;
  t.screen.SaveRegion({21, 9, 58, 16}, saved);

  Event event = NextEvent(t);
  EXPECT_EQ(event.kind, EventKind::MOUSE);
  EXPECT_EQ(event.buttons, 1);
  EXPECT_EQ(event.screenColumn, 25);
  EXPECT_EQ(event.screenRow, 11);
  EXPECT_EQ(event.column, 5);
  EXPECT_EQ(event.row, 3);
  EXPECT_TRUE(NextEvent(t).IsKey(KB_ENTER));
  EXPECT_TRUE(NextEvent(t).IsKey(KB_ESC));
}

TEST(EventSource, HintLineIsDrawnOnRow25AndTurnsKeysAndClicksIntoCommands) {
  HeadlessToolkit t;
  const std::uint16_t KB_F5 = 0x3F00;
  t.events.NewHintLine({NewHintItem(0x1003, KB_F5, "F5-Start"_pl),
                        NewHintItem(0x1004, KB_F5, "F5-Drugi"_pl), NewHintItem(0, 0, "?"_pl)});
  EXPECT_EQ(t.Row(25), " F5-Start│F5-Drugi│?│" + std::string(59, ' '));
  EXPECT_EQ(t.Attribute(1, 25), 0x70);
  EXPECT_EQ(t.Attribute(80, 25), 0x70);

  t.console.PushKey(KB_F5);
  t.console.PushMouse(platform::MOUSE_LEFT, 10, 24);  // column 11: inside the second entry
  t.console.PushKey(0);                               // key 0 never matches the "?" entry
  t.console.PushMouse(platform::MOUSE_LEFT, 19, 24);  // the "?" entry
  t.console.PushPause();
  t.console.PushMouse(platform::MOUSE_LEFT, 40, 24);  // past every entry
  EXPECT_TRUE(NextEvent(t).IsCommand(0x1003));        // the first matching entry wins
  EXPECT_TRUE(NextEvent(t).IsCommand(0x1004));
  EXPECT_EQ(NextEvent(t).kind, EventKind::KEY);
  EXPECT_TRUE(NextEvent(t).IsCommand(0));
  EXPECT_EQ(NextEvent(t).kind, EventKind::MOUSE);
}

TEST(EventSource, ClosingAHintLineBringsBackTheOneBeneathThenAnEmptyBar) {
  HeadlessToolkit t;
  const HintLine* page = t.events.NewHintLine({NewHintItem(0x1001, KB_PGDN, "PgDn-Dalej"_pl)});
  const HintLine* box = t.events.NewHintLine({NewHintItem(0, 0, "?"_pl)});
  EXPECT_EQ(t.Text(1, 25, 4), " ?│ ");
  t.events.DoneHintLine(box);
  EXPECT_EQ(t.Text(1, 25, 13), " PgDn-Dalej│ ");
  t.events.DoneHintLine(page);
  EXPECT_EQ(t.Row(25), std::string(80, ' '));
  EXPECT_EQ(t.Attribute(40, 25), 0x70);
  EXPECT_EQ(t.events.CurrentHintLine(), nullptr);
}

TEST(EventSource, IdleWaitKeepsTheClockRunningOncePerSecond) {
  HeadlessToolkit t;
  t.clock.SetStart({2021, 1, 4, 9, 5, 58, 1, 0}, 0);
  // 31 idle steps of 64 ms: 1984 ms, the time reaches 09:05:59 but not 09:06:00.
  for (int i = 0; i < 31; ++i) t.console.PushPause();
  t.console.PushKey(KB_ENTER);
  EXPECT_TRUE(NextEvent(t).IsKey(KB_ENTER));
  EXPECT_EQ(t.Text(73, 1, 8), "09:05:59");
  EXPECT_EQ(t.Attribute(73, 1), 0x0F);
  t.console.PushPause();
  t.console.PushKey(KB_ENTER);
  NextEvent(t);
  EXPECT_EQ(t.Text(73, 1, 8), "09:06:00");
  EXPECT_EQ(t.clock.Elapsed(), 32u * 64u);  // asleep in every step
}

TEST(EventSource, FlushKeysDropsOnlyWhatIsAlreadyWaiting) {
  HeadlessToolkit t;
  t.console.PushKey(0x1E61);
  t.console.PushMouse(platform::MOUSE_LEFT, 3, 3);
  t.console.PushPause();
  t.console.PushKey(0x3062);  // typed later
  t.events.FlushKeys();
  EXPECT_EQ(NextEvent(t).character, 'b');
}

TEST(ToolkitSound, ZqsoundSilencesOnlyWhenExactlyOff) {
  HeadlessToolkit t;
  t.sound.InitSound(std::nullopt);
  t.sound.Beep();
  t.sound.Sound(2, 4000);
  EXPECT_EQ(t.tones.tones, (std::vector<PlayedTone>{{500, 288}, {4000, 96}}));
  for (const char* value : {"off", "OFF ", " OFF", "Off"}) {
    t.sound.InitSound(ShortString(value));
    EXPECT_FALSE(t.sound.SoundOff()) << value;
  }
  t.sound.InitSound(ShortString("OFF"));
  t.sound.Beep();
  EXPECT_EQ(t.tones.tones.size(), 2u);
}

}  // namespace
}  // namespace zq::ui
