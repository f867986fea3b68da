#include "support/office_fault_run.h"

#include <exception>
#include <limits>

#include "platform/headless_console.h"
#include "sample/office_operator.h"
#include "shell/converter.h"
#include "support/headless_office.h"
#include "support/working_directory.h"

namespace zq::testing {
namespace {

using platform::SyscallKind;

// More answers and file calls than a run of the default office can take; a
// run past either does not end.
constexpr int MOST_ANSWERS = 400;
constexpr long MOST_CALLS = 1'000'000;
constexpr std::string_view CLOSING_LINE = "Koniec pracy kopiera danych DAZ_ZQ na rok 2021";

void ReplaceAll(std::string& text, const std::string& from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// Clock times (12:00:04) masked: a call tried again after a pause moves the
// times of the lines after it, and changes nothing else.
std::string WithoutTimes(std::string text) {
  const auto digit = [&](std::size_t at) { return text[at] >= '0' && text[at] <= '9'; };
  for (std::size_t at = 0; at + 8 <= text.size(); ++at) {
    if (text[at + 2] == ':' && text[at + 5] == ':' && digit(at) && digit(at + 1) && digit(at + 3) &&
        digit(at + 4) && digit(at + 6) && digit(at + 7)) {
      text.replace(at, 8, "##:##:##");
    }
  }
  return text;
}

SyscallCounts Counts(const platform::CountingSyscalls& syscalls) {
  SyscallCounts counts{};
  for (std::size_t kind = 0; kind < counts.size(); ++kind)
    counts[kind] = syscalls.Calls(static_cast<SyscallKind>(kind));
  return counts;
}

}  // namespace

bool IsSound(FaultOutcome outcome) {
  return outcome == FaultOutcome::UNNOTICED || outcome == FaultOutcome::REPORTED ||
         outcome == FaultOutcome::STOPPED;
}

std::string_view OutcomeName(FaultOutcome outcome) {
  static constexpr std::string_view NAMES[] = {"unnoticed",     "reported", "stopped",
                                               "SILENT DAMAGE", "NO END",   "SOURCE CHANGED"};
  return NAMES[static_cast<std::size_t>(outcome)];
}

std::string_view KindName(SyscallKind kind) {
  static constexpr std::string_view NAMES[] = {"open", "close",          "read",   "write", "copy",
                                               "seek", "truncate",       "sync",   "stat",  "lock",
                                               "list", "make directory", "rename", "unlink"};
  static_assert(std::size(NAMES) == static_cast<std::size_t>(SyscallKind::COUNT));
  return NAMES[static_cast<std::size_t>(kind)];
}

FaultRun RunOffice(const FaultPlan& plan, int companies) {
  HeadlessPlatform p(TempTree::InMemory());
  WriteConvertibleOffice(p, sample::SampleOfficeOptions{.companies = companies});
  const auto sourceBefore = p.world.tree.Snapshot("DAZ_2020");
  const SyscallCounts before = Counts(p.world.syscalls);
  if (plan.nth > 0) {
    p.world.syscalls.FailNth(plan.kind, plan.nth, plan.error,
                             plan.persistent ? std::numeric_limits<int>::max() / 2 : 1);
  }
  p.world.syscalls.LimitCalls(MOST_CALLS);
  sample::OfficeOperator person(p.console, MOST_ANSWERS);
  person.Start();

  FaultRun run;
  try {
    WorkingDirectory office(p.world.tree.Root());
    shell::Converter converter(p.platform);
    converter.Run();
  } catch (const platform::ProgramExit& stop) {
    run.exitCode = stop.code;
  } catch (const platform::HeadlessInputExhausted&) {
    run.error = "asked for ever";
  } catch (const std::exception& exception) {
    run.error = exception.what();
  }
  const SyscallCounts after = Counts(p.world.syscalls);
  for (std::size_t kind = 0; kind < after.size(); ++kind)
    run.calls[kind] = after[kind] - before[kind];
  if (plan.nth > 0) {
    const int reached = run.calls[static_cast<std::size_t>(plan.kind)] - plan.nth + 1;
    run.injected = reached <= 0 ? 0 : plan.persistent ? reached : 1;
  }
  run.transcript = p.console.Transcript();
  for (int row = 0; row < platform::SCREEN_HEIGHT; ++row)
    run.screen += p.console.RowText(row) + "\n";
  run.finished = run.error.empty() && run.transcript.find(CLOSING_LINE) != std::string::npos;
  run.sourceUnchanged = p.world.tree.Snapshot("DAZ_2020") == sourceBefore;
  // The office's folder differs from run to run; what the program shows and
  // writes of it does not.
  ReplaceAll(run.transcript, p.world.tree.Root(), "<office>");
  run.transcript = WithoutTimes(std::move(run.transcript));
  for (auto& [name, bytes] : p.world.tree.Snapshot("DAZ_2021")) {
    ReplaceAll(bytes, p.world.tree.Root(), "<office>");
    run.target[name] = name == "zq20-21.log" ? WithoutTimes(std::move(bytes)) : std::move(bytes);
  }
  return run;
}

FaultOutcome Judge(const FaultRun& run, const FaultRun& clean) {
  if (!run.sourceUnchanged) return FaultOutcome::SOURCE_CHANGED;
  if (!run.error.empty()) return FaultOutcome::NO_END;
  const bool sameScreen = run.transcript == clean.transcript;
  if (run.exitCode >= 0) return sameScreen ? FaultOutcome::SILENT_DAMAGE : FaultOutcome::STOPPED;
  if (!sameScreen) return FaultOutcome::REPORTED;
  return run.target == clean.target ? FaultOutcome::UNNOTICED : FaultOutcome::SILENT_DAMAGE;
}

}  // namespace zq::testing
