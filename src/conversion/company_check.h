#pragma once
// The check after a company's run: every file copied or converted holds as
// many records as its source gave, less those the converters left out on
// purpose, and the 2021 opening balance of the annual settings is the 2020
// closing balance. Each mismatch is a line in the alarm colour.

#include <cstdint>

#include "conversion/company_paths.h"
#include "platform/files.h"
#include "transfer/copy_tally.h"
#include "transfer/progress_log.h"

namespace zq::conversion {

// The number of mismatches found.
std::uint32_t CheckCompany(platform::FileSystem& files, transfer::ProgressLog& log,
                           const transfer::CopyNotes& notes, const CompanyPaths& company);

}  // namespace zq::conversion
