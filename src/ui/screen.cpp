#include "ui/screen.h"

#include <algorithm>
#include <string>

namespace zq::ui {

using platform::Cell;

Screen::Screen(platform::Console& console) : console_(console) {
  for (int row = 1; row <= SCREEN_ROWS; ++row) {
    console_.WriteCells(0, row - 1, cells_[static_cast<std::size_t>(row - 1)]);
  }
}

Cell Screen::CellAt(int column, int row) const {
  if (!Rect{}.Contains(column, row)) return {};
  return cells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

// Writes `count` cells, the i-th of them `cellOf(i)`, from a column of a
// row, cut at the screen's edges, and sends the console only the cells that
// changed. The progress log rewrites its whole body for each line it adds,
// so this runs for most of the screen many times a second.
template <typename CellOf>
void Screen::PutCells(int column, int row, std::size_t count, const CellOf& cellOf) {
  if (row < 1 || row > SCREEN_ROWS || column > SCREEN_COLUMNS) return;
  std::size_t skipped = 0;
  if (column < 1) {
    skipped = std::min<std::size_t>(static_cast<std::size_t>(1 - column), count);
    column = 1;
  }
  count =
      std::min<std::size_t>(count - skipped, static_cast<std::size_t>(SCREEN_COLUMNS - column + 1));
  auto& line = cells_[static_cast<std::size_t>(row - 1)];
  const auto start = static_cast<std::size_t>(column - 1);
  const auto unchanged = [&](std::size_t i) {
    const Cell cell = cellOf(skipped + i);
    const Cell& kept = line[start + i];
    return kept.character == cell.character && kept.attribute == cell.attribute;
  };
  // The changed run is found from both ends, then written in one plain pass.
  std::size_t first = 0;
  while (first < count && unchanged(first)) ++first;
  if (first == count) return;
  std::size_t last = count - 1;
  while (last > first && unchanged(last)) --last;
  for (std::size_t i = first; i <= last; ++i) line[start + i] = cellOf(skipped + i);
  console_.WriteCells(static_cast<int>(start + first), row - 1,
                      std::span<const Cell>(line).subspan(start + first, last - first + 1));
}

void Screen::Put(int column, int row, std::span<const Cell> cells) {
  PutCells(column, row, cells.size(), [cells](std::size_t i) { return cells[i]; });
}

void Screen::WriteScreen(std::uint8_t attribute, int column, int row, std::string_view text) {
  text = text.substr(0, std::min<std::size_t>(text.size(), ShortString::MAX_LENGTH));
  PutCells(column, row, text.size(), [text, attribute](std::size_t i) {
    return Cell{static_cast<std::uint8_t>(text[i]), attribute};
  });
}

void Screen::FillRect(const Rect& area, std::uint8_t character, std::uint8_t attribute) {
  if (area.x2 < area.x1) return;
  const std::vector<Cell> line(static_cast<std::size_t>(area.Width()), Cell{character, attribute});
  for (int row = area.y1; row <= area.y2; ++row) Put(area.x1, row, line);
}

TextWindow* Screen::CurrentWindow() const {
  return windows_.empty() ? nullptr : windows_.back().get();
}

TextWindow* Screen::OpenWindow(const Rect& outer, const WindowStyle& style) {
  if (outer.x1 < 1 || outer.y1 < 1 || outer.x2 > SCREEN_COLUMNS || outer.y2 > SCREEN_ROWS ||
      outer.x2 < outer.x1 || outer.y2 < outer.y1) {
    return nullptr;
  }
  auto window = std::make_unique<TextWindow>();
  window->outer = outer;
  window->inner =
      style.framed ? Rect{outer.x1 + 1, outer.y1 + 1, outer.x2 - 1, outer.y2 - 1} : outer;
  window->style = style;
  window->regionBefore = region_;
  for (int row = outer.y1; row <= outer.y2; ++row) {
    for (int column = outer.x1; column <= outer.x2; ++column) {
      window->covered.push_back(CellAt(column, row));
    }
  }
  DrawWindow(*window);
  region_ = window->inner;
  windows_.push_back(std::move(window));
  return windows_.back().get();
}

void Screen::DrawWindow(TextWindow& window) {
  const Rect& outer = window.outer;
  const WindowStyle& style = window.style;
  if (style.clearOnDraw && window.inner.x2 >= window.inner.x1 &&
      window.inner.y2 >= window.inner.y1) {
    FillRect(window.inner, ' ', style.textColour);
  }
  if (!style.framed) return;
  const auto frame = [](std::size_t index) { return FRAME_CHARACTERS[index]; };
  const int innerWidth = outer.x2 - outer.x1 - 1;
  std::string line(static_cast<std::size_t>(outer.Width()), frame(4));
  line.front() = frame(0);
  line.back() = frame(2);
  WriteScreen(style.frameColour, outer.x1, outer.y1, line);
  std::fill(line.begin(), line.end(), frame(5));
  line.front() = frame(1);
  line.back() = frame(3);
  WriteScreen(style.frameColour, outer.x1, outer.y2, line);
  for (int row = outer.y1 + 1; row < outer.y2; ++row) {
    WriteScreen(style.frameColour, outer.x1, row, FRAME_CHARACTERS.substr(6, 1));
    WriteScreen(style.frameColour, outer.x2, row, FRAME_CHARACTERS.substr(7, 1));
  }
  if (!style.title.empty() && innerWidth > 0) {
    const std::string_view title =
        style.title.view().substr(0, static_cast<std::size_t>(innerWidth));
    const int offset = std::max(1, (innerWidth - static_cast<int>(title.size())) / 2 + 1);
    WriteScreen(style.titleColour, outer.x1 + offset, outer.y1, title);
  }
}

void Screen::CloseWindow(TextWindow* window) {
  const auto found = std::find_if(windows_.begin(), windows_.end(),
                                  [window](const auto& open) { return open.get() == window; });
  if (found == windows_.end()) return;
  const Rect& outer = window->outer;
  for (int row = outer.y1; row <= outer.y2; ++row) {
    const auto offset = static_cast<std::size_t>((row - outer.y1) * outer.Width());
    Put(outer.x1, row,
        std::span<const Cell>(window->covered)
            .subspan(offset, static_cast<std::size_t>(outer.Width())));
  }
  region_ = window->regionBefore;
  windows_.erase(found);
}

void Screen::PutText(std::uint8_t attribute, int column, int row, std::string_view text) {
  const TextWindow* window = CurrentWindow();
  const Rect area = window ? window->inner : Rect{};
  WriteScreen(attribute, area.x1 + column - 1, area.y1 + row - 1, text);
}

void Screen::PutTextPlain(int column, int row, std::string_view text) {
  const TextWindow* window = CurrentWindow();
  PutText(window ? window->style.textColour : std::uint8_t{0x07}, column, row, text);
}

void Screen::WriteCentred(std::uint8_t attribute, int row, std::string_view text) {
  const int column = region_.x1 + (region_.x2 - region_.x1) / 2 - static_cast<int>(text.size()) / 2;
  WriteScreen(attribute, column, region_.y1 + row - 1, text);
}

void Screen::SaveRegion(const Rect& region, Rect& saved) {
  saved = region_;
  region_ = region;
}

void Screen::SetCursor(int column, int row) {
  console_.SetCursorPosition(column - 1, row - 1);
}

void Screen::ShowCursor(bool visible) {
  console_.SetCursorVisible(visible);
}

void Screen::SetCursorSize(int percent) {
  console_.SetCursorSize(percent);
}

}  // namespace zq::ui
