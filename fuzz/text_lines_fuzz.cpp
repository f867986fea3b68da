// Text files read by lines and written with CR LF, against a model, with a
// read or a write that breaks off at a chosen byte. A reader delivers exactly
// the lines that ended before the failure and then reports it; a writer's
// file holds exactly the bytes before the failure, and every later call
// reports it. A write that takes fewer bytes without an error is a failure
// too, never success.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/line_model.h"
#include "support/memory_file.h"

namespace {

using zq::fuzz::ModelLines;
using zq::platform::IO_OK;
using zq::testing::MemoryFile;

void CheckReader(FuzzedDataProvider& data) {
  MemoryFile file;
  file.readFailsAt = data.ConsumeBool() ? data.ConsumeIntegral<std::uint32_t>() : SIZE_MAX;
  file.content = data.ConsumeRandomLengthString();
  zq::platform::TextReader reader(file);
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(line)) lines.push_back(line);
  if (lines != ModelLines(file.content, file.readFailsAt)) std::abort();
  const bool failed = file.readFailsAt < file.content.size();
  if ((reader.Result() != IO_OK) != failed) std::abort();
}

void CheckWriter(FuzzedDataProvider& data) {
  MemoryFile file;
  file.writeFailsAt = data.ConsumeBool() ? data.ConsumeIntegral<std::uint32_t>() : SIZE_MAX;
  file.silentShortWrite = data.ConsumeBool();
  std::string expected;
  bool failed = false;
  {
    zq::platform::TextWriter writer(file);
    while (data.remaining_bytes() > 0) {
      const std::string text = data.ConsumeRandomLengthString(100000);
      const bool asLine = data.ConsumeBool();
      expected += text;
      if (asLine) expected += "\r\n";
      const int result = asLine ? writer.WriteLine(text) : writer.Write(text);
      if (failed && result == IO_OK) std::abort();  // a failure is never forgotten
      failed = result != IO_OK;
      if (data.ConsumeBool()) failed = writer.Flush() != IO_OK;
    }
    failed = writer.Flush() != IO_OK;
  }
  const bool shouldFail = file.writeFailsAt < expected.size();
  if (failed != shouldFail) std::abort();
  if (file.content != expected.substr(0, file.writeFailsAt)) std::abort();
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
