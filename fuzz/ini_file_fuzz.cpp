// INI files: over any file content, every value written reads back the same
// at once, and after write-back and reopening (less the blanks at the end of
// a value, which no file of the system keeps); every other key reads after
// the write-back what it read before. A write is refused only when the file
// could not give it back.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fileaccess/ini_file.h"
#include "platform/cp852.h"
#include "support/fuzz_world.h"

namespace {

using zq::ShortString;
using zq::fileaccess::IniFile;
using zq::platform::SameUpperCasePL;

struct Entry {
  std::string section;
  std::string key;
  std::string value;  // what a read gives back, for a probe
};

bool Same(const Entry& a, const Entry& b) {
  return SameUpperCasePL(a.section, b.section) && SameUpperCasePL(a.key, b.key);
}

std::string Cut(std::string text) {
  if (text.size() > ShortString::MAX_LENGTH) text.resize(ShortString::MAX_LENGTH);
  return text;
}

std::string WithoutClosingBlanks(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.pop_back();
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  auto& world = zq::fuzz::World();
  world.tree.WriteFile("F.INI", data.ConsumeRandomLengthString(4000));
  const ShortString name = world.Name("F.INI");

  std::vector<Entry> written;  // the last stored write of each key
  std::vector<Entry> probes;   // keys read but not written
  {
    auto ini = IniFile::Init(world.files, name, true);
    if (!ini) std::abort();
    for (int op = 0; op < 24 && data.remaining_bytes() > 0; ++op) {
      Entry entry{data.ConsumeRandomLengthString(300), data.ConsumeRandomLengthString(300), {}};
      if (data.ConsumeBool()) {
        entry.value = data.ConsumeRandomLengthString(300);
        if (!ini->WriteString(entry.section, entry.key, entry.value)) {
          if (IniFile::Storable(entry.section, entry.key, entry.value)) std::abort();
          continue;
        }
        std::erase_if(written, [&](const Entry& e) { return Same(e, entry); });
        written.push_back(entry);
      } else {
        entry.value = ini->ReadString(entry.section, entry.key, "\x01").str();
        probes.push_back(entry);
      }
    }
    for (const Entry& entry : written) {
      if (ini->ReadString(entry.section, entry.key, "").str() != Cut(entry.value)) std::abort();
    }
  }
  auto ini = IniFile::Init(world.files, name, false);
  if (!ini) std::abort();
  for (const Entry& entry : written) {
    const std::string expected = Cut(WithoutClosingBlanks(entry.value));
    if (ini->ReadString(entry.section, entry.key, "").str() != expected) std::abort();
  }
  for (const Entry& probe : probes) {
    const bool overwritten =
        std::any_of(written.begin(), written.end(), [&](const Entry& e) { return Same(e, probe); });
    if (overwritten) continue;
    if (ini->ReadString(probe.section, probe.key, "\x01").str() != probe.value) std::abort();
  }
  return 0;
}
