#pragma once
// The company record of the register file (SPISFIRM.DAT): 103 bytes, the
// company's name, the name of its data directory in the tree, and a free
// info text. The converter never changes a record: it reads it from the
// source register and writes the same bytes into the target register.

#include <cstddef>
#include <cstdint>

#include "fileaccess/record_fields.h"
#include "platform/short_string.h"

namespace zq::registry {

inline constexpr std::uint16_t COMPANY_RECORD_SIZE = 103;
inline constexpr std::size_t COMPANY_NAME = 0;  // up to 31 characters
inline constexpr std::size_t COMPANY_NAME_WIDTH = 32;
inline constexpr std::size_t COMPANY_DIRECTORY = 32;  // up to 8 characters, no separators
inline constexpr std::size_t COMPANY_DIRECTORY_WIDTH = 9;
inline constexpr std::size_t COMPANY_INFO = 41;  // up to 61 characters
inline constexpr std::size_t COMPANY_INFO_WIDTH = 62;

inline ShortString CompanyName(fileaccess::RecordView record) {
  return fileaccess::ReadShortString(record, COMPANY_NAME, COMPANY_NAME_WIDTH);
}
inline ShortString CompanyDirectory(fileaccess::RecordView record) {
  return fileaccess::ReadShortString(record, COMPANY_DIRECTORY, COMPANY_DIRECTORY_WIDTH);
}
inline ShortString CompanyInfo(fileaccess::RecordView record) {
  return fileaccess::ReadShortString(record, COMPANY_INFO, COMPANY_INFO_WIDTH);
}

}  // namespace zq::registry
