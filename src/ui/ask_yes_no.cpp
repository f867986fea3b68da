#include "ui/ask_yes_no.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/text_literal.h"
#include "ui/key_codes.h"
#include "ui/text_fill.h"

namespace zq::ui {

namespace {

constexpr int MIN_WIDTH = 7;
constexpr int MAX_WIDTH = 76;
constexpr std::uint16_t COMMAND_YES = 0x1111;
constexpr std::uint16_t COMMAND_NO = 0x2222;

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (;;) {
    const std::size_t end = text.find('\x0d');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return lines;
    text.remove_prefix(end + 1);
  }
}

class ChoiceBox {
 public:
  ChoiceBox(Toolkit& toolkit, const TextWindow& window, int width, int lines)
      : toolkit_(toolkit), inner_(window.inner), width_(width), lines_(lines) {}

  void Put(std::uint8_t attribute, int column, int row, std::string_view text) {
    toolkit_.screen.WriteScreen(attribute, inner_.x1 + column - 1, inner_.y1 + row - 1, text);
  }

  // A bar: a blank and the text without its "~", padded to the width; the
  // letter after the "~" stands out on a bar that is not selected.
  void DrawBar(std::string_view marked, int row, bool selected) {
    const std::size_t hot = marked.find('~');
    ShortString plain = marked.substr(0, hot);
    plain += marked.substr(hot + 1);
    Put(toolkit_.colours[selected ? CLR_SELECTED : CLR_BOX_TEXT], 2, row,
        PaddedTo(width_, " "_pl + plain));
    if (!selected) {
      Put(toolkit_.colours[CLR_HOTKEY], 3 + static_cast<int>(hot), row,
          plain.view().substr(hot, 1));
    }
  }

  void DrawBars(bool yes) {
    DrawBar("~T a k"_pl, lines_ + 2, yes);
    DrawBar("~N i e"_pl, lines_ + 3, !yes);
  }

  int YesRow() const { return inner_.y1 + lines_ + 1; }
  bool StrictlyInside(int column) const { return column >= inner_.x1 && column <= inner_.x2; }

 private:
  Toolkit& toolkit_;
  Rect inner_;
  int width_;
  int lines_;
};

// The answer the event settles, if it settles one.
std::optional<bool> Answer(const Event& event, const ChoiceBox& box, bool selection) {
  switch (event.kind) {
    case EventKind::KEY:
      if (event.IsKey(KB_ENTER)) return selection;
      if (event.IsCharacter() && (event.character == 't' || event.character == 'T')) return true;
      if (event.IsCharacter() && (event.character == 'n' || event.character == 'N')) return false;
      return std::nullopt;
    case EventKind::COMMAND:
      if (event.command == COMMAND_YES) return true;
      if (event.command == COMMAND_NO) return false;
      return std::nullopt;
    case EventKind::MOUSE:
      return event.buttons == platform::MOUSE_LEFT && event.screenRow == box.YesRow() &&
             box.StrictlyInside(event.screenColumn);
    case EventKind::NONE:
      break;
  }
  return std::nullopt;
}

}  // namespace

bool AskYesNo(Toolkit& toolkit, bool defaultYes, std::string_view text, int row, int column) {
  const std::vector<std::string_view> lines = SplitLines(text);
  int width = MIN_WIDTH;
  for (std::string_view line : lines) width = std::max(width, static_cast<int>(line.size()));
  width = std::min(width, MAX_WIDTH);
  const int lineCount = static_cast<int>(lines.size());
  if (column + width > 77) column = 77 - width;
  if (row + 5 + lineCount > 24) row = 19 - lineCount;

  WindowStyle style;
  style.titleColour = toolkit.colours[CLR_BOX_FRAME];
  style.frameColour = toolkit.colours[CLR_BOX_TEXT];
  style.textColour = toolkit.colours[CLR_BOX_TEXT];
  style.keepsContents = true;
  TextWindow* window =
      toolkit.screen.OpenWindow({column, row, column + width + 3, row + lineCount + 4}, style);
  if (!window) return false;

  // The box goes, whatever way the loop is left.
  struct Cleanup {
    Toolkit& toolkit;
    TextWindow* window;
    const HintLine* hints = nullptr;
    ~Cleanup() {
      if (hints) toolkit.events.DoneHintLine(hints);
      toolkit.screen.CloseWindow(window);
    }
  } cleanup{toolkit, window};
  ChoiceBox box(toolkit, *window, width, lineCount);
  for (int i = 0; i < lineCount; ++i) {
    box.Put(toolkit.colours[CLR_PROMPT_TEXT], 2, i + 1,
            PaddedTo(width, lines[static_cast<std::size_t>(i)]));
  }
  box.Put(style.textColour, 1, lineCount + 1, Repeated("─"_pl, width + 2));
  cleanup.hints = toolkit.events.NewHintLine({NewHintItem(COMMAND_YES, KB_CTRL_T, "^T - tak"_pl),
                                              NewHintItem(COMMAND_NO, KB_CTRL_N, "^N - nie"_pl)});
  bool selection = defaultYes;
  std::optional<bool> answer;
  while (!answer) {
    box.DrawBars(selection);
    Event event;
    toolkit.events.GetEvent(event);
    if (event.IsKey(KB_UP) || event.IsKey(KB_DOWN)) selection = !selection;
    answer = Answer(event, box, selection);
  }
  return *answer;
}

}  // namespace zq::ui
