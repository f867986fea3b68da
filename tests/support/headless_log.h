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

struct HeadlessLog {
  HeadlessScreen s;
  NoFiles files;  // the colour table keeps its defaults
  ui::Colours colours{files};
  std::uint8_t showSlowly = 0;
  transfer::ProgressLog log{s.screen, colours, s.clock, showSlowly};

  HeadlessLog() { log.ClearLog(true); }

  // Row `row` (1-based) as drawn by the log, without trailing blanks.
  std::string Line(int row) const {
    std::string text = log.MirrorRow(row).str();
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
  }
  // The rows 1..current that the log has written since the last clear.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int row = 1; row < log.CurrentRow(); ++row) lines.push_back(Line(row));
    return lines;
  }
  void Clear() { log.ClearLog(true); }
};

}  // namespace zq::testing
