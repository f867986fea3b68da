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

}  // namespace zq::testing
