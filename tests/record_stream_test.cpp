#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "support/memory_file.h"
#include "transfer/record_stream.h"

namespace zq::transfer {
namespace {

using testing::MemoryFile;

std::vector<std::uint8_t> Bytes(std::size_t count, std::uint8_t value) {
  return std::vector<std::uint8_t>(count, value);
}

TEST(RecordReader, DeliversTheWholeRecordsReadBeforeAFailureThenTheFailure) {
  MemoryFile file;
  file.content = std::string(48, 'a') + std::string(48, 'b') + std::string(48, 'c');
  file.readFailsAt = 100;  // the third record breaks off after 4 bytes
  BlockStorage readBlocks;
  RecordReader reader(file, 48, readBlocks);
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
  MemoryFile file;
  file.writeFailsAt = 100;
  BlockStorage writeBlocks;
  RecordWriter writer(file, 48, writeBlocks);
  EXPECT_TRUE(writer.Put(Bytes(48, 1), 10));
  EXPECT_TRUE(writer.Put(Bytes(48, 2), 20));
  EXPECT_TRUE(writer.Put(Bytes(48, 3), 30));
  EXPECT_FALSE(writer.Flush());
  EXPECT_EQ(writer.FailedTag(), 30);
  EXPECT_EQ(writer.Result(), platform::IO_WRITE_FAULT);
  EXPECT_EQ(file.content.size(), 100u);  // two records and the start of the third

  // Within a run of records, the failed one is found by its position.
  MemoryFile runFile;
  runFile.writeFailsAt = 100;
  BlockStorage runBlocks;
  RecordWriter runWriter(runFile, 48, runBlocks);
  EXPECT_TRUE(runWriter.PutRun(Bytes(3 * 48, 4), 48, 5, 2));
  EXPECT_FALSE(runWriter.Flush());
  EXPECT_EQ(runWriter.FailedTag(), 9);

  // A file that simply takes fewer bytes, without an error.
  MemoryFile full;
  full.writeFailsAt = 48;
  full.silentShortWrite = true;
  BlockStorage shortBlocks;
  RecordWriter shortWriter(full, 48, shortBlocks);
  EXPECT_TRUE(shortWriter.Put(Bytes(48, 1), 1));
  EXPECT_TRUE(shortWriter.Put(Bytes(20, 2), 2));
  EXPECT_FALSE(shortWriter.Flush());
  EXPECT_EQ(shortWriter.FailedTag(), 2);
  EXPECT_EQ(shortWriter.Result(), platform::IO_OK);

  // Every byte taken, yet the write reports failure: it belongs to the last
  // record, whether records or runs were queued.
  for (const bool asRun : {false, true}) {
    MemoryFile whole;
    whole.failingWholeWrite = 1;
    BlockStorage wholeBlocks;
    RecordWriter wholeWriter(whole, 48, wholeBlocks);
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
  MemoryFile file;
  file.writeFailsAt = TRANSFER_BLOCK_BYTES;
  const std::size_t recordsPerBlock = TRANSFER_BLOCK_BYTES / 48;
  BlockStorage writeBlocks;
  RecordWriter writer(file, 48, writeBlocks);
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
    MemoryFile file;
    file.writeFailsAt = 100;
    BlockStorage writeBlocks;
    RecordWriter writer(file, 48, writeBlocks);
    {
      const std::vector<std::uint8_t> run = Bytes(records * 48, 4);
      const bool queued = writer.PutRun(run, 48, 1, 1);
      if (queued) {
        EXPECT_FALSE(writer.Flush());
      }
    }  // the caller's buffer is gone
    EXPECT_EQ(writer.FailedTag(), 3);
    file.writeFailsAt = SIZE_MAX;  // the disk would take bytes again
    EXPECT_FALSE(writer.Flush());
    EXPECT_FALSE(writer.Put(Bytes(48, 5), 99));
    EXPECT_FALSE(writer.Flush());
    EXPECT_EQ(file.content, std::string(100, '\x04'));  // nothing twice, nothing after a gap
    EXPECT_EQ(writer.FailedTag(), 3);
  }
}

TEST(RecordStreams, AnExpectedSizeOnlyShrinksTheBlocksNeverTheCopy) {
  constexpr std::size_t RECORD = 48;
  constexpr std::size_t BLOCK_RECORDS = TRANSFER_BLOCK_BYTES / RECORD;
  struct Case {
    std::size_t records;
    std::size_t tail;  // bytes of a short last record
    std::uint64_t expectedBytes;
    int reads;
    int writes;
  };
  // Kept from file to file, as a copy engine keeps them: what one file left
  // in the blocks never reaches the next.
  BlockStorage readBlocks;
  BlockStorage writeBlocks;
  for (const Case& c : {
           Case{2 * BLOCK_RECORDS - 5, 0, (2 * BLOCK_RECORDS - 5) * RECORD, 2, 2},
           Case{3, 0, 3 * RECORD, 1, 1},
           Case{3, 5, 3 * RECORD + 5, 1, 1},
           Case{3, 0, SIZE_UNKNOWN, 1, 1},
           Case{0, 0, 0, 1, 0},
           Case{0, 7, 7, 1, 1},
           // The file grew after its size was taken: a block of one record.
           Case{3, 0, 0, 4, 3},
       }) {
    SCOPED_TRACE(c.records * RECORD + c.tail);
    MemoryFile source;
    for (std::size_t i = 0; i < c.records; ++i)
      source.content += std::string(RECORD, static_cast<char>('a' + i % 26));
    source.content += std::string(c.tail, 'z');
    MemoryFile target;
    RecordReader reader(source, RECORD, readBlocks, c.expectedBytes);
    RecordWriter writer(target, RECORD, writeBlocks, c.expectedBytes);
    std::span<std::uint8_t> record;
    std::size_t done = 0;
    std::int32_t tag = 0;
    while (reader.Next(record, done) == platform::IO_OK && done > 0) {
      ASSERT_EQ(record.size(), RECORD);
      EXPECT_TRUE(std::all_of(record.begin() + static_cast<std::ptrdiff_t>(done), record.end(),
                              [](std::uint8_t byte) { return byte == 0; }));
      ASSERT_TRUE(writer.Put(record.first(done), ++tag));
    }
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(target.content, source.content);
    EXPECT_EQ(source.reads, c.reads);
    EXPECT_EQ(target.writes, c.writes);
  }
}

}  // namespace
}  // namespace zq::transfer
