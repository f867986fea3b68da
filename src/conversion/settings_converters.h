#pragma once
// Converters of the records that carry settings and sums rather than
// persons or documents: the column sums of 2021 (a tenth amount per month in
// the new layout), the local wage-list settings (the new year and its working
// days) and the record files copied unchanged.

#include <array>
#include <cstddef>
#include <cstdint>

#include "fileaccess/record_fields.h"

namespace zq::conversion {

inline constexpr std::size_t OLD_COLUMN_SUMS_SIZE = 2688;
inline constexpr std::size_t COLUMN_SUMS_SIZE = 3552;
inline constexpr std::size_t WAGE_SETTINGS_SIZE = 2048;

// Working days of 2021, January to December.
inline constexpr std::array<std::uint8_t, 12> WORKING_DAYS_2021 = {19, 20, 23, 21, 19, 21,
                                                                   22, 22, 22, 21, 20, 22};

bool ConvertColumnSums(fileaccess::RecordView source, fileaccess::RecordBuffer target);
bool FilterWageSettings(fileaccess::RecordBuffer record);
// For the record files taken over as they are.
bool CopyUnchanged(fileaccess::RecordView source, fileaccess::RecordBuffer target);

}  // namespace zq::conversion
