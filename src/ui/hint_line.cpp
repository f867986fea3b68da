#include "ui/hint_line.h"

#include <algorithm>

#include "platform/text_literal.h"
#include "ui/polish_text.h"

namespace zq::ui {

namespace {
constexpr std::size_t HINT_ITEM_LENGTH = 40;
constexpr int FIRST_HINT_COLUMN = 2;

void DrawEmptyBar(Screen& screen, const Colours& colours) {
  screen.WriteScreen(colours[CLR_SELECTED], 1, HINT_ROW, Spaces(SCREEN_COLUMNS));
}
}  // namespace

HintItem NewHintItem(std::uint16_t command, std::uint16_t key, std::string_view text) {
  HintItem item;
  item.text = ShortString(text) + "│"_pl;
  item.text.Truncate(HINT_ITEM_LENGTH);
  item.command = command;
  item.key = key;
  return item;
}

HintLine::HintLine(std::vector<HintItem> items) : items_(std::move(items)) {
  int column = FIRST_HINT_COLUMN;
  for (HintItem& item : items_) {
    item.columnFrom = column;
    column += static_cast<int>(item.text.size());
    item.columnTo = column - 1;
  }
}

void HintLine::Draw(Screen& screen, const Colours& colours) const {
  DrawEmptyBar(screen, colours);
  for (const HintItem& item : items_) {
    screen.WriteScreen(colours[CLR_SELECTED], item.columnFrom, HINT_ROW, item.text);
  }
}

bool HintLine::Translate(Event& event) const {
  const auto matches = [&event](const HintItem& item) {
    if (event.kind == EventKind::KEY) return item.key != 0 && item.key == event.keyCode;
    return event.kind == EventKind::MOUSE && event.screenRow == HINT_ROW &&
           event.screenColumn >= item.columnFrom && event.screenColumn <= item.columnTo;
  };
  const auto found = std::find_if(items_.begin(), items_.end(), matches);
  if (found == items_.end()) return false;
  event.MakeCommand(found->command);
  return true;
}

HintLine* HintLineStack::Push(std::vector<HintItem> items) {
  lines_.push_back(std::make_unique<HintLine>(std::move(items)));
  lines_.back()->Draw(screen_, colours_);
  return lines_.back().get();
}

void HintLineStack::Done(const HintLine* line) {
  const auto found = std::find_if(lines_.begin(), lines_.end(),
                                  [line](const auto& held) { return held.get() == line; });
  if (found == lines_.end()) return;
  const bool wasCurrent = found + 1 == lines_.end();
  lines_.erase(found);
  if (!wasCurrent) return;
  if (const HintLine* current = Current()) {
    current->Draw(screen_, colours_);
  } else {
    DrawEmptyBar(screen_, colours_);
  }
}

}  // namespace zq::ui
