#include <gtest/gtest.h>

#include <algorithm>
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
    return done < size ? failure : platform::IO_OK;
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

}  // namespace
}  // namespace zq::transfer
