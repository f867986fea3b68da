#pragma once
// The saved record of every conversion: each line of the progress log, with
// the time, appended to a text file in the target tree (UTF-8, CR LF), so an
// office keeps what was converted, asked and answered long after the screen
// is gone. It never holds the conversion up: a file that cannot be opened or
// written is reported once in the log and the run goes on without it.

#include <memory>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/short_string.h"
#include "transfer/progress_log.h"

namespace zq::transfer {

// "2021-01-04 09:05:31 ": the time that starts every line of the record.
std::string TimeStamp(const platform::LocalTime& time);

class RunLogFile final : public LogRecorder {
 public:
  RunLogFile(platform::FileSystem& files, platform::Clock& clock, ProgressLog& log)
      : files_(files), clock_(clock), log_(log) {}
  // Stops recording and closes the file.
  ~RunLogFile() override;
  RunLogFile(const RunLogFile&) = delete;
  RunLogFile& operator=(const RunLogFile&) = delete;

  // Opens the file, creating it when it is missing, and makes it the log's
  // recorder. False (reported once) when it cannot be opened.
  bool Start(const ShortString& path);
  void RecordLine(std::string_view line) override;
  bool Recording() const { return file_ != nullptr; }

 private:
  void Fail();

  platform::FileSystem& files_;
  platform::Clock& clock_;
  ProgressLog& log_;
  ShortString path_;
  std::unique_ptr<platform::File> file_;
};

}  // namespace zq::transfer
