#pragma once
// A framed, scrolling list of rows x width cells. The items come from a
// descendant (their count and the text of each row); the list scrolls, pages,
// draws and searches through them. Typing searches incrementally by the
// current search key, a field of the row text; Tab and Shift+Tab switch
// between up to five keys.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "ui/control.h"

namespace zq::ui {

class ListControl : public Control {
 public:
  static constexpr int MAX_SEARCH_KEYS = 5;
  static constexpr std::size_t MAX_SEARCH_TEXT = 40;

  // `position` holds the 1-based current item (0 for an empty list); the
  // list keeps its own when none is given.
  ListControl(Toolkit& toolkit, std::int32_t* position, int rows, int width, int row, int column,
              std::unique_ptr<Label> label);

  Event Run() override;
  void Draw() override;

  // Declares the next search key: the column of the row text at which its
  // field starts. Key 1 starts at column 1; a sixth key is not taken.
  void AddListKey(int column);
  std::int32_t Position() const { return position_; }

 protected:
  // The current number of items.
  virtual std::int32_t UpdateCount() = 0;
  // The row text of item `index` (1-based).
  virtual ShortString GetItemText(std::int32_t index) = 0;
  // The first item whose current key starts with `search` (upper case), or
  // -1. Items are held in Polish alphabetical order of key 1, which is
  // searched by bisection; any other key is searched item by item. A search
  // of one character starts from the first item, a longer one from the
  // current item.
  virtual std::int32_t FindPrefix(std::string_view search);

 private:
  // True when the key was the list's own.
  bool HandleKey(Event& event);
  bool HandleEmptyListKey(Event& event);
  // Moves the cursor for Up, Down, PgUp, PgDn, Home and End; false for any
  // other key.
  bool MoveByKey(std::uint16_t keyCode);
  void ClearSearch();
  void Search(char character);
  void MoveTo(std::int32_t index);
  void CentreTop();
  void DrawFrame();
  void DrawRows();
  void DrawRow(bool isCurrent, std::int32_t index, int row);
  void DrawEmpty();
  int Rows() const { return bounds_.Height() - 2; }
  int Width() const { return bounds_.Width() - 4; }

  std::int32_t ownPosition_ = 1;
  std::int32_t& position_;
  std::int32_t count_ = 0;
  std::int32_t top_ = 0;  // items before the first visible row
  std::array<int, MAX_SEARCH_KEYS> keyColumns_{1, 0, 0, 0, 0};
  int keyCount_ = 1;
  int currentKey_ = 0;
  ShortString search_;
};

}  // namespace zq::ui
