#pragma once
// The main body of the converter: the start-up in its fixed order, the
// wizard, the conversion and the end of the run.

#include "conversion/annual_settings.h"
#include "conversion/company_marker.h"
#include "conversion/company_run.h"
#include "conversion/document_converters.h"
#include "conversion/run_flags.h"
#include "conversion/run_settings.h"
#include "conversion/staff_transfer.h"
#include "conversion/tax_form_converters.h"
#include "fileaccess/shared_file_access.h"
#include "fileaccess/temp_files.h"
#include "platform/pascal_random.h"
#include "platform/platform.h"
#include "register/company_loop.h"
#include "shell/program_location.h"
#include "transfer/copy_engine.h"
#include "transfer/progress_log.h"
#include "ui/colours.h"
#include "ui/event_source.h"
#include "ui/screen.h"
#include "ui/toolkit.h"
#include "ui/toolkit_sound.h"

namespace zq::shell {

class Converter {
 public:
  explicit Converter(platform::Platform& platform);

  // The whole run. Returns the exit code of a run that ends through Finish;
  // the early ways out (the fatal stops) throw platform::ProgramExit. The
  // command line's help, version and refused options are answered before a
  // converter is made (shell/command_line_answer.h).
  int Run();

  const conversion::RunSettings& Settings() const { return settings_; }

 private:
  void StartUp();
  void WriteHeader();
  void RunConversion();
  void Finish();

  platform::Platform& platform_;
  ProgramLocation location_;
  conversion::RunSettings settings_;
  platform::PascalRandom random_;
  ui::Colours colours_;
  ui::Screen screen_;
  ui::EventSource events_;
  ui::ToolkitSound sound_;
  ui::Toolkit toolkit_;
  fileaccess::TempFiles tempFiles_;
  fileaccess::SharedFileAccess fileAccess_;
  transfer::ProgressLog log_;
  transfer::CopyEngine copyEngine_;
  conversion::RunFlags flags_;
  // The conversion of one company and what it keeps from one company to
  // the next.
  conversion::StaffTransfer staff_;
  conversion::TaxFormConverters taxForms_;
  conversion::DocumentConverters documents_;
  conversion::AnnualSettings annualSettings_;
  conversion::CompanyMarker companyMarker_;
  conversion::CompanyRun companyRun_;
};

}  // namespace zq::shell
