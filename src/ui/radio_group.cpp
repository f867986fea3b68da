#include "ui/radio_group.h"

#include "platform/text_literal.h"
#include "ui/key_codes.h"

namespace zq::ui {

RadioGroup::RadioGroup(Toolkit& toolkit, std::uint16_t& index, ItemList items, int row, int column,
                       std::unique_ptr<Label> label)
    : Control(toolkit, ControlKind::RADIO_GROUP, {}, std::move(label)),
      index_(index),
      items_(CutItems(std::move(items), ShortString::MAX_LENGTH)) {
  const int count = static_cast<int>(items_.size());
  bounds_ = {column, row, column + LongestItem(items_) + 3, row + count - 1};
  if (index_ >= count) index_ = 0;
  cursor_ = index_;
}

std::unique_ptr<RadioGroup> NewRadioGroup(Toolkit& toolkit, std::uint16_t& index, ItemList items,
                                          int row, int column, std::unique_ptr<Label> label) {
  return std::make_unique<RadioGroup>(toolkit, index, std::move(items), row, column,
                                      std::move(label));
}

void RadioGroup::Draw() {
  for (int item = 0; item < static_cast<int>(items_.size()); ++item) {
    DrawMarkedItem("( ) "_pl, item == index_ ? "■"_pl : "·"_pl,
                   items_[static_cast<std::size_t>(item)], bounds_.x1, bounds_.y1 + item,
                   Focused() && item == cursor_);
  }
  DrawLabel();
}

Event RadioGroup::Run() {
  const std::uint16_t before = index_;
  const int last = static_cast<int>(items_.size()) - 1;
  if (last < 0) return ReadEvent(Cursor::NONE);
  cursor_ = index_;
  Draw();
  Event event;
  bool mine = true;
  while (mine) {
    PlaceCursor(bounds_.x1 + 1, bounds_.y1 + cursor_);
    event = ReadEvent(Cursor::TEXT);
    int column = 0;
    int row = 0;
    if (event.kind == EventKind::MOUSE) {
      mine = event.IsLeftClick() && LocalPoint(event, column, row) && bounds_.Contains(column, row);
      if (mine) {
        cursor_ = row - bounds_.y1;
        index_ = static_cast<std::uint16_t>(cursor_);
      }
    } else if (event.IsKey(KB_SPACE) || event.IsKey(KB_SMALL_X) || event.IsKey(KB_CAPITAL_X) ||
               event.IsKey(KB_GRAY_PLUS)) {
      index_ = static_cast<std::uint16_t>(cursor_);
    } else if (event.IsKey(KB_UP) || event.IsKey(KB_LEFT)) {
      mine = cursor_ > 0;
      if (mine) --cursor_;
    } else if (event.IsKey(KB_DOWN) || event.IsKey(KB_RIGHT)) {
      mine = cursor_ < last;
      if (mine) ++cursor_;
    } else {
      mine = false;
    }
    Draw();
  }
  cursor_ = index_;
  NoteChange(index_ != before);
  return event;
}

}  // namespace zq::ui
