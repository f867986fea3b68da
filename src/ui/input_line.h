#pragma once
// A one-line text field over a string variable. The field is as wide as the
// maximum length, so the whole value is always visible. The value is edited
// in place while the dialog runs.

#include <cstdint>
#include <memory>

#include "ui/control.h"

namespace zq::ui {

// The characters an input line or the list's search takes: every byte from
// 0x20 to 0xFE except 0x7F.
constexpr bool IsAcceptedCharacter(std::uint8_t character) {
  return character >= 0x20 && character <= 0xFE && character != 0x7F;
}

class InputLine : public Control {
 public:
  // A value longer than `maxLength` is cut to it; a shorter one loses its
  // trailing blanks.
  InputLine(Toolkit& toolkit, ShortString& value, int maxLength, int row, int column,
            std::unique_ptr<Label> label);

  Event Run() override;
  void Draw() override;

 private:
  // True when the key was the line's own.
  bool HandleKey(const Event& event);
  void Type(char character);
  void EraseAtCursor();
  // Replaces the value by a text, cut to the maximum, keeping only the
  // characters a person could have typed.
  void ReplaceValue(std::string_view text);
  void TrimValue();
  std::size_t MaxLength() const { return static_cast<std::size_t>(maxLength_); }
  std::size_t CursorIndex() const { return static_cast<std::size_t>(cursor_ - 1); }

  ShortString& value_;
  int maxLength_;
  int cursor_ = 1;  // within the field, from 1; maxLength + 1 is past its end
  ShortString entryValue_;
};

std::unique_ptr<InputLine> NewInputLine(Toolkit& toolkit, ShortString& value, int maxLength,
                                        int row, int column,
                                        std::unique_ptr<Label> label = nullptr);

}  // namespace zq::ui
