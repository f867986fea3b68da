#include "ui/input_line.h"

#include <algorithm>

#include "ui/key_codes.h"
#include "ui/polish_text.h"

namespace zq::ui {

namespace {

constexpr int EDIT_TONE_UNITS = 1;
constexpr int TYPED_PAST_END_HZ = 3000;
constexpr int BACKSPACE_AT_START_HZ = 1200;
constexpr int DELETE_PAST_END_HZ = 2250;

void TrimTrailingBlanks(ShortString& text) {
  std::size_t length = text.size();
  while (length > 0 && text[length - 1] == ' ') --length;
  text.Truncate(length);
}

}  // namespace

InputLine::InputLine(Toolkit& toolkit, ShortString& value, int maxLength, int row, int column,
                     std::unique_ptr<Label> label)
    : Control(toolkit, ControlKind::INPUT_LINE, {}, std::move(label)),
      value_(value),
      maxLength_(std::clamp(maxLength, 1, static_cast<int>(ShortString::MAX_LENGTH))) {
  bounds_ = {column, row, column + maxLength_ - 1, row};
  TrimValue();
}

std::unique_ptr<InputLine> NewInputLine(Toolkit& toolkit, ShortString& value, int maxLength,
                                        int row, int column, std::unique_ptr<Label> label) {
  return std::make_unique<InputLine>(toolkit, value, maxLength, row, column, std::move(label));
}

void InputLine::TrimValue() {
  value_.Truncate(MaxLength());
  TrimTrailingBlanks(value_);
}

void InputLine::Draw() {
  Put(toolkit_.colours.Palette(Focused() ? 3 : 2), bounds_.x1, bounds_.y1,
      PadRight(MaxLength(), value_));
  DrawLabel();
}

void InputLine::ReplaceValue(std::string_view text) {
  ShortString kept;
  for (char c : text) {
    if (IsAcceptedCharacter(static_cast<std::uint8_t>(c))) kept.push_back(c);
  }
  kept.Truncate(MaxLength());
  value_ = kept;
}

void InputLine::EraseAtCursor() {
  if (CursorIndex() >= value_.size()) return;
  std::string text(value_.view());
  text.erase(CursorIndex(), 1);
  value_.Assign(text);
}

void InputLine::Type(char character) {
  if (cursor_ > maxLength_) {
    toolkit_.sound.Sound(EDIT_TONE_UNITS, TYPED_PAST_END_HZ);
    return;
  }
  std::string text(value_.view());
  if (toolkit_.insertMode) {
    text.insert(CursorIndex(), 1, character);
    if (text.size() > MaxLength()) text.resize(MaxLength());  // the last character gives way
  } else if (CursorIndex() < text.size()) {
    text[CursorIndex()] = character;
  } else {
    text.push_back(character);
  }
  value_.Assign(text);
  ++cursor_;
}

bool InputLine::HandleKey(const Event& event) {
  const int textEnd = static_cast<int>(value_.size()) + 1;
  if (event.IsCharacter() && IsAcceptedCharacter(event.character)) {
    Type(static_cast<char>(event.character));
    return true;
  }
  switch (event.keyCode) {
    case KB_LEFT:
      if (cursor_ <= 1) return false;
      --cursor_;
      return true;
    case KB_RIGHT:
      if (cursor_ >= maxLength_) return false;
      cursor_ = std::min(cursor_ + 1, textEnd);
      return true;
    case KB_CTRL_LEFT:
      cursor_ = 1;
      return true;
    case KB_CTRL_RIGHT:
      cursor_ = std::min(textEnd, maxLength_);
      return true;
    case KB_BACKSPACE:
      if (cursor_ <= 1) {
        toolkit_.sound.Sound(EDIT_TONE_UNITS, BACKSPACE_AT_START_HZ);
      } else {
        --cursor_;
        EraseAtCursor();
      }
      return true;
    case KB_DELETE:
      if (cursor_ > maxLength_) {
        toolkit_.sound.Sound(EDIT_TONE_UNITS, DELETE_PAST_END_HZ);
      } else {
        EraseAtCursor();
      }
      return true;
    case KB_INSERT:
      toolkit_.insertMode = !toolkit_.insertMode;
      return true;
    case KB_CTRL_Y:
      value_.clear();
      return true;
    case KB_CTRL_P:
      value_ = entryValue_;
      return true;
    case KB_CTRL_K:
      toolkit_.clipboardBuffer = value_;
      toolkit_.clipboardBuffer.Truncate(CLIPBOARD_BUFFER_LENGTH);
      return true;
    case KB_CTRL_W:
      ReplaceValue(toolkit_.clipboardBuffer);
      return true;
    case KB_CTRL_INSERT:
      toolkit_.clipboard.SetText(value_);
      return true;
    case KB_SHIFT_INSERT:
      ReplaceValue(toolkit_.clipboard.GetText());
      return true;
    case KB_CTRL_D:
      value_ = UpperCasePL(value_);
      return true;
    case KB_CTRL_M:
      value_ = LowerCasePL(value_);
      return true;
    default:
      return false;
  }
}

Event InputLine::Run() {
  entryValue_ = value_;
  cursor_ = std::min(static_cast<int>(value_.size()) + 1, maxLength_);
  Event event;
  for (;;) {
    Draw();
    PlaceCursor(bounds_.x1 + cursor_ - 1, bounds_.y1);
    event = ReadEvent(Cursor::TEXT);
    if (event.kind != EventKind::KEY || !HandleKey(event)) break;
    // A shorter value may leave the cursor beyond one past its end.
    cursor_ = std::min(cursor_, std::max(static_cast<int>(value_.size()) + 1, 1));
  }
  TrimValue();
  Draw();
  NoteChange(value_ != entryValue_);
  return event;
}

}  // namespace zq::ui
