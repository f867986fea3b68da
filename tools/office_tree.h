#pragma once
// The large office the speed benchmarks convert or copy (200 companies of 5
// records per file, about 200 MB), and what they share to time it.

#include <linux/magic.h>
#include <sys/vfs.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/posix_file_system.h"
#include "platform/posix_syscalls.h"
#include "platform/process.h"
#include "sample/sample_office.h"

namespace zq::bench {

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

// A fresh office: the 2020 tree and the 2021 tree with one company in it.
inline void WriteLargeOffice(const std::string& office) {
  std::filesystem::create_directory(office);
  OfficeProcess process(office);
  platform::PosixSyscalls syscalls;
  platform::PosixFileSystem files(syscalls, process);
  sample::WriteSampleOffice(files, ShortString(office),
                            sample::SampleOfficeOptions{.companies = 200, .records = 5});
  std::ofstream(office + "/DAZ_2021/zq20-21.PTH", std::ios::binary)
      << "[PATHS]\r\nDAZ_2020=DAZ_2020\r\nDAZ_2021=DAZ_2021\r\n";
}

// Whether `path` lies on a file system in memory. There the trees of an
// iteration are removed before the next: a memory that keeps filling makes
// every copy slower, and in a virtual machine the pages touched for the first
// time cost most (cp -a took 0.22 s, and 0.54 s with 1.4 GB more in
// /dev/shm). On a disk they stay until the end, since a file system creates
// files slowly for a while after many were deleted.
inline bool InMemory(const std::string& path) {
  struct statfs status {};
  return statfs(path.c_str(), &status) == 0 && status.f_type == TMPFS_MAGIC;
}

inline double Seconds(std::chrono::steady_clock::duration elapsed) {
  return std::chrono::duration<double>(elapsed).count();
}

// Runs `first` and `second`, the first of them going first in even
// iterations and second in odd ones.
template <typename First, typename Second>
void InTurn(int iteration, const First& first, const Second& second) {
  if (iteration % 2 == 0) {
    first();
    second();
  } else {
    second();
    first();
  }
}

}  // namespace zq::bench
