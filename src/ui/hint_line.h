#pragma once
// The hint line on the bottom row of the screen: entries such as
// "F5 - start" that also act as keys and can be clicked. Hint lines form a
// stack that follows the boxes: a box pushes its line on opening and pops it
// on closing, so the line of the dialog beneath comes back.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/short_string.h"
#include "ui/colours.h"
#include "ui/event.h"
#include "ui/screen.h"

namespace zq::ui {

inline constexpr int HINT_ROW = SCREEN_ROWS;

struct HintItem {
  ShortString text;  // the entry with its closing bar, at most 40 characters
  std::uint16_t command = 0;
  std::uint16_t key = 0;  // 0: shown, never triggered by a key
  int columnFrom = 0;     // screen columns on the hint row, set by the layout
  int columnTo = 0;
};

// An entry standing for `command`, triggered by the key `key`.
HintItem NewHintItem(std::uint16_t command, std::uint16_t key, std::string_view text);

class HintLine {
 public:
  // Lays the items out from column 2, each right after the one before.
  explicit HintLine(std::vector<HintItem> items);

  const std::vector<HintItem>& Items() const { return items_; }
  void Draw(Screen& screen, const Colours& colours) const;
  // Turns a key or a click on the hint row into the command of the first
  // matching entry; true when it did.
  bool Translate(Event& event) const;

 private:
  std::vector<HintItem> items_;
};

class HintLineStack {
 public:
  HintLineStack(Screen& screen, const Colours& colours) : screen_(screen), colours_(colours) {}

  // Draws the line and makes it current.
  HintLine* Push(std::vector<HintItem> items);
  // Releases the line; when it was current the one before it is drawn again,
  // or an empty bar when there is none.
  void Done(const HintLine* line);
  // Start-up: forgets every line.
  void Reset() { lines_.clear(); }
  const HintLine* Current() const { return lines_.empty() ? nullptr : lines_.back().get(); }

 private:
  Screen& screen_;
  const Colours& colours_;
  std::vector<std::unique_ptr<HintLine>> lines_;
};

}  // namespace zq::ui
