#include <gtest/gtest.h>

#include "platform/text_literal.h"
#include "support/headless_toolkit.h"
#include "ui/commands.h"
#include "ui/key_codes.h"
#include "ui/message_box.h"

namespace zq::ui {
namespace {

using zq::testing::Repeat;

using testing::HeadlessToolkit;

TEST(MessageBox, NetInfoBoxLaysOutItsLinesAndButtonsAndAnswers) {
  HeadlessToolkit t;
  const ShortString text =
      "\x03 NET Info\x0d\x03"
      "DOSTĘP BLOKOWANY SIECIOWO\x0d"
      "Czy czekamy ?"_pl;
  t.console.PushPause();
  t.AtNextPause([&] {
    EXPECT_EQ(t.Text(20, 8, 40), "┌" + Repeat("─", 13) + " Informacja " + Repeat("─", 13) + "┐");
    EXPECT_EQ(t.Attribute(34, 8), 0x0F);
    // Inner area from column 21, row 9: centred at (40 - length) div 2.
    EXPECT_EQ(t.Text(21, 9, 38), std::string(14, ' ') + " NET Info" + std::string(15, ' '));
    EXPECT_EQ(t.Text(27, 10, 25), "DOSTĘP BLOKOWANY SIECIOWO");
    EXPECT_EQ(t.Text(21, 11, 14), "Czy czekamy ? ");
    EXPECT_EQ(t.Attribute(21, 11), 0x02);
    // Row 7: "Tak" at inner column 7 (focused, pressed), "Nie" at 23.
    EXPECT_EQ(t.Text(27, 15, 10), " »  Tak  «");
    EXPECT_EQ(t.Text(43, 15, 10), "   Nie   ▄");
    EXPECT_EQ(t.Text(1, 25, 4), " ?│ ");
  });
  t.console.PushKey(KB_ENTER);
  EXPECT_EQ(ShowMessage(t.toolkit, 0x0302, text), CM_YES);
  EXPECT_EQ(t.Row(12), std::string(80, ' '));  // the screen is back

  // A box drops what was typed before it opened: each answer comes after a pause.
  t.console.PushKey(KB_ESC);
  t.console.PushPause();
  t.console.PushKey(ui::KB_SMALL_N);
  EXPECT_EQ(ShowMessage(t.toolkit, 0x0302, text), CM_NO);
  t.console.PushPause();
  t.console.PushKey(KB_ESC);
  EXPECT_EQ(ShowMessage(t.toolkit, 0x0302, text), CM_CANCEL);
  t.console.PushPause();
  t.console.PushKey(KB_RIGHT);
  t.console.PushKey(KB_SPACE);
  EXPECT_EQ(ShowMessage(t.toolkit, 0x0302, text), CM_NO);
  t.console.PushPause();
  t.console.PushMouse(platform::MOUSE_LEFT, 45, 14);  // on "Nie": only takes the focus
  t.console.PushKey(KB_ENTER);
  EXPECT_EQ(ShowMessage(t.toolkit, 0x0302, text), CM_NO);
}

TEST(MessageBox, OneButtonTitleFromTextAndEmptyLines) {
  HeadlessToolkit t;
  t.console.PushPause();
  t.AtNextPause([&] {
    EXPECT_EQ(t.Text(36, 8, 7), "─Zapis─");
    EXPECT_EQ(t.Text(21, 9, 5), "Raz  ");
    EXPECT_EQ(t.Text(21, 10, 5), "     ");  // the empty line keeps its row
    EXPECT_EQ(t.Text(21, 11, 3), "Dwa");
    EXPECT_EQ(t.Text(35, 15, 10), " »  OK   «");  // one button at inner column 15
  });
  t.console.PushKey(KB_ENTER);
  EXPECT_EQ(ShowMessage(t.toolkit, MB_WARNING + MB_OK,
                        "Zapis\x07Raz\x0d\x0d"
                        "Dwa"_pl),
            CM_OK);
}

TEST(MessageBox, ErrorColoursLastOnlyWhileTheBoxIsOpen) {
  HeadlessToolkit t;
  t.console.PushPause();
  t.AtNextPause([&] {
    EXPECT_EQ(t.Text(20, 8, 1), "┌");
    EXPECT_EQ(t.Attribute(20, 8), 0x4F);
    EXPECT_EQ(t.Text(37, 8, 6), " Błąd ");
    EXPECT_EQ(t.Attribute(37, 8), 0x4F);
    EXPECT_EQ(t.Text(21, 9, 5), "Brak ");
    EXPECT_EQ(t.Attribute(21, 9), 0x4F);
    EXPECT_EQ(t.Attribute(58, 12), 0x4F);
  });
  t.console.PushKey(KB_ENTER);
  ShowError(t.toolkit, "Brak pliku"_pl);
  EXPECT_EQ(t.colours[CLR_BOX_TEXT], 0x02);

  t.console.PushPause();
  t.AtNextPause([&] {
    EXPECT_EQ(t.Attribute(20, 8), 0x07);
    EXPECT_EQ(t.Attribute(34, 8), 0x0F);
    EXPECT_EQ(t.Attribute(21, 9), 0x02);
  });
  t.console.PushKey(KB_ENTER);
  EXPECT_EQ(ShowMessage(t.toolkit, MB_INFORMATION + MB_OK, "Gotowe"_pl), CM_OK);
}

TEST(MessageBox, TimedBoxClosesByItselfAndLeavesTypedKeys) {
  HeadlessToolkit t;
  t.console.PushKey(0x1E61);  // typed before the box: dropped
  t.console.PushPause();
  t.console.PushKey(0x3062);  // typed while it shows: stays
  EXPECT_EQ(ShowMessage(t.toolkit, MB_TIMED_ERROR, "Zajęte"_pl), CM_CANCEL);
  EXPECT_EQ(t.clock.Elapsed(), 2500u);
  EXPECT_EQ(t.Row(9), std::string(80, ' '));
  Event event;
  t.events.GetEvent(event);
  EXPECT_EQ(event.character, 'b');
}

TEST(MessageBox, ClockRunsOncePerSecondWhileABoxWaits) {
  HeadlessToolkit t;
  t.clock.SetStart({2021, 1, 4, 12, 0, 0, 1, 0}, 0);
  std::vector<std::string> shown;
  const auto watch = [&] {
    const std::string clock = t.Text(73, 1, 8);
    if (shown.empty() || shown.back() != clock) shown.push_back(clock);
  };
  for (int i = 0; i < 40; ++i) {  // 2.56 s of nothing, looked at after every idle step
    t.console.PushPause();
    t.AtNextPause(watch);
  }
  t.console.PushKey(KB_ENTER);
  ShowMessage(t.toolkit, MB_INFORMATION + MB_OK, "Czekam"_pl);
  EXPECT_EQ(shown, (std::vector<std::string>{"12:00:00", "12:00:01", "12:00:02"}));
  EXPECT_EQ(t.Attribute(73, 1), 0x0F);
}

TEST(MessageBox, BoxThatCannotOpenAnswersCancel) {
  HeadlessToolkit t;
  EXPECT_EQ(MessageBox(t.toolkit, MB_YES + MB_NO, "x"_pl, 10, 40, 20, 20), CM_CANCEL);
  EXPECT_EQ(t.colours[CLR_BOX_FRAME], 0x07);
}

}  // namespace
}  // namespace zq::ui
