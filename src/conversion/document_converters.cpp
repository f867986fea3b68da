#include "conversion/document_converters.h"

#include "platform/text_literal.h"

namespace zq::conversion {
namespace {

using fileaccess::ReadDate;
using fileaccess::ReadShortString;
using fileaccess::RecordBuffer;
using fileaccess::RecordView;

// DAZ document (1024 bytes). The widths of the two texts are not fixed by
// the layout; they are read at most up to the next known field.
constexpr std::size_t DOCUMENT_SEQUENCE = 0;  // 32 bits
constexpr std::size_t DOCUMENT_DATE = 18;
constexpr std::size_t DOCUMENT_STATUS = 30;  // 16 bits
constexpr std::uint16_t STATUS_STRUCK_OUT = 2;
constexpr std::size_t DOCUMENT_NUMBER = 55;
constexpr std::size_t DOCUMENT_NUMBER_WIDTH = 148 - DOCUMENT_NUMBER;
constexpr std::size_t DOCUMENT_DESCRIPTION = 148;
constexpr std::size_t DOCUMENT_DESCRIPTION_WIDTH = 256;
constexpr std::size_t DOCUMENT_STATE = 861;
constexpr std::uint8_t STATE_TAKEN_OVER = 3;
constexpr std::size_t NUMBER_SHOWN_WIDTH = 10;

// Repayment (48 bytes).
constexpr std::size_t REPAYMENT_DATE = 5;
constexpr std::size_t REPAYMENT_DOCUMENT = 17;
constexpr std::size_t REPAYMENT_DOCUMENT_WIDTH = REPAYMENT_SIZE - REPAYMENT_DOCUMENT;

}  // namespace

DocumentConverters::DocumentConverters(transfer::ProgressLog& log, const ConversionOptions& options,
                                       const std::int32_t& recordCopyCounter)
    : log_(log), options_(options), recordCopyCounter_(recordCopyCounter) {}

bool DocumentConverters::ConvertDazDocument(RecordView source, RecordBuffer target) {
  fileaccess::CopyRecord(source, target);
  ShortString number = ReadShortString(source, DOCUMENT_NUMBER, DOCUMENT_NUMBER_WIDTH);
  if (number.size() < NUMBER_SHOWN_WIDTH) number.Resize(NUMBER_SHOWN_WIDTH, ' ');
  log_.LogWrite("DAZ="_pl + ui::DateToStr(ReadDate(source, DOCUMENT_DATE)).view() + " " +
                number.view() + " " +
                ReadShortString(source, DOCUMENT_DESCRIPTION, DOCUMENT_DESCRIPTION_WIDTH).view());
  if ((fileaccess::ReadU16(source, DOCUMENT_STATUS) & STATUS_STRUCK_OUT) != 0) {
    log_.LogWriteLn(" SKREŚLONY"_pl);
    if (options_.ShowSlowly != 0) {
      log_.PauseIfSlow();
    } else if (options_.StopAfterEachCompany != 0) {
      log_.WaitForKey();
    }
    return false;
  }
  fileaccess::WriteU32(target, DOCUMENT_SEQUENCE, static_cast<std::uint32_t>(recordCopyCounter_));
  fileaccess::WriteU8(target, DOCUMENT_STATE, STATE_TAKEN_OVER);
  log_.LogWriteLn(".ok"_pl);
  return true;
}

bool DocumentConverters::ConvertRepayment(RecordView source, RecordBuffer target) {
  fileaccess::CopyRecord(source, target);
  log_.LogWriteLn(
      "SP= dnia:"_pl + ui::DateToStr(ReadDate(source, REPAYMENT_DATE)).view() +
      " dok:" + ReadShortString(source, REPAYMENT_DOCUMENT, REPAYMENT_DOCUMENT_WIDTH).view());
  return true;
}

}  // namespace zq::conversion
