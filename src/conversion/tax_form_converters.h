#pragma once
// The PID-5 and PIT-28 forms of the persons, carried into the new year: a new
// form dated 1.1.2021 that keeps the person's data and the opening values of
// the year, or (PID-5 of a company already working in 2021) the form as it is.

#include <cstddef>

#include "conversion/conversion_options.h"
#include "conversion/run_flags.h"
#include "fileaccess/record_fields.h"
#include "transfer/progress_log.h"

namespace zq::conversion {

inline constexpr std::size_t TAX_FORM_SIZE = 13952;

class TaxFormConverters {
 public:
  // Reads PitDTransferMode from the options, AnnualFrom2021 and
  // FromPreviousYear from the run flags, at every record.
  TaxFormConverters(transfer::ProgressLog& log, const ConversionOptions& options,
                    const RunFlags& flags);

  bool ConvertPid5(fileaccess::RecordView source, fileaccess::RecordBuffer target);
  bool ConvertPit28(fileaccess::RecordView source, fileaccess::RecordBuffer target);

 private:
  // Logs the person and asks, when the operator wants to be asked.
  bool ShowAndAskTransfer(fileaccess::RecordView source);

  transfer::ProgressLog& log_;
  const ConversionOptions& options_;
  const RunFlags& flags_;
};

}  // namespace zq::conversion
