#pragma once
// Records of the accounting system built from named fields, for tests and for
// the sample data tree. Each builder starts from zeros, or from a byte
// pattern when `filler` is not 0 (so that a test sees which bytes a converter
// copies and which it clears), and then writes its named fields at the
// offsets of the record layouts, which are written out here on their own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/short_string.h"
#include "ui/dates.h"

namespace zq::testing {

using Record = std::vector<std::uint8_t>;

// A record of `size` bytes, each byte derived from its offset and `filler`;
// all zeros when `filler` is 0.
Record PatternRecord(std::size_t size, std::uint8_t filler);

// DANE_PR8.REK, 2048 bytes.
struct EmployeeRecord {
  std::int64_t person = 1;
  ShortString firstName;
  ShortString secondName;
  ui::Date leaving{};            // zero: still employed
  bool protectedRecord = false;  // scrambled, marker 2; otherwise marker 1
  std::uint8_t filler = 0;
  Record Build() const;
};

// DANE_PF8.REK, 352 bytes.
struct FamilyMemberRecord {
  std::int64_t person = 1;
  ShortString firstName;
  ShortString secondName;
  std::uint8_t filler = 0;
  Record Build() const;
};

// The fields that both contract formats carry.
struct ContractTexts {
  std::array<std::uint8_t, 12> headFields{};  // bytes 8..19
  ShortString firstText;
  ShortString secondText;
  std::array<ShortString, 3> lines;
  std::uint8_t typeKind = 0;  // first byte of the tail: 1 or 2 mark an old type code
  char typeCode = '1';        // third byte of the tail
};

// 2021UZ5.REK, 1024 bytes.
struct ContractRecord {
  std::int64_t person = 1;
  ContractTexts texts;
  std::array<std::uint8_t, 327> tail{};  // before typeKind and typeCode are put in
  std::uint8_t filler = 0;
  Record Build() const;
};

// 2021UZ3.REK, 552 bytes.
struct OldContractRecord {
  std::int64_t person = 1;
  ContractTexts texts;
  std::array<std::uint8_t, 327> tail{};
  std::uint8_t filler = 0;
  Record Build() const;
};

// 2021WP5.REK, 26624 bytes.
struct WageRecord {
  std::int64_t person = 1;
  std::uint8_t filler = 0;
  Record Build() const;
};

// The values of one month in the 490-byte monthly entries of a PIT-28 form
// of the old year, named by their place in the entry.
struct Pit28MonthValues {
  double amountAt385 = 0;
  double amountAt393 = 0;
  std::uint32_t valueAt409 = 0;
  double amountAt413 = 0;
};

// PID-5 and PIT-28 forms (2020P5.REK, 2021P5.REK, 2020_P28.REK,
// 2021_P28.REK, 2021P28.REK), 13952 bytes.
struct TaxFormRecord {
  std::int64_t person = 1;
  ui::Date formDate{1, 1, 2020};
  std::uint32_t headValue = 0;  // at 16
  ShortString firstName;
  ShortString secondName;
  std::array<std::uint8_t, 3> switches{};  // 13888..13890
  // PID-5: the amount 88 bytes into each of the 18 amount blocks.
  std::array<double, 18> closingAmounts{};
  // PIT-28: the word at 5783 and the old monthly entries.
  std::uint16_t monthWord = 0;
  std::array<Pit28MonthValues, 12> months{};
  std::uint8_t filler = 0;
  Record Build() const;
};

// 2021K990.m, 1024 bytes.
struct DazDocumentRecord {
  std::uint32_t sequence = 0;
  ui::Date date{};
  std::uint16_t status = 0;  // bit value 2: struck out
  ShortString number;
  ShortString description;
  std::uint8_t state = 0;
  std::uint8_t filler = 0;
  Record Build() const;
};

// 2021SP.m, 48 bytes.
struct RepaymentRecord {
  ui::Date date{};
  ShortString document;
  std::uint8_t filler = 0;
  Record Build() const;
};

// 2021KOL2.REK, 2688 bytes: nine amounts a month.
struct OldColumnSumsRecord {
  std::uint8_t kind = 0;
  std::array<std::array<double, 9>, 12> amounts{};
  ShortString title;
  std::uint8_t filler = 0;
  Record Build() const;
};

// 2020_lp2.cc and 2021_lp2.cc, 2048 bytes.
struct WageSettingsRecord {
  std::uint16_t year = 2020;
  std::array<std::uint8_t, 12> workingDays{};
  std::uint8_t filler = 0;
  Record Build() const;
};

// SPISFIRM.DAT, 103 bytes: the company register.
struct CompanyRecord {
  ShortString name;       // up to 31 characters
  ShortString directory;  // up to 8
  ShortString info;       // up to 61
  std::uint8_t filler = 0;
  // Length bytes written as they stand (a broken record), when set.
  std::optional<std::uint8_t> nameLength{};
  std::optional<std::uint8_t> directoryLength{};
  Record Build() const;
};

// 2020_ROK.REK and 2021_ROK.REK: the first of the three annual settings
// records (512 bytes). `filler` also fills the four further bytes of each
// monthly counter entry.
struct AnnualSettingsRecord1 {
  std::uint8_t monthCounter = 0;
  std::uint8_t openMonth = 0;  // 13 once December is closed
  std::uint8_t byteAt4 = 0;
  std::array<std::array<std::uint16_t, 2>, 12> monthlyCounters{};
  bool vatProportional = false;
  std::uint16_t vatProportion = 0;
  std::uint16_t nextVatProportion = 0;
  std::uint8_t byteAt131 = 0;
  std::array<double, 13> balances{};  // BO, the states after months 1..11, BZ
  std::array<double, 12> secondMonthly{};
  std::uint16_t valueAt416 = 0;
  std::uint8_t filler = 0;
  Record Build() const;
};

// The second annual settings record: ten numberings.
struct AnnualNumbering {
  ShortString prefix;  // up to 6 characters
  std::uint16_t counter = 0;
  ShortString suffix;  // up to 6 characters
};
struct AnnualSettingsRecord2 {
  std::array<AnnualNumbering, 10> numberings;
  std::uint8_t filler = 0;
  Record Build() const;
};

// 2020_BR.REK and 2021_BR.REK, 384 bytes: the office's invoice details.
// `filler` fills the block at 310 and the last 33 bytes.
struct OfficeNumbering {
  std::uint16_t number = 0;
  ShortString suffix;  // up to 10 characters
};
struct OfficeDataRecord {
  std::array<ShortString, 3> lines;  // up to 36 characters each
  ShortString identifier;            // up to 13
  ShortString firstText;             // up to 26
  std::array<OfficeNumbering, 4> numberings;
  ShortString textAt204;  // up to 40
  ShortString service;    // up to 36
  std::uint8_t flag = 0;
  ShortString secondText;  // up to 26
  std::uint16_t valueAt349 = 0;
  std::uint8_t filler = 0;
  Record Build() const;
};

}  // namespace zq::testing
