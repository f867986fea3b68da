#pragma once
// The conversion of one company: its files carried from its directory in the
// source tree into a new directory of the target tree. The run checks the
// annual settings, creates the directory and its year marker, converts the
// annual settings and then walks the item list (company_items.h). A failing
// item never stops the run; only the checks before the item list end it
// without success, and then the company is not added to the target register.
//
// Every path goes through CompanyPaths: a name read from stbazy.rek or from
// the extra file list that is not a plain name copies nothing and is
// reported, so no data file can lead the run outside the company's
// directories.

#include <string_view>

#include "conversion/annual_settings.h"
#include "conversion/company_items.h"
#include "conversion/company_marker.h"
#include "conversion/company_paths.h"
#include "conversion/company_report.h"
#include "conversion/document_converters.h"
#include "conversion/run_flags.h"
#include "conversion/run_settings.h"
#include "conversion/staff_transfer.h"
#include "conversion/tax_form_converters.h"
#include "platform/files.h"
#include "platform/short_string.h"
#include "transfer/copy_engine.h"
#include "transfer/progress_log.h"
#include "ui/toolkit.h"

namespace zq::conversion {

class CompanyRun {
 public:
  CompanyRun(platform::FileSystem& files, transfer::ProgressLog& log, ui::Toolkit& toolkit,
             transfer::CopyEngine& copier, const RunSettings& settings, RunFlags& flags,
             StaffTransfer& staff, TaxFormConverters& taxForms, DocumentConverters& documents,
             AnnualSettings& annualSettings, CompanyMarker& marker);

  // True when the run reached its end ("Koniec konwersji danych firmy");
  // false when it stopped before the item list. `restart` takes up a company
  // whose earlier run stopped half-way: its target directory is emptied first.
  // A converted company stays marked unfinished (the marker held) until the
  // caller has registered it and calls the marker's Finish.
  bool RunCompany(const ShortString& directory, bool restart = false);
  // What the last run did, for the summary.
  const CompanyReport& Report() const { return report_; }

 private:
  bool RunSteps(const ShortString& directory, bool restart);
  // Whether a target directory that is there already may be converted into:
  // not when another converter holds it or has left it converted or half-done.
  bool MayUseExisting(const CompanyPaths& company);
  // Marks the company unfinished and, for a restart, empties its directory.
  bool TakeMarker(const CompanyPaths& company, bool restart);
  // The company is not run: why, in the log and in the report.
  void Skip(CompanyOutcome outcome, const ShortString& reason);
  bool CheckAnnualFiles(const CompanyPaths& company);
  bool MakeTargetDirectory(const CompanyPaths& company);
  bool WriteYearMarker(const CompanyPaths& company);
  void RunItems(const CompanyPaths& company);
  bool Chosen(const Condition& condition) const;
  void RunItem(const CompanyPaths& company, const CompanyItem& item);

  // The special items.
  void ConvertTaxForm(const CompanyPaths& company, const CompanyItem& item);
  void CopyExtraFiles(const CompanyPaths& company);
  void CopyWageSettings(const CompanyPaths& company, const CompanyItem& item);
  void ConvertMonths(const CompanyPaths& company, const CompanyItem& item);
  void ConvertMonthFile(const CompanyPaths& company, std::string_view name, std::uint16_t size,
                        std::string_view heading, const transfer::RecordConverter& converter);
  void ConvertContracts(const CompanyPaths& company, const CompanyItem& item);
  void CopyDraFiles(const CompanyPaths& company, const CompanyItem& item);
  void CopyAssetBases(const CompanyPaths& company, const CompanyItem& item);
  void CopySubFolder(const CompanyPaths& company, const CompanyItem& item);

  // `entry` is "source>target" or one name for both.
  void CopyNamedFile(const CompanyPaths& company, std::string_view entry);
  void CopyMatchingFiles(const CompanyPaths& company, std::string_view mask);
  // Renames a converted source file to its name + "~", when the operator
  // asked for it.
  void HideConverted(const ShortString& source);

  transfer::RecordConverter ConverterFor(Conversion conversion);
  transfer::RecordFilter FilterFor(Conversion conversion);
  // A line for a name from a data file that cannot be a file of the company.
  void ReportBadName(std::string_view name);
  void ReportFailure(std::string_view text);

  platform::FileSystem& files_;
  transfer::ProgressLog& log_;
  ui::Toolkit& toolkit_;
  transfer::CopyEngine& copier_;
  const RunSettings& settings_;
  RunFlags& flags_;
  StaffTransfer& staff_;
  TaxFormConverters& taxForms_;
  DocumentConverters& documents_;
  AnnualSettings& annualSettings_;
  CompanyMarker& marker_;
  // The target sub-folder _2021 is still to be made for this company.
  bool subFolderPending_ = true;
  CompanyReport report_;
};

}  // namespace zq::conversion
