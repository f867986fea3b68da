// Fault injection over whole conversions of the default sample office: counts
// the file layer's system calls of one run without faults, then fails each
// call of each kind in turn, once and from there on (persistently), each in a
// run of its own with a fresh office, and prints the outcome of every kind.
// A run that damages the 2020 tree, does not end or damages the 2021 tree
// without a word on the screen is listed with its call; the exit code is then 1.
//
//     build/normal/tools/fault_sweep [stride [--screens]]
//
// The stride (default 1: every call) takes every stride-th call only;
// --screens shows the last screen of each run listed.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "support/office_fault_run.h"

namespace {

using namespace zq::testing;
using zq::platform::SyscallKind;

}  // namespace

int main(int argc, char** argv) {
  const int stride = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  const bool showScreens = argc > 2 && std::string(argv[2]) == "--screens";
  const FaultRun clean = RunOffice({});
  if (!clean.finished) {
    std::printf("the run without faults does not finish: %s\n", clean.error.c_str());
    return 1;
  }
  long injected = 0;
  long runs = 0;
  bool allSound = true;
  for (std::size_t index = 0; index < clean.calls.size(); ++index) {
    const auto kind = static_cast<SyscallKind>(index);
    const int calls = clean.calls[index];
    for (const bool persistent : {false, true}) {
      std::map<FaultOutcome, int> outcomes;
      for (int nth = 1; nth <= calls; nth += stride) {
        const FaultRun run = RunOffice({kind, nth, persistent, EIO});
        const FaultOutcome outcome = Judge(run, clean);
        ++outcomes[outcome];
        injected += run.injected;
        ++runs;
        if (!IsSound(outcome)) {
          allSound = false;
          std::printf("  %s call %d%s: %s %s (exit %d)\n", std::string(KindName(kind)).c_str(), nth,
                      persistent ? " on" : "", std::string(OutcomeName(outcome)).c_str(),
                      run.error.c_str(), run.exitCode);
          if (showScreens) std::printf("%s", run.screen.c_str());
        }
      }
      std::printf("%-15s %-10s calls %5d:", std::string(KindName(kind)).c_str(),
                  persistent ? "persistent" : "once", calls);
      for (const auto& [outcome, count] : outcomes)
        std::printf(" %s %d", std::string(OutcomeName(outcome)).c_str(), count);
      std::printf("\n");
      std::fflush(stdout);
    }
  }
  std::printf("%ld runs, %ld injected faults\n", runs, injected);
  return allSound ? 0 : 1;
}
