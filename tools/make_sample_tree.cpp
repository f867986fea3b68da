// Makes the data trees of a sample accounting office for trying the
// converter out and for measuring it:
//
//     make_sample_tree [--companies N] [--records N] [--seed N] DIRECTORY
//
// DIRECTORY/DAZ_2020 is the 2020 tree with its company register, its global
// data in #BIN020 and one folder per company; DIRECTORY/DAZ_2021 is the 2021
// tree, empty but for one company converted earlier, with a path settings
// file zq20-21.PTH that points at both (the converter is meant to be
// installed there). The defaults make a small office of 12 companies;
// --companies 200 --records 5 makes one of about 200 MB.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/cp852.h"
#include "platform/posix_file_system.h"
#include "platform/posix_process.h"
#include "platform/posix_syscalls.h"
#include "platform/text_literal.h"
#include "sample/sample_office.h"
#include "shell/path_settings.h"

using zq::operator""_pl;

namespace {

constexpr int MAX_COMPANIES = 9999;
constexpr int MAX_RECORDS = 10000;

int Usage(const char* program) {
  std::fprintf(stderr, "usage: %s [--companies N] [--records N] [--seed N] DIRECTORY\n", program);
  return 2;
}

// A whole number in 1..maximum, or 0.
long Count(std::string_view text, long maximum) {
  char* end = nullptr;
  const std::string digits(text);
  const long value = std::strtol(digits.c_str(), &end, 10);
  return end != nullptr && *end == '\0' && value >= 1 && value <= maximum ? value : 0;
}

}  // namespace

int main(int argc, char** argv) {
  zq::sample::SampleOfficeOptions options;
  std::string root;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--companies" && hasValue) {
      options.companies = static_cast<int>(Count(argv[++i], MAX_COMPANIES));
      if (options.companies == 0) return Usage(argv[0]);
    } else if (argument == "--records" && hasValue) {
      options.records = static_cast<int>(Count(argv[++i], MAX_RECORDS));
      if (options.records == 0) return Usage(argv[0]);
    } else if (argument == "--seed" && hasValue) {
      options.seed = static_cast<std::uint32_t>(Count(argv[++i], 0x7FFFFFFF));
      if (options.seed == 0) return Usage(argv[0]);
    } else if (root.empty() && !argument.starts_with("--")) {
      root = argument;
    } else {
      return Usage(argv[0]);
    }
  }
  if (root.empty()) return Usage(argv[0]);

  std::error_code error;
  std::filesystem::create_directories(root, error);
  root = std::filesystem::absolute(root, error).lexically_normal().string();
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  for (const char* tree : {"/DAZ_2020", "/DAZ_2021"}) {
    if (std::filesystem::exists(root + tree)) {
      std::fprintf(stderr, "%s%s exists already: remove it or choose another directory\n",
                   root.c_str(), tree);
      return 1;
    }
  }
  if (!zq::platform::FitsCp852(root)) {
    std::fprintf(stderr, "%s: the converter cannot name this directory\n", root.c_str());
    return 1;
  }

  zq::platform::PosixSyscalls syscalls;
  zq::platform::PosixProcess process(argc, argv);
  zq::platform::PosixFileSystem files(syscalls, process);
  const zq::ShortString rootName(zq::platform::Utf8ToCp852(root));
  try {
    zq::sample::WriteSampleOffice(files, rootName, options);
  } catch (const zq::sample::SampleWriteError& failure) {
    std::fprintf(stderr, "%s\n", zq::platform::Cp852ToUtf8(failure.what()).c_str());
    return 1;
  }
  const zq::ShortString source = rootName + "/DAZ_2020/"_pl;
  const zq::ShortString target = rootName + "/DAZ_2021/"_pl;
  zq::shell::WritePathSettings(files, target + "zq20-21"_pl, source, target);
  std::printf("sample office of %d companies in %s\n", options.companies, root.c_str());
  return 0;
}
