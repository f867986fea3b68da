// Record streams against a model, with faults. The reader delivers the whole
// records of the file, the short last one zero-filled, and at a read failure
// exactly the whole records before it and then the failure. The writer's
// file holds exactly the bytes of the records put, up to the byte where a
// write broke off; the failed record it names is the one holding that byte
// (the last one written when the write took everything and still failed),
// and after a failure nothing more is written.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "support/memory_file.h"
#include "transfer/record_stream.h"

namespace {

using zq::platform::IO_OK;
using zq::testing::MemoryFile;

void CheckReader(FuzzedDataProvider& data) {
  const std::size_t recordSize = data.ConsumeIntegralInRange<std::size_t>(0, 5000);
  const bool runs = data.ConsumeBool();
  MemoryFile file;
  file.readFailsAt =
      data.ConsumeBool() ? data.ConsumeIntegralInRange<std::size_t>(0, 1 << 21) : SIZE_MAX;
  // Files of a few blocks, made of a repeated pattern.
  const std::string pattern = data.ConsumeRandomLengthString(64);
  const std::size_t length = data.ConsumeIntegralInRange<std::size_t>(0, 1 << 20);
  file.content.resize(pattern.empty() ? 0 : length);
  for (std::size_t i = 0; i < file.content.size(); ++i)
    file.content[i] = pattern[i % pattern.size()];

  // Blocks as an earlier file left them: nothing of it may show.
  zq::transfer::BlockStorage blocks;
  const std::span<std::uint8_t> used =
      blocks.Take(data.ConsumeIntegralInRange<std::size_t>(0, 1 << 18));
  std::fill(used.begin(), used.end(), data.ConsumeIntegral<std::uint8_t>());
  zq::transfer::RecordReader reader(file, recordSize, blocks);
  std::string delivered;
  int result = IO_OK;
  for (;;) {
    std::span<std::uint8_t> records;
    std::size_t done = 0;
    result = runs ? reader.NextRun(records, done) : reader.Next(records, done);
    if (result != IO_OK || done == 0) break;
    if (recordSize == 0 || records.size() % recordSize != 0) std::abort();
    if (done < records.size()) {  // the short last record
      for (std::size_t i = done; i < records.size(); ++i) {
        if (records[i] != 0) std::abort();
      }
    }
    delivered.append(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(done));
  }
  const std::string& content = file.content;
  if (recordSize == 0) {
    if (!delivered.empty() || result != IO_OK) std::abort();
    return;
  }
  const bool fails = file.readFailsAt < content.size();
  const std::size_t expected = fails ? file.readFailsAt / recordSize * recordSize : content.size();
  if ((result != IO_OK) != fails) std::abort();
  if (delivered != content.substr(0, expected)) std::abort();
}

void CheckWriter(FuzzedDataProvider& data) {
  const std::size_t recordSize = data.ConsumeIntegralInRange<std::size_t>(1, 5000);
  MemoryFile file;
  file.writeFailsAt =
      data.ConsumeBool() ? data.ConsumeIntegralInRange<std::size_t>(0, 1 << 21) : SIZE_MAX;
  file.silentShortWrite = data.ConsumeBool();
  file.failingWholeWrite = data.ConsumeIntegralInRange<int>(0, 4);
  zq::transfer::BlockStorage blocks;
  zq::transfer::RecordWriter writer(file, recordSize, blocks);

  std::string expected;
  std::vector<std::size_t> ends;  // where each record put ends in `expected`
  bool failed = false;
  std::int32_t tag = 0;
  while (data.remaining_bytes() > 0 && expected.size() < (1u << 21)) {
    const std::size_t count = data.ConsumeIntegralInRange<std::size_t>(1, 300);
    const std::size_t lastSize = data.ConsumeIntegralInRange<std::size_t>(1, recordSize);
    const auto fill = data.ConsumeIntegral<std::uint8_t>();
    std::vector<std::uint8_t> records((count - 1) * recordSize + lastSize, fill);
    const int how = data.ConsumeIntegralInRange<int>(0, 2);
    const bool ok = count == 1 && how == 0 ? writer.Put(records, tag)
                    : how == 1             ? writer.WriteRun(records, recordSize, tag, 1)
                                           : writer.PutRun(records, recordSize, tag, 1);
    if (failed && ok) std::abort();
    for (std::size_t i = 0; i < count; ++i) {
      ends.push_back(expected.size() + (i + 1 < count ? (i + 1) * recordSize : records.size()));
    }
    expected.append(records.begin(), records.end());
    tag += static_cast<std::int32_t>(count);
    failed = failed || !ok;
    if (data.ConsumeBool() && !writer.Flush()) failed = true;
    if (failed) break;
  }
  if (!failed && !writer.Flush()) failed = true;
  if (!failed) {
    if (file.content != expected) std::abort();
    return;
  }
  // The file is a prefix of what was put, and the failed record is the one
  // whose bytes it cuts, or the last one it holds whole.
  if (file.content != expected.substr(0, file.content.size())) std::abort();
  if (writer.Flush() || writer.Put(std::vector<std::uint8_t>(1, 0), -1)) std::abort();
  const auto failedTag = static_cast<std::size_t>(writer.FailedTag());
  if (failedTag >= ends.size()) std::abort();
  const std::size_t start = failedTag == 0 ? 0 : ends[failedTag - 1];
  const bool cut = file.content.size() < ends[failedTag] && file.content.size() >= start;
  const bool lastWhole = file.content.size() == ends[failedTag];
  if (!cut && !lastWhole) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  if (data.ConsumeBool()) {
    CheckReader(data);
  } else {
    CheckWriter(data);
  }
  return 0;
}
