#include <gtest/gtest.h>

#include <string>

#include "platform/text_literal.h"
#include "support/headless_log.h"
#include "transfer/progress_log.h"

namespace zq::transfer {
namespace {

struct LogFixture : ::testing::Test, zq::testing::HeadlessLog {
  void WriteHeader() {
    log.ClearLog(true);
    log.LogWriteLn("header one"_pl);
    log.LogWriteLn("header two"_pl);
  }
};

TEST_F(LogFixture, TwentyFirstBodyLineLandsOnRow23AndScrollsTheBody) {
  WriteHeader();
  log.ClearLog(false);
  log.LogWriteLn();
  log.LogWriteLn();
  for (int line = 1; line <= 20; ++line) log.LogWriteLn("line " + std::to_string(line));
  EXPECT_EQ(log.CurrentRow(), 23);
  log.SetLogColour(LOG_ERROR);
  log.LogWrite("line 21"_pl);
  EXPECT_EQ(s.Text(1, 23, 7), "line 21");
  EXPECT_EQ(s.Attribute(1, 23), LOG_ERROR);
  log.LogWriteLn();  // ending it scrolls at once
  EXPECT_EQ(s.Text(1, 3, 7), "line 2 ");
  EXPECT_EQ(s.Text(1, 22, 7), "line 21");
  EXPECT_EQ(s.Attribute(1, 22), LOG_NORMAL);  // a scrolled line loses its colour
  EXPECT_EQ(s.Row(23), std::string(80, ' '));
  EXPECT_EQ(s.Text(1, 1, 10), "header one");  // the header stays
  log.LogWriteLn("line 22"_pl);
  EXPECT_EQ(s.Text(1, 22, 7), "line 22");
  EXPECT_EQ(log.CurrentRow(), 23);
  EXPECT_EQ(s.Row(24), std::string(80, ' '));
}

TEST_F(LogFixture, ARowHoldsAtMost79CharactersAndColoursLastOneWrite) {
  log.ClearLog(true);
  log.LogWrite(std::string(80, 'a'));
  EXPECT_EQ(s.Text(1, 1, 80), std::string(79, 'a') + " ");
  EXPECT_EQ(log.CurrentColumn(), 80);
  log.LogWrite("more"_pl);
  EXPECT_EQ(s.Text(80, 1, 1), " ");
  log.LogWriteLn();

  log.SetLogColour(LOG_LABEL);
  log.LogWrite("osoba: "_pl);
  log.SetLogColour(LOG_EMPHASIS);
  log.LogWrite("Jan Kowalski"_pl);
  log.LogWriteLn(" ok"_pl);
  EXPECT_EQ(s.Text(1, 2, 22), "osoba: Jan Kowalski ok");
  EXPECT_EQ(s.Attribute(1, 2), LOG_LABEL);
  EXPECT_EQ(s.Attribute(8, 2), LOG_EMPHASIS);
  EXPECT_EQ(s.Attribute(20, 2), LOG_NORMAL);
  // An empty write keeps the colour for the next text.
  log.SetLogColour(LOG_ERROR);
  log.LogWriteLn();
  log.LogWrite("x"_pl);
  EXPECT_EQ(s.Attribute(1, 4), LOG_ERROR);
}

TEST_F(LogFixture, ClearingKeepsTheHeaderMirrorAndAShortHeaderLeavesTheRestOfTheBanner) {
  log.ClearLog(true);
  log.LogWriteLn(std::string(70, 'B'));
  log.LogWriteLn("second"_pl);
  log.LogWriteLn("body"_pl);
  log.ClearLog(false);
  EXPECT_EQ(s.Text(1, 1, 70), std::string(70, 'B'));
  EXPECT_EQ(s.Text(1, 2, 6), "second");
  EXPECT_EQ(s.Row(3), std::string(80, ' '));
  EXPECT_EQ(log.CurrentRow(), 1);
  log.LogWriteLn("0123456789"_pl);
  EXPECT_EQ(s.Text(1, 1, 71), "0123456789" + std::string(60, 'B') + " ");
  log.ClearLog(true);
  EXPECT_EQ(s.Row(1), std::string(80, ' '));
}

TEST_F(LogFixture, PauseOnlyWhenShowingSlowlyAndKeyWaitDropsTypeAhead) {
  log.PauseIfSlow();
  EXPECT_EQ(s.clock.Elapsed(), 0u);
  showSlowly = 1;
  log.PauseIfSlow();
  EXPECT_EQ(s.clock.Elapsed(), 1000u);

  s.console.PushPause();
  s.console.PushMouse(platform::MOUSE_LEFT, 1, 1);
  s.console.PushKey(0x1E61);
  s.console.PushKey(0x1F73);  // typed ahead: dropped
  s.console.PushKey(0x3B00);
  EXPECT_EQ(log.WaitForKey(), 'a');
  EXPECT_FALSE(s.console.CursorVisible());
  EXPECT_TRUE(s.console.ScriptDone());
  s.console.PushKey(0x3B00);
  EXPECT_EQ(log.WaitForKey(), '\0');
}

}  // namespace
}  // namespace zq::transfer
