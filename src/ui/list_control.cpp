#include "ui/list_control.h"

#include <algorithm>

#include "platform/text_literal.h"
#include "ui/commands.h"
#include "ui/input_line.h"
#include "ui/key_codes.h"
#include "ui/polish_text.h"
#include "ui/prefix_search.h"
#include "ui/text_fill.h"

namespace zq::ui {

namespace {
constexpr int NOT_FOUND_UNITS = 2;
constexpr int NOT_FOUND_HZ = 1200;

}  // namespace

ListControl::ListControl(Toolkit& toolkit, std::int32_t* position, int rows, int width, int row,
                         int column, std::unique_ptr<Label> label)
    : Control(toolkit, ControlKind::LIST,
              {column, row, column + std::max(width, 1) + 3, row + std::max(rows, 1) + 1},
              std::move(label)),
      position_(position ? *position : ownPosition_) {}

void ListControl::AddListKey(int column) {
  if (keyCount_ >= MAX_SEARCH_KEYS || column < 1) return;
  keyColumns_[static_cast<std::size_t>(keyCount_++)] = column;
}

std::int32_t ListControl::FindPrefix(std::string_view search) {
  const auto keyStart =
      static_cast<std::size_t>(keyColumns_[static_cast<std::size_t>(currentKey_)] - 1);
  const std::int32_t first = search.size() == 1 ? 1 : std::max(position_, 1);
  auto keyOf = [&](std::int32_t index) {
    const ShortString text = GetItemText(index);
    return ShortString(text.view().substr(std::min(keyStart, text.size())));
  };
  // The items are held in the order of the first key only.
  if (currentKey_ == 0) return ::zq::ui::FindPrefix(search, first, count_, keyOf);
  return ScanForPrefix(search, first, count_, keyOf);
}

void ListControl::CentreTop() {
  top_ = std::clamp(position_ - Rows() / 2, 0, std::max(count_ - Rows(), 0));
}

void ListControl::Draw() {
  count_ = std::max(UpdateCount(), 0);
  if (count_ == 0) {
    position_ = 0;
  } else if (position_ < 1 || position_ > count_) {
    position_ = 1;
  }
  CentreTop();
  DrawFrame();
  if (count_ == 0) {
    DrawEmpty();
  } else {
    DrawRows();
  }
  DrawLabel();
}

void ListControl::DrawFrame() {
  const std::uint8_t colour = TextColour(Focused());
  const int inside = Width() + 2;
  Put(colour, bounds_.x1, bounds_.y1, "┌"_pl + Repeated("─"_pl, inside) + "┐"_pl);
  for (int row = bounds_.y1 + 1; row < bounds_.y2; ++row) {
    Put(colour, bounds_.x1, row, "│"_pl);
    Put(colour, bounds_.x2, row, "│"_pl);
  }
  Put(colour, bounds_.x1, bounds_.y2, "└"_pl + Repeated("─"_pl, inside) + "┘"_pl);
  if (!Focused()) return;
  const int keyColumn = keyColumns_[static_cast<std::size_t>(currentKey_)];
  const int markerColumn = bounds_.x1 + 1 + std::min(keyColumn, Width());
  ShortString marker = ">"_pl + search_;
  marker.Truncate(static_cast<std::size_t>(std::max(bounds_.x2 - markerColumn, 0)));
  Put(colour, markerColumn, bounds_.y2, marker);
}

void ListControl::DrawRow(bool isCurrent, std::int32_t index, int row) {
  const std::uint8_t colour = toolkit_.colours.Palette(isCurrent ? 3 : 2);
  Put(colour, bounds_.x1 + 1, bounds_.y1 + row,
      " "_pl + PaddedTo(Width(), GetItemText(index)) + " "_pl);
}

void ListControl::DrawRows() {
  for (int row = 1; row <= Rows(); ++row) {
    const std::int32_t index = top_ + row;
    if (index <= count_) {
      DrawRow(index == position_, index, row);
    } else {
      Put(toolkit_.colours.Palette(2), bounds_.x1 + 1, bounds_.y1 + row, Blanks(Width() + 2));
    }
  }
}

void ListControl::DrawEmpty() {
  for (int row = 1; row <= Rows(); ++row) {
    Put(toolkit_.colours[CLR_BOX_TEXT], bounds_.x1 + 1, bounds_.y1 + row, Blanks(Width() + 2));
  }
  const ShortString empty = ">> PUSTO <<"_pl;
  const int column = bounds_.x1 + 2 + std::max((Width() - static_cast<int>(empty.size())) / 2, 0);
  Put(toolkit_.colours[CLR_ERROR], column, bounds_.y1 + 1, empty);
}

void ListControl::MoveTo(std::int32_t index) {
  position_ = std::clamp(index, 1, count_);
  if (position_ <= top_) top_ = position_ - 1;
  if (position_ > top_ + Rows()) top_ = position_ - Rows();
  DrawRows();
}

void ListControl::Search(char character) {
  ShortString attempt = search_;
  if (attempt.size() < MAX_SEARCH_TEXT) attempt.push_back(UpCasePL(character));
  const std::int32_t found = attempt.size() > search_.size() ? FindPrefix(attempt) : -1;
  if (found < 1 || found > count_) {
    toolkit_.sound.Sound(NOT_FOUND_UNITS, NOT_FOUND_HZ);
    return;
  }
  search_ = attempt;
  MoveTo(found);
}

bool ListControl::HandleEmptyListKey(Event& event) {
  switch (event.keyCode) {
    case KB_ENTER:
    case KB_DELETE:
      toolkit_.sound.Beep();
      return true;
    case KB_INSERT:
      event.MakeCommand(CM_LIST_INSERT);
      return false;
    case KB_ESC:
    case KB_F1:
    case KB_GRAY_PLUS:
    case KB_CTRL_D:
      return false;
    default:
      return true;
  }
}

bool ListControl::MoveByKey(std::uint16_t keyCode) {
  switch (keyCode) {
    case KB_UP:
      if (position_ > 1) MoveTo(position_ - 1);
      return true;
    case KB_DOWN:
      if (position_ < count_) MoveTo(position_ + 1);
      return true;
    case KB_PGUP:
    case KB_PGDN: {
      const std::int32_t step = std::min(Rows(), count_);
      position_ = std::clamp(position_ + (keyCode == KB_PGUP ? -step : step), 1, count_);
      CentreTop();
      DrawRows();
      return true;
    }
    case KB_HOME:
      MoveTo(1);
      return true;
    case KB_END:
      MoveTo(count_);
      return true;
    default:
      return false;
  }
}

void ListControl::ClearSearch() {
  search_.clear();
  DrawFrame();
}

bool ListControl::HandleKey(Event& event) {
  if (count_ == 0) return HandleEmptyListKey(event);
  // A longer search goes on from the current item, the previous match; once
  // the cursor has moved, that item need not match, so the search starts over.
  if (MoveByKey(event.keyCode)) {
    ClearSearch();
    return true;
  }
  switch (event.keyCode) {
    case KB_ENTER:
      event.MakeCommand(CM_LIST_CHOOSE);
      return false;
    case KB_CTRL_ENTER:
      event.MakeCommand(CM_LIST_ALT_CHOOSE);
      return false;
    case KB_INSERT:
      event.MakeCommand(CM_LIST_INSERT);
      return false;
    case KB_DELETE:
      event.MakeCommand(CM_LIST_DELETE);
      return false;
    case KB_F1:
    case KB_GRAY_PLUS:
    case KB_CTRL_D:
    case KB_ESC:
      return false;
    case KB_TAB:
    case KB_SHIFT_TAB:
      currentKey_ = (currentKey_ + 1) % keyCount_;
      ClearSearch();
      return true;
    default:
      break;
  }
  if (event.IsCharacter() && IsAcceptedCharacter(event.character)) {
    Search(static_cast<char>(event.character));
  } else {
    search_.clear();
  }
  DrawFrame();
  return true;
}

Event ListControl::Run() {
  Event event;
  for (;;) {
    event = ReadEvent(Cursor::NONE);
    if (event.kind == EventKind::KEY) {
      if (HandleKey(event)) continue;
      break;
    }
    int column = 0;
    int row = 0;
    if (!event.IsLeftClick() || !LocalPoint(event, column, row) || !bounds_.Contains(column, row)) {
      break;
    }
    const int visibleRow = row - bounds_.y1;
    if (count_ == 0 && visibleRow == 1) {
      event.MakeCommand(CM_LIST_INSERT);
      break;
    }
    if (visibleRow >= 1 && visibleRow <= Rows() && top_ + visibleRow <= count_) {
      MoveTo(top_ + visibleRow);
      ClearSearch();  // a click moves the cursor as a key does
    }
  }
  ClearSearch();
  return event;
}

}  // namespace zq::ui
