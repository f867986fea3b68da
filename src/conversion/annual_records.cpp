#include "conversion/annual_records.h"

#include <span>

namespace zq::conversion {
namespace {

using fileaccess::RecordBuffer;
using fileaccess::RecordView;

struct Field {
  std::size_t offset;
  std::size_t width;
};

void CopyFields(RecordView source, RecordBuffer target, std::span<const Field> fields) {
  for (const Field& field : fields)
    fileaccess::CopySameBytes(source, target, field.offset, field.width);
}

constexpr std::size_t AMOUNT = 8;
constexpr std::size_t MONTHS = 12;
// A counter that starts the new year.
constexpr std::uint16_t FIRST = 1;

// Record 1.
constexpr std::size_t MONTH_COUNTER = 2;
// Two bytes that every record of 2021 carries as 3.
constexpr std::size_t MARK_AT_4 = 4;
constexpr std::size_t MARK_AT_131 = 131;
constexpr std::uint8_t MARK_2021 = 3;
// Monthly counters: entry m (1..12) at 8 + 8m, two 16-bit counters and four
// bytes that are not carried.
constexpr std::size_t MONTHLY_COUNTERS = 16;
constexpr std::size_t MONTHLY_COUNTER_ENTRY = 8;
constexpr std::size_t MONTHLY_COUNTER_VALUES = 4;
// Balances: entry 0 the opening state (BO), entry m the state after month m,
// entry 12 the closing state (BZ).
constexpr std::size_t BALANCES = ANNUAL_OPENING_BALANCE;
constexpr std::size_t BALANCE_COUNT = 13;
constexpr std::size_t BALANCES_LENGTH = AMOUNT * BALANCE_COUNT;
constexpr std::size_t CLOSING_BALANCE = BALANCES + AMOUNT * MONTHS;
static_assert(CLOSING_BALANCE == ANNUAL_CLOSING_BALANCE);
// The second monthly table: entry m (1..12) at 248 + 8m.
constexpr std::size_t SECOND_MONTHLY = 256;
constexpr std::size_t SECOND_MONTHLY_LENGTH = AMOUNT * MONTHS;
constexpr std::size_t SECOND_MONTHLY_LAST = SECOND_MONTHLY + AMOUNT * (MONTHS - 1);
constexpr std::size_t COUNTER_AT_416 = 416;

// Copied whatever the source year; 117 is VatProportional.
constexpr Field RECORD1_KEPT[] = {
    {0, 2},   {5, 2},   {7, 2},   {12, 1},  {13, 1},  {14, 2},  {112, 2}, {114, 1}, {115, 1},
    {116, 1}, {117, 1}, {122, 1}, {123, 4}, {127, 2}, {133, 1}, {135, 2}, {137, 2}, {139, 2},
    {141, 1}, {142, 1}, {143, 1}, {254, 2}, {364, 2}, {408, 8}, {418, 5}};
// The state of the year in progress: carried on from a 2021 file, started
// anew from a 2020 file.
constexpr Field RECORD1_YEAR_STATE[] = {{MONTH_COUNTER, 1},
                                        {ANNUAL_OPEN_MONTH, 1},
                                        {ANNUAL_VAT_PROPORTION, 2},
                                        {BALANCES, BALANCES_LENGTH},
                                        {SECOND_MONTHLY, SECOND_MONTHLY_LENGTH},
                                        {COUNTER_AT_416, 2}};

// Record 2: ten numbering entries of 16 bytes, entry i (1..10) at 16i - 14,
// each a prefix text, a 16-bit counter and a suffix text.
constexpr std::size_t NUMBERINGS = 2;
constexpr std::size_t NUMBERING_ENTRY = 16;
constexpr std::size_t NUMBERING_COUNT = 10;
constexpr std::size_t NUMBERING_PREFIX = 0;
constexpr std::size_t NUMBERING_COUNTER = 7;
constexpr std::size_t NUMBERING_SUFFIX = 9;
constexpr std::size_t NUMBERING_TEXT_WIDTH = 7;  // up to 6 characters

constexpr Field RECORD2_KEPT[] = {{0, 2}, {162, 1}, {163, 1}};

// Record 3: twelve monthly blocks of 21 bytes, block m (1..12) at 21m - 3.
constexpr Field RECORD3_KEPT[] = {{0, 2}, {2, 8}, {10, 8}, {270, 8}, {278, 2}};
constexpr Field RECORD3_YEAR_STATE[] = {{18, 21 * MONTHS}};

}  // namespace

void BuildAnnualRecord1(RecordView source, AnnualSourceYear year, RecordBuffer target) {
  fileaccess::ClearRecord(target);
  CopyFields(source, target, RECORD1_KEPT);
  fileaccess::WriteU8(target, MARK_AT_4, MARK_2021);
  fileaccess::WriteU8(target, MARK_AT_131, MARK_2021);
  for (std::size_t month = 0; month < MONTHS; ++month) {
    const std::size_t entry = MONTHLY_COUNTERS + MONTHLY_COUNTER_ENTRY * month;
    if (year == AnnualSourceYear::YEAR_2021) {
      fileaccess::CopySameBytes(source, target, entry, MONTHLY_COUNTER_VALUES);
    } else {
      fileaccess::WriteU16(target, entry, FIRST);
      fileaccess::WriteU16(target, entry + 2, FIRST);
    }
  }
  if (year == AnnualSourceYear::YEAR_2021) {
    CopyFields(source, target, RECORD1_YEAR_STATE);
    return;
  }
  fileaccess::WriteU8(target, MONTH_COUNTER, FIRST);
  fileaccess::WriteU8(target, ANNUAL_OPEN_MONTH, FIRST);
  fileaccess::WriteU16(target, ANNUAL_VAT_PROPORTION,
                       fileaccess::ReadU16(source, ANNUAL_NEXT_VAT_PROPORTION));
  fileaccess::CopyBytes(source, CLOSING_BALANCE, target, BALANCES, AMOUNT);
  fileaccess::CopyBytes(source, SECOND_MONTHLY_LAST, target, SECOND_MONTHLY, AMOUNT);
  fileaccess::WriteU16(target, COUNTER_AT_416, FIRST);
}

void BuildAnnualRecord2(RecordView source, AnnualSourceYear year, RecordBuffer target) {
  fileaccess::ClearRecord(target);
  CopyFields(source, target, RECORD2_KEPT);
  for (std::size_t i = 0; i < NUMBERING_COUNT; ++i) {
    const std::size_t entry = NUMBERINGS + NUMBERING_ENTRY * i;
    for (const std::size_t text : {entry + NUMBERING_PREFIX, entry + NUMBERING_SUFFIX}) {
      fileaccess::WriteShortString(target, text, NUMBERING_TEXT_WIDTH,
                                   fileaccess::ReadShortString(source, text, NUMBERING_TEXT_WIDTH));
    }
    const std::size_t counter = entry + NUMBERING_COUNTER;
    fileaccess::WriteU16(
        target, counter,
        year == AnnualSourceYear::YEAR_2021 ? fileaccess::ReadU16(source, counter) : FIRST);
  }
}

void BuildAnnualRecord3(RecordView source, AnnualSourceYear year, RecordBuffer target) {
  fileaccess::ClearRecord(target);
  CopyFields(source, target, RECORD3_KEPT);
  if (year == AnnualSourceYear::YEAR_2021) CopyFields(source, target, RECORD3_YEAR_STATE);
}

}  // namespace zq::conversion
