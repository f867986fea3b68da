#pragma once
// Reading a headless console back in the 1-based coordinates of the screen's
// own operations. A test fixture that holds a `console` member derives from it.

#include <cstdint>
#include <string>

namespace zq::testing {

// A piece of text (a frame edge, a bar) `count` times over.
inline std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

template <typename Fixture>
struct ScreenText {
  std::string Text(int column, int row, int length) const {
    return Console().Text(column - 1, row - 1, length);
  }
  std::string Row(int row) const { return Console().RowText(row - 1); }
  std::uint8_t Attribute(int column, int row) const {
    return Console().CellAt(column - 1, row - 1).attribute;
  }

 private:
  const auto& Console() const { return static_cast<const Fixture&>(*this).console; }
};

}  // namespace zq::testing
