#include "conversion/settings_converters.h"

namespace zq::conversion {
namespace {

using fileaccess::CopyBytes;
using fileaccess::RecordBuffer;
using fileaccess::RecordView;

constexpr std::size_t AMOUNT = 8;
constexpr std::size_t MONTHS = 12;

// Column sums: the old record (2688 bytes) and the new one (3552 bytes).
constexpr std::size_t SUMS_KIND = 0;  // one byte, the same in both
constexpr std::size_t SUMS_MONTH_DATA = 2;
constexpr std::size_t SUMS_MONTH_DATA_LENGTH = 80 * MONTHS;  // same place in both
constexpr std::size_t OLD_SUMS_AMOUNTS = 962;
constexpr std::size_t OLD_SUMS_AMOUNT_COUNT = 9;
constexpr std::size_t SUMS_AMOUNTS = 1346;
constexpr std::size_t SUMS_AMOUNT_COUNT = 10;
// Amounts 1..8 keep their places; the old ninth amount is the new tenth.
constexpr std::size_t SUMS_KEPT_AMOUNTS = 8;

struct MovedBytes {
  std::size_t from;
  std::size_t to;
  std::size_t count;
};
constexpr std::array<MovedBytes, 5> SUMS_TAIL = {{{1826, 2690, 4 * MONTHS},
                                                  {1874, 2738, 4 * MONTHS},
                                                  {1922, 2786, MONTHS},
                                                  {1934, 2798, 104},
                                                  {2038, 2902, 104}}};
constexpr std::size_t OLD_SUMS_TITLE = 2142;
constexpr std::size_t OLD_SUMS_TITLE_WIDTH = 256;
constexpr std::size_t SUMS_TITLE = 3006;
constexpr std::size_t SUMS_TITLE_WIDTH = 41;

// Wage settings (2048 bytes).
constexpr std::size_t WAGE_SETTINGS_YEAR = 611;
constexpr std::uint16_t NEW_YEAR = 2021;
constexpr std::size_t WAGE_SETTINGS_WORKING_DAYS = 632;

}  // namespace

bool ConvertColumnSums(RecordView source, RecordBuffer target) {
  fileaccess::ClearRecord(target);
  fileaccess::CopySameBytes(source, target, SUMS_KIND, 1);
  fileaccess::CopySameBytes(source, target, SUMS_MONTH_DATA, SUMS_MONTH_DATA_LENGTH);
  for (std::size_t month = 0; month < MONTHS; ++month) {
    const std::size_t from = OLD_SUMS_AMOUNTS + OLD_SUMS_AMOUNT_COUNT * AMOUNT * month;
    const std::size_t to = SUMS_AMOUNTS + SUMS_AMOUNT_COUNT * AMOUNT * month;
    CopyBytes(source, from, target, to, SUMS_KEPT_AMOUNTS * AMOUNT);
    CopyBytes(source, from + (OLD_SUMS_AMOUNT_COUNT - 1) * AMOUNT, target,
              to + (SUMS_AMOUNT_COUNT - 1) * AMOUNT, AMOUNT);
  }
  for (const MovedBytes& part : SUMS_TAIL)
    CopyBytes(source, part.from, target, part.to, part.count);
  fileaccess::WriteShortString(
      target, SUMS_TITLE, SUMS_TITLE_WIDTH,
      fileaccess::ReadShortString(source, OLD_SUMS_TITLE, OLD_SUMS_TITLE_WIDTH));
  return true;
}

bool FilterWageSettings(RecordBuffer record) {
  fileaccess::WriteU16(record, WAGE_SETTINGS_YEAR, NEW_YEAR);
  for (std::size_t month = 0; month < MONTHS; ++month) {
    fileaccess::WriteU8(record, WAGE_SETTINGS_WORKING_DAYS + month, WORKING_DAYS_2021[month]);
  }
  return true;
}

bool CopyUnchanged(RecordView source, RecordBuffer target) {
  fileaccess::CopyRecord(source, target);
  return true;
}

}  // namespace zq::conversion
