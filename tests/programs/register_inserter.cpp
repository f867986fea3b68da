// A second station for the register race: inserts companies into one
// register under the register's own locks, as the converter does, while
// another station does the same.
//
//   register_inserter FILE FIRST STEP COUNT
//
// Inserts the companies "Firma NNNNN" for NNNNN = FIRST, FIRST + STEP, ...
// (COUNT of them) in a shuffled order, so that each insertion lands among
// the other station's companies. Prints "DONE" and ends with 0, or prints
// what failed and ends with 1.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fileaccess/record_file.h"
#include "fileaccess/temp_files.h"
#include "platform/pascal_random.h"
#include "platform/posix_clock.h"
#include "platform/posix_file_system.h"
#include "platform/posix_syscalls.h"
#include "platform/text_literal.h"
#include "register/company_register_file.h"
#include "sample/record_builders.h"
#include "support/fake_process.h"
#include "support/headless_toolkit.h"
#include "ui/key_codes.h"

namespace {

using zq::operator""_pl;

int Insert(const char* file, int first, int step, int count) {
  zq::platform::PosixSyscalls syscalls;
  zq::testing::FakeProcess process;
  zq::platform::PosixFileSystem files{syscalls, process};
  zq::platform::PosixClock clock;  // real waits between lock attempts
  zq::testing::HeadlessToolkit t;
  // "Tak" to every "DOSTĘP BLOKOWANY SIECIOWO" question: go on waiting.
  for (int i = 0; i < 1000; ++i) {
    t.console.PushPause();
    t.console.PushKey(zq::ui::KB_ENTER);
  }
  zq::platform::PascalRandom random;
  zq::fileaccess::TempFiles tempFiles{files, process, clock, random};
  zq::fileaccess::SharedFileAccess access{files, t.toolkit, clock, tempFiles, {}};
  zq::registry::CompanyRegisterFile registry(access, zq::ShortString(std::string_view(file)));
  if (!registry.Open(zq::fileaccess::WaitMode::NO_WAIT, zq::fileaccess::OpenMode::OPEN_EXISTING)) {
    std::printf("OPEN %d\n", registry.LastError());
    return 1;
  }
  for (int i = 0; i < count; ++i) {
    const int number = first + step * ((i * 7919) % count);  // 7919 is prime: a permutation
    char name[16];
    std::snprintf(name, sizeof name, "Firma %05d", number);
    const auto record =
        zq::sample::CompanyRecord{zq::ShortString(std::string_view(name)), "KAT"_pl, ""_pl}.Build();
    if (!registry.InsertSorted(record)) {
      std::printf("INSERT %s %d\n", name, registry.LastError());
      return 1;
    }
  }
  std::printf("DONE\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: register_inserter FILE FIRST STEP COUNT\n");
    return 2;
  }
  try {
    return Insert(argv[1], std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  } catch (const std::exception& error) {
    std::printf("EXCEPTION %s\n", error.what());
  } catch (const zq::platform::ProgramExit& exit) {
    std::printf("EXIT %d\n", exit.code);
  }
  return 1;
}
