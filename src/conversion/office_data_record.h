#pragma once
// The office data record (2020_BR.REK into 2021_BR.REK, 384 bytes): the
// office's own details for the invoices it issues to its client companies.
// The texts are kept, the four invoice numberings start the new year at
// 1/2021.

#include <cstddef>

#include "fileaccess/record_fields.h"

namespace zq::conversion {

inline constexpr std::size_t OFFICE_DATA_RECORD_SIZE = 384;

// Fills all of `target` from `source`; every record is kept.
bool ConvertOfficeDataRecord(fileaccess::RecordView source, fileaccess::RecordBuffer target);

}  // namespace zq::conversion
