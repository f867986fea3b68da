#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "transfer/record_stream.h"

namespace zq::transfer {
namespace {

// A file in memory that fails once a given number of bytes has moved: reads
// deliver that many bytes with the failure, writes take that many.
struct FailingFile : platform::File {
  std::string content;
  std::size_t bytesBeforeFailure = 0;
  int failure = platform::IO_OK;
  bool failWhenWhole = false;  // a write that takes every byte and still reports failure

  int Read(void* buffer, std::size_t size, std::size_t& done) override {
    done = std::min({size, content.size(), bytesBeforeFailure});
    std::copy_n(content.data(), done, static_cast<char*>(buffer));
    content.erase(0, done);
    bytesBeforeFailure -= done;
    return done < size && failure != platform::IO_OK ? failure : platform::IO_OK;
  }
  int Write(const void* buffer, std::size_t size, std::size_t& done) override {
    done = std::min(size, bytesBeforeFailure);
    content.append(static_cast<const char*>(buffer), done);
    bytesBeforeFailure -= done;
    return done < size || failWhenWhole ? failure : platform::IO_OK;
  }
  int Seek(std::uint64_t) override { return platform::IO_OK; }
  int Size(std::uint64_t& size) override {
    size = content.size();
    return platform::IO_OK;
  }
  int Flush() override { return platform::IO_OK; }
  int Lock(std::uint64_t, std::uint64_t) override { return platform::IO_OK; }
  int Unlock(std::uint64_t, std::uint64_t) override { return platform::IO_OK; }
  int Close() override { return platform::IO_OK; }
};

std::vector<std::uint8_t> Bytes(std::size_t count, std::uint8_t value) {
  return std::vector<std::uint8_t>(count, value);
}

TEST(RecordReader, DeliversTheWholeRecordsReadBeforeAFailureThenTheFailure) {
  FailingFile file;
  file.content = std::string(48, 'a') + std::string(48, 'b') + std::string(48, 'c');
  file.bytesBeforeFailure = 100;  // the third record breaks off after 4 bytes
  file.failure = platform::IO_READ_FAULT;
  RecordReader reader(file, 48);
  std::span<std::uint8_t> record;
  std::size_t done = 0;
  ASSERT_EQ(reader.Next(record, done), platform::IO_OK);
  EXPECT_EQ(done, 48u);
  EXPECT_EQ(record[47], 'a');
  ASSERT_EQ(reader.Next(record, done), platform::IO_OK);
  EXPECT_EQ(record[0], 'b');
  EXPECT_EQ(reader.Next(record, done), platform::IO_READ_FAULT);
  EXPECT_EQ(done, 0u);
  EXPECT_EQ(reader.Next(record, done), platform::IO_READ_FAULT);
}

TEST(RecordWriter, NamesTheRecordAWriteBrokeOffIn) {
  FailingFile file;
  file.bytesBeforeFailure = 100;
  file.failure = platform::IO_WRITE_FAULT;
  RecordWriter writer(file, 48);
  EXPECT_TRUE(writer.Put(Bytes(48, 1), 10));
  EXPECT_TRUE(writer.Put(Bytes(48, 2), 20));
  EXPECT_TRUE(writer.Put(Bytes(48, 3), 30));
  EXPECT_FALSE(writer.Flush());
  EXPECT_EQ(writer.FailedTag(), 30);
  EXPECT_EQ(writer.Result(), platform::IO_WRITE_FAULT);
  EXPECT_EQ(file.content.size(), 100u);  // two records and the start of the third

  // Within a run of records, the failed one is found by its position.
  FailingFile runFile;
  runFile.bytesBeforeFailure = 100;
  runFile.failure = platform::IO_WRITE_FAULT;
  RecordWriter runWriter(runFile, 48);
  EXPECT_TRUE(runWriter.PutRun(Bytes(3 * 48, 4), 48, 5, 2));
  EXPECT_FALSE(runWriter.Flush());
  EXPECT_EQ(runWriter.FailedTag(), 9);

  // A file that simply takes fewer bytes, without an error.
  FailingFile full;
  full.bytesBeforeFailure = 48;
  RecordWriter shortWriter(full, 48);
  EXPECT_TRUE(shortWriter.Put(Bytes(48, 1), 1));
  EXPECT_TRUE(shortWriter.Put(Bytes(20, 2), 2));
  EXPECT_FALSE(shortWriter.Flush());
  EXPECT_EQ(shortWriter.FailedTag(), 2);
  EXPECT_EQ(shortWriter.Result(), platform::IO_OK);

  // Every byte taken, yet the write reports failure: it belongs to the last
  // record, whether records or runs were queued.
  for (const bool asRun : {false, true}) {
    FailingFile whole;
    whole.bytesBeforeFailure = SIZE_MAX;
    whole.failure = platform::IO_WRITE_FAULT;
    whole.failWhenWhole = true;
    RecordWriter wholeWriter(whole, 48);
    if (asRun) {
      EXPECT_TRUE(wholeWriter.PutRun(Bytes(3 * 48, 1), 48, 10, 2));
    } else {
      for (std::int32_t tag : {10, 12, 14}) EXPECT_TRUE(wholeWriter.Put(Bytes(48, 1), tag));
    }
    EXPECT_FALSE(wholeWriter.Flush());
    EXPECT_EQ(wholeWriter.FailedTag(), 14) << asRun;
    EXPECT_EQ(whole.content.size(), 3u * 48);
  }
}

TEST(RecordWriter, WritesAFullBlockBeforeTheRecordThatDoesNotFit) {
  FailingFile file;
  file.bytesBeforeFailure = TRANSFER_BLOCK_BYTES;
  file.failure = platform::IO_WRITE_FAULT;
  const std::size_t recordsPerBlock = TRANSFER_BLOCK_BYTES / 48;
  RecordWriter writer(file, 48);
  for (std::size_t i = 0; i < recordsPerBlock; ++i) {
    ASSERT_TRUE(writer.Put(Bytes(48, 7), static_cast<std::int32_t>(i)));
  }
  EXPECT_TRUE(file.content.empty());  // nothing written per record
  EXPECT_TRUE(writer.Put(Bytes(48, 8), -1));
  EXPECT_EQ(file.content.size(), recordsPerBlock * 48);
}

TEST(RecordWriter, AFailedWriterWritesNothingMore) {
  // A direct write of a whole block straight from the caller's buffer, and a
  // write of the writer's own block.
  const std::size_t blockRecords = TRANSFER_BLOCK_BYTES / 48;
  for (const std::size_t records : {blockRecords, blockRecords + 3, std::size_t{3}}) {
    SCOPED_TRACE(records);
    FailingFile file;
    file.bytesBeforeFailure = 100;
    file.failure = platform::IO_WRITE_FAULT;
    RecordWriter writer(file, 48);
    {
      const std::vector<std::uint8_t> run = Bytes(records * 48, 4);
      const bool queued = writer.PutRun(run, 48, 1, 1);
      if (queued) {
        EXPECT_FALSE(writer.Flush());
      }
    }  // the caller's buffer is gone
    EXPECT_EQ(writer.FailedTag(), 3);
    file.bytesBeforeFailure = SIZE_MAX;  // the disk would take bytes again
    EXPECT_FALSE(writer.Flush());
    EXPECT_FALSE(writer.Put(Bytes(48, 5), 99));
    EXPECT_FALSE(writer.Flush());
    EXPECT_EQ(file.content, std::string(100, '\x04'));  // nothing twice, nothing after a gap
    EXPECT_EQ(writer.FailedTag(), 3);
  }
}

}  // namespace
}  // namespace zq::transfer
