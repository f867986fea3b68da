#include "ui/input_box.h"

#include <algorithm>

#include "platform/text_literal.h"
#include "ui/button.h"
#include "ui/commands.h"
#include "ui/dialog.h"
#include "ui/input_line.h"
#include "ui/key_codes.h"

namespace zq::ui {

namespace {
constexpr int MAX_SET_LENGTH = 36;
constexpr int HEIGHT = 10;
constexpr int TOP = 8;
constexpr int NARROW_WIDTH = 41;
constexpr int NARROW_LEFT = 20;

void WriteLines(Toolkit& toolkit, const Rect& inner, std::string_view text) {
  // Each line fits the box from inner column 2, so none outlives it.
  const auto room = static_cast<std::size_t>(std::max(inner.Width() - 1, 0));
  for (int row = 2; row <= inner.Height(); ++row) {
    const std::size_t end = text.find('\x0d');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.front() == '\x03') {
      toolkit.screen.WriteCentred(toolkit.colours[CLR_BOX_TEXT], row, line.substr(1, room));
    } else {
      toolkit.screen.WriteScreen(toolkit.colours[CLR_BOX_TEXT], inner.x1 + 1, inner.y1 + row - 1,
                                 line.substr(0, room));
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

// The inner column of the field. The box of the default length is only as
// wide as the field and its frame, where the usual offset would put the last
// cell on the right frame; the field then starts at the first inner column.
int FieldColumn(int width, int length) {
  const int innerWidth = width - 2;
  return std::min((width - length - 2) / 2 + 2, innerWidth - length + 1);
}
}  // namespace

void SetInputBoxLength(Toolkit& toolkit, int length) {
  if (length >= 1 && length <= MAX_SET_LENGTH) toolkit.inputBoxLength = length;
}

std::uint16_t InputBox(Toolkit& toolkit, ShortString& value, std::string_view text) {
  const bool dataChanged = toolkit.dataChanged;
  const ShortString original = value;
  const int length = toolkit.inputBoxLength;
  const int width = length < DEFAULT_INPUT_BOX_LENGTH ? NARROW_WIDTH : length + 2;
  const int left = length < DEFAULT_INPUT_BOX_LENGTH ? NARROW_LEFT : 40 - width / 2;
  toolkit.events.FlushKeys();
  std::uint16_t answer = CM_CANCEL;
  if (auto dialog = NewDialog(toolkit, ""_pl, 0, HEIGHT, width, TOP, left)) {
    WriteLines(toolkit, dialog->Inner(), text);
    dialog->Insert(NewInputLine(toolkit, value, length, 5, FieldColumn(width, length)));
    dialog->Insert(NewButton(toolkit, CM_OK, "OK"_pl, 1, 8, 7, 16));
    dialog->AttachHintLine({NewHintItem(CM_OK, KB_ENTER, "Enter - potwierdź"_pl),
                            NewHintItem(CM_CANCEL, KB_ESC, "Esc - zrezygnuj"_pl)});
    answer = dialog->Execute();
    if (answer != CM_OK) value = original;
  }
  toolkit.dataChanged = dataChanged;
  toolkit.inputBoxLength = DEFAULT_INPUT_BOX_LENGTH;
  return answer;
}

}  // namespace zq::ui
