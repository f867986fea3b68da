#include "ui/wait_box.h"

#include <algorithm>

#include "platform/text_literal.h"
#include "ui/polish_text.h"
#include "ui/text_fill.h"

namespace zq::ui {

namespace {
constexpr int INNER_WIDTH = 37;
constexpr int INNER_HEIGHT = 6;
constexpr int TEXT_WIDTH = 32;
constexpr std::size_t COUNTER_WIDTH = 8;
}  // namespace

void WaitBox::Put(std::uint8_t attribute, int column, int row, std::string_view text) {
  if (!window_) return;
  toolkit_.screen.WriteScreen(attribute, window_->inner.x1 + column - 1,
                              window_->inner.y1 + row - 1, text);
}

bool WaitBox::WaitBoxOpen(std::int32_t total, std::string_view text, std::string_view header) {
  WaitBoxClose();
  total_ = std::max<std::int32_t>(1, total);
  done_ = 0;
  WindowStyle style;
  style.title = header;
  style.titleColour = toolkit_.colours[CLR_BOX_TITLE];
  style.frameColour = toolkit_.colours[CLR_BOX_FRAME];
  style.textColour = toolkit_.colours[CLR_NORMAL];
  window_ = toolkit_.screen.OpenWindow(
      {COLUMN - 1, ROW - 1, COLUMN + INNER_WIDTH, ROW + INNER_HEIGHT}, style);
  if (!window_) return false;
  const std::uint8_t bar = toolkit_.colours[CLR_SELECTED];
  Put(bar, 4, 2, PaddedTo(TEXT_WIDTH, text.empty() ? std::string_view("Czekaj ..."_pl) : text));
  Put(bar, 2, 4, Repeated("░"_pl, BAR_LENGTH));
  return true;
}

void WaitBox::WaitBoxStep(std::int32_t amount) {
  if (!window_) return;
  done_ = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::int64_t{done_} + amount, 0, std::int64_t{total_}));
  const auto filled = static_cast<int>(std::int64_t{done_} * BAR_LENGTH / total_);
  Put(toolkit_.colours[CLR_SELECTED], 2, 4, Repeated("█"_pl, filled));
  Put(WAIT_COUNTER_COLOUR, 2, 6, PadLeft(COUNTER_WIDTH, IntToStr(done_)));
}

void WaitBox::WaitBoxReset() {
  if (!window_) return;
  done_ = 0;
  Put(toolkit_.colours[CLR_SELECTED], 2, 4, Repeated("▒"_pl, BAR_LENGTH));
}

void WaitBox::WaitBoxClose() {
  if (!window_) return;
  toolkit_.screen.CloseWindow(window_);
  window_ = nullptr;
}

}  // namespace zq::ui
