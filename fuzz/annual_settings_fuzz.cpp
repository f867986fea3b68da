// The annual settings of a company from any 2020_ROK.REK and 2021_ROK.REK
// (either, both or neither, of any length and bytes), with any answers of the
// operator to the year and VAT questions. The target 2021_ROK.REK is either
// all three records or absent; when it is written, its records are the ones
// the record builders make of the chosen source's records; the sources are
// never written.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "conversion/annual_records.h"
#include "conversion/annual_settings.h"
#include "conversion/company_paths.h"
#include "conversion/run_flags.h"
#include "conversion/run_settings.h"
#include "platform/headless_console.h"
#include "support/fuzz_world.h"
#include "support/headless_toolkit.h"
#include "transfer/progress_log.h"
#include "ui/key_codes.h"

namespace {

using namespace zq::conversion;

constexpr std::array<std::uint16_t, 9> KEYS = {
    'B', 'N', 'A', ' ', zq::ui::KB_ENTER, zq::ui::KB_ESC, '7', '0', zq::ui::KB_BACKSPACE};
constexpr std::array<const char*, 2> SOURCES = {"DAZ_2020/F/2020_ROK.REK",
                                                "DAZ_2020/F/2021_ROK.REK"};
constexpr const char* TARGET = "DAZ_2021/F/2021_ROK.REK";

std::string Built(const std::string& source, AnnualSourceYear year, std::size_t index) {
  using Builder =
      void (*)(zq::fileaccess::RecordView, AnnualSourceYear, zq::fileaccess::RecordBuffer);
  constexpr Builder BUILDERS[] = {BuildAnnualRecord1, BuildAnnualRecord2, BuildAnnualRecord3};
  std::array<std::uint8_t, ANNUAL_RECORD_SIZE> in{}, out{};
  std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(index * ANNUAL_RECORD_SIZE),
              ANNUAL_RECORD_SIZE, in.begin());
  BUILDERS[index](zq::fileaccess::RecordView(in.data(), in.size()), year,
                  zq::fileaccess::RecordBuffer(out.data(), out.size()));
  return std::string(out.begin(), out.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  auto& world = zq::fuzz::World();
  std::filesystem::remove_all(world.tree.Path("DAZ_2020"));
  std::filesystem::remove_all(world.tree.Path("DAZ_2021"));
  world.tree.MakeDirectory("DAZ_2020/F");
  world.tree.MakeDirectory("DAZ_2021/F");
  std::array<std::string, 2> contents;
  std::array<bool, 2> present{};
  for (std::size_t year = 0; year < 2; ++year) {
    present[year] = data.ConsumeBool();
    if (!present[year]) continue;
    // Mostly whole files, sometimes cut anywhere.
    const std::size_t length = data.ConsumeBool()
                                   ? ANNUAL_RECORD_COUNT * ANNUAL_RECORD_SIZE
                                   : data.ConsumeIntegralInRange<std::size_t>(0, 2000);
    contents[year] = data.ConsumeBytesAsString(length);
    contents[year].resize(length, '\0');
    world.tree.WriteFile(SOURCES[year], contents[year]);
  }
  zq::testing::HeadlessToolkit t;
  const int answers = data.ConsumeIntegralInRange(0, 8);
  for (int i = 0; i < answers; ++i) {
    t.console.PushPause();
    t.console.PushKey(KEYS[data.ConsumeIntegralInRange<std::size_t>(0, KEYS.size() - 1)]);
  }
  for (int i = 0; i < 8; ++i) {
    t.console.PushPause();
    t.console.PushKey(zq::ui::KB_ENTER);
  }
  std::uint8_t showSlowly = 0;
  zq::transfer::ProgressLog log{t.screen, t.colours, t.clock, showSlowly};
  log.ClearLog(true);
  RunSettings settings;
  settings.SourcePath = world.Name("DAZ_2020/");
  settings.TargetPath = world.Name("DAZ_2021/");
  RunFlags flags;
  flags.AlwaysTake2021 = data.ConsumeBool();
  try {
    AnnualSettings(world.files, log, t.toolkit, settings, flags)
        .Convert(*CompanyPaths::For(settings, zq::ShortString(std::string_view("F"))));
  } catch (const zq::platform::HeadlessInputExhausted&) {
    return 0;  // asked more than any operator here answers
  }

  for (std::size_t year = 0; year < 2; ++year) {
    if (present[year] && world.tree.ReadFile(SOURCES[year]) != contents[year]) std::abort();
  }
  if (!world.tree.Exists(TARGET)) return 0;
  const std::string target = world.tree.ReadFile(TARGET);
  if (target.size() != ANNUAL_RECORD_COUNT * ANNUAL_RECORD_SIZE) std::abort();
  const std::size_t from = flags.AnnualFrom2021 ? 1 : 0;
  if (!present[from] || contents[from].size() < target.size()) std::abort();
  const AnnualSourceYear year =
      from == 1 ? AnnualSourceYear::YEAR_2021 : AnnualSourceYear::YEAR_2020;
  // Records 2 and 3 as built; record 1 also carries the operator's VAT answer.
  for (std::size_t index = 1; index < ANNUAL_RECORD_COUNT; ++index) {
    if (target.substr(index * ANNUAL_RECORD_SIZE, ANNUAL_RECORD_SIZE) !=
        Built(contents[from], year, index))
      std::abort();
  }
  return 0;
}
