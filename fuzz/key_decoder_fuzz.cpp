// The key decoder fed in pieces gives the records it gives for the whole
// input at once: where a read of the terminal ends never changes a key.
// The first byte chooses the cut points.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/key_decoder.h"

namespace {

using zq::platform::InputRecord;
using zq::platform::KeyDecoder;

std::vector<InputRecord> Decode(std::string_view input, unsigned cuts) {
  KeyDecoder decoder;
  std::vector<InputRecord> records;
  std::size_t start = 0;
  for (std::size_t i = 0; i < input.size(); ++i) {
    const bool cutHere = i + 1 == input.size() || ((cuts >> (i % 8)) & 1u) != 0;
    if (!cutHere) continue;
    decoder.Feed(input.substr(start, i + 1 - start));
    start = i + 1;
    const std::vector<InputRecord> taken = decoder.Take(false);
    records.insert(records.end(), taken.begin(), taken.end());
  }
  const std::vector<InputRecord> rest = decoder.Take(true);
  records.insert(records.end(), rest.begin(), rest.end());
  if (decoder.Waiting()) std::abort();  // an idle input settles everything
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  if (Decode(input, 0) != Decode(input, data[0])) std::abort();
  return 0;
}
