#include <gtest/gtest.h>

#include "conversion/settings_converters.h"
#include "fileaccess/record_fields.h"
#include "platform/text_literal.h"
#include "sample/record_builders.h"

namespace zq::conversion {
namespace {

using sample::Record;

void CopyBlock(const Record& from, std::size_t source, Record& to, std::size_t target,
               std::size_t count) {
  std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(source), count,
              to.begin() + static_cast<std::ptrdiff_t>(target));
}

TEST(ColumnSums, TheNinthAmountOfEachMonthMovesToTheTenthPlace) {
  sample::OldColumnSumsRecord sums;
  sums.kind = 4;
  for (std::size_t month = 0; month < 12; ++month) {
    for (std::size_t amount = 0; amount < 9; ++amount) {
      sums.amounts[month][amount] = static_cast<double>(month * 100 + amount + 1) + 0.5;
    }
  }
  sums.title = "Podatkowa księga przychodów i rozchodów"_pl;  // 39 characters
  sums.filler = 0x5C;
  const Record source = sums.Build();

  Record expected(COLUMN_SUMS_SIZE, 0);
  expected[0] = 4;
  CopyBlock(source, 2, expected, 2, 960);
  for (std::size_t month = 0; month < 12; ++month) {
    for (std::size_t amount = 0; amount < 8; ++amount) {
      fileaccess::WriteDouble(expected, 1346 + 80 * month + 8 * amount,
                              sums.amounts[month][amount]);
    }
    fileaccess::WriteDouble(expected, 1346 + 80 * month + 72, sums.amounts[month][8]);
  }
  CopyBlock(source, 1826, expected, 2690, 48);
  CopyBlock(source, 1874, expected, 2738, 48);
  CopyBlock(source, 1922, expected, 2786, 12);
  CopyBlock(source, 1934, expected, 2798, 104);
  CopyBlock(source, 2038, expected, 2902, 104);
  fileaccess::WriteShortString(expected, 3006, 41, sums.title);

  Record target(COLUMN_SUMS_SIZE, 0xEE);
  EXPECT_TRUE(ConvertColumnSums(source, target));
  EXPECT_EQ(target, expected);

  // A title longer than the new field is cut to 40 characters.
  Record longTitle = source;
  longTitle[2142] = 0xFF;
  EXPECT_TRUE(ConvertColumnSums(longTitle, target));
  EXPECT_EQ(target[3006], 40);
  EXPECT_TRUE(std::equal(target.begin() + 3007, target.begin() + 3047, longTitle.begin() + 2143));
  EXPECT_EQ(target[3047], 0);
}

TEST(WageSettings, EveryRecordGetsTheNewYearAndItsWorkingDays) {
  sample::WageSettingsRecord settings;
  settings.year = 1999;
  settings.workingDays = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  settings.filler = 0x17;
  Record record = settings.Build();
  EXPECT_TRUE(FilterWageSettings(record));

  settings.year = 2021;
  settings.workingDays = {19, 20, 23, 21, 19, 21, 22, 22, 22, 21, 20, 22};
  EXPECT_EQ(record, settings.Build());

  Record unchanged(480, 0);
  const Record address = sample::PatternRecord(480, 0x61);
  EXPECT_TRUE(CopyUnchanged(address, unchanged));
  EXPECT_EQ(unchanged, address);
}

}  // namespace
}  // namespace zq::conversion
