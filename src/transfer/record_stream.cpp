#include "transfer/record_stream.h"

#include <algorithm>

namespace zq::transfer {
namespace {

// Whole records only, so that a block never ends inside a record.
std::size_t BlockSize(std::size_t recordSize) {
  if (recordSize == 0) return TRANSFER_BLOCK_BYTES;
  return std::max<std::size_t>(1, TRANSFER_BLOCK_BYTES / recordSize) * recordSize;
}

}  // namespace

RecordReader::RecordReader(platform::File& file, std::size_t recordSize)
    : file_(file), recordSize_(recordSize), block_(recordSize == 0 ? 0 : BlockSize(recordSize)) {}

void RecordReader::Fill() {
  position_ = 0;
  filled_ = 0;
  failure_ = file_.Read(block_.data(), block_.size(), filled_);
  if (failure_ == platform::IO_OK && filled_ < block_.size()) atEnd_ = true;
}

int RecordReader::Next(std::span<std::uint8_t>& record, std::size_t& done) {
  done = 0;
  if (recordSize_ == 0) return platform::IO_OK;  // a record of nothing: the file ends at once
  if (position_ == filled_ && !atEnd_ && failure_ == platform::IO_OK) Fill();
  const std::size_t available = filled_ - position_;
  if (available < recordSize_) {
    // The bytes of an incomplete record before a failure are not a record.
    if (failure_ != platform::IO_OK) return failure_;
    if (available == 0) return platform::IO_OK;
    // The short last record: its slot lies inside the block because blocks
    // hold whole records; clear what an earlier block left there.
    std::fill(block_.begin() + static_cast<std::ptrdiff_t>(filled_),
              block_.begin() + static_cast<std::ptrdiff_t>(position_ + recordSize_), 0);
  }
  done = std::min(available, recordSize_);
  record = std::span<std::uint8_t>(block_).subspan(position_, recordSize_);
  position_ += done;
  return platform::IO_OK;
}

RecordWriter::RecordWriter(platform::File& file, std::size_t recordSize)
    : file_(file), block_(BlockSize(recordSize)) {
  const std::size_t records = recordSize == 0 ? block_.size() : block_.size() / recordSize;
  recordEnds_.reserve(records);
  recordTags_.reserve(records);
}

bool RecordWriter::Put(std::span<const std::uint8_t> record, std::int32_t tag) {
  if (record.size() > block_.size() - filled_ && !Flush()) return false;
  std::copy(record.begin(), record.end(), block_.begin() + static_cast<std::ptrdiff_t>(filled_));
  filled_ += record.size();
  recordEnds_.push_back(filled_);
  recordTags_.push_back(tag);
  return true;
}

bool RecordWriter::Flush() {
  if (recordEnds_.empty()) return true;
  std::size_t written = 0;
  result_ = file_.Write(block_.data(), filled_, written);
  if (result_ == platform::IO_OK && written == filled_) {
    filled_ = 0;
    recordEnds_.clear();
    recordTags_.clear();
    return true;
  }
  // The first record not written whole; when every byte went out but the write
  // still failed, the failure belongs to the last record.
  const auto failed = std::upper_bound(recordEnds_.begin(), recordEnds_.end(), written);
  const auto index = std::min<std::ptrdiff_t>(failed - recordEnds_.begin(),
                                              static_cast<std::ptrdiff_t>(recordEnds_.size()) - 1);
  failedTag_ = recordTags_[static_cast<std::size_t>(index)];
  return false;
}

}  // namespace zq::transfer
