#include <gtest/gtest.h>

#include "platform/text_literal.h"
#include "support/headless_toolkit.h"
#include "ui/commands.h"
#include "ui/dialog.h"
#include "ui/input_line.h"
#include "ui/key_codes.h"

namespace zq::ui {
namespace {

using testing::HeadlessToolkit;
using testing::PlayedTone;

constexpr int FIELD_X = 21 + 4;  // inner column 5 of the standard box
constexpr int FIELD_Y = 9 + 1;   // inner row 2

struct InputLineFixture : ::testing::Test {
  HeadlessToolkit t;
  std::unique_ptr<Dialog> dialog = NewDialog(t.toolkit, ""_pl, 0, 10, 40, 8, 20);
  ShortString value;

  // Runs the line once over `start` with the keys given, then Esc.
  void Edit(std::string_view start, int maxLength, std::initializer_list<std::uint16_t> keys) {
    value = start;
    dialog = NewDialog(t.toolkit, ""_pl, 0, 10, 40, 8, 20);
    dialog->Insert(NewInputLine(t.toolkit, value, maxLength, 2, 5));
    for (std::uint16_t key : keys) t.console.PushKey(key);
    t.console.PushKey(KB_ESC);
    dialog->Execute();
  }
};

TEST_F(InputLineFixture, CreationCutsAndTrimsAndTheFieldShowsTheWholeWidth) {
  value = "abcdefgh"_pl;
  dialog->Insert(NewInputLine(t.toolkit, value, 5, 2, 5));
  EXPECT_EQ(value, "abcde"_pl);
  EXPECT_EQ(t.Text(FIELD_X, FIELD_Y, 6), "abcde ");
  EXPECT_EQ(t.Attribute(FIELD_X + 4, FIELD_Y), 0x1F);
  EXPECT_EQ(t.Attribute(FIELD_X + 5, FIELD_Y), 0x02);
  ShortString padded = "ab  "_pl;
  dialog->Insert(NewInputLine(t.toolkit, padded, 10, 3, 5));
  EXPECT_EQ(padded, "ab"_pl);
}

TEST_F(InputLineFixture, InsertModeDropsTheLastCharacterAndTypingPastTheEndBeeps) {
  const std::uint16_t X = 0x2D78;
  Edit("abc"_pl, 3, {KB_CTRL_LEFT, X});
  EXPECT_EQ(value, "xab"_pl);
  // On entry the cursor stands on the last cell of a full field: typing
  // replaces its character, and one more goes past the end.
  Edit("abc"_pl, 3, {X, X});
  EXPECT_EQ(value, "abx"_pl);
  EXPECT_EQ(t.tones.tones, (std::vector<PlayedTone>{{3000, 48}}));
  // Right arrow on that last cell stays there: the next character still
  // replaces it.
  Edit("abc"_pl, 3, {KB_RIGHT, X});
  EXPECT_EQ(value, "abx"_pl);
  EXPECT_EQ(t.tones.tones.size(), 1u);
}

TEST_F(InputLineFixture, OverwriteModeAndTheEditingKeys) {
  Edit("kot"_pl, 10, {KB_INSERT, KB_CTRL_LEFT, 0x3062, KB_RIGHT, KB_DELETE, KB_END});
  EXPECT_EQ(value, "bo"_pl);
  EXPECT_FALSE(t.toolkit.insertMode);
  EXPECT_EQ(t.console.CursorSize(), 50);
  Edit("ab"_pl, 10, {KB_INSERT, KB_CTRL_LEFT, KB_BACKSPACE, KB_CTRL_RIGHT, KB_BACKSPACE});
  EXPECT_EQ(value, "a"_pl);
  EXPECT_EQ(t.console.CursorSize(), 20);
  EXPECT_EQ(t.tones.tones, (std::vector<PlayedTone>{{1200, 48}}));
  Edit("abc"_pl, 3, {0x2D78, KB_DELETE});  // cursor past the maximum
  EXPECT_EQ(t.tones.tones.back(), (PlayedTone{2250, 48}));
  t.toolkit.dataChanged = false;
  Edit("abc"_pl, 10, {KB_CTRL_Y, 0x2D78, KB_CTRL_P});
  EXPECT_EQ(value, "abc"_pl);
  EXPECT_FALSE(t.toolkit.dataChanged);  // only the value on leaving counts, not "x" on the way
}

TEST_F(InputLineFixture, CaseChangesAndBothClipboards) {
  Edit("Żółw łąka"_pl, 20, {KB_CTRL_D});
  EXPECT_EQ(value, "ŻÓŁW ŁĄKA"_pl);
  Edit("ŻÓŁW"_pl, 20, {KB_CTRL_M, KB_CTRL_K, KB_CTRL_INSERT});
  EXPECT_EQ(value, "żółw"_pl);
  EXPECT_EQ(t.toolkit.clipboardBuffer, "żółw"_pl);
  EXPECT_EQ(t.clipboard.GetText(), "żółw"_pl);
  EXPECT_EQ(t.console.SystemClipboard(), "żółw"_pl.str());
  Edit(""_pl, 3, {KB_CTRL_W});
  EXPECT_EQ(value, "żół"_pl);
  // Pasted text keeps only what could have been typed: no line ends.
  t.clipboard.SetText("C:\\DANE\r\n"_pl);
  t.console.PushKey(KB_INSERT, 0x23);  // Insert with Shift held
  Edit("x"_pl, 20, {});
  EXPECT_EQ(value, "C:\\DANE"_pl);
}

}  // namespace
}  // namespace zq::ui
