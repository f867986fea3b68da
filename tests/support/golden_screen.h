#pragma once
// Golden screens: rows of the screen as their text and, under it, their
// attributes, one letter a cell, so a test can hold a whole page in a raw
// string that reads like the screen itself. Rows holding nothing but blanks
// and frame edges are left out.

#include <cstdint>
#include <string>

#include "platform/headless_console.h"

namespace zq::testing {

// '.' 0x07 normal and frames, 'g' 0x02 box text, 'W' 0x0F bright text and
// titles, 'f' 0x1F input fields, 'S' 0x70 fields with the focus and the hint
// row and button faces, 'P' 0xF0 the marks of a pressed button, 'E' 0x4F
// errors; '?' any other.
inline char AttributeLetter(std::uint8_t attribute) {
  switch (attribute) {
    case 0x07:
      return '.';
    case 0x02:
      return 'g';
    case 0x0F:
      return 'W';
    case 0x1F:
      return 'f';
    case 0x70:
      return 'S';
    case 0xF0:
      return 'P';
    case 0x4F:
      return 'E';
    default:
      return '?';
  }
}

// Columns `column` .. `column + width - 1` of rows `fromRow` .. `toRow`
// (1-based), a text line and an attribute line each.
inline std::string GoldenScreen(const platform::HeadlessConsole& console, int column, int width,
                                int fromRow, int toRow) {
  std::string picture = "\n";
  for (int row = fromRow; row <= toRow; ++row) {
    const std::string text = console.Text(column - 1, row - 1, width);
    std::string attributes;
    for (int i = 0; i < width; ++i) {
      attributes += AttributeLetter(console.CellAt(column - 1 + i, row - 1).attribute);
    }
    if (text.find_first_not_of(" │") == std::string::npos &&
        attributes.find_first_not_of(".g") == std::string::npos) {
      continue;
    }
    picture += text + "\n" + attributes + "\n";
  }
  return picture;
}

}  // namespace zq::testing
