// What a sorted insertion into the company register costs as it grows:
//
//     register_insert_bench [--benchmark_...]
//
// 2048 companies are inserted one by one into an empty register, once in key
// order (each goes to the end) and once in reverse key order (each goes
// first and moves every record). At 256, 512, 1024 and 2048 records the
// counters give the mean time and the mean number of file system calls per
// insertion over the insertions since the previous mark. On a network drive
// every call is a round trip, so the calls must stay flat as the register
// grows.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_toolkit.h"
#include "fileaccess/record_fields.h"
#include "fileaccess/shared_file_access.h"
#include "platform/counting_syscalls.h"
#include "platform/manual_clock.h"
#include "platform/posix_file_system.h"
#include "platform/posix_process.h"
#include "platform/posix_syscalls.h"
#include "platform/text_literal.h"
#include "register/company_record.h"
#include "register/company_register_file.h"

namespace {

using namespace zq;

constexpr int COMPANIES = 2048;
constexpr int MARKS[] = {256, 512, 1024, 2048};

// The register and everything it stands on; the boxes draw on a console
// that shows nothing.
struct Bench {
  std::string directory;
  platform::PosixProcess process{0, nullptr};
  platform::PosixSyscalls realSyscalls;
  platform::CountingSyscalls syscalls{realSyscalls};
  platform::PosixFileSystem files{syscalls, process};
  platform::ManualClock clock;
  bench::BenchToolkit ui{files, clock};
  platform::PascalRandom random;
  fileaccess::TempFiles tempFiles{files, process, clock, random};
  fileaccess::SharedFileAccess access{files, ui.toolkit, clock, tempFiles, {}};

  Bench() {
    char pattern[] = "/tmp/zq-register-bench-XXXXXX";
    directory = mkdtemp(pattern);
  }
  ~Bench() { std::filesystem::remove_all(directory); }
};

std::vector<std::uint8_t> Company(int number) {
  std::vector<std::uint8_t> record(registry::COMPANY_RECORD_SIZE, 0);
  char name[32];
  std::snprintf(name, sizeof name, "Firma %04d", number);
  fileaccess::WriteShortString(record, registry::COMPANY_NAME, registry::COMPANY_NAME_WIDTH, name);
  fileaccess::WriteShortString(record, registry::COMPANY_DIRECTORY,
                               registry::COMPANY_DIRECTORY_WIDTH, "F" + std::to_string(number));
  return record;
}

void InsertAll(benchmark::State& state, bool reverse) {
  for (auto _ : state) {
    Bench bench;
    registry::CompanyRegisterFile file(bench.access,
                                       ShortString(bench.directory + "/SPISFIRM.DAT"));
    if (!file.Open(fileaccess::WaitMode::NO_WAIT, fileaccess::OpenMode::OPEN_OR_CREATE)) {
      state.SkipWithError("the register cannot be created");
      return;
    }
    int previousMark = 0;
    double elapsed = 0;
    long calls = 0;
    for (int inserted = 1; inserted <= COMPANIES; ++inserted) {
      const auto record = Company(reverse ? COMPANIES - inserted : inserted);
      const long callsBefore = bench.syscalls.TotalCalls();
      const auto start = std::chrono::steady_clock::now();
      if (!file.InsertSorted(record)) {
        state.SkipWithError("an insertion failed");
        return;
      }
      elapsed += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                     .count();
      calls += bench.syscalls.TotalCalls() - callsBefore;
      for (int mark : MARKS) {
        if (inserted != mark) continue;
        const double count = inserted - previousMark;
        state.counters["us_per_insert_at_" + std::to_string(mark)] = elapsed / count;
        state.counters["calls_per_insert_at_" + std::to_string(mark)] =
            static_cast<double>(calls) / count;
        previousMark = inserted;
        elapsed = 0;
        calls = 0;
      }
    }
  }
}

void BM_InsertInKeyOrder(benchmark::State& state) {
  InsertAll(state, false);
}
void BM_InsertInReverseKeyOrder(benchmark::State& state) {
  InsertAll(state, true);
}

BENCHMARK(BM_InsertInKeyOrder)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertInReverseKeyOrder)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
