#pragma once
// The annual settings conversion of one company: the target 2021_ROK.REK
// built from the company's 2020 or 2021 annual file in the source tree. It
// leaves either all three records or no target at all; its failures are lines
// of the progress log and never stop the company run.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "conversion/annual_records.h"
#include "conversion/company_paths.h"
#include "conversion/run_flags.h"
#include "conversion/run_settings.h"
#include "platform/files.h"
#include "transfer/progress_log.h"
#include "ui/toolkit.h"

namespace zq::conversion {

class AnnualSettings {
 public:
  AnnualSettings(platform::FileSystem& files, transfer::ProgressLog& log, ui::Toolkit& toolkit,
                 const RunSettings& settings, RunFlags& flags);

  // Builds the company's target 2021_ROK.REK from its 2020 or 2021 source file.
  // Sets flags.AnnualFrom2021 when the 2021 file is taken, flags.AlwaysTake2021
  // on the answer A, and flags.PreviousDataPath (SourcePath + directory, cut
  // to 40).
  void Convert(const CompanyPaths& company);

 private:
  using AnnualRecord = std::array<std::uint8_t, ANNUAL_RECORD_SIZE>;
  enum class Outcome { WRITTEN, READ_FAILED, WRITE_FAILED };

  // Nothing when the company has neither file.
  std::optional<AnnualSourceYear> ChooseSource(bool have2020, bool have2021);
  AnnualSourceYear AskWhichYear();
  void AskVatProportion(const AnnualRecord& source, AnnualSourceYear year, AnnualRecord& target);
  void WarnOpenDecember(const AnnualRecord& source);
  // Reads, builds and writes the three records, asking and warning on the
  // way; stops at the first record that fails.
  Outcome WriteRecords(platform::File& source, platform::File& target, AnnualSourceYear year,
                       const CompanyPaths& company);
  void ReportFailure(std::string_view text);

  platform::FileSystem& files_;
  transfer::ProgressLog& log_;
  ui::Toolkit& toolkit_;
  const RunSettings& settings_;
  RunFlags& flags_;
};

// The operator's answer to the VAT proportion question: a whole number of
// percent, 0 to 100.
std::optional<std::uint16_t> ParseVatProportion(std::string_view answer);

}  // namespace zq::conversion
