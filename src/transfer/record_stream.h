#pragma once
// Records of a file read and written one at a time by the copy loops, while
// the file itself is read and written in large blocks: a record copy moves
// data as fast as a plain file copy and never makes a system call per record.
// Both sides report their failures at the record where a copy that read and
// wrote each record by itself would have met them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/files.h"

namespace zq::transfer {

// The size of the blocks moved to and from the disk (rounded down to whole
// records, at least one record).
inline constexpr std::size_t TRANSFER_BLOCK_BYTES = 256 * 1024;

class RecordReader {
 public:
  RecordReader(platform::File& file, std::size_t recordSize);

  // The next record: `record` spans a whole record and `done` tells how many
  // of its bytes the file held. Only the last record of a file may be short;
  // the rest of its span is zero. `done` is 0 at the end of the file. A result
  // other than IO_OK means the file failed before this record was complete.
  int Next(std::span<std::uint8_t>& record, std::size_t& done);

 private:
  void Fill();

  platform::File& file_;
  std::size_t recordSize_;
  std::vector<std::uint8_t> block_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  bool atEnd_ = false;
  int failure_ = platform::IO_OK;
};

class RecordWriter {
 public:
  // `recordSize` is the largest record that will be put.
  RecordWriter(platform::File& file, std::size_t recordSize);

  // Queues a record, writing the queued block first when the record does not
  // fit. `tag` is the caller's mark of this record, given back when the record
  // does not reach the file whole. False when a block write failed.
  bool Put(std::span<const std::uint8_t> record, std::int32_t tag);
  // Writes what is queued. False when the write failed.
  bool Flush();

  // After a failure: the tag of the first record that did not reach the file
  // whole (the file holds every byte before it and the part of it written),
  // and the result of the write (IO_OK when the file simply took fewer bytes).
  std::int32_t FailedTag() const { return failedTag_; }
  int Result() const { return result_; }

 private:
  platform::File& file_;
  std::vector<std::uint8_t> block_;
  std::size_t filled_ = 0;
  std::vector<std::size_t> recordEnds_;  // of the queued records, in the block
  std::vector<std::int32_t> recordTags_;
  std::int32_t failedTag_ = 0;
  int result_ = platform::IO_OK;
};

}  // namespace zq::transfer
