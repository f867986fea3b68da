#include <gtest/gtest.h>

#include <vector>

#include "platform/text_literal.h"
#include "support/headless_toolkit.h"
#include "ui/commands.h"
#include "ui/dialog.h"
#include "ui/key_codes.h"
#include "ui/list_control.h"

namespace zq::ui {
namespace {

using testing::HeadlessToolkit;
using testing::PlayedTone;

// Rows of a company list: the name in columns 1..10, the directory from 12.
struct NameList : ListControl {
  std::vector<ShortString> rows;
  NameList(Toolkit& toolkit, std::int32_t* position, std::vector<ShortString> items)
      : ListControl(toolkit, position, 3, 16, 1, 1, NewLabel("Firmy"_pl, 1, 22)),
        rows(std::move(items)) {}
  std::int32_t UpdateCount() override { return static_cast<std::int32_t>(rows.size()); }
  ShortString GetItemText(std::int32_t index) override {
    return rows[static_cast<std::size_t>(index - 1)];
  }
};

// A screen that handles the list's commands itself, as the company screen does.
struct ListScreen : Dialog {
  std::vector<std::uint16_t> commands;
  using Dialog::Dialog;
  void HandleEvent(Event& event) override {
    if (event.kind == EventKind::COMMAND && event.command >= CM_LIST_DELETE &&
        event.command <= CM_LIST_INSERT) {
      commands.push_back(event.command);
      event.Clear();
      return;
    }
    Dialog::HandleEvent(event);
  }
};

ShortString Row(std::string_view name, std::string_view directory) {
  ShortString row = name;
  row.Resize(11, ' ');
  return row + directory;
}

constexpr int LIST_X = 21;  // the list's frame column on the screen
constexpr int LIST_Y = 9;

struct ListFixture : ::testing::Test {
  HeadlessToolkit t;
  std::int32_t position = 1;
  std::unique_ptr<ListScreen> dialog = NewDialog<ListScreen>(t.toolkit, ""_pl, 0, 12, 40, 8, 20);
  NameList* list = nullptr;

