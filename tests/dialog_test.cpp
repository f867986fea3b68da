#include <gtest/gtest.h>

#include "platform/text_literal.h"
#include "support/headless_toolkit.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/check_box_group.h"
#include "ui/commands.h"
#include "ui/dialog.h"
#include "ui/input_line.h"
#include "ui/key_codes.h"
#include "ui/radio_group.h"

namespace zq::ui {
namespace {

using testing::HeadlessToolkit;
using testing::PlayedTone;

// The standard box: outer (20,8)-(59,17), inner from screen column 21, row 9.
constexpr int INNER_X = 21;
constexpr int INNER_Y = 9;

std::unique_ptr<Dialog> StandardDialog(HeadlessToolkit& t) {
  return NewDialog(t.toolkit, " Test "_pl, 0, 10, 40, 8, 20);
}

TEST(Dialog, ButtonsLookRaisedOrPressedAndAnswerToTheirFirstLetter) {
  HeadlessToolkit t;
  auto dialog = StandardDialog(t);
  ASSERT_NE(dialog, nullptr);
  dialog->Insert(NewButton(t.toolkit, CM_YES, "Tak"_pl, 1, 9, 7, 7));
  dialog->Insert(NewButton(t.toolkit, CM_NO, "Nie"_pl, 1, 9, 7, 23));
  dialog->FocusControl(1);

  const int row = INNER_Y + 6;
  // Unfocused: the face in CLR_SELECTED, the shadow in the focused-text colour.
  EXPECT_EQ(t.Text(INNER_X + 22, row, 10), "   Nie   ▄");
  EXPECT_EQ(t.Attribute(INNER_X + 22, row), 0x70);
  EXPECT_EQ(t.Attribute(INNER_X + 31, row), 0x0F);
  EXPECT_EQ(t.Text(INNER_X + 22, row + 1, 10), " ▀▀▀▀▀▀▀▀▀");
  EXPECT_EQ(t.Attribute(INNER_X + 23, row + 1), 0x0F);
  // Focused: pressed one column to the right, marks in the face colour with
  // its top bit set, the uncovered cells in the box text colour.
  EXPECT_EQ(t.Text(INNER_X + 6, row, 10), " »  Tak  «");
  EXPECT_EQ(t.Attribute(INNER_X + 6, row), 0x02);
  EXPECT_EQ(t.Attribute(INNER_X + 7, row), 0xF0);
  EXPECT_EQ(t.Attribute(INNER_X + 10, row), 0x70);
  EXPECT_EQ(t.Attribute(INNER_X + 15, row), 0xF0);
  EXPECT_EQ(t.Text(INNER_X + 6, row + 1, 10), std::string(10, ' '));
  EXPECT_EQ(t.Attribute(INNER_X + 15, row + 1), 0x02);

  t.console.PushKey(0x316E);  // "n": answers at once
  EXPECT_EQ(dialog->Execute(), CM_NO);
  EXPECT_EQ(dialog->FocusedIndex(), 2);
  t.console.PushKey(KB_TAB);  // wraps from the last button to the first
  t.console.PushKey(KB_SPACE);
  EXPECT_EQ(dialog->Execute(), CM_YES);
  EXPECT_EQ(t.toolkit.currentDialog, nullptr);
}

TEST(Dialog, ClosingRestoresTheScreenAndTheHintLineBeneath) {
  HeadlessToolkit t;
  t.screen.WriteScreen(0x1E, 1, 10, std::string(80, 'x'));
  t.events.NewHintLine({NewHintItem(0x1001, KB_PGDN, "PgDn-Dalej"_pl)});
  {
    auto dialog = StandardDialog(t);
    dialog->AttachHintLine({NewHintItem(0, 0, "?"_pl)});
    EXPECT_EQ(t.Text(1, 25, 4), " ?│ ");
  }
  EXPECT_EQ(t.Row(10), std::string(80, 'x'));
  EXPECT_EQ(t.Text(1, 25, 12), " PgDn-Dalej│");
  EXPECT_EQ(NewDialog(t.toolkit, ""_pl, 0, 10, 40, 20, 50), nullptr);  // off the screen
}

// A control that counts how often it was asked to run.
struct CountingControl : Control {
  int runs = 0;
  explicit CountingControl(Toolkit& toolkit)
      : Control(toolkit, ControlKind::CHECK_BOX, {1, 1, 5, 1}, nullptr) {}
  Event Run() override {
    ++runs;
    return ReadEvent(Cursor::NONE);
  }
  void Draw() override {}
};

TEST(Dialog, OnlyDisabledControlsMeansEventsAreReadDirectly) {
  HeadlessToolkit t;
  auto dialog = StandardDialog(t);
  auto control = std::make_unique<CountingControl>(t.toolkit);
  control->SetDisabled(true);
  const CountingControl& counting = *control;
  dialog->Insert(std::move(control));
  t.console.PushKey(KB_TAB);
  t.console.PushMouse(platform::MOUSE_RIGHT, 30, 12);
  EXPECT_EQ(dialog->Execute(), CM_CANCEL);
  EXPECT_EQ(counting.runs, 0);
}

TEST(Dialog, CheckBoxGroupKeysAndUpOnItsFirstItemGoesToThePreviousControl) {
  HeadlessToolkit t;
  auto dialog = StandardDialog(t);
  ShortString name = "abc"_pl;
  std::uint16_t bits = 0x0001;
  dialog->Insert(NewInputLine(t.toolkit, name, 10, 1, 2));
  dialog->Insert(NewCheckBoxGroup(t.toolkit, bits, {"Pierwszy"_pl, "Drugi"_pl, "Trzeci"_pl}, 3, 2,
                                  NewLabel("Grupa:"_pl, 2, 2)));
  dialog->FocusControl(2);
  EXPECT_EQ(t.Text(INNER_X + 1, INNER_Y + 2, 12), "[■] Pierwszy");
  EXPECT_EQ(t.Text(INNER_X + 1, INNER_Y + 3, 9), "[ ] Drugi");
  EXPECT_EQ(t.Attribute(INNER_X + 1, INNER_Y + 2), 0x07);  // brackets in entry 0
  EXPECT_EQ(t.Attribute(INNER_X + 2, INNER_Y + 2), 0x0F);  // the mark in entry 1
  EXPECT_EQ(t.Attribute(INNER_X + 5, INNER_Y + 2), 0x0F);  // the current item, focused
  EXPECT_EQ(t.Attribute(INNER_X + 5, INNER_Y + 3), 0x07);
  EXPECT_EQ(t.Attribute(INNER_X + 1, INNER_Y + 1), 0x0F);  // the label of the focused group

  t.console.PushKey(KB_DOWN);
  t.console.PushKey(KB_SMALL_X);  // sets bit 1
  t.console.PushKey(KB_DOWN);
  t.console.PushKey(KB_SPACE);  // toggles bit 2
  t.console.PushKey(KB_UP);
  t.console.PushKey(KB_ZERO);  // clears bit 1 again
  t.console.PushKey(KB_GRAY_PLUS);
  t.console.PushKey(KB_UP);
  t.console.PushKey(KB_UP);  // on the first item: to the input line
  t.console.PushKey(KB_ESC);
  EXPECT_EQ(dialog->Execute(), CM_CANCEL);
  EXPECT_EQ(bits, 0x0007);
  EXPECT_EQ(dialog->FocusedIndex(), 1);
  EXPECT_TRUE(t.toolkit.dataChanged);
  EXPECT_EQ(t.Text(INNER_X + 1, INNER_Y + 4, 10), "[■] Trzeci");
}

TEST(Dialog, RadioGroupStartsValidAndOnlyChoosingChangesTheVariable) {
  HeadlessToolkit t;
  auto dialog = StandardDialog(t);
  std::uint16_t index = 7;
  dialog->Insert(
      NewRadioGroup(t.toolkit, index, {"wszyscy"_pl, "zatrudnieni"_pl, "pytaj"_pl}, 2, 3));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(t.Text(INNER_X + 2, INNER_Y + 1, 11), "(■) wszyscy");
  const auto markAt = [&](int item) {
    return t.console.CellAt(INNER_X + 2, INNER_Y + item - 1).character;  // 0-based read-back
  };
  EXPECT_EQ(markAt(2), 0xFA);  // the middle dot of unchosen items

  t.console.PushKey(KB_DOWN);
  t.console.PushKey(KB_DOWN);  // the cursor alone changes nothing
  t.console.PushKey(KB_ESC);
  EXPECT_EQ(dialog->Execute(), CM_CANCEL);
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(t.toolkit.dataChanged);

  t.console.PushKey(KB_DOWN);
  t.console.PushKey(KB_DOWN);
  t.console.PushKey(KB_SPACE);
  t.console.PushKey(KB_ESC);
  dialog->Execute();
  EXPECT_EQ(index, 2);
  EXPECT_EQ(t.Text(INNER_X + 2, INNER_Y + 3, 4), "(■) ");
  EXPECT_EQ(markAt(1), 0xFA);
  EXPECT_TRUE(t.toolkit.dataChanged);
}

TEST(Dialog, ClicksFocusControlsToggleBoxesAndALabelClickOnlyClicks) {
  HeadlessToolkit t;
  auto dialog = StandardDialog(t);
  std::uint8_t first = 0;
  std::uint8_t second = 0;
  dialog->Insert(NewCheckBox(t.toolkit, "Jeden"_pl, first, 1, 1, NewLabel("Opcja:"_pl, 1, 20)));
  dialog->Insert(NewCheckBox(t.toolkit, "Dwa"_pl, second, 2, 1));
  const auto click = [&](int column, int row) {
    t.console.PushMouse(platform::MOUSE_LEFT, INNER_X + column - 2, INNER_Y + row - 2);
    t.console.PushKey(KB_F1);  // a key in between keeps the clicks apart
  };
  click(1, 2);   // focuses the second box, toggles nothing
  click(2, 2);   // toggles it
  click(20, 1);  // the first box's label: focuses it
  click(21, 1);  // its own label: a click sound, dropped
  t.console.PushKey(KB_SPACE);
  t.console.PushKey(KB_ESC);
  EXPECT_EQ(dialog->Execute(), CM_CANCEL);
  EXPECT_EQ(second, 1);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(t.tones.tones, (std::vector<PlayedTone>{{4000, 96}}));
}

TEST(Dialog, AHintLineKeyWinsOverTheFocusedControl) {
  HeadlessToolkit t;
  auto dialog = StandardDialog(t);
  ShortString value;
  dialog->Insert(NewInputLine(t.toolkit, value, 10, 1, 1));
  dialog->AttachHintLine({NewHintItem(CM_YES, 0x1474, "t-tak"_pl)});
  t.console.PushKey(0x3062);  // "b" goes into the line
  t.console.PushKey(0x1474);  // "t" is the hint's
  EXPECT_EQ(dialog->Execute(), CM_YES);
  EXPECT_EQ(value, "b"_pl);
}

}  // namespace
}  // namespace zq::ui
