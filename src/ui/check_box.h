#pragma once
// A single check box "[■] text" over a byte flag (0 clear, 1 set).

#include <cstdint>
#include <memory>
#include <string_view>

#include "ui/control.h"

namespace zq::ui {

class CheckBox : public Control {
 public:
  CheckBox(Toolkit& toolkit, std::string_view text, std::uint8_t& flag, int row, int column,
           std::unique_ptr<Label> label);

  Event Run() override;
  void Draw() override;

 private:
  ShortString text_;
  std::uint8_t& flag_;
};

std::unique_ptr<CheckBox> NewCheckBox(Toolkit& toolkit, std::string_view text, std::uint8_t& flag,
                                      int row, int column, std::unique_ptr<Label> label = nullptr);

}  // namespace zq::ui
