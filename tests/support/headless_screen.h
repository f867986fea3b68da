#pragma once
// A screen on the headless console, read back in the 1-based coordinates of
// the screen's own operations.

#include <string>

#include "platform/headless_console.h"
#include "platform/manual_clock.h"
#include "ui/screen.h"

namespace zq::testing {

struct HeadlessScreen {
  platform::ManualClock clock;
  platform::HeadlessConsole console{clock};
  ui::Screen screen{console};

  // UTF-8 text of `length` cells from 1-based (column, row).
  std::string Text(int column, int row, int length) const {
    return console.Text(column - 1, row - 1, length);
  }
  std::string Row(int row) const { return console.RowText(row - 1); }
  std::uint8_t Attribute(int column, int row) const {
    return console.CellAt(column - 1, row - 1).attribute;
  }
};

}  // namespace zq::testing
