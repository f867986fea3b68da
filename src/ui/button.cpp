#include "ui/button.h"

#include <algorithm>

#include "platform/text_literal.h"
#include "ui/key_codes.h"
#include "ui/polish_text.h"
#include "ui/text_fill.h"

namespace zq::ui {

namespace {

// The text centred in `width` cells.
ShortString Centred(std::string_view text, int width) {
  const int length = std::min(static_cast<int>(text.size()), std::max(width, 0));
  return PaddedTo(width,
                  Blanks((width - length) / 2) + text.substr(0, static_cast<std::size_t>(length)));
}

constexpr std::uint8_t BLINK_OR_BRIGHT_BACKGROUND = 0x80;

}  // namespace

Button::Button(Toolkit& toolkit, std::uint16_t command, std::string_view text, int height,
               int width, int row, int column)
    : Control(toolkit, ControlKind::BUTTON,
              {column, row, column + width - 1, row + std::max(height, 1) - 1}, nullptr),
      command_(command),
      text_(text.substr(0, MAX_TEXT)) {}

std::unique_ptr<Button> NewButton(Toolkit& toolkit, std::uint16_t command, std::string_view text,
                                  int height, int width, int row, int column) {
  return std::make_unique<Button>(toolkit, command, text, height, width, row, column);
}

void Button::Draw() {
  if (Focused()) {
    DrawPressed();
  } else {
    DrawRaised();
  }
}

void Button::DrawRaised() {
  const int width = bounds_.Width();
  const int height = bounds_.Height();
  const std::uint8_t face = toolkit_.colours[CLR_SELECTED];
  const std::uint8_t shadow = toolkit_.colours.Palette(1);
  for (int line = 0; line < height; ++line) {
    const int row = bounds_.y1 + line;
    Put(face, bounds_.x1, row, line == height / 2 ? Centred(text_, width) : Blanks(width));
    Put(shadow, bounds_.x2 + 1, row, line == 0 ? "▄"_pl : "█"_pl);
  }
  Put(shadow, bounds_.x1, bounds_.y2 + 1, " "_pl + Repeated("▀"_pl, width));
}

void Button::DrawPressed() {
  const int width = bounds_.Width();
  const int height = bounds_.Height();
  const std::uint8_t face = toolkit_.colours.Palette(3);
  const std::uint8_t uncovered = toolkit_.colours[CLR_BOX_TEXT];
  const auto mark = static_cast<std::uint8_t>(face | BLINK_OR_BRIGHT_BACKGROUND);
  for (int line = 0; line < height; ++line) {
    const int row = bounds_.y1 + line;
    Put(uncovered, bounds_.x1, row, " "_pl);
    if (line == height / 2) {
      Put(mark, bounds_.x1 + 1, row, "»"_pl);
      Put(face, bounds_.x1 + 2, row, Centred(text_, width - 2));
      Put(mark, bounds_.x2 + 1, row, "«"_pl);
    } else {
      Put(face, bounds_.x1 + 1, row, Blanks(width));
    }
  }
  Put(uncovered, bounds_.x1, bounds_.y2 + 1, Blanks(width + 1));
}

Event Button::Run() {
  Event event = ReadEvent(Cursor::NONE);
  int column = 0;
  int row = 0;
  const bool clickedOn =
      event.IsLeftClick() && LocalPoint(event, column, row) &&
      Rect{bounds_.x1, bounds_.y1, bounds_.x2 + 1, bounds_.y2}.Contains(column, row);
  if (event.IsKey(KB_ENTER) || event.IsKey(KB_SPACE) || clickedOn) event.MakeCommand(command_);
  return event;
}

}  // namespace zq::ui
