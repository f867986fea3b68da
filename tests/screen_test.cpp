#include <gtest/gtest.h>

#include "platform/text_literal.h"
#include "support/headless_screen.h"

namespace zq::ui {
namespace {

using zq::testing::Repeat;

using testing::HeadlessScreen;

WindowStyle BoxStyle(ShortString title) {
  WindowStyle style;
  style.title = title;
  style.titleColour = 0x0F;
  style.frameColour = 0x07;
  style.textColour = 0x02;
  return style;
}

TEST(Screen, WindowDrawsFrameCentredTitleAndClearedInterior) {
  HeadlessScreen s;
  TextWindow* window = s.screen.OpenWindow({20, 8, 59, 17}, BoxStyle(" Informacja "_pl));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->inner, (Rect{21, 9, 58, 16}));
  // inner width 38, title of 12: starts at x1 + (38 - 12) / 2 + 1 = 34
  EXPECT_EQ(s.Text(20, 8, 40), "┌" + Repeat("─", 13) + " Informacja " + Repeat("─", 13) + "┐");
  EXPECT_EQ(s.Attribute(34, 8), 0x0F);
  EXPECT_EQ(s.Attribute(33, 8), 0x07);
  EXPECT_EQ(s.Text(20, 12, 40), "│" + std::string(38, ' ') + "│");
  EXPECT_EQ(s.Attribute(30, 12), 0x02);
  EXPECT_EQ(s.Text(20, 17, 40), "└" + Repeat("─", 38) + "┘");
  // Writes go into the inner rectangle; the plain kind in the text colour.
  s.screen.PutTextPlain(1, 1, "ąb"_pl);
  EXPECT_EQ(s.Text(21, 9, 2), "ąb");
  EXPECT_EQ(s.Attribute(21, 9), 0x02);
}

TEST(Screen, NestedWindowsRestoreExactlyWhatTheyCovered) {
  HeadlessScreen s;
  s.screen.WriteScreen(0x1E, 1, 10, std::string(80, 'x'));
  s.screen.WriteScreen(0x4F, 30, 12, "under"_pl);
  TextWindow* first = s.screen.OpenWindow({10, 9, 50, 14}, BoxStyle(""_pl));
  TextWindow* second = s.screen.OpenWindow({25, 11, 70, 20}, BoxStyle("B"_pl));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(s.screen.CurrentWindow(), second);
  s.screen.CloseWindow(second);
  EXPECT_EQ(s.screen.CurrentWindow(), first);
  EXPECT_EQ(s.Text(10, 9, 1), "┌");
  EXPECT_EQ(s.Text(51, 11, 20), std::string(20, ' '));  // outside `first`: the bare screen again
  s.screen.CloseWindow(first);
  EXPECT_EQ(s.Row(10), std::string(80, 'x'));
  EXPECT_EQ(s.Attribute(40, 10), 0x1E);
  EXPECT_EQ(s.Text(30, 12, 5), "under");
  EXPECT_EQ(s.Attribute(30, 12), 0x4F);
  EXPECT_EQ(s.Attribute(29, 12), 0x07);
  EXPECT_EQ(s.screen.CurrentWindow(), nullptr);
  EXPECT_EQ(s.screen.Region(), Rect{});
}

TEST(Screen, RejectsWindowsOffTheScreenAndClipsWritesAtItsEdge) {
  HeadlessScreen s;
  EXPECT_EQ(s.screen.OpenWindow({0, 5, 10, 10}, BoxStyle(""_pl)), nullptr);
  EXPECT_EQ(s.screen.OpenWindow({70, 20, 81, 25}, BoxStyle(""_pl)), nullptr);
  EXPECT_EQ(s.screen.OpenWindow({70, 20, 80, 26}, BoxStyle(""_pl)), nullptr);
  EXPECT_EQ(s.Row(20), std::string(80, ' '));
  s.screen.WriteScreen(0x07, 75, 25, "abcdefghij"_pl);
  EXPECT_EQ(s.Text(75, 25, 6), "abcdef");
  EXPECT_EQ(s.Text(1, 1, 4), "    ");  // nothing wrapped onto another row
}

TEST(Screen, WriteCentredUsesTheCurrentRegion) {
  HeadlessScreen s;
  s.screen.WriteCentred(0x07, 1, "0123456789"_pl);
  EXPECT_EQ(s.Text(35, 1, 10), "0123456789");
  Rect saved;
  s.screen.SaveRegion({11, 5, 30, 10}, saved);
  s.screen.WriteCentred(0x07, 2, "abcd"_pl);  // 11 + 19 / 2 - 2 = 18
  EXPECT_EQ(s.Text(18, 6, 4), "abcd");
  s.screen.RestoreRegion(saved);
  EXPECT_EQ(s.screen.Region(), Rect{});
}

}  // namespace
}  // namespace zq::ui
