#pragma once
// The console of tests: an in-memory screen that a test reads back as text and
// attributes, and a scripted input queue. A program that waits for input after
// the script has run out fails the test at once instead of hanging.

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/console.h"

namespace zq::platform {

struct HeadlessInputExhausted : std::logic_error {
  HeadlessInputExhausted()
      : std::logic_error("the program waits for input the test did not script") {}
};

class HeadlessConsole : public Console {
 public:
  // A scripted pause passes the waiting time on `clock`. A console that
  // keeps no transcript (for long runs measured, where it would outgrow the
  // program) answers an empty one.
  enum class Keeping : std::uint8_t { TRANSCRIPT, NO_TRANSCRIPT };
  explicit HeadlessConsole(Clock& clock, Keeping keeping = Keeping::TRANSCRIPT);

  void WriteCells(int column, int row, std::span<const Cell> cells) override;
  void SetCursorPosition(int column, int row) override;
  void SetCursorVisible(bool visible) override;
  void SetCursorSize(int percent) override;
  void SetTitle(std::string_view cp852Title) override;
  bool PeekInput(InputRecord& record) override;
  bool ReadInput(InputRecord& record) override;
  bool WaitForInput(int timeoutMs) override;
  void Flush() override {}
  void Bell() override { ++bells_; }
  void CopyToSystemClipboard(std::string_view cp852) override { systemClipboard_ = cp852; }

  // The script.
  void PushKey(std::uint16_t code, std::uint8_t state = STATE_NUM_LOCK);
  void PushMouse(std::uint16_t buttons, int column, int row);  // 0-based cell
  // One wait for input that ends without input, as when the operator does
  // nothing for a while.
  void PushPause();
  // Runs when the program next looks for input at this point of the script,
  // as when another station does something while the operator reads a box.
  void PushAction(std::function<void()> action);
  bool ScriptDone() const { return script_.empty(); }

  // The screen, 0-based.
  Cell CellAt(int column, int row) const;
  // The cells as UTF-8 text (CP852 bytes shown as their characters).
  std::string Text(int column, int row, int length) const;
  std::string RowText(int row) const { return Text(0, row, SCREEN_WIDTH); }
  // Every run of cells written so far, as UTF-8 text a line each: what was on
  // the screen at some moment, also when it is gone again.
  // Kept in CP852 as written and converted when asked for, so a long run
  // does not pay for text nobody reads.
  const std::string& Transcript() const;

  int CursorColumn() const { return cursorColumn_; }
  int CursorRow() const { return cursorRow_; }
  bool CursorVisible() const { return cursorVisible_; }
  int CursorSize() const { return cursorSize_; }
  const std::string& Title() const { return title_; }  // CP852
  int Bells() const { return bells_; }
  const std::string& SystemClipboard() const { return systemClipboard_; }

 private:
  struct ScriptItem {
    bool pause = false;
    InputRecord record;
    std::function<void()> action;
  };

  void RunDueActions();

  Clock& clock_;
  Cell cells_[SCREEN_HEIGHT][SCREEN_WIDTH];
  std::deque<ScriptItem> script_;
  int cursorColumn_ = 0;
  int cursorRow_ = 0;
  bool cursorVisible_ = true;
  int cursorSize_ = 20;
  std::string title_;
  bool keepTranscript_;
  std::string transcriptCp852_;
  mutable std::string transcript_;  // UTF-8 of the first `converted_` bytes
  mutable std::size_t converted_ = 0;
  int bells_ = 0;
  std::string systemClipboard_;
};

}  // namespace zq::platform
