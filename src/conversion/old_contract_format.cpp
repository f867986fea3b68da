#include "conversion/old_contract_format.h"

#include <array>
#include <utility>

namespace zq::conversion {
namespace {

using fileaccess::RecordBuffer;
using fileaccess::RecordView;

// Bytes 0..19: the identifier and the fields after it, the same in both.
constexpr std::size_t HEAD_LENGTH = 20;

// Old format (552 bytes).
constexpr std::size_t OLD_FIRST_TEXT = 20;
constexpr std::size_t OLD_SECOND_TEXT = 31;
constexpr std::size_t OLD_SHORT_TEXT_WIDTH = 11;
constexpr std::array<std::size_t, 3> OLD_LINES = {42, 103, 164};
constexpr std::size_t OLD_LINE_WIDTH = 61;
constexpr std::size_t OLD_TAIL = 225;
constexpr std::size_t TAIL_LENGTH = 327;
// Tail byte 0 tells whether the type code (tail byte 2) is an old one.
constexpr std::size_t TAIL_TYPE_KIND = 0;
constexpr std::size_t TAIL_TYPE_CODE = 2;

// Current format (1024 bytes).
constexpr std::size_t FIRST_TEXT = 20;
constexpr std::size_t SECOND_TEXT = 57;
constexpr std::size_t SHORT_TEXT_WIDTH = 37;
constexpr std::array<std::size_t, 3> LINES = {94, 215, 336};
constexpr std::size_t LINE_WIDTH = 121;
constexpr std::size_t TAIL = 457;

constexpr std::array<std::pair<char, char>, 14> TYPE_CODES = {{{'1', '2'},
                                                               {'2', '3'},
                                                               {'3', '4'},
                                                               {'4', '8'},
                                                               {'5', '9'},
                                                               {'6', '1'},
                                                               {'7', 'D'},
                                                               {'8', 'E'},
                                                               {'9', 'F'},
                                                               {'A', 'G'},
                                                               {'B', 'I'},
                                                               {'C', 'J'},
                                                               {'D', 'K'},
                                                               {'R', '6'}}};

void MoveText(RecordView source, std::size_t from, std::size_t fromWidth, RecordBuffer target,
              std::size_t to, std::size_t toWidth) {
  fileaccess::WriteShortString(target, to, toWidth,
                               fileaccess::ReadShortString(source, from, fromWidth));
}

}  // namespace

char CurrentContractType(char oldType) {
  for (const auto& [old, current] : TYPE_CODES) {
    if (old == oldType) return current;
  }
  return 'X';
}

void ConvertOldContractLayout(RecordView source, RecordBuffer target) {
  fileaccess::ClearRecord(target);
  fileaccess::CopySameBytes(source, target, 0, HEAD_LENGTH);
  fileaccess::CopyBytes(source, OLD_TAIL, target, TAIL, TAIL_LENGTH);
  MoveText(source, OLD_FIRST_TEXT, OLD_SHORT_TEXT_WIDTH, target, FIRST_TEXT, SHORT_TEXT_WIDTH);
  MoveText(source, OLD_SECOND_TEXT, OLD_SHORT_TEXT_WIDTH, target, SECOND_TEXT, SHORT_TEXT_WIDTH);
  for (std::size_t line = 0; line < LINES.size(); ++line) {
    MoveText(source, OLD_LINES[line], OLD_LINE_WIDTH, target, LINES[line], LINE_WIDTH);
  }
  const std::uint8_t typeKind = fileaccess::ReadU8(source, OLD_TAIL + TAIL_TYPE_KIND);
  if (typeKind == 1 || typeKind == 2) {
    const auto oldType = static_cast<char>(fileaccess::ReadU8(source, OLD_TAIL + TAIL_TYPE_CODE));
    fileaccess::WriteU8(target, TAIL + TAIL_TYPE_CODE,
                        static_cast<std::uint8_t>(CurrentContractType(oldType)));
  }
}

}  // namespace zq::conversion
