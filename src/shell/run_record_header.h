#pragma once
// The head of a conversion's saved record: the program, the two trees and
// every option chosen on the wizard pages, so that the record says on its
// own what was asked of the run.

#include "conversion/run_settings.h"
#include "transfer/progress_log.h"

namespace zq::shell {

void WriteRunHeader(transfer::LogRecorder& record, const conversion::RunSettings& settings);

}  // namespace zq::shell
