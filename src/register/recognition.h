#pragma once
// The environment recognition: reads the source tree's company register and
// lists every company whose directory is in the source tree and not yet in
// the target tree, reporting each company it leaves out in the progress log.

#include <cstdint>

#include "conversion/run_settings.h"
#include "fileaccess/shared_file_access.h"
#include "register/company_list.h"
#include "transfer/progress_log.h"

namespace zq::registry {

class Recognition {
 public:
  Recognition(fileaccess::SharedFileAccess& access, transfer::ProgressLog& log,
              const conversion::RunSettings& settings);

  // Fills the list (released first) from the source register and returns the
  // count. A register that cannot be opened, measured or holds no record ends
  // the program (platform::ProgramExit{0}) after its message.
  std::int32_t Recognise(CompanyList& list);

 private:
  // Lists the company of one record, or says in the log why not. False when
  // the record names no usable directory in either tree.
  bool Consider(fileaccess::RecordView record, CompanyList& list);
  void WriteLine(std::uint8_t colour, std::string_view text);
  // A fatal stop: the line, a key, the end of the program.
  [[noreturn]] void Stop(std::string_view text);

  fileaccess::SharedFileAccess& access_;
  transfer::ProgressLog& log_;
  const conversion::RunSettings& settings_;
};

}  // namespace zq::registry
