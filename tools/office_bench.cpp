// How long the converter takes over a large office (200 companies of 5
// records per file, about 200 MB), against `cp -a` of the same 2020 tree in
// the same run, one after the other in each iteration, the first of them
// alternating. Prints both times, their ratio, the peak memory of the process
// (the converter's run and the generator's; cp runs as a child) and the
// converter's file-layer calls per run.
//
//     build/normal/tools/office_bench

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "office_tree.h"
#include "platform/bell_sound.h"
#include "platform/console_clipboard.h"
#include "platform/counting_syscalls.h"
#include "platform/headless_console.h"
#include "platform/manual_clock.h"
#include "platform/platform.h"
#include "platform/posix_file_system.h"
#include "platform/posix_syscalls.h"
#include "platform/text_literal.h"
#include "run_cp.h"
#include "sample/office_operator.h"
#include "shell/converter.h"

namespace {

using namespace zq;
namespace fs = std::filesystem;

constexpr int MOST_ANSWERS = 100000;

// One conversion of the office in `office`, run where the converter starts;
// its file-layer calls are counted into `syscalls`.
void Convert(const std::string& office, platform::CountingSyscalls& syscalls) {
  bench::OfficeProcess process(office);
  platform::PosixFileSystem files(syscalls, process);
  platform::ManualClock clock;
  platform::HeadlessConsole console(clock, platform::HeadlessConsole::Keeping::NO_TRANSCRIPT);
  platform::BellSound sound(console, clock);
  platform::ConsoleClipboard clipboard(console);
  platform::Platform platform(console, files, clock, sound, process, clipboard);
  sample::OfficeOperator person(console, MOST_ANSWERS);
  person.Start();
  const fs::path before = fs::current_path();
  fs::current_path(office);
  shell::Converter converter(platform);
  converter.Run();
  fs::current_path(before);
}

// Processor time (user and system) of this process or of its ended children:
// unlike the wall clock, it hardly moves with what else the machine does.
double ProcessorSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  const auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_OfficeAgainstCp(benchmark::State& state) {
  std::string scratch = (fs::temp_directory_path() / "zq-office-XXXXXX").string();
  if (mkdtemp(scratch.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  double converting = 0;
  double copying = 0;
  double convertingProcessor = 0;
  double copyingProcessor = 0;
  std::uintmax_t registered = 0;
  platform::PosixSyscalls system;
  platform::CountingSyscalls syscalls(system);
  // Each iteration gets a fresh office and a fresh copy, and the side that
  // goes first alternates.
  const bool inMemory = bench::InMemory(scratch);
  int iteration = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string office = scratch + "/office" + std::to_string(iteration);
    const std::string copy = scratch + "/copy" + std::to_string(iteration);
    bench::WriteLargeOffice(office);
    registered = 0;
    const auto convert = [&] {
      sync();
      const auto start = std::chrono::steady_clock::now();
      const double processorStart = ProcessorSeconds(RUSAGE_SELF);
      Convert(office, syscalls);
      convertingProcessor += ProcessorSeconds(RUSAGE_SELF) - processorStart;
      syscalls.ClearHistory();
      converting += bench::Seconds(std::chrono::steady_clock::now() - start);
      registered = fs::file_size(office + "/DAZ_2021/SPISFIRM.DAT") / 103;
    };
    const auto copyTree = [&] {
      sync();
      const auto start = std::chrono::steady_clock::now();
      const double processorStart = ProcessorSeconds(RUSAGE_CHILDREN);
      bench::RunCp(office + "/DAZ_2020", copy, true);
      copyingProcessor += ProcessorSeconds(RUSAGE_CHILDREN) - processorStart;
      copying += bench::Seconds(std::chrono::steady_clock::now() - start);
    };
    zq::bench::InTurn(iteration++, convert, copyTree);
    if (inMemory) {
      fs::remove_all(office);
      fs::remove_all(copy);
    }
    state.ResumeTiming();
  }
  fs::remove_all(scratch);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double runs = static_cast<double>(state.iterations());
  state.counters["convert_s"] = converting / runs;
  state.counters["cp_a_s"] = copying / runs;
  state.counters["ratio"] = converting / copying;
  state.counters["cpu_ratio"] = convertingProcessor / copyingProcessor;
  state.counters["converted"] = static_cast<double>(registered);  // companies in the register
  const auto perRun = [&](platform::SyscallKind kind) {
    return static_cast<double>(syscalls.Calls(kind)) / runs;
  };
  state.counters["opens"] = perRun(platform::SyscallKind::OPEN);
  state.counters["stats"] = perRun(platform::SyscallKind::STAT);
  state.counters["lists"] = perRun(platform::SyscallKind::LIST);
  state.counters["locks"] = perRun(platform::SyscallKind::LOCK);
  state.counters["reads"] = perRun(platform::SyscallKind::READ);
  state.counters["writes"] = perRun(platform::SyscallKind::WRITE);
  state.counters["copies"] = perRun(platform::SyscallKind::COPY);
  state.counters["renames"] = perRun(platform::SyscallKind::RENAME);
  state.counters["peak_KiB"] = static_cast<double>(usage.ru_maxrss);
}

BENCHMARK(BM_OfficeAgainstCp)->Iterations(4)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
