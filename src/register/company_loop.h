#pragma once
// The company loop: the recognition and the selection screen, then the run
// of every selected company, each converted company added to the target
// tree's register at its key position; at the end the summary of what
// became of every listed company.

#include <functional>

#include "conversion/company_report.h"
#include "conversion/run_settings.h"
#include "fileaccess/shared_file_access.h"
#include "platform/short_string.h"
#include "transfer/progress_log.h"
#include "ui/toolkit.h"

namespace zq::registry {

// Converts the company of a directory and tells what became of it; with
// `restart`, a company whose earlier run stopped half-way, from an emptied
// directory. An empty run converts nothing.
using RunCompanyFunction =
    std::function<conversion::CompanyReport(const ShortString& directory, bool restart)>;
// Told, after a company was converted, whether the target register took it:
// until it has, the company stays marked unfinished.
using RegisteredFunction = std::function<void(bool registered)>;

void CompanyLoop(ui::Toolkit& toolkit, fileaccess::SharedFileAccess& access,
                 transfer::ProgressLog& log, const conversion::RunSettings& settings,
                 const RunCompanyFunction& runCompany, const RegisteredFunction& registered = {});

}  // namespace zq::registry
