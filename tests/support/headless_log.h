#pragma once
// A progress log on the headless console, with its lines read back as the
// CP852 text the log drew (trailing blanks dropped), for converter tests.

#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/headless_screen.h"
#include "transfer/progress_log.h"
#include "ui/colours.h"

namespace zq::testing {

// A file system without files: the colour table keeps its defaults.
struct NoFileSystem : platform::FileSystem {
  std::unique_ptr<platform::File> Open(const ShortString&, platform::Access, platform::Share,
                                       platform::Disposition, int& result) override {
    result = platform::IO_FILE_NOT_FOUND;
    return nullptr;
  }
  int Search(const ShortString&, std::uint8_t, std::vector<platform::DirEntry>&) override {
    return platform::IO_PATH_NOT_FOUND;
  }
  int MakeDirectory(const ShortString&) override { return platform::IO_ACCESS_DENIED; }
  int Rename(const ShortString&, const ShortString&) override { return platform::IO_ACCESS_DENIED; }
  int Erase(const ShortString&) override { return platform::IO_ACCESS_DENIED; }
};

struct HeadlessLog {
  HeadlessScreen s;
  NoFileSystem files;
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
