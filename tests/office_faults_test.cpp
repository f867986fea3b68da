// Whole conversions of the sample office with the file layer's calls failing
// (support/office_fault_run.h). Every kind of call the run makes fails at a
// call halfway through once, and from a third of the way on; the whole sweep
// over every call is tools/fault_sweep.

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "support/office_fault_run.h"

namespace zq::testing {
namespace {

using platform::SyscallKind;

TEST(OfficeFaults, AFailedFileCallOfAnyKindIsReportedOrHarmlessAndThe2020TreeStaysAsItWas) {
  const OfficeRun clean = RunOffice({});
  ASSERT_TRUE(clean.finished) << clean.error << "\n" << clean.screen;
  ASSERT_TRUE(clean.sourceUnchanged);

  for (std::size_t index = 0; index < clean.calls.size(); ++index) {
    const auto kind = static_cast<SyscallKind>(index);
    const int calls = clean.calls[index];
    if (calls == 0) continue;
    for (const bool persistent : {false, true}) {
      const int nth = persistent ? 1 + calls / 3 : 1 + calls / 2;
      SCOPED_TRACE(std::string(KindName(kind)) + " call " + std::to_string(nth) +
                   (persistent ? " and every one after it" : " once"));
      const OfficeRun run = RunOffice({kind, nth, persistent, EIO});
      const FaultOutcome outcome = Judge(run, clean);
      EXPECT_GT(run.injected, 0);
      EXPECT_TRUE(IsSound(outcome)) << OutcomeName(outcome) << " " << run.error << "\n"
                                    << run.screen;
    }
  }
}

}  // namespace
}  // namespace zq::testing
