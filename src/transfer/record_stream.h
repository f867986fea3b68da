#pragma once
// Records of a file read and written one at a time by the copy loops, while
// the file itself is read and written in large blocks: a record copy moves
// data as fast as a plain file copy and never makes a system call per record.
// Both sides report their failures at the record where a copy that read and
// wrote each record by itself would have met them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/files.h"

namespace zq::transfer {

// The size of the blocks moved to and from the disk (rounded down to whole
// records, at least one record).
inline constexpr std::size_t TRANSFER_BLOCK_BYTES = 256 * 1024;
// A file known to be smaller gets a block just over its size: most files of
// a company are a few kilobytes, and a full block for each would cost more
// than the copy.
inline constexpr std::uint64_t SIZE_UNKNOWN = UINT64_MAX;

// The memory a reader or writer moves its blocks through, kept from one file
// to the next: fresh blocks for every file would cost a quarter-megabyte
// allocation, its page faults and its zeroing each time, more than copying a
// small file. What an earlier file left in it is never read.
class BlockStorage {
 public:
  // A run of records queued by a writer: bytes [start, end) of its block.
  struct QueuedRun {
    std::size_t start;
    std::size_t end;
    std::size_t recordSize;
    std::int32_t firstTag;
    std::int32_t tagStep;
  };

  // `size` bytes, grown from what was kept when needed.
  std::span<std::uint8_t> Take(std::size_t size) {
    if (bytes_.size() < size) bytes_.resize(size);
    return std::span<std::uint8_t>(bytes_).first(size);
  }
  // A writer's list of queued runs, emptied.
  std::vector<QueuedRun>& Runs() {
    runs_.clear();
    return runs_;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::vector<QueuedRun> runs_;
};

class RecordReader {
 public:
  // The blocks lie in `storage`, which no other reader or writer may use
  // while this one is in use.
  RecordReader(platform::File& file, std::size_t recordSize, BlockStorage& storage,
               std::uint64_t expectedBytes = SIZE_UNKNOWN);

  // The next record: `record` spans a whole record and `done` tells how many
  // of its bytes the file held. Only the last record of a file may be short;
  // the rest of its span is zero. `done` is 0 at the end of the file. A result
  // other than IO_OK means the file failed before this record was complete.
  int Next(std::span<std::uint8_t>& record, std::size_t& done) {
    if (filled_ - position_ >= recordSize_ && recordSize_ != 0) {  // the common case
      record = block_.subspan(position_, recordSize_);
      done = recordSize_;
      position_ += recordSize_;
      return platform::IO_OK;
    }
    return Take(1, record, done);
  }
  // As Next, for as many records as the block holds at once: `run` spans
  // `done` bytes of whole records, or the short last record. It stays valid
  // until the next call.
  int NextRun(std::span<std::uint8_t>& run, std::size_t& done) {
    return Take(block_.size(), run, done);
  }
  std::size_t RecordSize() const { return recordSize_; }

 private:
  int Take(std::size_t maxRecords, std::span<std::uint8_t>& records, std::size_t& done);
  void Fill();

  platform::File& file_;
  std::size_t recordSize_;
  std::span<std::uint8_t> block_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  bool atEnd_ = false;
  int failure_ = platform::IO_OK;
};

class RecordWriter {
 public:
  // `recordSize` is the largest record that will be put; the queue lies in
  // `storage`, as for a reader.
  RecordWriter(platform::File& file, std::size_t recordSize, BlockStorage& storage,
               std::uint64_t expectedBytes = SIZE_UNKNOWN);

  // Queues a record, writing the queued block first when the record does not
  // fit. `tag` is the caller's mark of this record, given back when the record
  // does not reach the file whole. False when a block write failed.
  bool Put(std::span<const std::uint8_t> record, std::int32_t tag) {
    return PutRun(record, record.size(), tag, 0);
  }
  // Queues consecutive records of `recordSize` bytes (the last may be
  // shorter), tagged `firstTag`, `firstTag` + `tagStep`, ...
  bool PutRun(std::span<const std::uint8_t> records, std::size_t recordSize, std::int32_t firstTag,
              std::int32_t tagStep);
  // As PutRun, but writes the run at once, straight from the caller's
  // buffer, after what is queued.
  bool WriteRun(std::span<const std::uint8_t> records, std::size_t recordSize,
                std::int32_t firstTag, std::int32_t tagStep);
  // Writes what is queued. False when the write failed.
  bool Flush() { return WriteOut(block_.data()); }

  // After a failure: the tag of the first record that did not reach the file
  // whole (the file holds every byte before it and the part of it written),
  // and the result of the write (IO_OK when the file simply took fewer bytes).
  // A failed writer stays failed: what was queued is dropped, and every later
  // Put and Flush answers false without writing, so no record is written
  // twice or after a gap.
  std::int32_t FailedTag() const { return failedTag_; }
  int Result() const { return result_; }

 private:
  using Run = BlockStorage::QueuedRun;
  // Writes the queued runs, whose bytes lie at `bytes`.
  bool WriteOut(const std::uint8_t* bytes);

  platform::File& file_;
  std::span<std::uint8_t> block_;
  std::size_t filled_ = 0;
  std::vector<Run>& runs_;
  bool failed_ = false;
  std::int32_t failedTag_ = 0;
  int result_ = platform::IO_OK;
};

}  // namespace zq::transfer
