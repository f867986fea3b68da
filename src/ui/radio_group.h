#pragma once
// A column of mutually exclusive choices over a 16-bit index (0-based). The
// cursor moves freely; only Space, "x", "X", keypad "+" or a click choose.

#include <cstdint>
#include <memory>

#include "ui/control.h"
#include "ui/item_list.h"

namespace zq::ui {

class RadioGroup : public Control {
 public:
  // An index at or beyond the item count is set to 0.
  RadioGroup(Toolkit& toolkit, std::uint16_t& index, ItemList items, int row, int column,
             std::unique_ptr<Label> label);

  Event Run() override;
  void Draw() override;

 private:
  std::uint16_t& index_;
  ItemList items_;
  int cursor_ = 0;  // 0-based, while the group has the focus
};

std::unique_ptr<RadioGroup> NewRadioGroup(Toolkit& toolkit, std::uint16_t& index, ItemList items,
                                          int row, int column,
                                          std::unique_ptr<Label> label = nullptr);

}  // namespace zq::ui
