#include "platform/headless_console.h"

#include <algorithm>

#include "platform/cp852.h"

namespace zq::platform {

HeadlessConsole::HeadlessConsole(Clock& clock, Keeping keeping)
    : clock_(clock), keepTranscript_(keeping == Keeping::TRANSCRIPT) {}

void HeadlessConsole::WriteCells(int column, int row, std::span<const Cell> cells) {
  if (row < 0 || row >= SCREEN_HEIGHT || column >= SCREEN_WIDTH) return;
  if (keepTranscript_) {
    for (const Cell& cell : cells) transcriptCp852_.push_back(static_cast<char>(cell.character));
    transcriptCp852_.push_back('\n');
  }
  cells = CellsOnScreen(row, column, cells);
  std::copy(cells.begin(), cells.end(), &cells_[row][column]);
}

const std::string& HeadlessConsole::Transcript() const {
  transcript_ += Cp852ToUtf8(std::string_view(transcriptCp852_).substr(converted_));
  converted_ = transcriptCp852_.size();
  return transcript_;
}

void HeadlessConsole::SetCursorPosition(int column, int row) {
  cursorColumn_ = column;
  cursorRow_ = row;
}

void HeadlessConsole::SetCursorVisible(bool visible) {
  cursorVisible_ = visible;
}

void HeadlessConsole::SetCursorSize(int percent) {
  cursorSize_ = percent;
}

void HeadlessConsole::SetTitle(std::string_view cp852Title) {
  title_ = cp852Title;
}

void HeadlessConsole::RunDueActions() {
  while (!script_.empty() && script_.front().action) {
    const std::function<void()> action = std::move(script_.front().action);
    script_.pop_front();
    action();
  }
}

bool HeadlessConsole::PeekInput(InputRecord& record) {
  RunDueActions();
  if (script_.empty() || script_.front().pause) return false;
  record = script_.front().record;
  return true;
}

bool HeadlessConsole::ReadInput(InputRecord& record) {
  if (!PeekInput(record)) return false;
  script_.pop_front();
  return true;
}

bool HeadlessConsole::WaitForInput(int timeoutMs) {
  RunDueActions();
  if (script_.empty()) throw HeadlessInputExhausted();
  if (!script_.front().pause) return true;
  script_.pop_front();
  clock_.Sleep(timeoutMs);
  return false;
}

void HeadlessConsole::PushKey(std::uint16_t code, std::uint8_t state) {
  script_.push_back({false, InputRecord::Key(code, state), {}});
}

void HeadlessConsole::PushMouse(std::uint16_t buttons, int column, int row) {
  script_.push_back({false,
                     InputRecord::Mouse(buttons, static_cast<std::uint8_t>(column),
                                        static_cast<std::uint8_t>(row)),
                     {}});
}

void HeadlessConsole::PushPause() {
  script_.push_back({true, {}, {}});
}

void HeadlessConsole::PushAction(std::function<void()> action) {
  script_.push_back({false, {}, std::move(action)});
}

Cell HeadlessConsole::CellAt(int column, int row) const {
  if (row < 0 || row >= SCREEN_HEIGHT || column < 0 || column >= SCREEN_WIDTH) return {};
  return cells_[row][column];
}

std::string HeadlessConsole::Text(int column, int row, int length) const {
  std::string bytes;
  for (int i = 0; i < length; ++i)
    bytes.push_back(static_cast<char>(CellAt(column + i, row).character));
  return Cp852ToUtf8(bytes);
}

}  // namespace zq::platform
