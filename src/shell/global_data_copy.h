#pragma once
// The copy of the global data that all companies of an office share: the
// items chosen on the global data page, carried from the source tree's global
// directory into the target tree's #BIN021 (created when missing), the office
// data record converted on the way. It runs once, before the companies.

#include <string_view>

#include "conversion/run_settings.h"
#include "platform/files.h"
#include "platform/short_string.h"
#include "transfer/copy_engine.h"
#include "transfer/progress_log.h"
#include "ui/toolkit.h"

namespace zq::shell {

class GlobalDataCopy {
 public:
  GlobalDataCopy(platform::FileSystem& files, transfer::CopyEngine& engine,
                 transfer::ProgressLog& log, ui::Toolkit& toolkit,
                 const conversion::RunSettings& settings);

  // Each item reports its own outcome in the log. A source global directory
  // that is missing or not a plain name, and a #BIN021 that cannot be
  // created, are fatal stops: ShowError, then throw platform::ProgramExit{0}.
  void CopyGlobalData();

 private:
  // The source and the target global directory, checked; stops the program
  // when either cannot be used.
  ShortString SourceDirectory();
  ShortString TargetDirectory();
  [[noreturn]] void Stop(std::string_view text);

  platform::FileSystem& files_;
  transfer::CopyEngine& engine_;
  transfer::ProgressLog& log_;
  ui::Toolkit& toolkit_;
  const conversion::RunSettings& settings_;
};

}  // namespace zq::shell
