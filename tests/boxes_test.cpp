#include <gtest/gtest.h>

#include "platform/text_literal.h"
#include "support/headless_toolkit.h"
#include "ui/ask_yes_no.h"
#include "ui/commands.h"
#include "ui/input_box.h"
#include "ui/key_codes.h"
#include "ui/wait_box.h"

namespace zq::ui {
namespace {

using zq::testing::Repeat;

using testing::HeadlessToolkit;

TEST(AskYesNo, OneWordBoxIsElevenWideAndEscDoesNotCloseIt) {
  HeadlessToolkit t;
  t.console.PushPause();
  t.AtNextPause([&] {
    EXPECT_EQ(t.Text(10, 10, 12), "┌─────────┐ ");
    EXPECT_EQ(t.Text(11, 11, 9), " Dość?   ");
    EXPECT_EQ(t.Attribute(12, 11), 0x0F);
    EXPECT_EQ(t.Text(11, 12, 9), Repeat("─", 9));
    EXPECT_EQ(t.Text(12, 13, 7), " T a k ");
    EXPECT_EQ(t.Attribute(12, 13), 0x02);
    EXPECT_EQ(t.Attribute(13, 13), 0x0F);  // the hot letter of the bar not selected
    EXPECT_EQ(t.Attribute(14, 13), 0x02);
    EXPECT_EQ(t.Text(12, 14, 7), " N i e ");
    EXPECT_EQ(t.Attribute(13, 14), 0x70);  // "Nie" selected by default
    EXPECT_EQ(t.Text(10, 15, 11), "└─────────┘");
    EXPECT_EQ(t.Text(1, 25, 19), " ^T - tak│^N - nie│");
  });
  t.console.PushKey(KB_ESC);
  t.console.PushKey(KB_F1);
  t.console.PushKey(KB_UP);
  t.console.PushKey(KB_ENTER);
  EXPECT_TRUE(AskYesNo(t.toolkit, false, "Dość?"_pl, 10, 10));
  EXPECT_EQ(t.Row(13), std::string(80, ' '));
  EXPECT_EQ(t.Row(25), std::string(80, ' '));

  t.console.PushKey(0x316E);  // "n"
  EXPECT_FALSE(AskYesNo(t.toolkit, true, "Dość?"_pl, 10, 10));
  t.console.PushKey(KB_CTRL_T);
  EXPECT_TRUE(AskYesNo(t.toolkit, false, "Dość?"_pl, 10, 10));
  t.console.PushMouse(platform::MOUSE_LEFT, 14, 12);  // on the "Tak" bar
  EXPECT_TRUE(AskYesNo(t.toolkit, false, "Dość?"_pl, 10, 10));
  t.console.PushMouse(platform::MOUSE_LEFT, 9, 12);  // on the frame: any other click is "no"
  EXPECT_FALSE(AskYesNo(t.toolkit, true, "Dość?"_pl, 10, 10));
}

TEST(AskYesNo, StaysOnTheScreen) {
  HeadlessToolkit t;
  const ShortString question = "Rezygnujesz z konwersji danych na nowy rok ?"_pl;  // 44 wide
  t.console.PushPause();
  t.AtNextPause([&] {
    // column 70 + 44 > 77: moved to 33; row 22 + 5 + 1 > 24: moved to 18.
    EXPECT_EQ(t.Text(33, 18, 1), "┌");
    EXPECT_EQ(t.Text(80, 23, 1), "┘");
  });
  t.console.PushKey(KB_ENTER);
  EXPECT_FALSE(AskYesNo(t.toolkit, false, question, 22, 70));
}

TEST(InputBox, EscRestoresTheValueAndTheSharedStateEnterKeepsIt) {
  HeadlessToolkit t;
  SetInputBoxLength(t.toolkit, 37);  // ignored
  SetInputBoxLength(t.toolkit, 0);   // ignored
  EXPECT_EQ(t.toolkit.inputBoxLength, 37);
  SetInputBoxLength(t.toolkit, 3);
  ShortString rate = "22"_pl;
  t.console.PushPause();
  t.AtNextPause([&] {
    EXPECT_EQ(t.Text(20, 8, 1), "┌");
    EXPECT_EQ(t.Text(60, 17, 1), "┘");
    EXPECT_EQ(t.Text(22, 10, 12), "Nowa stawka:");
    EXPECT_EQ(t.Text(40, 13, 4), "22  ");  // inner column (41 - 3 - 2) div 2 + 2 = 20
    EXPECT_EQ(t.Attribute(42, 13), 0x70);
    EXPECT_EQ(t.Attribute(43, 13), 0x02);
    EXPECT_EQ(t.Text(1, 25, 36), " Enter - potwierdź│Esc - zrezygnuj│ ");
  });
  t.console.PushKey(KB_BACKSPACE);
  t.console.PushKey(0x0635);  // "5"
  t.console.PushKey(KB_TAB);  // leaving the line marks the data changed...
  t.console.PushKey(KB_ESC);
  EXPECT_EQ(InputBox(t.toolkit, rate, "Nowa stawka:"_pl), CM_CANCEL);
  EXPECT_EQ(rate, "22"_pl);
  EXPECT_FALSE(t.toolkit.dataChanged);  // ...but the box puts the flag back
  EXPECT_EQ(t.toolkit.inputBoxLength, 37);
  EXPECT_EQ(t.Row(13), std::string(80, ' '));

  SetInputBoxLength(t.toolkit, 3);
  t.console.PushPause();
  t.console.PushKey(KB_BACKSPACE);
  t.console.PushKey(0x0635);
  t.console.PushKey(KB_ENTER);
  EXPECT_EQ(InputBox(t.toolkit, rate, "\x03Stawka"_pl), CM_OK);
  EXPECT_EQ(rate, "25"_pl);
}

TEST(InputBox, TheFieldOfTheDefaultLengthFillsTheInnerAreaInsideTheFrame) {
  HeadlessToolkit t;
  ShortString directory = "FIRMA1"_pl;
  t.console.PushPause();
  t.AtNextPause([&] {
    // Width 37 + 2 from column 21: the inner area is columns 22..58.
    EXPECT_EQ(t.Text(21, 8, 1), "┌");
    EXPECT_EQ(t.Text(21, 13, 7), "│FIRMA1");
    EXPECT_EQ(t.Attribute(22, 13), 0x70);
    EXPECT_EQ(t.Attribute(58, 13), 0x70);  // the field's last cell
    EXPECT_EQ(t.Text(59, 13, 1), "│");
    EXPECT_EQ(t.Text(59, 17, 1), "┘");
  });
  t.console.PushKey(KB_ENTER);
  EXPECT_EQ(InputBox(t.toolkit, directory, "Katalog:"_pl), CM_OK);
  EXPECT_EQ(directory, "FIRMA1"_pl);
}

TEST(WaitBox, BarFillsByStepsShadesOnResetAndTheScreenComesBack) {
  HeadlessToolkit t;
  WaitBox box(t.toolkit);
  ASSERT_TRUE(box.WaitBoxOpen(10, ""_pl, ""_pl));
  // Inner area 37 x 6 from column 20, row 9.
  EXPECT_EQ(t.Text(19, 8, 39), "┌" + Repeat("─", 37) + "┐");
  EXPECT_EQ(t.Text(23, 10, 32), "Czekaj ..." + std::string(22, ' '));
  EXPECT_EQ(t.Attribute(54, 10), 0x70);
  EXPECT_EQ(t.Text(21, 12, 35), Repeat("░", 35));
  EXPECT_EQ(t.Attribute(21, 12), 0x70);
  EXPECT_EQ(t.Attribute(20, 11), 0x07);

  box.WaitBoxStep(3);
  EXPECT_EQ(t.Text(21, 12, 35), Repeat("█", 10) + Repeat("░", 25));
  EXPECT_EQ(t.Text(21, 14, 8), "       3");
  EXPECT_EQ(t.Attribute(28, 14), 0x4F);
  box.WaitBoxStep(100);
  EXPECT_EQ(t.Text(21, 12, 35), Repeat("█", 35));
  EXPECT_EQ(t.Text(21, 14, 8), "      10");
  box.WaitBoxReset();
  EXPECT_EQ(t.Text(21, 12, 35), Repeat("▒", 35));
  box.WaitBoxStep(1);
  EXPECT_EQ(t.Text(21, 12, 35), Repeat("█", 3) + Repeat("▒", 32));
  EXPECT_EQ(t.Text(21, 14, 8), "       1");

  box.WaitBoxClose();
  EXPECT_EQ(t.Row(12), std::string(80, ' '));
  ASSERT_TRUE(box.WaitBoxOpen(0, "Sieciowa KOLEJKA "_pl, ""_pl));  // a total of 0 counts as 1
  EXPECT_EQ(t.Text(23, 10, 17), "Sieciowa KOLEJKA ");
  box.WaitBoxStep(1);
  EXPECT_EQ(t.Text(21, 12, 35), Repeat("█", 35));
}

}  // namespace
}  // namespace zq::ui
