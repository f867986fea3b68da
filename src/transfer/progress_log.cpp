#include "transfer/progress_log.h"

#include <algorithm>
#include <utility>

#include "ui/polish_text.h"

namespace zq::transfer {

namespace {
constexpr int LAST_ROW = ui::SCREEN_ROWS;
constexpr int WIDTH = ui::SCREEN_COLUMNS;
constexpr int KEY_WAIT_MS = 1000;
}  // namespace

ProgressLog::ProgressLog(ui::Screen& screen, const ui::Colours& colours, platform::Clock& clock,
                         const std::uint8_t& showSlowly)
    : screen_(screen), colours_(colours), clock_(clock), showSlowly_(showSlowly) {
  for (auto& row : mirror_) row = ui::Spaces(WIDTH);
}

void ProgressLog::DrawRow(int row, int fromColumn, std::uint8_t attribute) {
  const ShortString& text = mirror_[static_cast<std::size_t>(row)];
  screen_.WriteScreen(attribute, fromColumn, row,
                      text.view().substr(static_cast<std::size_t>(fromColumn - 1)));
}

void ProgressLog::RecordPendingLine() {
  // The recorder may itself write to the log (to report that it failed).
  const std::string line = std::move(recordedLine_);
  recordedLine_.clear();
  if (recorder_) recorder_->RecordLine(line);
}

void ProgressLog::RecordAnswer(std::string_view answer) {
  ++answers_;
  if (!recorder_) return;
  const bool ownLine = recordedLine_.empty();
  recordedLine_ += ownLine ? "> " : " > ";
  recordedLine_ += answer;
  if (ownLine) RecordPendingLine();
}

void ProgressLog::ClearLog(bool whole) {
  if (!recordedLine_.empty()) RecordPendingLine();
  for (int row = whole ? 1 : 3; row <= LAST_ROW; ++row)
    mirror_[static_cast<std::size_t>(row)] = ui::Spaces(WIDTH);
  for (int row = 1; row <= LAST_ROW; ++row) DrawRow(row, 1, DefaultColour());
  row_ = 1;
  column_ = 1;
}

void ProgressLog::LogWrite(std::string_view text) {
  if (text.empty()) return;
  ++activity_;
  if (recorder_) recordedLine_ += text;
  // Column 80 is never written: a row holds at most 79 characters.
  const std::size_t room = static_cast<std::size_t>(std::max(0, WIDTH - column_));
  const std::size_t count = std::min(text.size(), room);
  ShortString& line = mirror_[static_cast<std::size_t>(row_)];
  std::copy_n(text.data(), count, line.begin() + (column_ - 1));
  DrawRow(row_, column_, pendingColour_.value_or(DefaultColour()));
  pendingColour_.reset();
  column_ = std::min(WIDTH, column_ + static_cast<int>(count));
  screen_.SetCursor(column_, std::max(1, row_ - screen_.Region().y1 + 1));
}

void ProgressLog::LogWriteLn(std::string_view text) {
  LogWrite(text);
  ++activity_;
  if (row_ < LAST_BODY_ROW) {
    ++row_;
  } else {
    for (int row = 4; row <= LAST_ROW - 1; ++row) {
      mirror_[static_cast<std::size_t>(row - 1)] = mirror_[static_cast<std::size_t>(row)];
      DrawRow(row - 1, 1, DefaultColour());
    }
    mirror_[LAST_ROW - 1] = ui::Spaces(WIDTH);
    DrawRow(LAST_ROW - 1, 1, DefaultColour());
  }
  column_ = 1;
  if (recorder_) RecordPendingLine();
}

void ProgressLog::PauseIfSlow() {
  if (showSlowly_ != 0) {
    screen_.Console().Flush();
    clock_.Sleep(SLOW_PAUSE_MS);
  }
}

char ProgressLog::WaitForKey() {
  ++activity_;
  platform::Console& console = screen_.Console();
  screen_.ShowCursor(true);
  platform::InputRecord record;
  for (;;) {
    if (!console.ReadInput(record)) {
      console.WaitForInput(KEY_WAIT_MS);
      continue;
    }
    if (record.kind == platform::InputRecord::Kind::KEY) break;
  }
  platform::InputRecord typedAhead;
  while (console.PeekInput(typedAhead)) console.ReadInput(typedAhead);
  screen_.ShowCursor(false);
  return static_cast<char>(record.key.code & 0xFF);
}

}  // namespace zq::transfer
