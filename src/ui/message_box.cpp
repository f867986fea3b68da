#include "ui/message_box.h"

#include <array>

#include "platform/text_literal.h"
#include "ui/button.h"
#include "ui/commands.h"
#include "ui/dialog.h"

namespace zq::ui {

namespace {

constexpr char LINE_BREAK = '\x0d';
constexpr char CENTRE_MARK = '\x03';
constexpr char TITLE_END = '\x07';
constexpr std::size_t MAX_TITLE = 78;
constexpr int BUTTON_WIDTH = 9;
constexpr std::uint16_t TIMED_BIT = 0x0008;

struct BoxButton {
  std::uint16_t bit;
  ShortString text;
  std::uint16_t command;
};

ShortString KindTitle(std::uint16_t kind) {
  switch (kind & 0x0F) {
    case MB_ERROR:
    case MB_TIMED_ERROR:
      return " Błąd "_pl;
    case MB_INFORMATION:
      return " Informacja "_pl;
    case MB_CONFIRMATION:
      return " Potwierdź "_pl;
    default:
      return " UWAGA "_pl;
  }
}

bool HasErrorColours(std::uint16_t kind) {
  return (kind & 0x0F) == MB_ERROR || (kind & 0x0F) == MB_TIMED_ERROR;
}

// Writes the lines of the text in the box, one per inner row from the top.
void LayOutLines(Toolkit& toolkit, const Rect& inner, std::string_view text, int width) {
  const auto lineWidth = static_cast<std::size_t>(std::max(width - 2, 0));
  for (int row = 1;; ++row) {
    const std::size_t end = text.find(LINE_BREAK);
    std::string_view line = text.substr(0, end);
    int column = 1;
    if (!line.empty() && line.front() == CENTRE_MARK) {
      line = line.substr(1, lineWidth);
      column = (width - static_cast<int>(line.size())) / 2;
    } else {
      line = line.substr(0, lineWidth);
    }
    // Lines below the box are not written; they would outlive it on the screen.
    if (!line.empty() && row <= inner.Height()) {
      toolkit.screen.WriteScreen(toolkit.colours[CLR_BOX_TEXT], inner.x1 + column - 1,
                                 inner.y1 + row - 1, line);
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

void InsertButtons(Toolkit& toolkit, Dialog& dialog, std::uint16_t kind, int height, int width) {
  const std::array<BoxButton, 4> buttons = {{{MB_YES, "Tak"_pl, CM_YES},
                                             {MB_NO, "Nie"_pl, CM_NO},
                                             {MB_OK, "OK"_pl, CM_OK},
                                             {MB_CANCEL, "Porzuć"_pl, CM_CANCEL}}};
  int count = 0;
  for (const BoxButton& button : buttons) count += (kind & button.bit) ? 1 : 0;
  const int gap = (width - BUTTON_WIDTH * count) / (count + 1);
  int placed = 0;
  for (const BoxButton& button : buttons) {
    if (!(kind & button.bit)) continue;
    dialog.Insert(NewButton(toolkit, button.command, button.text, 1, BUTTON_WIDTH, height - 3,
                            gap + placed * (gap + BUTTON_WIDTH)));
    ++placed;
  }
}

}  // namespace

std::uint16_t MessageBox(Toolkit& toolkit, std::uint16_t kind, std::string_view text, int height,
                         int width, int top, int left) {
  ColourTable saved;
  toolkit.colours.SaveColourTable(saved);
  ShortString title = KindTitle(kind);
  if (HasErrorColours(kind)) {
    const std::uint8_t error = toolkit.colours[CLR_ERROR];
    toolkit.colours.SetColour(CLR_BOX_FRAME, error);
    toolkit.colours.SetColour(CLR_BOX_TEXT, error);
    toolkit.colours.SetColour(CLR_BOX_TITLE, error);
  }
  toolkit.events.FlushKeys();
  if (const std::size_t titleEnd = text.find(TITLE_END); titleEnd != std::string_view::npos) {
    title = text.substr(0, std::min(titleEnd, MAX_TITLE));
    text.remove_prefix(titleEnd + 1);
  }
  std::uint16_t answer = CM_CANCEL;
  if (auto dialog = NewDialog(toolkit, title, 0, height, width, top, left)) {
    LayOutLines(toolkit, dialog->Inner(), text, width);
    InsertButtons(toolkit, *dialog, kind, height, width);
    dialog->AttachHintLine({NewHintItem(0, 0, "?"_pl)});
    if (kind & TIMED_BIT) {
      toolkit.sound.Delay(TIMED_BOX_MS);  // keys typed meanwhile stay for the next reader
    } else {
      answer = dialog->Execute();
    }
  }
  toolkit.colours.RestoreColourTable(saved);
  return answer;
}

std::uint16_t ShowMessage(Toolkit& toolkit, std::uint16_t kind, std::string_view text) {
  return MessageBox(toolkit, kind, text, BOX_HEIGHT, BOX_WIDTH, BOX_TOP, BOX_LEFT);
}

void ShowError(Toolkit& toolkit, std::string_view text) {
  ShowMessage(toolkit, MB_ERROR + MB_OK, text);
}

}  // namespace zq::ui
