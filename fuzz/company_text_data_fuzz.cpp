// The company text data (FIRMATXT.INI) from any content: loaded, saved into a
// fresh target and loaded and saved again, the two targets are the same bytes
// (whatever a file holds, what the conversion writes reads back as written),
// and the source is never written. The conversion itself, with its box and
// stop for a file that cannot be used, runs on the same content.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "conversion/company_text_data.h"
#include "conversion/company_text_record.h"
#include "platform/process.h"
#include "support/fuzz_world.h"
#include "support/headless_toolkit.h"

namespace {

using zq::ShortString;
using zq::conversion::CompanyText;
using zq::conversion::TextDataDirection;

bool Load(const std::string& name, CompanyText& record) {
  auto& world = zq::fuzz::World();
  return zq::conversion::CompanyTextData(world.files, record, TextDataDirection::LOAD,
                                         world.Name(name));
}

bool Save(const std::string& name, CompanyText& record) {
  auto& world = zq::fuzz::World();
  world.tree.WriteFile(name, "");
  std::filesystem::remove(world.tree.Path(name));
  return zq::conversion::CompanyTextData(world.files, record, TextDataDirection::SAVE,
                                         world.Name(name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  auto& world = zq::fuzz::World();
  const std::string existingTarget = data.ConsumeBool() ? data.ConsumeRandomLengthString() : "";
  const std::string content = data.ConsumeRemainingBytesAsString();
  world.tree.WriteFile("FIRMATXT.INI", content);

  const auto record = std::make_unique<CompanyText>();
  if (!Load("FIRMATXT.INI", *record)) std::abort();
  if (!Save("first.ini", *record)) std::abort();
  const auto again = std::make_unique<CompanyText>();
  if (!Load("first.ini", *again)) std::abort();
  if (!Save("second.ini", *again)) std::abort();
  if (world.tree.ReadFile("first.ini") != world.tree.ReadFile("second.ini")) std::abort();

  // The conversion into a target that may hold keys of its own.
  if (!existingTarget.empty()) world.tree.WriteFile("target.ini", existingTarget);
  zq::testing::HeadlessToolkit t;
  try {
    zq::conversion::ConvertCompanyText(world.files, t.toolkit, world.Name("FIRMATXT.INI"),
                                       world.Name("target.ini"), ShortString("C:\\DAZ_2020\\X"));
  } catch (const zq::platform::ProgramExit&) {
    std::abort();  // every file here can be used
  }
  std::filesystem::remove(world.tree.Path("target.ini"));
  if (world.tree.ReadFile("FIRMATXT.INI") != content) std::abort();
  return 0;
}
