// How long the converter takes over a large office (200 companies of 5
// records per file, about 200 MB), against `cp -a` of the same 2020 tree in
// the same run, one after the other in each iteration. Prints both times,
// their ratio and the peak memory of the process (the converter's run and
// the generator's; cp runs as a child).
//
//     build/normal/tools/office_bench

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/bell_sound.h"
#include "platform/console_clipboard.h"
#include "platform/headless_console.h"
#include "platform/manual_clock.h"
#include "platform/platform.h"
#include "platform/posix_file_system.h"
#include "platform/posix_syscalls.h"
#include "platform/text_literal.h"
#include "sample/office_operator.h"
#include "sample/sample_office.h"
#include "shell/converter.h"

extern char** environ;

namespace {

using namespace zq;
namespace fs = std::filesystem;

constexpr int MOST_ANSWERS = 100000;

// The converter installed in the office's 2021 tree, started in the office
// folder, with nothing in its environment.
class OfficeProcess final : public platform::Process {
 public:
  explicit OfficeProcess(const std::string& office) : office_(office) {}
  const std::vector<ShortString>& Arguments() const override { return arguments_; }
  ShortString ExecutablePath() const override { return ShortString(office_ + "/DAZ_2021/zq20-21"); }
  ShortString CurrentDirectory() const override { return ShortString(office_ + "/"); }
  std::optional<ShortString> GetEnv(std::string_view) const override { return std::nullopt; }

 private:
  std::string office_;
  std::vector<ShortString> arguments_;
};

// One conversion of the office in `office`, run where the converter starts.
void Convert(const std::string& office) {
  OfficeProcess process(office);
  platform::PosixSyscalls syscalls;
  platform::PosixFileSystem files(syscalls, process);
  platform::ManualClock clock;
  platform::HeadlessConsole console(clock);
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

// A fresh office: the 2020 tree and the 2021 tree with one company in it.
void WriteOffice(const std::string& office) {
  fs::remove_all(office);
  fs::create_directory(office);
  OfficeProcess process(office);
  platform::PosixSyscalls syscalls;
  platform::PosixFileSystem files(syscalls, process);
  sample::WriteSampleOffice(files, ShortString(office),
                            sample::SampleOfficeOptions{.companies = 200, .records = 5});
  std::ofstream(office + "/DAZ_2021/zq20-21.PTH", std::ios::binary)
      << "[PATHS]\r\nDAZ_2020=DAZ_2020\r\nDAZ_2021=DAZ_2021\r\n";
}

void RunCpA(const std::string& from, const std::string& to) {
  std::string cp = "/bin/cp";
  std::string archive = "-a";
  std::array<char*, 5> argv{cp.data(), archive.data(), const_cast<char*>(from.c_str()),
                            const_cast<char*>(to.c_str()), nullptr};
  pid_t child = 0;
  int status = 0;
  if (posix_spawn(&child, cp.c_str(), nullptr, nullptr, argv.data(), environ) != 0 ||
      waitpid(child, &status, 0) != child || status != 0) {
    throw std::runtime_error("cp failed");
  }
}

double Seconds(std::chrono::steady_clock::duration elapsed) {
  return std::chrono::duration<double>(elapsed).count();
}

void BM_OfficeAgainstCp(benchmark::State& state) {
  std::string pattern = (fs::temp_directory_path() / "zq-office-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  const std::string office = pattern + "/office";
  const std::string copy = pattern + "/copy";
  double converting = 0;
  double copying = 0;
  std::uintmax_t registered = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WriteOffice(office);
    fs::remove_all(copy);
    sync();
    auto start = std::chrono::steady_clock::now();
    Convert(office);
    converting += Seconds(std::chrono::steady_clock::now() - start);
    registered = fs::file_size(office + "/DAZ_2021/SPISFIRM.DAT") / 103;
    sync();
    start = std::chrono::steady_clock::now();
    RunCpA(office + "/DAZ_2020", copy);
    copying += Seconds(std::chrono::steady_clock::now() - start);
    state.ResumeTiming();
  }
  fs::remove_all(pattern);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double runs = static_cast<double>(state.iterations());
  state.counters["convert_s"] = converting / runs;
  state.counters["cp_a_s"] = copying / runs;
  state.counters["ratio"] = converting / copying;
  state.counters["converted"] = static_cast<double>(registered);  // companies in the register
  state.counters["peak_KiB"] = static_cast<double>(usage.ru_maxrss);
}

BENCHMARK(BM_OfficeAgainstCp)->Iterations(3)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
