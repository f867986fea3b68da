#include "ui/control.h"

#include "ui/dialog.h"

namespace zq::ui {

namespace {
constexpr int INSERT_CURSOR_PERCENT = 20;     // the bottom fifth of the cell
constexpr int OVERWRITE_CURSOR_PERCENT = 50;  // the lower half
constexpr int LABEL_CLICK_UNITS = 2;
constexpr int LABEL_CLICK_FREQUENCY = 4000;
}  // namespace

std::unique_ptr<Label> NewLabel(std::string_view text, int row, int column) {
  if (text.empty()) return nullptr;
  auto label = std::make_unique<Label>();
  label->text = text.substr(0, Label::MAX_LENGTH);
  label->column = column;
  label->row = row;
  return label;
}

Control::Control(Toolkit& toolkit, ControlKind kind, const Rect& bounds,
                 std::unique_ptr<Label> label)
    : toolkit_(toolkit), bounds_(bounds), kind_(kind), label_(std::move(label)) {}

bool Control::Contains(int column, int row) const {
  return bounds_.Contains(column, row) || (label_ && label_->Bounds().Contains(column, row));
}

void Control::Put(std::uint8_t attribute, int column, int row, std::string_view text) {
  if (!owner_) return;
  const Rect& inner = owner_->Inner();
  toolkit_.screen.WriteScreen(attribute, inner.x1 + column - 1, inner.y1 + row - 1, text);
}

void Control::PlaceCursor(int column, int row) {
  if (!owner_) return;
  const Rect& inner = owner_->Inner();
  toolkit_.screen.SetCursor(inner.x1 + column - 1, inner.y1 + row - 1);
}

std::uint8_t Control::TextColour(bool highlighted) const {
  return toolkit_.colours.Palette(highlighted ? 1 : 0);
}

void Control::DrawLabel() {
  if (label_) Put(TextColour(focused_), label_->column, label_->row, label_->text);
}

void Control::DrawMarkedItem(std::string_view brackets, std::string_view mark,
                             std::string_view text, int column, int row, bool highlighted) {
  Put(TextColour(false), column, row, brackets);
  Put(TextColour(true), column + 1, row, mark);
  Put(TextColour(highlighted), column + 4, row, text);
}

bool Control::LocalPoint(const Event& event, int& column, int& row) const {
  if (event.kind != EventKind::MOUSE || !owner_) return false;
  const Rect& inner = owner_->Inner();
  column = event.screenColumn - inner.x1 + 1;
  row = event.screenRow - inner.y1 + 1;
  return true;
}

Event Control::ReadEvent(Cursor cursor) {
  Screen& screen = toolkit_.screen;
  for (;;) {
    if (cursor == Cursor::TEXT) {
      screen.SetCursorSize(toolkit_.insertMode ? INSERT_CURSOR_PERCENT : OVERWRITE_CURSOR_PERCENT);
      screen.ShowCursor(true);
    } else {
      screen.ShowCursor(false);
    }
    Event event;
    toolkit_.events.GetEvent(event);
    int column = 0;
    int row = 0;
    if (label_ && event.IsLeftClick() && LocalPoint(event, column, row) &&
        label_->Bounds().Contains(column, row)) {
      toolkit_.sound.Sound(LABEL_CLICK_UNITS, LABEL_CLICK_FREQUENCY);
      continue;
    }
    return event;
  }
}

}  // namespace zq::ui
