#pragma once
// A column of check boxes over the bits of a 16-bit set: item i (from 1)
// stands for bit i - 1.

#include <cstdint>
#include <memory>

#include "ui/control.h"
#include "ui/item_list.h"

namespace zq::ui {

class CheckBoxGroup : public Control {
 public:
  static constexpr std::size_t MAX_ITEMS = 16;

  CheckBoxGroup(Toolkit& toolkit, std::uint16_t& bits, ItemList items, int row, int column,
                std::unique_ptr<Label> label);

  Event Run() override;
  void Draw() override;

 private:
  std::uint16_t Bit() const { return static_cast<std::uint16_t>(1u << (current_ - 1)); }
  void SetCurrentBit(bool set);
  int ItemLength(int item) const {
    return static_cast<int>(items_[static_cast<std::size_t>(item - 1)].size());
  }

  std::uint16_t& bits_;
  ItemList items_;
  int current_ = 1;
};

std::unique_ptr<CheckBoxGroup> NewCheckBoxGroup(Toolkit& toolkit, std::uint16_t& bits,
                                                ItemList items, int row, int column,
                                                std::unique_ptr<Label> label = nullptr);

}  // namespace zq::ui
