#include "ui/check_box.h"

#include "platform/text_literal.h"
#include "ui/item_list.h"
#include "ui/key_codes.h"

namespace zq::ui {

CheckBox::CheckBox(Toolkit& toolkit, std::string_view text, std::uint8_t& flag, int row, int column,
                   std::unique_ptr<Label> label)
    : Control(
          toolkit, ControlKind::CHECK_BOX,
          {column, row, column + static_cast<int>(text.substr(0, MAX_ITEM_TEXT).size()) + 3, row},
          std::move(label)),
      text_(text.substr(0, MAX_ITEM_TEXT)),
      flag_(flag) {}

std::unique_ptr<CheckBox> NewCheckBox(Toolkit& toolkit, std::string_view text, std::uint8_t& flag,
                                      int row, int column, std::unique_ptr<Label> label) {
  return std::make_unique<CheckBox>(toolkit, text, flag, row, column, std::move(label));
}

void CheckBox::Draw() {
  DrawMarkedItem("[ ]"_pl, flag_ ? "■"_pl : " "_pl, text_, bounds_.x1, bounds_.y1, Focused());
  DrawLabel();
}

Event CheckBox::Run() {
  const std::uint8_t before = flag_;
  Event event;
  for (;;) {
    PlaceCursor(bounds_.x1 + 1, bounds_.y1);
    event = ReadEvent(Cursor::TEXT);
    int column = 0;
    int row = 0;
    const bool clickedOn =
        event.IsLeftClick() && LocalPoint(event, column, row) && bounds_.Contains(column, row);
    if (!clickedOn && !event.IsKey(KB_SPACE) && !event.IsKey(KB_SMALL_X) &&
        !event.IsKey(KB_CAPITAL_X)) {
      break;
    }
    flag_ = flag_ ? 0 : 1;
    Draw();
  }
  NoteChange(flag_ != before);
  return event;
}

}  // namespace zq::ui
