#pragma once
// Whole conversions of the default sample office with one kind of the file
// layer's system calls failing: the Nth call once, or every call from the Nth
// on. Each run gets a fresh office and a fresh headless console, and the
// operator of sample/office_operator.h answers every question. A run is
// judged against a run without faults:
// - the 2020 tree is byte-identical afterwards, whatever failed;
// - the run ends: it finishes, or stops where the program stops (exit codes);
//   an operator who is asked for ever, or any other exception, counts as no end;
// - a failure that changes what lands in the 2021 tree shows on the screen:
//   the same screen with a different 2021 tree is damage reported as success.

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "platform/counting_syscalls.h"
#include "sample/sample_office.h"

namespace zq::testing {

using SyscallCounts = std::array<int, static_cast<std::size_t>(platform::SyscallKind::COUNT)>;

struct FaultPlan {
  platform::SyscallKind kind = platform::SyscallKind::OPEN;
  int nth = 0;  // 0 = no fault
  bool persistent = false;
  int error = 0;  // errno
};

enum class FaultOutcome {
  UNNOTICED,       // screen and 2021 tree as without the fault
  REPORTED,        // the screen tells the operator; the run came to its end
  STOPPED,         // the screen tells the operator; the program stopped
  SILENT_DAMAGE,   // the screen as without the fault, the 2021 tree not
  NO_END,          // asked for ever, or an exception other than a stop
  SOURCE_CHANGED,  // the 2020 tree was written
};

// Unnoticed, reported or stopped: what a careful program does.
bool IsSound(FaultOutcome outcome);
std::string_view OutcomeName(FaultOutcome outcome);
std::string_view KindName(platform::SyscallKind kind);

struct FaultRun {
  bool finished = false;  // the closing line was shown
  int exitCode = -1;      // the program's stop, -1 when it did not stop
  std::string error;      // why the run did not end, empty when it did
  bool sourceUnchanged = false;
  int injected = 0;        // calls that failed
  SyscallCounts calls{};   // calls of the run, by kind
  std::string transcript;  // every screen text, the office's folder named <office>, no times
  std::string screen;      // the screen at the end, a line a row
  std::map<std::string, std::string> target;  // the 2021 tree, files by name, no times in the log
};

// One conversion of a fresh sample office of `companies` companies (the
// default office's twelve unless a quicker run will do) under `plan`.
FaultRun RunOffice(const FaultPlan& plan, int companies = sample::SampleOfficeOptions{}.companies);

// How a run under a fault compares with the run without faults.
FaultOutcome Judge(const FaultRun& run, const FaultRun& clean);

}  // namespace zq::testing
