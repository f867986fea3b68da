#include "conversion/office_data_record.h"

#include "platform/text_literal.h"

namespace zq::conversion {
namespace {

using fileaccess::RecordBuffer;
using fileaccess::RecordView;

struct Text {
  std::size_t offset;
  std::size_t width;  // the length byte and the characters
};

// The texts carried over as they stand: three lines, the identifier, the
// first 26-character text, the text at 204 and the second 26-character text.
constexpr Text KEPT_TEXTS[] = {{0, 37},   {37, 37},  {74, 37}, {111, 14},
                               {125, 27}, {204, 41}, {283, 27}};

// Numberings 1 to 4: a 16-bit number and the number's suffix.
constexpr std::size_t NUMBERINGS = 152;
constexpr std::size_t NUMBERING_COUNT = 4;
constexpr std::size_t NUMBERING_ENTRY = 13;
constexpr std::size_t NUMBERING_SUFFIX = 2;
constexpr std::size_t NUMBERING_SUFFIX_WIDTH = 11;
constexpr std::uint16_t FIRST_NUMBER = 1;
constexpr ShortString NEW_YEAR_SUFFIX = "/2021"_pl;

constexpr Text SERVICE_TEXT = {245, 37};
// The invoice line of an office that never named its service.
constexpr ShortString DEFAULT_SERVICE = "Prowadzenie księgi - {zamiesiac}"_pl;

constexpr std::size_t FLAG = 282;
constexpr std::size_t KEPT_BLOCK = 310;
constexpr std::size_t KEPT_BLOCK_LENGTH = 39;
constexpr std::size_t VALUE_AT_349 = 349;
// The last 33 bytes (from 351) are not carried: they stay zero.

void CopyText(RecordView source, RecordBuffer target, const Text& text) {
  fileaccess::WriteShortString(target, text.offset, text.width,
                               fileaccess::ReadShortString(source, text.offset, text.width));
}

}  // namespace

bool ConvertOfficeDataRecord(RecordView source, RecordBuffer target) {
  fileaccess::ClearRecord(target);
  for (const Text& text : KEPT_TEXTS) CopyText(source, target, text);
  for (std::size_t i = 0; i < NUMBERING_COUNT; ++i) {
    const std::size_t entry = NUMBERINGS + NUMBERING_ENTRY * i;
    fileaccess::WriteU16(target, entry, FIRST_NUMBER);
    fileaccess::WriteShortString(target, entry + NUMBERING_SUFFIX, NUMBERING_SUFFIX_WIDTH,
                                 NEW_YEAR_SUFFIX);
  }
  const ShortString service =
      fileaccess::ReadShortString(source, SERVICE_TEXT.offset, SERVICE_TEXT.width);
  fileaccess::WriteShortString(target, SERVICE_TEXT.offset, SERVICE_TEXT.width,
                               service.empty() ? DEFAULT_SERVICE : service);
  fileaccess::CopySameBytes(source, target, FLAG, 1);
  fileaccess::CopySameBytes(source, target, KEPT_BLOCK, KEPT_BLOCK_LENGTH);
  fileaccess::CopySameBytes(source, target, VALUE_AT_349, 2);
  return true;
}

}  // namespace zq::conversion
