// CP852 and UTF-8: every CP852 text goes to UTF-8 and back unchanged, every
// UTF-8 text that fits the code page comes back unchanged too, and any bytes
// at all convert without fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/cp852.h"

namespace {

// The middle dot is taken as the code page's dot above (byte 0xFA), the one
// character of the input that comes back as another.
std::string WithCanonicalDots(std::string_view utf8) {
  std::string text;
  zq::platform::AppendUtf8(text, zq::platform::MIDDLE_DOT);
  std::string dot;
  zq::platform::AppendUtf8(dot, zq::platform::Cp852ToUnicode(zq::platform::MIDDLE_DOT_BYTE));
  std::string out(utf8);
  for (std::size_t at = out.find(text); at != std::string::npos; at = out.find(text, at)) {
    out.replace(at, text.size(), dot);
    at += dot.size();
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zq::platform;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string utf8 = Cp852ToUtf8(bytes);
  if (Utf8ToCp852(utf8) != bytes) std::abort();
  if (!FitsCp852(utf8)) std::abort();

  const std::string cp852 = Utf8ToCp852(bytes);
  if (cp852.size() > bytes.size()) std::abort();
  if (FitsCp852(bytes) && Cp852ToUtf8(cp852) != WithCanonicalDots(bytes)) std::abort();

  for (const char c : bytes) {
    // Case mapping stays within the letter pairs: a capital's small letter
    // has that capital again.
    if (UpCasePL(LowCasePL(UpCasePL(c))) != UpCasePL(c)) std::abort();
  }
  return 0;
}
