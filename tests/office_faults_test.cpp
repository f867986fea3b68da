// Whole conversions of the sample office with the file layer's calls failing
// (support/office_fault_run.h). Every kind of call the run makes fails from
// the middle of the run on; opens, reads and writes also fail once, a third
// of the way in. Each run takes most of a second under the sanitizers, so the
// sweep over every call of every kind is a tool of its own: tools/fault_sweep.

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "support/office_fault_run.h"

namespace zq::testing {
namespace {

using platform::SyscallKind;

// Six companies hold every kind of company the conversion tells apart (one
// found converted, one without a directory, both years, an open December)
// in half the time of the default twelve.
constexpr int COMPANIES = 6;

TEST(OfficeFaults, AFailedFileCallOfAnyKindIsReportedOrHarmlessAndThe2020TreeStaysAsItWas) {
  const FaultRun clean = RunOffice({}, COMPANIES);
  ASSERT_TRUE(clean.finished) << clean.error << "\n" << clean.screen;
  ASSERT_TRUE(clean.sourceUnchanged);

  std::vector<FaultPlan> plans;
  for (std::size_t index = 0; index < clean.calls.size(); ++index) {
    const int calls = clean.calls[index];
    if (calls > 0) plans.push_back({static_cast<SyscallKind>(index), 1 + calls / 2, true, EIO});
  }
  for (const SyscallKind kind : {SyscallKind::OPEN, SyscallKind::READ, SyscallKind::WRITE}) {
    plans.push_back({kind, 1 + clean.calls[static_cast<std::size_t>(kind)] / 3, false, EIO});
  }
  for (const FaultPlan& plan : plans) {
    SCOPED_TRACE(std::string(KindName(plan.kind)) + " call " + std::to_string(plan.nth) +
                 (plan.persistent ? " and every one after it" : " once"));
    const FaultRun run = RunOffice(plan, COMPANIES);
    const FaultOutcome outcome = Judge(run, clean);
    EXPECT_GT(run.injected, 0);
    EXPECT_TRUE(IsSound(outcome)) << OutcomeName(outcome) << " " << run.error << "\n" << run.screen;
  }
}

}  // namespace
}  // namespace zq::testing
