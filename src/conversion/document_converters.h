#pragma once
// The accounting documents and repayments of 2021 that were entered in the
// old tree, carried into the new one month by month.

#include <cstddef>
#include <cstdint>

#include "conversion/conversion_options.h"
#include "fileaccess/record_fields.h"
#include "transfer/progress_log.h"

namespace zq::conversion {

inline constexpr std::size_t DAZ_DOCUMENT_SIZE = 1024;
inline constexpr std::size_t REPAYMENT_SIZE = 48;

class DocumentConverters {
 public:
  // `recordCopyCounter` is the copy engine's counter, read at every document.
  DocumentConverters(transfer::ProgressLog& log, const ConversionOptions& options,
                     const std::int32_t& recordCopyCounter);

  // Drops a struck-out document; the others get the counter as their
  // sequence number and the state of a document taken over.
  bool ConvertDazDocument(fileaccess::RecordView source, fileaccess::RecordBuffer target);
  bool ConvertRepayment(fileaccess::RecordView source, fileaccess::RecordBuffer target);

 private:
  transfer::ProgressLog& log_;
  const ConversionOptions& options_;
  const std::int32_t& recordCopyCounter_;
};

}  // namespace zq::conversion
