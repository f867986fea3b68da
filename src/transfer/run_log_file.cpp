#include "transfer/run_log_file.h"

#include <cstdio>
#include <string>

#include "platform/cp852.h"
#include "platform/text_literal.h"

namespace zq::transfer {

std::string TimeStamp(const platform::LocalTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d ", time.year, time.month,
                time.day, time.hour, time.minute, time.second);
  return text;
}

RunLogFile::~RunLogFile() {
  if (file_) log_.SetRecorder(nullptr);
}

bool RunLogFile::Start(const ShortString& path) {
  path_ = path;
  int result = platform::IO_OK;
  // Another converter may append to the same file: each line goes to the end
  // as it stands when it is written, never over lines written meanwhile, in
  // one system call. An appending open creates a missing file and keeps an
  // existing one whole, at once, so two converters starting together cannot
  // empty each other's first lines.
  file_ = files_.Open(path, platform::Access::APPEND, platform::Share::DENY_NONE,
                      platform::Disposition::CREATE_ALWAYS, result);
  if (!file_) {
    Fail();
    return false;
  }
  log_.SetRecorder(this);
  return true;
}

void RunLogFile::RecordLine(std::string_view line) {
  if (!file_) return;
  const std::string text = TimeStamp(clock_.Now()) + platform::Cp852ToUtf8(line) + "\r\n";
  std::size_t done = 0;  // the line in one piece at the end (Access::APPEND)
  if (file_->Write(text.data(), text.size(), done) != platform::IO_OK || done != text.size()) {
    Fail();
  }
}

void RunLogFile::Fail() {
  if (file_) log_.SetRecorder(nullptr);
  file_.reset();
  log_.SetLogColour(LOG_ERROR);
  log_.LogWriteLn("Nie można zapisać dziennika konwersji "_pl + path_);
  log_.SetLogColour(LOG_NORMAL);
}

}  // namespace zq::transfer
