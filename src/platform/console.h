#pragma once
// The console: a screen of 80 x 25 cells (a CP852 byte and a PC text
// attribute each) and a queue of key and mouse records. The toolkit keeps its
// own screen buffer and writes changed runs of cells here; a backend shows
// them (the terminal backend) or keeps them for tests (the headless backend).

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

namespace zq::platform {

inline constexpr int SCREEN_WIDTH = 80;
inline constexpr int SCREEN_HEIGHT = 25;

struct Cell {
  std::uint8_t character = ' ';
  std::uint8_t attribute = 0x07;  // background * 16 + foreground
  friend bool operator==(const Cell&, const Cell&) = default;
};

// Bits of the keyboard state byte delivered with every key.
inline constexpr std::uint8_t STATE_SHIFT = 0x03;  // both low bits
inline constexpr std::uint8_t STATE_CTRL = 0x04;
inline constexpr std::uint8_t STATE_ALT = 0x08;
inline constexpr std::uint8_t STATE_SCROLL_LOCK = 0x10;
inline constexpr std::uint8_t STATE_NUM_LOCK = 0x20;
inline constexpr std::uint8_t STATE_CAPS_LOCK = 0x40;

// A key: code = PC scan code * 256 + CP852 character (0 for keys without one).
struct KeyRecord {
  std::uint16_t code = 0;
  std::uint8_t state = 0;
  friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

inline constexpr std::uint16_t MOUSE_LEFT = 1;
inline constexpr std::uint16_t MOUSE_RIGHT = 2;
inline constexpr std::uint16_t MOUSE_MIDDLE = 4;

// A mouse report: the buttons held (0 after a release) and the 0-based cell.
struct MouseRecord {
  std::uint16_t buttons = 0;
  std::uint8_t column = 0;
  std::uint8_t row = 0;
  friend bool operator==(const MouseRecord&, const MouseRecord&) = default;
};

struct InputRecord {
  enum class Kind : std::uint8_t { KEY, MOUSE };
  Kind kind = Kind::KEY;
  KeyRecord key;
  MouseRecord mouse;
  friend bool operator==(const InputRecord&, const InputRecord&) = default;

  static InputRecord Key(std::uint16_t code, std::uint8_t state) {
    return {Kind::KEY, {code, state}, {}};
  }
  static InputRecord Mouse(std::uint16_t buttons, std::uint8_t column, std::uint8_t row) {
    return {Kind::MOUSE, {}, {buttons, column, row}};
  }
};

// The cells of a run written on `row` from `column` that land on the screen;
// `column` becomes where the first of them lands. Empty when none does.
inline std::span<const Cell> CellsOnScreen(int row, int& column, std::span<const Cell> cells) {
  if (row < 0 || row >= SCREEN_HEIGHT || column >= SCREEN_WIDTH) return {};
  if (column < 0) {
    cells = cells.subspan(std::min(cells.size(), static_cast<std::size_t>(-column)));
    column = 0;
  }
  return cells.first(std::min(cells.size(), static_cast<std::size_t>(SCREEN_WIDTH - column)));
}

class Console {
 public:
  virtual ~Console() = default;

  // Writes a run of cells on one row from the 0-based column; cells beyond
  // the right edge are dropped. Rows outside the screen are ignored.
  virtual void WriteCells(int column, int row, std::span<const Cell> cells) = 0;

  // The text cursor: 0-based position, visibility and the filled part of the
  // cell in percent (20 = the bottom fifth, 50 = the lower half).
  virtual void SetCursorPosition(int column, int row) = 0;
  virtual void SetCursorVisible(bool visible) = 0;
  virtual void SetCursorSize(int percent) = 0;

  virtual void SetTitle(std::string_view cp852Title) = 0;

  // Input records in arrival order. Peek and Read never block.
  virtual bool PeekInput(InputRecord& record) = 0;
  virtual bool ReadInput(InputRecord& record) = 0;
  // Shows everything written so far, then sleeps until input is waiting or
  // the time is up. True when input is waiting.
  virtual bool WaitForInput(int timeoutMs) = 0;

  // Shows everything written so far (backends batch their output).
  virtual void Flush() = 0;

  // The terminal's audible bell.
  virtual void Bell() = 0;

  // Offers a text to the system clipboard where the backend can reach it.
  virtual void CopyToSystemClipboard(std::string_view /*cp852*/) {}
};

}  // namespace zq::platform
