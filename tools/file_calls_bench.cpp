// How long the file-system calls that the converter makes for each file take
// by themselves, against `cp -a` of the same 2020 tree, as office_bench runs
// them: a fresh large office per iteration, the two in turn, the first of them
// alternating (both copies are made inside the office folder). For every file it makes the calls
// the converter's file layer makes and nothing else: the source's status, the target directory's
// status before its listing is trusted, before the create and after it, both opens with the
// share-mode locks, the data read and written, one line appended to a log, both closes. No name is
// looked up case-blind, nothing is converted, nothing is drawn. What the converter takes beyond
// this is its own work.
//
//     build/normal/tools/file_calls_bench

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "office_tree.h"
#include "run_cp.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t BLOCK_BYTES = 256 * 1024;
constexpr int OPEN_FLAGS = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
// Where the share-mode locks lie, as the converter's file layer places them.
constexpr off_t SHARE_LOCKS = off_t{1} << 62;

// The lock that shows this handle's access, and the test for a handle that
// denies it.
void TakeShareLocks(int fd, off_t slot) {
  struct flock held {};
  held.l_type = F_RDLCK;
  held.l_whence = SEEK_SET;
  held.l_start = SHARE_LOCKS + slot;
  held.l_len = 1;
  fcntl(fd, F_OFD_SETLK, &held);
  struct flock denied = held;
  denied.l_type = F_WRLCK;
  denied.l_start = SHARE_LOCKS + 2 + slot;
  fcntl(fd, F_OFD_GETLK, &denied);
}

class FileCallsCopy {
 public:
  explicit FileCallsCopy(const std::string& logPath)
      : log_(open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | OPEN_FLAGS, 0666)),
        block_(BLOCK_BYTES) {}
  ~FileCallsCopy() { close(log_); }
  FileCallsCopy(const FileCallsCopy&) = delete;
  FileCallsCopy& operator=(const FileCallsCopy&) = delete;

  void CopyTree(const std::string& from, const std::string& to) {
    mkdir(to.c_str(), 0777);
    DIR* directory = opendir(from.c_str());
    if (directory == nullptr) throw std::runtime_error("cannot read " + from);
    while (const dirent* entry = readdir(directory)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      const std::string source = from + "/" + name;
      struct stat status {};
      lstat(source.c_str(), &status);
      if (S_ISDIR(status.st_mode)) {
        CopyTree(source, to + "/" + name);
      } else {
        CopyFile(source, to, name);
      }
    }
    closedir(directory);
  }

 private:
  void CopyFile(const std::string& source, const std::string& to, const std::string& name) {
    struct stat status {};
    stat(to.c_str(), &status);
    const int input = open(source.c_str(), O_RDONLY | OPEN_FLAGS);
    fstat(input, &status);
    TakeShareLocks(input, 0);
    stat(to.c_str(), &status);
    const std::string target = to + "/" + name;
    const int output = open(target.c_str(), O_RDWR | O_CREAT | O_EXCL | OPEN_FLAGS, 0666);
    stat(to.c_str(), &status);
    TakeShareLocks(output, 1);
    const std::string line = "2021-01-04 12:00:03 Kopiuje " + source + "  10 pozycji ...\r\n";
    if (write(log_, line.data(), line.size()) < 0) throw std::runtime_error("log failed");
    for (;;) {
      const ssize_t count = read(input, block_.data(), block_.size());
      if (count <= 0) break;
      if (write(output, block_.data(), static_cast<std::size_t>(count)) != count) {
        throw std::runtime_error("write failed");
      }
      if (static_cast<std::size_t>(count) < block_.size()) break;
    }
    close(input);
    close(output);
  }

  int log_;
  std::vector<char> block_;
};

void BM_FileCallsAgainstCp(benchmark::State& state) {
  std::string scratch = (fs::temp_directory_path() / "zq-calls-XXXXXX").string();
  if (mkdtemp(scratch.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  double calling = 0;
  double copying = 0;
  const bool inMemory = zq::bench::InMemory(scratch);
  int iteration = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string office = scratch + "/office" + std::to_string(iteration);
    zq::bench::WriteLargeOffice(office);
    const auto copyWithCalls = [&] {
      sync();
      const auto start = std::chrono::steady_clock::now();
      FileCallsCopy copy(office + "/calls.log");
      copy.CopyTree(office + "/DAZ_2020", office + "/calls");
      calling += zq::bench::Seconds(std::chrono::steady_clock::now() - start);
    };
    const auto copyTree = [&] {
      sync();
      const auto start = std::chrono::steady_clock::now();
      zq::bench::RunCp(office + "/DAZ_2020", office + "/copy", true);
      copying += zq::bench::Seconds(std::chrono::steady_clock::now() - start);
    };
    zq::bench::InTurn(iteration++, copyWithCalls, copyTree);
    if (inMemory) fs::remove_all(office);
    state.ResumeTiming();
  }
  fs::remove_all(scratch);
  const double runs = static_cast<double>(state.iterations());
  state.counters["calls_s"] = calling / runs;
  state.counters["cp_a_s"] = copying / runs;
  state.counters["ratio"] = calling / copying;
}

BENCHMARK(BM_FileCallsAgainstCp)->Iterations(4)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
