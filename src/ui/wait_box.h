#pragma once
// The progress box shown while the record files wait for a network lock or
// insert records: a text, a bar of 35 cells and the count done so far.

#include <cstdint>
#include <string_view>

#include "ui/toolkit.h"

namespace zq::ui {

class WaitBox {
 public:
  static constexpr int BAR_LENGTH = 35;
  static constexpr int COLUMN = 20;  // of the inner area
  static constexpr int ROW = 9;

  explicit WaitBox(Toolkit& toolkit) : toolkit_(toolkit) {}
  ~WaitBox() { WaitBoxClose(); }
  WaitBox(const WaitBox&) = delete;
  WaitBox& operator=(const WaitBox&) = delete;

  // Opens the box for `total` steps (at least 1) with an empty bar. An empty
  // text shows "Czekaj ...". False when the box cannot be shown; the other
  // operations then do nothing.
  bool WaitBoxOpen(std::int32_t total, std::string_view text, std::string_view header);
  void WaitBoxStep(std::int32_t amount);
  // Starts again from nothing, with the bar shaded.
  void WaitBoxReset();
  void WaitBoxClose();

  std::int32_t Done() const { return done_; }

 private:
  void Put(std::uint8_t attribute, int column, int row, std::string_view text);

  Toolkit& toolkit_;
  TextWindow* window_ = nullptr;
  std::int32_t total_ = 1;
  std::int32_t done_ = 0;
};

}  // namespace zq::ui
