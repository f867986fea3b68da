#pragma once
// The annual settings file of a company (2020_ROK.REK, 2021_ROK.REK): three
// records of 512 bytes. The new year's records are built field by field from
// the old ones; a field not named in the layout stays zero. Taken from the
// 2020 file, the records start a new year: counters back to 1, the closing
// balance of 2020 as the opening balance of 2021, the VAT proportion planned
// for 2021 as the one in force. Taken from a 2021 file, they carry the year's
// state on.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fileaccess/record_fields.h"

namespace zq::conversion {

inline constexpr std::string_view ANNUAL_FILE_2020 = "2020_ROK.REK";
inline constexpr std::string_view ANNUAL_FILE_2021 = "2021_ROK.REK";

inline constexpr std::size_t ANNUAL_RECORD_SIZE = 512;
inline constexpr std::size_t ANNUAL_RECORD_COUNT = 3;

// The year of the source file the records are built from.
enum class AnnualSourceYear { YEAR_2020, YEAR_2021 };

// Record 1: the fields the conversion looks at beyond building the record.
inline constexpr std::size_t ANNUAL_OPEN_MONTH = 3;  // the month in progress, 13 after December
inline constexpr std::uint8_t DECEMBER_CLOSED = 13;
inline constexpr std::size_t ANNUAL_VAT_PROPORTIONAL = 117;     // VAT settled in proportion
inline constexpr std::size_t ANNUAL_VAT_PROPORTION = 118;       // percent, of the record's year
inline constexpr std::size_t ANNUAL_NEXT_VAT_PROPORTION = 120;  // percent, planned for next year
// Doubles of the balance table: the year's opening state (BO) and its
// closing state (BZ).
inline constexpr std::size_t ANNUAL_OPENING_BALANCE = 150;
inline constexpr std::size_t ANNUAL_CLOSING_BALANCE = 246;

// Each fills all of `target` (ANNUAL_RECORD_SIZE bytes) from `source`.
void BuildAnnualRecord1(fileaccess::RecordView source, AnnualSourceYear year,
                        fileaccess::RecordBuffer target);
void BuildAnnualRecord2(fileaccess::RecordView source, AnnualSourceYear year,
                        fileaccess::RecordBuffer target);
void BuildAnnualRecord3(fileaccess::RecordView source, AnnualSourceYear year,
                        fileaccess::RecordBuffer target);

}  // namespace zq::conversion
