#pragma once
// What became of one company of the run, for the summary at the end of the
// company loop: converted or not and why, and what its run carried.

#include <cstdint>

#include "platform/short_string.h"
#include "transfer/copy_tally.h"

namespace zq::conversion {

enum class CompanyOutcome : std::uint8_t {
  CONVERTED,
  UNREGISTERED,      // converted, but the target register did not take it
  NOT_SELECTED,      // the operator left it unmarked
  DIRECTORY_EXISTS,  // its target directory appeared after the recognition
  HELD_ELSEWHERE,    // another converter is converting it now
  NOT_RESTARTED,     // unfinished, and the operator kept it as it is
  FAILED,            // the run stopped before its items; `reason` says why
};

struct CompanyReport {
  CompanyOutcome outcome = CompanyOutcome::FAILED;
  ShortString reason;
  transfer::CopyTally copied;
  std::uint32_t personsTransferred = 0;
  std::uint32_t personsDropped = 0;
  std::uint64_t questions = 0;
  std::uint32_t mismatches = 0;  // found by the check after the run
};

}  // namespace zq::conversion
