#include "transfer/record_stream.h"

namespace zq::transfer {
namespace {

// Whole records only, so that a block never ends inside a record; room for
// a byte more than a file of `expectedBytes` holds, so that its first read
// also finds its end.
std::size_t BlockSize(std::size_t recordSize, std::uint64_t expectedBytes) {
  if (recordSize == 0) return TRANSFER_BLOCK_BYTES;
  const std::size_t full = std::max<std::size_t>(1, TRANSFER_BLOCK_BYTES / recordSize);
  const std::uint64_t needed = std::min<std::uint64_t>(expectedBytes, TRANSFER_BLOCK_BYTES);
  return std::min<std::size_t>(full, static_cast<std::size_t>(needed / recordSize + 1)) *
         recordSize;
}

}  // namespace

RecordReader::RecordReader(platform::File& file, std::size_t recordSize, BlockStorage& storage,
                           std::uint64_t expectedBytes)
    : file_(file),
      recordSize_(recordSize),
      block_(storage.Take(recordSize == 0 ? 0 : BlockSize(recordSize, expectedBytes))) {}

void RecordReader::Fill() {
  position_ = 0;
  filled_ = 0;
  failure_ = file_.Read(block_.data(), block_.size(), filled_);
  if (failure_ == platform::IO_OK && filled_ < block_.size()) atEnd_ = true;
}

int RecordReader::Take(std::size_t maxRecords, std::span<std::uint8_t>& records,
                       std::size_t& done) {
  done = 0;
  if (recordSize_ == 0) return platform::IO_OK;  // a record of nothing: the file ends at once
  if (position_ == filled_ && !atEnd_ && failure_ == platform::IO_OK) Fill();
  const std::size_t available = filled_ - position_;
  if (available >= recordSize_) {
    done = std::min(available / recordSize_, maxRecords) * recordSize_;
    records = block_.subspan(position_, done);
    position_ += done;
    return platform::IO_OK;
  }
  // The bytes of an incomplete record before a failure are not a record.
  if (failure_ != platform::IO_OK) return failure_;
  if (available == 0) return platform::IO_OK;
  // The short last record: its slot lies inside the block because blocks hold
  // whole records; clear what an earlier block left there.
  std::fill(block_.begin() + static_cast<std::ptrdiff_t>(filled_),
            block_.begin() + static_cast<std::ptrdiff_t>(position_ + recordSize_), 0);
  done = available;
  records = block_.subspan(position_, recordSize_);
  position_ = filled_;
  return platform::IO_OK;
}

RecordWriter::RecordWriter(platform::File& file, std::size_t recordSize, BlockStorage& storage,
                           std::uint64_t expectedBytes)
    : file_(file),
      block_(storage.Take(BlockSize(recordSize, expectedBytes))),
      runs_(storage.Runs()) {
  runs_.reserve(recordSize == 0 ? 1 : block_.size() / recordSize);
}

bool RecordWriter::PutRun(std::span<const std::uint8_t> records, std::size_t recordSize,
                          std::int32_t firstTag, std::int32_t tagStep) {
  if (failed_) return false;
  if (records.size() > block_.size() - filled_ && !Flush()) return false;
  // A whole block goes out straight from the caller's buffer.
  if (filled_ == 0 && records.size() >= block_.size())
    return WriteRun(records, recordSize, firstTag, tagStep);
  std::copy(records.begin(), records.end(), block_.begin() + static_cast<std::ptrdiff_t>(filled_));
  runs_.push_back({filled_, filled_ + records.size(), recordSize, firstTag, tagStep});
  filled_ += records.size();
  return true;
}

bool RecordWriter::WriteRun(std::span<const std::uint8_t> records, std::size_t recordSize,
                            std::int32_t firstTag, std::int32_t tagStep) {
  if (!Flush()) return false;
  runs_.push_back({0, records.size(), recordSize, firstTag, tagStep});
  return WriteOut(records.data());
}

bool RecordWriter::WriteOut(const std::uint8_t* bytes) {
  if (failed_) return false;
  if (runs_.empty()) return true;
  const std::size_t size = runs_.back().end;
  std::size_t written = 0;
  result_ = file_.Write(bytes, size, written);
  if (result_ == platform::IO_OK && written == size) {
    filled_ = 0;
    runs_.clear();
    return true;
  }
  // The first record not written whole; when every byte went out but the write
  // still failed, the failure belongs to the last record.
  const auto run = std::find_if(runs_.begin(), runs_.end() - 1,
                                [written](const Run& r) { return written < r.end; });
  const std::size_t lastByte = run->end > run->start ? run->end - 1 : run->start;
  const std::size_t offset = std::min(written, lastByte) - run->start;
  const std::size_t index = run->recordSize == 0 ? 0 : offset / run->recordSize;
  failedTag_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(run->firstTag) +
                                         static_cast<std::uint32_t>(index) *
                                             static_cast<std::uint32_t>(run->tagStep));
  // The runs may lie in the caller's buffer, which is gone after this call.
  runs_.clear();
  filled_ = 0;
  failed_ = true;
  return false;
}

}  // namespace zq::transfer
