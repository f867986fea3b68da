#include "conversion/tax_form_converters.h"

#include <array>

#include "conversion/key_choice.h"
#include "platform/text_literal.h"

namespace zq::conversion {
namespace {

using fileaccess::CopyBytes;
using fileaccess::CopySameBytes;
using fileaccess::ReadU16;
using fileaccess::ReadU8;
using fileaccess::RecordBuffer;
using fileaccess::RecordView;
using fileaccess::WriteU8;

struct ByteRange {
  std::size_t offset;
  std::size_t count;
};

struct BlockRun {
  std::size_t first;
  std::size_t count;
  std::size_t length;
  std::size_t Offset(std::size_t index) const { return first + length * index; }
};

constexpr std::size_t AMOUNT = 8;
constexpr std::size_t WORD = 2;
constexpr std::size_t LONG = 4;

// The head shared by both forms.
constexpr std::size_t PERSON = 0;
constexpr std::size_t FORM_DATE = 12;
constexpr std::size_t FORM_YEAR = 14;
constexpr std::size_t HEAD_VALUE = 16;  // 32 bits, 0 in a new form
constexpr std::size_t FIRST_NAME = 105;
constexpr std::size_t SECOND_NAME = 137;
constexpr std::size_t NAME_WIDTH = 32;
constexpr std::array<ByteRange, 3> PERSON_DATA = {{{20, 71}, {91, 73}, {164, 224}}};
constexpr std::size_t LAST_MARKER = 13943;

constexpr ui::Date NEW_FORM_DATE{1, 1, 2021};

// PID-5.
constexpr std::array<BlockRun, 3> PID5_KEPT_BLOCKS = {
    {{388, 8, 103}, {4604, 8, 103}, {8820, 2, 169}}};
constexpr std::array<std::size_t, 3> PID5_KEPT_BYTES = {13884, 13929, LAST_MARKER};
constexpr std::array<std::size_t, 3> PID5_KEPT_WORDS = {13886, 13899, 13903};
constexpr std::array<std::size_t, 3> PID5_SWITCHES = {13888, 13889, 13890};  // 0 becomes 1
constexpr std::array<BlockRun, 3> PID5_AMOUNT_BLOCKS = {
    {{1212, 8, 424}, {5428, 8, 424}, {9158, 2, 522}}};
// The first amount of a new block is the closing amount of the old one.
constexpr std::size_t PID5_CLOSING_AMOUNT = 88;

// PIT-28: twelve monthly entries.
constexpr std::size_t MONTHS = 12;
constexpr BlockRun PIT28_MONTHS{388, MONTHS, 532};
constexpr std::size_t PIT28_MONTH_WORD = 5;
constexpr std::size_t PIT28_MONTH_MARKER = 531;
constexpr BlockRun PIT28_OLD_MONTHS{388, MONTHS, 490};
constexpr std::size_t PIT28_SOURCE_MONTH_WORD = 5783;
struct MovedValue {
  std::size_t from;
  std::size_t to;
  std::size_t width;
};
constexpr std::array<MovedValue, 4> PIT28_MONTH_VALUES = {
    {{385, 427, AMOUNT}, {393, 435, AMOUNT}, {409, 451, LONG}, {413, 455, AMOUNT}}};

// Clears the target and starts a new form of the source's person.
void StartNewForm(RecordView source, RecordBuffer target) {
  fileaccess::ClearRecord(target);
  CopySameBytes(source, target, PERSON, AMOUNT);
  fileaccess::WriteDate(target, FORM_DATE, NEW_FORM_DATE);
  fileaccess::WriteU32(target, HEAD_VALUE, 0);
}

void CopyPersonData(RecordView source, RecordBuffer target) {
  for (const ByteRange& range : PERSON_DATA)
    CopySameBytes(source, target, range.offset, range.count);
}

void CopyPid5KeptParts(RecordView source, RecordBuffer target) {
  CopyPersonData(source, target);
  for (const BlockRun& run : PID5_KEPT_BLOCKS) {
    CopySameBytes(source, target, run.first, run.length * run.count);
  }
  for (const std::size_t offset : PID5_KEPT_BYTES) CopySameBytes(source, target, offset, 1);
  for (const std::size_t offset : PID5_KEPT_WORDS) CopySameBytes(source, target, offset, WORD);
  for (const std::size_t offset : PID5_SWITCHES) {
    const std::uint8_t value = ReadU8(source, offset);
    WriteU8(target, offset, value == 0 ? 1 : value);
  }
}

void CarryPid5ClosingAmounts(RecordView source, RecordBuffer target) {
  for (const BlockRun& run : PID5_AMOUNT_BLOCKS) {
    for (std::size_t block = 0; block < run.count; ++block) {
      CopyBytes(source, run.Offset(block) + PID5_CLOSING_AMOUNT, target, run.Offset(block), AMOUNT);
    }
  }
}

}  // namespace

TaxFormConverters::TaxFormConverters(transfer::ProgressLog& log, const ConversionOptions& options,
                                     const RunFlags& flags)
    : log_(log), options_(options), flags_(flags) {}

bool TaxFormConverters::ShowAndAskTransfer(RecordView source) {
  log_.SetLogColour(transfer::LOG_LABEL);
  log_.LogWrite("Osoba: "_pl);
  log_.SetLogColour(transfer::LOG_EMPHASIS);
  log_.LogWrite(fileaccess::ReadShortString(source, FIRST_NAME, NAME_WIDTH) + " " +
                fileaccess::ReadShortString(source, SECOND_NAME, NAME_WIDTH).view());
  log_.SetLogColour(transfer::LOG_NORMAL);
  bool transferred = true;
  if (options_.PitDTransferMode == PITD_ASK_EACH) {
    log_.SetLogColour(transfer::LOG_QUESTION);
    log_.LogWrite(" Przenieść T/N ? "_pl);
    transferred = WaitForChoice(log_, "TN") == 'T';
  }
  log_.LogWriteLn();
  return transferred;
}

bool TaxFormConverters::ConvertPid5(RecordView source, RecordBuffer target) {
  if (!ShowAndAskTransfer(source)) return false;
  // A company already working in 2021 may have its 2021 forms converted.
  const bool alreadyConverted = flags_.AnnualFrom2021 && ReadU16(source, FORM_YEAR) == 2021;
  if (alreadyConverted) {
    fileaccess::CopyRecord(source, target);
  } else {
    StartNewForm(source, target);
  }
  CopyPid5KeptParts(source, target);
  if (!alreadyConverted) CarryPid5ClosingAmounts(source, target);
  return true;
}

bool TaxFormConverters::ConvertPit28(RecordView source, RecordBuffer target) {
  if (!ShowAndAskTransfer(source)) return false;
  StartNewForm(source, target);
  CopyPersonData(source, target);
  const std::uint16_t monthWord = ReadU16(source, PIT28_SOURCE_MONTH_WORD);
  for (std::size_t month = 0; month < MONTHS; ++month) {
    const std::size_t entry = PIT28_MONTHS.Offset(month);
    WriteU8(target, entry + PIT28_MONTH_MARKER, 1);
    fileaccess::WriteU16(target, entry + PIT28_MONTH_WORD, monthWord);
    if (flags_.FromPreviousYear) continue;
    const std::size_t oldEntry = PIT28_OLD_MONTHS.Offset(month);
    for (const MovedValue& value : PIT28_MONTH_VALUES) {
      CopyBytes(source, oldEntry + value.from, target, entry + value.to, value.width);
    }
  }
  CopySameBytes(source, target, LAST_MARKER, 1);
  return true;
}

}  // namespace zq::conversion
