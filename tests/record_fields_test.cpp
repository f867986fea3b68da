#include <gtest/gtest.h>

#include <vector>

#include "fileaccess/record_fields.h"
#include "platform/text_literal.h"

namespace zq::fileaccess {
namespace {

TEST(RecordFields, IntegersAmountsAndDatesAreLittleEndian) {
  std::vector<std::uint8_t> record(24, 0);
  WriteDate(record, 0, {31, 12, 2020});
  EXPECT_EQ(ReadU32(record, 0), 0x07E40C1Fu);
  EXPECT_EQ(ReadDate(record, 0), (ui::Date{31, 12, 2020}));
  WriteI64(record, 4, -2);
  EXPECT_EQ(record[4], 0xFE);
  EXPECT_EQ(record[11], 0xFF);
  EXPECT_EQ(ReadI64(record, 4), -2);
  WriteDouble(record, 12, 1.5);
  EXPECT_EQ(ReadU64(record, 12), 0x3FF8000000000000u);
  EXPECT_EQ(ReadDouble(record, 12), 1.5);
  WriteU16(record, 20, 0x1234);
  EXPECT_EQ(record[20], 0x34);
  EXPECT_EQ(ReadU16(record, 20), 0x1234);
}

TEST(RecordFields, ShortStringsStayInsideTheirField) {
  std::vector<std::uint8_t> record(16, 'x');
  record[0] = 200;  // larger than the field
  EXPECT_EQ(ReadShortString(record, 0, 6), "xxxxx");
  record[0] = 2;
  EXPECT_EQ(ReadShortString(record, 0, 6), "xx");

  WriteShortString(record, 6, 6, "Łódź i Kraków"_pl);
  EXPECT_EQ(record[6], 5);
  EXPECT_EQ(ReadShortString(record, 6, 6), ("Łódź "_pl).view());
  EXPECT_EQ(record[12], 'x');  // the next field is untouched
}

TEST(RecordFieldsDeathTest, AFieldBeyondTheRecordIsAProgrammingErrorAndReadsAsZero) {
  std::vector<std::uint8_t> record(8, 0xAB);
  EXPECT_DEBUG_DEATH(EXPECT_EQ(ReadU32(record, 6), 0u), "beyond the record");
  EXPECT_DEBUG_DEATH(EXPECT_TRUE(ReadShortString(record, 4, 5).empty()), "beyond the record");
  EXPECT_DEBUG_DEATH(WriteU16(record, 7, 0), "beyond the record");
  EXPECT_EQ(record, std::vector<std::uint8_t>(8, 0xAB));
}

}  // namespace
}  // namespace zq::fileaccess