  void Fill(std::vector<ShortString> rows) {
    auto made = std::make_unique<NameList>(t.toolkit, &position, std::move(rows));
    list = made.get();
    dialog->Insert(std::move(made));
  }
  std::string VisibleRow(int row) const { return t.Text(LIST_X + 2, LIST_Y + row, 16); }
};

TEST_F(ListFixture, DrawsFrameRowsAndScrollsAndPages) {
  Fill({Row("Alfa"_pl, "AL"_pl), Row("Beta"_pl, "BE"_pl), Row("Gamma"_pl, "GA"_pl),
        Row("Delta"_pl, "DE"_pl), Row("Epsilon"_pl, "EP"_pl), Row("Zeta"_pl, "ZE"_pl)});
  EXPECT_EQ(t.Text(LIST_X, LIST_Y, 20), "┌──────────────────┐");
  EXPECT_EQ(t.Text(LIST_X, LIST_Y + 1, 20), "│ Alfa       AL    │");
  EXPECT_EQ(t.Attribute(LIST_X + 2, LIST_Y + 1), 0x70);  // the current row
  EXPECT_EQ(t.Attribute(LIST_X + 2, LIST_Y + 2), 0x1F);
  EXPECT_EQ(t.Attribute(LIST_X, LIST_Y), 0x07);  // unfocused frame

  t.console.PushKey(KB_DOWN);
  t.console.PushKey(KB_DOWN);
  t.console.PushKey(KB_DOWN);  // past the last visible row: scrolls by one
  t.console.PushKey(KB_ESC);
  EXPECT_EQ(dialog->Execute(), CM_CANCEL);
  EXPECT_EQ(position, 4);
  EXPECT_EQ(VisibleRow(1).substr(0, 4), "Beta");
  EXPECT_EQ(VisibleRow(3).substr(0, 5), "Delta");
  EXPECT_EQ(t.Attribute(LIST_X + 2, LIST_Y + 3), 0x70);
  EXPECT_EQ(t.Attribute(LIST_X, LIST_Y), 0x0F);      // focused frame
  EXPECT_EQ(t.Text(LIST_X, LIST_Y + 4, 4), "└─>─");  // the marker over the key's field

  t.console.PushKey(KB_PGDN);
  t.console.PushKey(KB_ESC);
  dialog->Execute();
  EXPECT_EQ(position, 6);
  t.console.PushKey(KB_PGUP);
  t.console.PushKey(KB_PGUP);
  t.console.PushKey(KB_END);
  t.console.PushKey(KB_UP);
  t.console.PushKey(KB_ESC);
  dialog->Execute();
  EXPECT_EQ(position, 5);
  EXPECT_EQ(VisibleRow(3).substr(0, 4), "Zeta");
}

TEST_F(ListFixture, TypingSearchesByTheCurrentKeyAndTabSwitchesKeys) {
  Fill({Row("Kowalski"_pl, "ZZ"_pl), Row("Nowak"_pl, "AB"_pl), Row("Nowicki"_pl, "CD"_pl),
        Row("Żak"_pl, "EF"_pl)});
  list->AddListKey(12);
  t.console.PushKey(0x316E);  // n
  t.console.PushKey(0x186F);  // o
  t.console.PushKey(0x1177);  // w
  t.console.PushKey(0x1769);  // i: Nowicki
  t.console.PushKey(0x2D78);  // x: no "NOWICKIX", a low tone
  t.console.PushKey(KB_ESC);
  dialog->Execute();
  EXPECT_EQ(position, 3);
  EXPECT_EQ(t.tones.tones, (std::vector<PlayedTone>{{1200, 96}}));

  t.console.PushKey(0x2C00, 0x28);  // Alt+Z: ż, found as Ż
  t.console.PushKey(KB_ESC);
  dialog->Execute();
  EXPECT_EQ(position, 4);

  t.console.PushKey(KB_TAB);  // the directory key, from column 12
  t.console.PushKey(0x2E63);  // c
  t.console.PushKey(KB_ESC);
  dialog->Execute();
  EXPECT_EQ(position, 3);
  EXPECT_EQ(t.Text(LIST_X + 12, LIST_Y + 4, 3), "─>─");  // the search text is gone with Esc

  // Still by the directory, which is in no order: ZZ stands first, before AB.
  t.console.PushKey(0x2C7A);  // z
  t.console.PushKey(KB_ESC);
  dialog->Execute();
  EXPECT_EQ(position, 1);
  t.console.PushKey(0x1E61);  // a
  t.console.PushKey(0x3062);  // b: AB, going on from the first match
  t.console.PushKey(0x2E63);  // c: no "ABC"
  t.console.PushKey(KB_ESC);
  dialog->Execute();
  EXPECT_EQ(position, 2);
  EXPECT_EQ(t.tones.tones, (std::vector<PlayedTone>{{1200, 96}, {1200, 96}}));
}

TEST_F(ListFixture, EveryCursorMoveStartsTheSearchOver) {
  Fill({Row("Kowalski"_pl, ""_pl), Row("Nowak"_pl, ""_pl), Row("Nowicki"_pl, ""_pl),
        Row("Żak"_pl, ""_pl)});
  const std::string bottomStart = "└─>";
  for (const std::uint16_t move : {KB_UP, KB_DOWN, KB_PGUP, KB_PGDN, KB_HOME, KB_END}) {
    SCOPED_TRACE(move);
    position = 1;
    t.console.PushKey(0x316E);  // n: Nowak
    t.console.PushAction([&] { EXPECT_EQ(t.Text(LIST_X, LIST_Y + 4, 5), bottomStart + "N─"); });
    t.console.PushKey(move);
    t.console.PushAction([&] { EXPECT_EQ(t.Text(LIST_X, LIST_Y + 4, 5), bottomStart + "──"); });
    t.console.PushKey(0x256B);  // k: a new search, Kowalski, not "NK" from wherever the cursor is
    t.console.PushAction([&] { EXPECT_EQ(t.Text(LIST_X, LIST_Y + 4, 5), bottomStart + "K─"); });
    t.console.PushKey(KB_ESC);
    dialog->Execute();
    EXPECT_EQ(position, 1);
  }
  // A click on a row moves the cursor as a key does.
  position = 1;
  t.console.PushKey(0x316E);
  t.console.PushMouse(platform::MOUSE_LEFT, LIST_X + 2, LIST_Y + 2);  // 0-based: the third row
  t.console.PushPause();  // the look comes after the click has been handled
  t.console.PushAction([&] { EXPECT_EQ(t.Text(LIST_X, LIST_Y + 4, 5), bottomStart + "──"); });
  t.console.PushKey(KB_ESC);
  dialog->Execute();
  EXPECT_TRUE(t.tones.tones.empty());
}

TEST_F(ListFixture, CommandsGoToTheOwnerAndTheEmptyListShowsPusto) {
  Fill({Row("Alfa"_pl, ""_pl), Row("Beta"_pl, ""_pl)});
  t.console.PushKey(KB_DOWN);
  t.console.PushKey(KB_ENTER);
  t.console.PushKey(KB_CTRL_ENTER);
  t.console.PushKey(KB_INSERT);
  t.console.PushKey(KB_DELETE);
  t.console.PushKey(KB_ESC);
  EXPECT_EQ(dialog->Execute(), CM_CANCEL);
  EXPECT_EQ(dialog->commands, (std::vector<std::uint16_t>{CM_LIST_CHOOSE, CM_LIST_ALT_CHOOSE,
                                                          CM_LIST_INSERT, CM_LIST_DELETE}));

  list->rows.clear();
  dialog->commands.clear();
  dialog->DrawControls();
  EXPECT_EQ(position, 0);
  EXPECT_EQ(t.Text(LIST_X + 2, LIST_Y + 1, 16), "  >> PUSTO <<   ");
  EXPECT_EQ(t.Attribute(LIST_X + 4, LIST_Y + 1), 0x4F);
  EXPECT_EQ(t.Attribute(LIST_X + 2, LIST_Y + 2), 0x02);
  t.console.PushKey(KB_ENTER);
  t.console.PushKey(KB_DELETE);
  t.console.PushMouse(platform::MOUSE_LEFT, LIST_X + 5 - 1, LIST_Y + 1 - 1);
  t.console.PushKey(KB_ESC);
  EXPECT_EQ(dialog->Execute(), CM_CANCEL);
  EXPECT_EQ(dialog->commands, (std::vector<std::uint16_t>{CM_LIST_INSERT}));
  EXPECT_EQ(t.tones.tones, (std::vector<PlayedTone>{{500, 288}, {500, 288}}));
}

}  // namespace
}  // namespace zq::ui
