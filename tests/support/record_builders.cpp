#include "support/record_builders.h"

#include <algorithm>

#include "conversion/employee_scrambling.h"
#include "fileaccess/record_fields.h"

namespace zq::testing {
namespace {

using fileaccess::WriteDate;
using fileaccess::WriteDouble;
using fileaccess::WriteI64;
using fileaccess::WriteShortString;
using fileaccess::WriteU16;
using fileaccess::WriteU32;
using fileaccess::WriteU8;

void WriteBytes(Record& record, std::size_t offset, const std::uint8_t* bytes, std::size_t count) {
  std::copy_n(bytes, count, record.begin() + static_cast<std::ptrdiff_t>(offset));
}

void WriteContract(Record& record, const ContractTexts& texts, std::size_t secondText,
                   std::size_t textWidth, const std::array<std::size_t, 3>& lines,
                   std::size_t lineWidth, std::size_t tail,
                   const std::array<std::uint8_t, 327>& tailBytes) {
  WriteBytes(record, 8, texts.headFields.data(), texts.headFields.size());
  WriteShortString(record, 20, textWidth, texts.firstText);
  WriteShortString(record, secondText, textWidth, texts.secondText);
  for (std::size_t line = 0; line < lines.size(); ++line) {
    WriteShortString(record, lines[line], lineWidth, texts.lines[line]);
  }
  WriteBytes(record, tail, tailBytes.data(), tailBytes.size());
  WriteU8(record, tail, texts.typeKind);
  WriteU8(record, tail + 2, static_cast<std::uint8_t>(texts.typeCode));
}

}  // namespace

Record PatternRecord(std::size_t size, std::uint8_t filler) {
  Record record(size, 0);
  if (filler == 0) return record;
  for (std::size_t i = 0; i < size; ++i) {
    record[i] = static_cast<std::uint8_t>(i * 37u + i / 251u + filler);
  }
  return record;
}

Record EmployeeRecord::Build() const {
  Record record = PatternRecord(2048, filler);
  WriteI64(record, 0, person);
  WriteU8(record, 8, 1);
  WriteShortString(record, 40, 32, firstName);
  WriteShortString(record, 72, 32, secondName);
  WriteDate(record, 213, leaving);
  if (protectedRecord) {
    conversion::ScrambleEmployeeRecord(record);
    WriteU8(record, 8, 2);
  }
  return record;
}

Record FamilyMemberRecord::Build() const {
  Record record = PatternRecord(352, filler);
  WriteI64(record, 0, person);
  WriteShortString(record, 56, 32, firstName);
  WriteShortString(record, 88, 32, secondName);
  return record;
}

Record ContractRecord::Build() const {
  Record record = PatternRecord(1024, filler);
  WriteI64(record, 0, person);
  WriteContract(record, texts, 57, 37, {94, 215, 336}, 121, 457, tail);
  return record;
}

Record OldContractRecord::Build() const {
  Record record = PatternRecord(552, filler);
  WriteI64(record, 0, person);
  WriteContract(record, texts, 31, 11, {42, 103, 164}, 61, 225, tail);
  return record;
}

Record WageRecord::Build() const {
  Record record = PatternRecord(26624, filler);
  WriteI64(record, 0, person);
  return record;
}

Record TaxFormRecord::Build() const {
  Record record = PatternRecord(13952, filler);
  WriteI64(record, 0, person);
  WriteDate(record, 12, formDate);
  WriteU32(record, 16, headValue);
  WriteShortString(record, 105, 32, firstName);
  WriteShortString(record, 137, 32, secondName);
  WriteBytes(record, 13888, switches.data(), switches.size());
  for (std::size_t k = 0; k < 8; ++k) {
    WriteDouble(record, 1212 + 424 * k + 88, closingAmounts[k]);
    WriteDouble(record, 5428 + 424 * k + 88, closingAmounts[8 + k]);
  }
  for (std::size_t k = 0; k < 2; ++k) {
    WriteDouble(record, 9158 + 522 * k + 88, closingAmounts[16 + k]);
  }
  WriteU16(record, 5783, monthWord);
  for (std::size_t k = 0; k < 12; ++k) {
    const std::size_t entry = 388 + 490 * k;
    WriteDouble(record, entry + 385, months[k].amountAt385);
    WriteDouble(record, entry + 393, months[k].amountAt393);
    WriteU32(record, entry + 409, months[k].valueAt409);
    WriteDouble(record, entry + 413, months[k].amountAt413);
  }
  return record;
}

Record DazDocumentRecord::Build() const {
  Record record = PatternRecord(1024, filler);
  WriteU32(record, 0, sequence);
  WriteDate(record, 18, date);
  WriteU16(record, 30, status);
  WriteShortString(record, 55, 93, number);
  WriteShortString(record, 148, 256, description);
  WriteU8(record, 861, state);
  return record;
}

Record RepaymentRecord::Build() const {
  Record record = PatternRecord(48, filler);
  WriteDate(record, 5, date);
  WriteShortString(record, 17, 31, document);
  return record;
}

Record OldColumnSumsRecord::Build() const {
  Record record = PatternRecord(2688, filler);
  WriteU8(record, 0, kind);
  for (std::size_t month = 0; month < 12; ++month) {
    for (std::size_t amount = 0; amount < 9; ++amount) {
      WriteDouble(record, 962 + 72 * month + 8 * amount, amounts[month][amount]);
    }
  }
  WriteShortString(record, 2142, 41, title);
  return record;
}

Record WageSettingsRecord::Build() const {
  Record record = PatternRecord(2048, filler);
  WriteU16(record, 611, year);
  WriteBytes(record, 632, workingDays.data(), workingDays.size());
  return record;
}

Record CompanyRecord::Build() const {
  Record record = PatternRecord(103, filler);
  WriteShortString(record, 0, 32, name);
  WriteShortString(record, 32, 9, directory);
  WriteShortString(record, 41, 62, info);
  if (nameLength) record[0] = *nameLength;
  if (directoryLength) record[32] = *directoryLength;
  return record;
}

Record AnnualSettingsRecord1::Build() const {
  Record record = PatternRecord(512, filler);
  WriteU8(record, 2, monthCounter);
  WriteU8(record, 3, openMonth);
  WriteU8(record, 4, byteAt4);
  for (std::size_t month = 1; month <= 12; ++month) {
    WriteU16(record, 8 + 8 * month, monthlyCounters[month - 1][0]);
    WriteU16(record, 8 + 8 * month + 2, monthlyCounters[month - 1][1]);
  }
  WriteU8(record, 117, vatProportional ? 1 : 0);
  WriteU16(record, 118, vatProportion);
  WriteU16(record, 120, nextVatProportion);
  WriteU8(record, 131, byteAt131);
  for (std::size_t k = 0; k < 13; ++k) WriteDouble(record, 150 + 8 * k, balances[k]);
  for (std::size_t month = 1; month <= 12; ++month) {
    WriteDouble(record, 248 + 8 * month, secondMonthly[month - 1]);
  }
  WriteU16(record, 416, valueAt416);
  return record;
}

Record AnnualSettingsRecord2::Build() const {
  Record record = PatternRecord(512, filler);
  for (std::size_t i = 1; i <= 10; ++i) {
    const AnnualNumbering& numbering = numberings[i - 1];
    WriteShortString(record, 16 * i - 14, 7, numbering.prefix);
    WriteU16(record, 16 * i - 7, numbering.counter);
    WriteShortString(record, 16 * i - 5, 7, numbering.suffix);
  }
  return record;
}

Record OfficeDataRecord::Build() const {
  Record record = PatternRecord(384, filler);
  for (std::size_t line = 0; line < 3; ++line) WriteShortString(record, 37 * line, 37, lines[line]);
  WriteShortString(record, 111, 14, identifier);
  WriteShortString(record, 125, 27, firstText);
  for (std::size_t i = 0; i < 4; ++i) {
    WriteU16(record, 152 + 13 * i, numberings[i].number);
    WriteShortString(record, 154 + 13 * i, 11, numberings[i].suffix);
  }
  WriteShortString(record, 204, 41, textAt204);
  WriteShortString(record, 245, 37, service);
  WriteU8(record, 282, flag);
  WriteShortString(record, 283, 27, secondText);
  WriteU16(record, 349, valueAt349);
  return record;
}

}  // namespace zq::testing
