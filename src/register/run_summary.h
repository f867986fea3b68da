#pragma once
// The summary at the end of the company loop: one row per listed company
// with what became of it (converted, or not and why) and what its run
// carried: files, records written and left out, persons carried and left,
// questions asked. It goes into the progress log (and so into the saved
// record of the run) and is shown in a box the operator can scroll.

#include <string_view>
#include <vector>

#include "conversion/company_report.h"
#include "platform/short_string.h"
#include "transfer/progress_log.h"
#include "ui/toolkit.h"

namespace zq::registry {

struct SummaryRow {
  ShortString name;
  ShortString directory;
  conversion::CompanyReport report;
};

struct SummaryLine {
  ShortString text;
  bool alarm = false;  // a company that failed or did not pass the check
};

// The table: its heading, each company's row followed by its reason when it
// has one, and the closing count.
std::vector<SummaryLine> SummaryLines(const std::vector<SummaryRow>& rows);

void WriteSummary(transfer::ProgressLog& log, const std::vector<SummaryLine>& lines);
// Until Enter or Esc.
void ShowSummary(ui::Toolkit& toolkit, const std::vector<SummaryLine>& lines);

}  // namespace zq::registry
