#include "ui/check_box_group.h"

#include "platform/text_literal.h"
#include "ui/key_codes.h"

namespace zq::ui {

namespace {
int ItemCount(const ItemList& items) {
  return static_cast<int>(items.size());
}
}  // namespace

CheckBoxGroup::CheckBoxGroup(Toolkit& toolkit, std::uint16_t& bits, ItemList items, int row,
                             int column, std::unique_ptr<Label> label)
    : Control(toolkit, ControlKind::CHECK_BOX_GROUP, {}, std::move(label)),
      bits_(bits),
      items_(CutItems(std::move(items), MAX_ITEMS)) {
  bounds_ = {column, row, column + LongestItem(items_) + 3, row + ItemCount(items_) - 1};
}

std::unique_ptr<CheckBoxGroup> NewCheckBoxGroup(Toolkit& toolkit, std::uint16_t& bits,
                                                ItemList items, int row, int column,
                                                std::unique_ptr<Label> label) {
  return std::make_unique<CheckBoxGroup>(toolkit, bits, std::move(items), row, column,
                                         std::move(label));
}

void CheckBoxGroup::Draw() {
  for (int item = 1; item <= ItemCount(items_); ++item) {
    const bool set = (bits_ & (1u << (item - 1))) != 0;
    DrawMarkedItem("[ ]"_pl, set ? "■"_pl : " "_pl, items_[static_cast<std::size_t>(item - 1)],
                   bounds_.x1, bounds_.y1 + item - 1, Focused() && item == current_);
  }
  DrawLabel();
}

void CheckBoxGroup::SetCurrentBit(bool set) {
  bits_ = static_cast<std::uint16_t>(set ? bits_ | Bit() : bits_ & ~Bit());
}

Event CheckBoxGroup::Run() {
  const std::uint16_t before = bits_;
  const int count = ItemCount(items_);
  if (count == 0) return ReadEvent(Cursor::NONE);
  Event event;
  bool mine = true;
  while (mine) {
    PlaceCursor(bounds_.x1 + 1, bounds_.y1 + current_ - 1);
    event = ReadEvent(Cursor::TEXT);
    int column = 0;
    int row = 0;
    if (event.kind == EventKind::MOUSE) {
      mine = event.IsLeftClick() && LocalPoint(event, column, row) && bounds_.Contains(column, row);
      if (mine && column <= bounds_.x1 + 3 + ItemLength(row - bounds_.y1 + 1)) {
        current_ = row - bounds_.y1 + 1;  // a click on an item; elsewhere inside is dropped
        SetCurrentBit(!(bits_ & Bit()));
      }
    } else if (event.IsKey(KB_SPACE)) {
      SetCurrentBit(!(bits_ & Bit()));
    } else if (event.IsKey(KB_SMALL_X) || event.IsKey(KB_CAPITAL_X) || event.IsKey(KB_GRAY_PLUS)) {
      SetCurrentBit(true);
    } else if (event.IsKey(KB_ZERO) || event.IsKey(KB_GRAY_MINUS)) {
      SetCurrentBit(false);
    } else if (event.IsKey(KB_UP) || event.IsKey(KB_LEFT)) {
      mine = current_ > 1;
      if (mine) --current_;
    } else if (event.IsKey(KB_DOWN) || event.IsKey(KB_RIGHT)) {
      mine = current_ < count;
      if (mine) ++current_;
    } else {
      mine = false;
    }
    Draw();
  }
  NoteChange(bits_ != before);
  return event;
}

}  // namespace zq::ui
