// How fast the copy engine moves data, against cp in the same run: a 200 MB
// file copied whole, and a 50 MB file of 48-byte records copied and converted
// record by record. Prints the time ratios to cp, the system calls per record
// and the peak memory of the engine's copies.
//
//     build/normal/tools/copy_bench [--benchmark_repetitions=3]

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/counting_syscalls.h"
#include "platform/headless_console.h"
#include "platform/manual_clock.h"
#include "platform/posix_file_system.h"
#include "platform/posix_process.h"
#include "platform/posix_syscalls.h"
#include "run_cp.h"
#include "transfer/copy_engine.h"
#include "ui/colours.h"
#include "ui/screen.h"

namespace {

using namespace zq;

constexpr std::size_t RECORD_SIZE = 48;
constexpr std::size_t WHOLE_FILE_BYTES = 200u * 1000 * 1000;
constexpr std::size_t RECORD_FILE_BYTES = 50u * 1000 * 1000 / RECORD_SIZE * RECORD_SIZE;

// The engine with everything it stands on; its log goes to a headless console.
struct Bench {
  std::string directory;
  platform::PosixSyscalls realSyscalls;
  platform::CountingSyscalls syscalls{realSyscalls};
  platform::PosixProcess process{0, nullptr};
  platform::PosixFileSystem files{syscalls, process};
  platform::ManualClock clock;
  platform::HeadlessConsole console{clock};
  ui::Screen screen{console};
  ui::Colours colours{files};
  std::uint8_t showSlowly = 0;
  transfer::ProgressLog log{screen, colours, clock, showSlowly};
  transfer::CopyEngine engine{files, log};

  std::string Path(const char* name) const { return directory + "/" + name; }
};

void WriteSampleFile(const std::string& path, std::size_t bytes) {
  std::vector<char> block(1 << 20);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131 % 253);
  std::ofstream out(path, std::ios::binary);
  for (std::size_t left = bytes; left > 0;) {
    const std::size_t count = std::min(left, block.size());
    out.write(block.data(), static_cast<std::streamsize>(count));
    left -= count;
  }
  if (!out) throw std::runtime_error("cannot write " + path);
}

// Each iteration copies to a target that does not exist yet, with the
// previous copies' data already on the disk, so that a copy never pays for
// the write-back of the one before it; neither step is timed.
template <typename Copy>
void TimeCopies(benchmark::State& state, const std::string& target, std::size_t bytes, Copy copy) {
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(target);
    sync();
    state.ResumeTiming();
    copy();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

bool ConvertUnchanged(std::span<std::uint8_t> source, std::span<std::uint8_t> target) {
  std::copy(source.begin(), source.end(), target.begin());
  return true;
}

long PeakMemoryKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Keeps the (median) real time of every benchmark, to print the ratios after the
// usual table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median") {
        times_[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
  }
  // The ratio of two benchmarks' times, 0 when either did not run.
  double Ratio(const std::string& name, const std::string& base) const {
    const auto time = times_.find(name);
    const auto baseTime = times_.find(base);
    if (time == times_.end() || baseTime == times_.end()) return 0;
    return time->second / baseTime->second;
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::string pattern = (std::filesystem::temp_directory_path() / "zq-copy-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return 1;
  Bench bench;
  bench.directory = pattern;
  const std::string whole = bench.Path("whole.bin");
  const std::string records = bench.Path("records.rek");
  const std::string target = bench.Path("target.bin");
  WriteSampleFile(whole, WHOLE_FILE_BYTES);
  WriteSampleFile(records, RECORD_FILE_BYTES);
  transfer::CopyEngine& engine = bench.engine;

  benchmark::RegisterBenchmark("cp_200MB",
                               [&](benchmark::State& state) {
                                 TimeCopies(state, target, WHOLE_FILE_BYTES,
                                            [&] { bench::RunCp(whole, target, false); });
                               })
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("CopyWholeFile_200MB",
                               [&](benchmark::State& state) {
                                 TimeCopies(state, target, WHOLE_FILE_BYTES,
                                            [&] { engine.CopyWholeFile(whole, target); });
                               })
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("cp_50MB_records",
                               [&](benchmark::State& state) {
                                 TimeCopies(state, target, RECORD_FILE_BYTES,
                                            [&] { bench::RunCp(records, target, false); });
                               })
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("CopyRecordFile_48",
                               [&](benchmark::State& state) {
                                 TimeCopies(state, target, RECORD_FILE_BYTES, [&] {
                                   engine.CopyRecordFile(records, target, RECORD_SIZE, {});
                                 });
                               })
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("ConvertRecordFile_48_48",
                               [&](benchmark::State& state) {
                                 TimeCopies(state, target, RECORD_FILE_BYTES, [&] {
                                   engine.ConvertRecordFile(records, target, RECORD_SIZE,
                                                            RECORD_SIZE, ConvertUnchanged);
                                 });
                               })
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();

  const long memoryBefore = PeakMemoryKiB();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const long memoryAfter = PeakMemoryKiB();

  // One more copy of each kind, counting the reads and writes it makes.
  const double recordCount = static_cast<double>(RECORD_FILE_BYTES / RECORD_SIZE);
  const auto countCalls = [&](const char* name, auto copy) {
    std::filesystem::remove(target);
    const long callsBefore = bench.syscalls.TotalCalls();
    const int readsBefore = bench.syscalls.Calls(platform::SyscallKind::READ);
    const int writesBefore = bench.syscalls.Calls(platform::SyscallKind::WRITE);
    copy();
    const int reads = bench.syscalls.Calls(platform::SyscallKind::READ) - readsBefore;
    const int writes = bench.syscalls.Calls(platform::SyscallKind::WRITE) - writesBefore;
    const long calls = bench.syscalls.TotalCalls() - callsBefore;
    std::printf("%-24s %d reads, %d writes, %ld calls in all: %.5f system calls per record\n", name,
                reads, writes, calls, static_cast<double>(calls) / recordCount);
  };
  std::printf("\n");
  countCalls("CopyRecordFile 48", [&] { engine.CopyRecordFile(records, target, RECORD_SIZE, {}); });
  countCalls("ConvertRecordFile 48->48", [&] {
    engine.ConvertRecordFile(records, target, RECORD_SIZE, RECORD_SIZE, ConvertUnchanged);
  });

  std::printf("CopyWholeFile     / cp: %.2f (target at most 1.3)\n",
              reporter.Ratio("CopyWholeFile_200MB", "cp_200MB"));
  std::printf("CopyRecordFile    / cp: %.2f (target at most 2)\n",
              reporter.Ratio("CopyRecordFile_48", "cp_50MB_records"));
  std::printf("ConvertRecordFile / cp: %.2f\n",
              reporter.Ratio("ConvertRecordFile_48_48", "cp_50MB_records"));
  std::printf("peak memory: %ld KiB before the copies, %ld KiB after\n", memoryBefore, memoryAfter);

  std::error_code ignored;
  std::filesystem::remove_all(pattern, ignored);
  return 0;
}
