#pragma once
// The text screen every page, box and log draws on: an in-memory buffer of
// 80 x 25 cells whose every change is handed to the console at once (only the
// run of cells that changed), framed windows that restore what they covered,
// and the current text region. Coordinates are 1-based, (1,1) top-left.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/console.h"
#include "platform/short_string.h"

namespace zq::ui {

inline constexpr int SCREEN_COLUMNS = platform::SCREEN_WIDTH;
inline constexpr int SCREEN_ROWS = platform::SCREEN_HEIGHT;

struct Rect {
  int x1 = 1;
  int y1 = 1;
  int x2 = SCREEN_COLUMNS;
  int y2 = SCREEN_ROWS;
  int Width() const { return x2 - x1 + 1; }
  int Height() const { return y2 - y1 + 1; }
  bool Contains(int column, int row) const {
    return column >= x1 && column <= x2 && row >= y1 && row <= y2;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct WindowStyle {
  ShortString title;
  std::uint8_t titleColour = 0x0F;
  std::uint8_t frameColour = 0x07;
  std::uint8_t textColour = 0x07;
  bool framed = true;
  bool clearOnDraw = true;
  bool keepsContents = false;
};

// A rectangle of the screen that is drawn, written into and closed again.
struct TextWindow {
  Rect outer;
  Rect inner;  // one cell inside the frame when framed
  WindowStyle style;
  std::vector<platform::Cell> covered;  // the screen under `outer` before the window
  Rect regionBefore;                    // the text region to give back on close
};

// Frame characters: top-left, bottom-left, top-right, bottom-right, top and
// bottom edge, left and right edge.
inline constexpr std::string_view FRAME_CHARACTERS = "\xDA\xC0\xBF\xD9\xC4\xC4\xB3\xB3";

class Screen {
 public:
  explicit Screen(platform::Console& console);

  platform::Console& Console() { return console_; }
  platform::Cell CellAt(int column, int row) const;

  // Opens and draws a window and makes it current; nothing (and nothing
  // drawn) when a corner lies off the screen.
  TextWindow* OpenWindow(const Rect& outer, const WindowStyle& style);
  // Restores the cells the window covered and makes the window opened before
  // it current again.
  void CloseWindow(TextWindow* window);
  TextWindow* CurrentWindow() const;

  // Text at a column and row of the current window's inner rectangle (the
  // whole screen when no window is open), cut at the right edge of the screen.
  void PutText(std::uint8_t attribute, int column, int row, std::string_view text);
  void PutTextPlain(int column, int row, std::string_view text);
  // Text centred in the current text region, on a row of that region.
  void WriteCentred(std::uint8_t attribute, int row, std::string_view text);
  // Text at absolute screen coordinates, whatever windows are open.
  void WriteScreen(std::uint8_t attribute, int column, int row, std::string_view text);
  void FillRect(const Rect& area, std::uint8_t character, std::uint8_t attribute);

  // The current text region, kept apart from windows for the plain output
  // of the progress log.
  const Rect& Region() const { return region_; }
  void SaveRegion(const Rect& region, Rect& saved);
  void RestoreRegion(const Rect& saved) { region_ = saved; }

  void SetCursor(int column, int row);
  void ShowCursor(bool visible);
  void SetCursorSize(int percent);

 private:
  void Put(int column, int row, std::span<const platform::Cell> cells);
  template <typename CellOf>
  void PutCells(int column, int row, std::size_t count, const CellOf& cellOf);
  void DrawWindow(TextWindow& window);

  platform::Console& console_;
  std::array<std::array<platform::Cell, SCREEN_COLUMNS>, SCREEN_ROWS> cells_{};
  std::vector<std::unique_ptr<TextWindow>> windows_;
  Rect region_;
};

}  // namespace zq::ui
