#pragma once
// Contracts of mandate entered in 2021 in the old 552-byte format are moved
// into the current 1024-byte format.

#include <cstddef>

#include "fileaccess/record_fields.h"

namespace zq::conversion {

inline constexpr std::size_t OLD_CONTRACT_SIZE = 552;
inline constexpr std::size_t CONTRACT_SIZE = 1024;

// The contract type code of the current format for an old one; 'X' for a code
// that the old format does not know.
char CurrentContractType(char oldType);

// Fills the whole current-format target from an old-format source.
void ConvertOldContractLayout(fileaccess::RecordView source, fileaccess::RecordBuffer target);

}  // namespace zq::conversion
