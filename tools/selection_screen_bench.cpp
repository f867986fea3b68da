// How long the selection screen takes over one key with the largest list,
// 2048 companies:
//
//     selection_screen_bench [--benchmark_...]
//
// Each case opens the screen, feeds it a run of one kind of key (moving,
// paging, marking all, searching by the name or by the directory) from a
// scripted console and leaves it; the counter gives the mean time per key.
// Every key must stay far below what a person notices (about 50 ms).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_toolkit.h"
#include "fileaccess/record_fields.h"
#include "platform/manual_clock.h"
#include "platform/posix_file_system.h"
#include "platform/posix_process.h"
#include "platform/posix_syscalls.h"
#include "register/company_list.h"
#include "register/company_record.h"
#include "register/selection_screen.h"
#include "ui/key_codes.h"

namespace {

using namespace zq;

// The screen and what it stands on, over a scripted console, with a list of
// 2048 companies in key order.
struct Bench {
  platform::PosixProcess process{0, nullptr};
  platform::PosixSyscalls syscalls;
  platform::PosixFileSystem files{syscalls, process};
  platform::ManualClock clock;
  bench::BenchToolkit ui{files, clock};
  registry::CompanyList list;

  Bench() {
    ui.colours.ApplyControlColours();
    for (int number = 1; number <= registry::MAX_COMPANIES; ++number) {
      std::vector<std::uint8_t> record(registry::COMPANY_RECORD_SIZE, 0);
      char name[32];
      std::snprintf(name, sizeof name, "FIRMA %04d", number);
      fileaccess::WriteShortString(record, registry::COMPANY_NAME, registry::COMPANY_NAME_WIDTH,
                                   name);
      fileaccess::WriteShortString(record, registry::COMPANY_DIRECTORY,
                                   registry::COMPANY_DIRECTORY_WIDTH, "D" + std::to_string(number));
      list.Add(record);
    }
  }
};

void Keys(benchmark::State& state, const std::vector<std::uint16_t>& keys) {
  Bench bench;
  double microseconds = 0;
  long count = 0;
  for (auto _ : state) {
    for (std::uint16_t key : keys) bench.ui.console.PushKey(key);
    bench.ui.console.PushKey(ui::KB_ESC);
    const auto start = std::chrono::steady_clock::now();
    registry::SelectCompanies(bench.ui.toolkit, bench.list, registry::MAX_COMPANIES);
    microseconds +=
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    count += static_cast<long>(keys.size()) + 1;
  }
  state.counters["us_per_key"] = microseconds / static_cast<double>(count);
}

std::vector<std::uint16_t> Repeated(std::uint16_t key, int times) {
  return std::vector<std::uint16_t>(static_cast<std::size_t>(times), key);
}

void BM_Down(benchmark::State& state) {
  Keys(state, Repeated(ui::KB_DOWN, 2047));
}
void BM_PageDown(benchmark::State& state) {
  Keys(state, Repeated(ui::KB_PGDN, 205));
}
void BM_EndAndHome(benchmark::State& state) {
  std::vector<std::uint16_t> keys;
  for (int i = 0; i < 100; ++i) keys.insert(keys.end(), {ui::KB_END, ui::KB_HOME});
  Keys(state, keys);
}
void BM_MarkAllAndNone(benchmark::State& state) {
  std::vector<std::uint16_t> keys;
  for (int i = 0; i < 100; ++i) keys.insert(keys.end(), {ui::KB_CTRL_D, ui::KB_CTRL_W});
  Keys(state, keys);
}
void BM_ToggleWhileMoving(benchmark::State& state) {
  std::vector<std::uint16_t> keys;
  for (int i = 0; i < 500; ++i) keys.insert(keys.end(), {ui::KB_SPACE, ui::KB_DOWN});
  Keys(state, keys);
}
// "FIRMA 2047" typed by the name (bisection), then "D2047" by the directory
// (item by item), each letter a search.
void BM_SearchByNameAndDirectory(benchmark::State& state) {
  std::vector<std::uint16_t> keys;
  for (char c : std::string("FIRMA 2047")) keys.push_back(static_cast<std::uint8_t>(c));
  keys.push_back(ui::KB_TAB);
  for (char c : std::string("D2047")) keys.push_back(static_cast<std::uint8_t>(c));
  Keys(state, keys);
}

BENCHMARK(BM_Down)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EndAndHome)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkAllAndNone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToggleWhileMoving)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchByNameAndDirectory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
