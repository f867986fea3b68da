#pragma once
// The progress log: the scrolling text area in which the converter reports
// every step. It writes straight onto the screen at absolute positions and
// keeps a mirror of the rows it drew, so it scrolls without reading the
// screen back. Rows 1 and 2 hold a header, rows 3 to 23 scroll, row 24 stays
// blank once the log has scrolled and row 25 belongs to the toolkit.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/short_string.h"
#include "ui/colours.h"
#include "ui/screen.h"

namespace zq::transfer {

// Colours of the log's texts.
inline constexpr std::uint8_t LOG_ERROR = 0x0C;
inline constexpr std::uint8_t LOG_NOTICE = 0x0E;
inline constexpr std::uint8_t LOG_COPY = 0x09;
inline constexpr std::uint8_t LOG_EMPHASIS = 0x0F;
inline constexpr std::uint8_t LOG_QUESTION = 0x0A;
inline constexpr std::uint8_t LOG_LABEL = 0x08;
inline constexpr std::uint8_t LOG_NORMAL = 0x07;

// Receives every finished line of the log, whole (not cut at the screen's
// width), in CP852: the saved record of a run.
class LogRecorder {
 public:
  virtual ~LogRecorder() = default;
  virtual void RecordLine(std::string_view line) = 0;
};

class ProgressLog {
 public:
  static constexpr int LAST_BODY_ROW = 23;
  static constexpr int SLOW_PAUSE_MS = 1000;

  // `showSlowly` is the operator's choice of the slow display, read at every
  // pause.
  ProgressLog(ui::Screen& screen, const ui::Colours& colours, platform::Clock& clock,
              const std::uint8_t& showSlowly);

  // Clears rows 1..25 (whole) or 3..25, redraws every row from the mirror
  // and starts again at row 1, column 1.
  void ClearLog(bool whole);
  // The colour of the next piece of text only.
  void SetLogColour(std::uint8_t attribute) { pendingColour_ = attribute; }
  void LogWrite(std::string_view text);
  void LogWriteLn(std::string_view text = {});
  void PauseIfSlow();
  // Waits for one key, drops the keys typed ahead of it, and returns its
  // character (0 for a key without one).
  char WaitForKey();

  // Every finished line also goes to the recorder while one is set.
  void SetRecorder(LogRecorder* recorder) { recorder_ = recorder; }
  // The operator's answer to a question, for the record only: it joins the
  // line being written, or stands on a line of its own.
  void RecordAnswer(std::string_view answer);
  // How many answers the operator has given in the log so far.
  std::uint64_t Answers() const { return answers_; }

  // Grows with every piece of text shown and every key waited for: whoever
  // needs to know whether something reached the operator compares two reads.
  std::uint64_t Activity() const { return activity_; }

  const ShortString& MirrorRow(int row) const { return mirror_[static_cast<std::size_t>(row)]; }
  int CurrentRow() const { return row_; }
  int CurrentColumn() const { return column_; }

 private:
  std::uint8_t DefaultColour() const { return colours_[ui::CLR_NORMAL]; }
  void DrawRow(int row, int fromColumn, std::uint8_t attribute);
  void RecordPendingLine();

  ui::Screen& screen_;
  const ui::Colours& colours_;
  platform::Clock& clock_;
  const std::uint8_t& showSlowly_;
  std::array<ShortString, ui::SCREEN_ROWS + 1> mirror_;  // rows 1..25
  int column_ = 1;
  int row_ = 1;
  std::optional<std::uint8_t> pendingColour_;
  std::uint64_t activity_ = 0;
  std::uint64_t answers_ = 0;
  LogRecorder* recorder_ = nullptr;
  std::string recordedLine_;  // the text of the line being written, for the recorder
};

}  // namespace zq::transfer
