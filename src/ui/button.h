#pragma once
// A push button: a face with a shadow, or pressed in (shifted right, no
// shadow, marked with "»" and "«") while it has the focus. Enter, Space or a
// click on it gives its command; it also answers to the first letter of its
// text (the dialog sees to that).

#include <cstdint>
#include <memory>
#include <string_view>

#include "ui/control.h"

namespace zq::ui {

class Button : public Control {
 public:
  static constexpr std::size_t MAX_TEXT = 70;

  Button(Toolkit& toolkit, std::uint16_t command, std::string_view text, int height, int width,
         int row, int column);

  Event Run() override;
  void Draw() override;

  std::uint16_t Command() const { return command_; }
  const ShortString& Text() const { return text_; }

 private:
  void DrawRaised();
  void DrawPressed();

  std::uint16_t command_;
  ShortString text_;
};

std::unique_ptr<Button> NewButton(Toolkit& toolkit, std::uint16_t command, std::string_view text,
                                  int height, int width, int row, int column);

}  // namespace zq::ui
