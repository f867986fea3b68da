#pragma once
// A sample accounting office: the 2020 data tree with its company register,
// its global data and one directory per company, and the 2021 tree that the
// converter fills. Every file is built from named fields (record_builders.h)
// or written out as text; nothing is copied from anywhere. The same
// generator makes the tests' small office and a benchmark's large one: the
// options choose the number of companies and the records per file, and a seed
// varies the amounts, dates and filler bytes.
//
// Files are written through the program's FileSystem, so names are CP852 in
// the plan and whatever the platform keeps on its disk. A file that cannot
// be written throws SampleWriteError.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "platform/files.h"
#include "platform/short_string.h"

namespace zq::sample {

struct SampleWriteError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct SampleOfficeOptions {
  int companies = 12;
  int records = 3;  // records of each record file (employees, forms, assets...)
  std::uint32_t seed = 2020;
};

// Where a company of the register stands before the conversion.
enum class CompanyPlace {
  SOURCE,          // its directory is in the 2020 tree only: it can be converted
  ALREADY_TARGET,  // a directory of its name exists in the 2021 tree already
  MISSING,         // the register names a directory that exists in neither tree
};

// What one company holds. PlanOffice varies it from company to company; a test
// takes a plan and changes what it needs before WriteCompany.
struct CompanyPlan {
  int number = 1;  // 1-based place in the register
  ShortString name;
  ShortString directory;
  ShortString info;
  CompanyPlace place = CompanyPlace::SOURCE;

  bool annual2020 = true;           // 2020_ROK.REK
  bool annual2021 = false;          // 2021_ROK.REK and the VAT files of 2021
  bool vatProportional = false;     // settles VAT in proportion
  bool decemberOpen = false;        // December 2020 not closed
  bool currentTaxForms = false;     // 2021P5.REK and 2021_P28.REK besides the 2020 ones
  bool oldFormatContracts = false;  // 2021UZ3.REK instead of 2021UZ5.REK
  bool wageSettings2021 = false;    // 2021_lp2.cc besides 2020_lp2.cc
  int documentMonths = 1;           // 2021K990.1 .. 2021K990.n
  int repaymentMonths = 1;          // 2021SP.1 .. 2021SP.n
  int draFiles = 0;                 // 2021D501.KED ...
  // stbazy.rek names these bases; each but "Srodki" gets its own file.
  std::vector<ShortString> assetBases;
  bool kilometres410 = false;  // *.cel, tras*.rek, km.cnf ...
  bool kstFiles = false;       // _2021/*.kst
  bool wyjFiles = false;       // _2021/*.wyj
  bool kilometres510 = false;  // km__*.rek, km21*.rek
};

// The companies of an office of that size, in register order. The third
// company's directory already exists in the 2021 tree and the sixth company's
// directory is missing (when there are that many).
std::vector<CompanyPlan> PlanOffice(const SampleOfficeOptions& options);

// Writes `root`/DAZ_2020 and `root`/DAZ_2021 into the existing directory
// `root` (without a closing separator) and returns the plan written.
std::vector<CompanyPlan> WriteSampleOffice(platform::FileSystem& files, const ShortString& root,
                                           const SampleOfficeOptions& options);

// The register SPISFIRM.DAT of these companies.
void WriteRegister(platform::FileSystem& files, const ShortString& path,
                   const std::vector<CompanyPlan>& companies);
// The files of #BIN020 into an existing directory.
void WriteGlobalData(platform::FileSystem& files, const ShortString& directory,
                     const SampleOfficeOptions& options);
// Creates the company's directory and writes its files.
void WriteCompany(platform::FileSystem& files, const ShortString& directory,
                  const CompanyPlan& company, const SampleOfficeOptions& options);

}  // namespace zq::sample
