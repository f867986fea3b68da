#pragma once
// What the copy engine has carried so far: the counts a run's summary shows,
// and a note of every file copied whole or record by record, from which the
// check after a company tells whether each target holds what its source gave.

#include <cstdint>
#include <vector>

#include "platform/short_string.h"

namespace zq::transfer {

struct CopyTally {
  std::uint64_t files = 0;  // files copied or converted to their end
  std::uint64_t recordsWritten = 0;
  // Left out on purpose by a filter or converter (deleted records, persons
  // not carried into the new year...).
  std::uint64_t recordsDropped = 0;
};

// One finished copy. A whole-file copy counts bytes: its records are 1 byte.
struct CopyNote {
  ShortString target;
  std::uint64_t sourceRecords = 0;  // records in the source when it was read
  std::uint64_t dropped = 0;
  std::uint64_t targetStart = 0;  // bytes the target held before (an append)
  std::uint16_t targetSize = 1;   // bytes of a target record
};

// The counts since `earlier`.
inline CopyTally operator-(const CopyTally& later, const CopyTally& earlier) {
  return {later.files - earlier.files, later.recordsWritten - earlier.recordsWritten,
          later.recordsDropped - earlier.recordsDropped};
}

using CopyNotes = std::vector<CopyNote>;

}  // namespace zq::transfer
