// CP852 and UTF-8: every CP852 text goes to UTF-8 and back unchanged, every
// UTF-8 text that fits the code page comes back unchanged too, and any bytes
// at all convert without fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/cp852.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zq::platform;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string utf8 = Cp852ToUtf8(bytes);
  if (Utf8ToCp852(utf8) != bytes) std::abort();
  if (!FitsCp852(utf8)) std::abort();

  const std::string cp852 = Utf8ToCp852(bytes);
  if (cp852.size() > bytes.size()) std::abort();
  if (FitsCp852(bytes) && Cp852ToUtf8(cp852) != bytes) std::abort();

  for (const char c : bytes) {
    // Case mapping stays within the letter pairs: a capital's small letter
    // has that capital again.
    if (UpCasePL(LowCasePL(UpCasePL(c))) != UpCasePL(c)) std::abort();
  }
  return 0;
}
