#pragma once
// A progress log on the headless console, with its lines read back as the
// CP852 text the log drew (trailing blanks dropped), for converter tests.

#include <memory>
#include <string>
#include <vector>

#include "support/headless_screen.h"
#include "support/no_files.h"
#include "transfer/progress_log.h"
#include "ui/colours.h"

namespace zq::testing {

inline std::string Trimmed(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// Row `row` (1-based) as drawn by the log, without trailing blanks.
inline std::string LogLine(const transfer::ProgressLog& log, int row) {
  return Trimmed(log.MirrorRow(row).str());
}

// The rows 1..current that the log has written since the last clear.
inline std::vector<std::string> LogLines(const transfer::ProgressLog& log) {
  std::vector<std::string> lines;
  for (int row = 1; row < log.CurrentRow(); ++row) lines.push_back(LogLine(log, row));
  return lines;
}

struct HeadlessLog {
  HeadlessScreen s;
  NoFiles files;  // the colour table keeps its defaults
  ui::Colours colours{files};
  std::uint8_t showSlowly = 0;
  transfer::ProgressLog log{s.screen, colours, s.clock, showSlowly};

  HeadlessLog() { log.ClearLog(true); }

  std::string Line(int row) const { return LogLine(log, row); }
  std::vector<std::string> Lines() const { return LogLines(log); }
  void Clear() { log.ClearLog(true); }
};

}  // namespace zq::testing
