#include "conversion/company_run.h"

#include <array>
#include <cassert>
#include <optional>
#include <string>
#include <vector>

#include "conversion/company_check.h"
#include "conversion/company_text_data.h"
#include "conversion/directory_cleanup.h"
#include "conversion/settings_converters.h"
#include "fileaccess/record_fields.h"
#include "platform/cp852.h"
#include "platform/text_literal.h"
#include "transfer/file_queries.h"
#include "ui/dates.h"
#include "ui/message_box.h"
#include "ui/polish_text.h"

namespace zq::conversion {
namespace {

using platform::IO_OK;

// _zq_daz.rek: the year marker of a company directory.
constexpr std::string_view YEAR_MARKER = "_zq_daz.rek";
constexpr std::size_t YEAR_MARKER_SIZE = 256;
constexpr std::array<std::size_t, 3> YEAR_MARKER_YEARS = {0, 2, 4};
constexpr std::size_t YEAR_MARKER_CONVERTED = 7;
constexpr std::uint16_t NEW_YEAR = 2021;

constexpr std::string_view SUB_FOLDER = "_2021";

// stbazy.rek: one fixed-asset base a record, its name at 51.
constexpr std::size_t ASSET_BASE_LIST_SIZE = 367;
constexpr std::size_t ASSET_BASE_NAME = 51;
constexpr std::size_t ASSET_BASE_NAME_WIDTH = 256;
constexpr std::string_view ASSET_BASE_EXTENSION = ".REK";
// The base that srodki.rek holds; it is copied by its own item.
constexpr std::string_view MAIN_ASSET_BASE = "SRODKI";

constexpr int MONTHS = 12;

// The path of a file named in the item table. Those names are plain and
// short, so the path always fits.
ShortString TableFile(const std::optional<ShortString>& path) {
  assert(path && "a name of the item table that is no file name");
  return path.value_or(ShortString());
}

bool IsMainAssetBase(std::string_view name) {
  ShortString upper(name);
  for (char& c : upper) c = platform::UpCasePL(c);
  return upper.view() == MAIN_ASSET_BASE;
}

// Restores the plain output region on every way out of a run.
class RegionGuard {
 public:
  explicit RegionGuard(ui::Screen& screen) : screen_(screen) {
    screen_.SaveRegion(ui::Rect{}, saved_);
  }
  ~RegionGuard() { screen_.RestoreRegion(saved_); }
  RegionGuard(const RegionGuard&) = delete;
  RegionGuard& operator=(const RegionGuard&) = delete;

 private:
  ui::Screen& screen_;
  ui::Rect saved_;
};

}  // namespace

CompanyRun::CompanyRun(platform::FileSystem& files, transfer::ProgressLog& log,
                       ui::Toolkit& toolkit, transfer::CopyEngine& copier,
                       const RunSettings& settings, RunFlags& flags, StaffTransfer& staff,
                       TaxFormConverters& taxForms, DocumentConverters& documents,
                       AnnualSettings& annualSettings, CompanyMarker& marker)
    : files_(files),
      log_(log),
      toolkit_(toolkit),
      copier_(copier),
      settings_(settings),
      flags_(flags),
      staff_(staff),
      taxForms_(taxForms),
      documents_(documents),
      annualSettings_(annualSettings),
      marker_(marker) {}

bool CompanyRun::RunCompany(const ShortString& directory, bool restart) {
  report_ = {};
  const transfer::CopyTally before = copier_.Tally();
  const std::uint64_t answersBefore = log_.Answers();
  copier_.TakeNotes();
  const bool converted = RunSteps(directory, restart);
  report_.copied = copier_.Tally() - before;
  report_.questions = log_.Answers() - answersBefore;
  if (!converted) {
    // The mark stays: the company is offered again.
    marker_.Release();
    return false;
  }
  report_.outcome = CompanyOutcome::CONVERTED;
  report_.personsTransferred = staff_.TransferredCount();
  report_.personsDropped = staff_.DroppedCount();
  return true;
}

bool CompanyRun::RunSteps(const ShortString& directory, bool restart) {
  flags_.AnnualFrom2021 = false;
  const RegionGuard region(toolkit_.screen);
  const std::optional<CompanyPaths> company = CompanyPaths::For(settings_, directory);
  if (!company) {
    report_.reason = "Niedozwolona nazwa katalogu firmy "_pl + directory;
    ReportFailure(report_.reason);
    return false;
  }
  if (!CheckAnnualFiles(*company)) return false;

  const ShortString markerSource = TableFile(company->SourceFile(YEAR_MARKER));
  std::array<std::uint8_t, YEAR_MARKER_SIZE> marker{};
  {
    int result = IO_OK;
    auto file = files_.Open(markerSource, platform::Access::READ, platform::Share::DENY_NONE,
                            platform::Disposition::OPEN_EXISTING, result);
    if (!file) {
      report_.reason = "Brak dostepu do "_pl + markerSource;
      log_.LogWriteLn(report_.reason);
      log_.WaitForKey();
      return false;
    }
    std::size_t done = 0;
    if (file->Read(marker.data(), marker.size(), done) != IO_OK || done != marker.size()) {
      report_.reason = "Błąd odczytu danych z "_pl + markerSource;
      log_.LogWriteLn(report_.reason);
      file->Close();
      log_.WaitForKey();
      return false;
    }
    file->Close();
  }

  if (!restart && transfer::DirectoryExists(files_, company->TargetDirectory()) &&
      !MayUseExisting(*company)) {
    return false;
  }
  if (!MakeTargetDirectory(*company) || !TakeMarker(*company, restart)) return false;
  log_.PauseIfSlow();
  log_.LogWriteLn("Kopiowanie właściwe"_pl);

  for (std::size_t offset : YEAR_MARKER_YEARS) fileaccess::WriteU16(marker, offset, NEW_YEAR);
  fileaccess::WriteU8(marker, YEAR_MARKER_CONVERTED, 1);
  const ShortString markerTarget = TableFile(company->TargetFile(YEAR_MARKER));
  {
    int result = IO_OK;
    auto file = files_.Open(markerTarget, platform::Access::WRITE, platform::Share::DENY_NONE,
                            platform::Disposition::CREATE_ALWAYS, result);
    if (!file) {
      report_.reason = "Brak dostępu do "_pl + markerTarget;
      log_.LogWriteLn(report_.reason);
      log_.WaitForKey();
      return false;
    }
    std::size_t done = 0;
    // A marker that did not reach the disk whole is a failed write too.
    if (file->Write(marker.data(), marker.size(), done) != IO_OK || done != marker.size() ||
        file->Close() != IO_OK) {
      report_.reason = "Błąd zapisu danych do "_pl + markerTarget;
      log_.LogWriteLn(report_.reason);
      log_.WaitForKey();
      return false;
    }
  }

  annualSettings_.Convert(*company);
  RunItems(*company);
  report_.mismatches = CheckCompany(files_, log_, copier_.TakeNotes(), *company);

  log_.LogWriteLn("Koniec konwersji danych firmy"_pl);
  if (settings_.Options.StopAfterEachCompany != 0) {
    log_.LogWrite("cdn - naciśnij dowolny klawisz."_pl);
    log_.WaitForKey();
  }
  return true;
}

bool CompanyRun::CheckAnnualFiles(const CompanyPaths& company) {
  const ShortString annual2020 = TableFile(company.SourceFile(ANNUAL_FILE_2020));
  if (transfer::FileSizeByName(files_, annual2020) >= 1) return true;
  log_.LogWriteLn("Brak :"_pl + annual2020);
  const ShortString annual2021 = TableFile(company.SourceFile(ANNUAL_FILE_2021));
  if (transfer::FileSizeByName(files_, annual2021) >= 1) return true;
  log_.LogWriteLn("Brak :"_pl + annual2021);
  log_.LogWriteLn();
  report_.reason = "Brak danych za rok 2020 czy 2021"_pl;
  log_.LogWriteLn(report_.reason);
  log_.LogWriteLn("Nie można dokonać konwersji ..."_pl);
  log_.WaitForKey();
  return false;
}

bool CompanyRun::MakeTargetDirectory(const CompanyPaths& company) {
  const ShortString& target = company.TargetDirectory();
  if (transfer::DirectoryExists(files_, target)) return true;
  if (transfer::EntryExists(files_, target)) {
    // A file of the company's name stands where its directory should go.
    report_.reason = "W miejscu katalogu firmy jest plik "_pl + target;
    ReportFailure(report_.reason);
    return false;
  }
  if (files_.MakeDirectory(target) != IO_OK) {
    report_.reason = "Błąd utworzenia katalogu firmy "_pl + target;
    ui::ShowError(toolkit_, "\x03Utworzenia katalogu firmy\x0d\x03"_pl + target);
    return false;
  }
  return true;
}

bool CompanyRun::MayUseExisting(const CompanyPaths& company) {
  const MarkerLook marker = LookAtMarker(files_, company.TargetDirectory());
  switch (marker.state) {
    case MarkerState::HELD:
      Skip(CompanyOutcome::HELD_ELSEWHERE, "Firmę konwertuje teraz: "_pl + marker.text);
      return false;
    case MarkerState::UNFINISHED:
      Skip(CompanyOutcome::DIRECTORY_EXISTS, "Niedokończona konwersja z "_pl + marker.text);
      return false;
    case MarkerState::ABSENT:
      break;
  }
  // Converted by another converter since the recognition.
  if (transfer::EntryExists(files_, TableFile(company.TargetFile(YEAR_MARKER)))) {
    Skip(CompanyOutcome::DIRECTORY_EXISTS,
         "Odnaleziono katalog docelowy "_pl + company.TargetDirectory());
    return false;
  }
  return true;
}

bool CompanyRun::TakeMarker(const CompanyPaths& company, bool restart) {
  const MarkerLook marker = marker_.Claim(company.TargetDirectory());
  if (marker.state == MarkerState::HELD) {
    Skip(CompanyOutcome::HELD_ELSEWHERE, "Firmę konwertuje teraz: "_pl + marker.text);
    return false;
  }
  if (marker.state == MarkerState::ABSENT) {
    // The mark only helps a later run: its absence does not stop this one.
    log_.SetLogColour(transfer::LOG_ERROR);
    log_.LogWriteLn("Nie można oznaczyć firmy jako niedokończonej w "_pl +
                    company.TargetDirectory());
  }
  if (restart && !EmptyDirectory(files_, company.TargetDirectory(), COMPANY_MARKER)) {
    report_.reason = "Nie można opróżnić katalogu "_pl + company.TargetDirectory();
    ReportFailure(report_.reason);
    return false;
  }
  return true;
}

void CompanyRun::Skip(CompanyOutcome outcome, const ShortString& reason) {
  report_.outcome = outcome;
  report_.reason = reason;
  log_.SetLogColour(transfer::LOG_ERROR);
  log_.LogWriteLn(reason);
}

void CompanyRun::RunItems(const CompanyPaths& company) {
  subFolderPending_ = true;
  for (const CompanyItem& item : COMPANY_ITEMS) {
    if (Chosen(item.condition)) RunItem(company, item);
  }
}

bool CompanyRun::Chosen(const Condition& condition) const {
  const ConversionOptions& options = settings_.Options;
  switch (condition.set) {
    case OptionSet::ALWAYS:
      return true;
    case OptionSet::ANNUAL_FROM_2021:
      return flags_.AnnualFrom2021;
    case OptionSet::COMPANY:
      return ui::BitsSet(condition.bits, options.CompanyItems);
    case OptionSet::ENTERED_2021:
      return ui::BitsSet(condition.bits, options.Entered2021Items);
    case OptionSet::DLL:
      return ui::BitsSet(condition.bits, options.DllProgramItems);
    case OptionSet::EXTRA_FILES:
      return !settings_.ExtraFiles.empty();
  }
  return false;
}

void CompanyRun::RunItem(const CompanyPaths& company, const CompanyItem& item) {
  switch (item.headingStyle) {
    case Heading::LINE:
      log_.LogWriteLn(item.heading);
      break;
    case Heading::OPEN:
      log_.LogWrite(item.heading);
      break;
    case Heading::NONE:
      break;
  }
  const auto source = [&] { return TableFile(company.SourceFile(item.source)); };
  const auto target = [&] {
    return TableFile(company.TargetFile(item.target.empty() ? item.source : item.target));
  };
  switch (item.operation) {
    case Operation::WHOLE_FILE:
      copier_.CopyWholeFile(source(), target());
      break;
    case Operation::NAMED_FILE:
      CopyNamedFile(company, item.source);
      break;
    case Operation::MATCHING_FILES:
      CopyMatchingFiles(company, item.source);
      break;
    case Operation::TEXT_FILE:
      copier_.CopyTextFile(source(), target(), {});
      break;
    case Operation::RECORD_COPY:
      copier_.CopyRecordFile(source(), target(), item.sourceSize, FilterFor(item.conversion));
      break;
    case Operation::RECORD_CONVERT:
      copier_.ConvertRecordFile(source(), target(), item.sourceSize, item.targetSize,
                                ConverterFor(item.conversion));
      break;
    case Operation::COMPANY_TEXT:
      ConvertCompanyText(files_, toolkit_, source(), target(), flags_.PreviousDataPath);
      break;
    case Operation::STAFF_RESET:
      staff_.Reset(settings_.Options.StaffTransferMode);
      break;
    case Operation::TAX_FORM:
      ConvertTaxForm(company, item);
      break;
    case Operation::EXTRA_FILES:
      CopyExtraFiles(company);
      break;
    case Operation::WAGE_SETTINGS:
      CopyWageSettings(company, item);
      break;
    case Operation::MONTH_LOOP:
      ConvertMonths(company, item);
      break;
    case Operation::CONTRACTS:
      ConvertContracts(company, item);
      break;
    case Operation::DRA_FILES:
      CopyDraFiles(company, item);
      break;
    case Operation::ASSET_BASES:
      CopyAssetBases(company, item);
      break;
    case Operation::SUB_FOLDER:
      CopySubFolder(company, item);
      break;
  }
}

void CompanyRun::ConvertTaxForm(const CompanyPaths& company, const CompanyItem& item) {
  const ShortString current = TableFile(company.SourceFile(item.source));
  if (transfer::FileSizeByName(files_, current) < 1) {
    flags_.FromPreviousYear = true;
  } else if (flags_.AnnualFrom2021) {
    flags_.FromPreviousYear = false;
  } else {
    // The operator decides whether this year's form is kept as it stands.
    flags_.FromPreviousYear = !copier_.AskKeepExisting(item.target);
  }
  const ShortString source =
      flags_.FromPreviousYear ? TableFile(company.SourceFile(item.alternative)) : current;
  copier_.ConvertRecordFile(source, TableFile(company.TargetFile(item.target)), item.sourceSize,
                            item.targetSize, ConverterFor(item.conversion));
}

void CompanyRun::CopyExtraFiles(const CompanyPaths& company) {
  for (const ShortString& entry : settings_.ExtraFiles) CopyNamedFile(company, entry);
}

void CompanyRun::CopyWageSettings(const CompanyPaths& company, const CompanyItem& item) {
  // A company already working in 2021 keeps the settings it has for it.
  if (flags_.AnnualFrom2021 &&
      transfer::FileSizeByName(files_, TableFile(company.SourceFile(item.target))) > 0) {
    return;
  }
  copier_.CopyRecordFile(TableFile(company.SourceFile(item.source)),
                         TableFile(company.TargetFile(item.target)), item.sourceSize,
                         FilterFor(item.conversion));
}

void CompanyRun::ConvertMonths(const CompanyPaths& company, const CompanyItem& item) {
  const auto documents = [this](auto source, auto target) {
    return documents_.ConvertDazDocument(source, target);
  };
  const auto repayments = [this](auto source, auto target) {
    return documents_.ConvertRepayment(source, target);
  };
  for (int month = 1; month <= MONTHS; ++month) {
    // January extends what the new tree holds already, without a question.
    copier_.SetAppendToExisting(month == 1);
    const ShortString suffix = ui::IntToStr(month);
    const ShortString monthName = ui::MonthName(month);
    ConvertMonthFile(company, ShortString(item.source) + suffix, item.sourceSize,
                     "Konwertuję zapisy : "_pl + monthName, documents);
    ConvertMonthFile(company, ShortString(item.alternative) + suffix, item.alternativeSize,
                     "Konwertuję spłaty : "_pl + monthName, repayments);
  }
}

void CompanyRun::ConvertMonthFile(const CompanyPaths& company, std::string_view name,
                                  std::uint16_t size, std::string_view heading,
                                  const transfer::RecordConverter& converter) {
  const ShortString source = TableFile(company.SourceFile(name));
  if (transfer::FileSizeByName(files_, source) == 0) return;
  log_.LogWriteLn(heading);
  copier_.ConvertRecordFile(source, TableFile(company.TargetFile(name)), size, size, converter);
  HideConverted(source);
}

void CompanyRun::ConvertContracts(const CompanyPaths& company, const CompanyItem& item) {
  const ShortString current = TableFile(company.SourceFile(item.source));
  const ShortString target = TableFile(company.TargetFile(item.source));
  if (transfer::FileSizeByName(files_, current) >= 1) {
    copier_.ConvertRecordFile(
        current, target, item.sourceSize, item.targetSize,
        [this](auto source, auto converted) { return staff_.ConvertContract(source, converted); });
    return;
  }
  const ShortString old = TableFile(company.SourceFile(item.alternative));
  if (transfer::FileSizeByName(files_, old) > 0) {
    copier_.ConvertRecordFile(old, target, item.alternativeSize, item.targetSize,
                              [this](auto source, auto converted) {
                                return staff_.ConvertOldContract(source, converted);
                              });
  }
}

void CompanyRun::CopyDraFiles(const CompanyPaths& company, const CompanyItem& item) {
  std::vector<platform::DirEntry> found;
  files_.Search(SearchPattern(company.SourceDirectory(), item.source), platform::ATTR_FILES, found);
  long number = 0;
  for (const platform::DirEntry& entry : found) {
    log_.LogWrite(ui::IntToStr(++number) + ". :"_pl + entry.name);
    const auto source = company.SourceFile(entry.name);
    const auto target = company.TargetFile(entry.name);
    if (!source || !target) {
      ReportBadName(entry.name);
      continue;
    }
    copier_.CopyWholeFile(*source, *target);
  }
}

void CompanyRun::CopyAssetBases(const CompanyPaths& company, const CompanyItem& item) {
  const ShortString list = TableFile(company.SourceFile(item.source));
  if (transfer::FileSizeByName(files_, list) == 0) return;
  int result = IO_OK;
  auto file = files_.Open(list, platform::Access::READ, platform::Share::DENY_NONE,
                          platform::Disposition::OPEN_EXISTING, result);
  if (!file) return;
  std::array<std::uint8_t, ASSET_BASE_LIST_SIZE> record{};
  std::size_t done = 0;
  // A record that cannot be read whole ends the list without a word.
  while (file->Read(record.data(), record.size(), done) == IO_OK && done == record.size()) {
    const ShortString base =
        fileaccess::ReadShortString(record, ASSET_BASE_NAME, ASSET_BASE_NAME_WIDTH);
    if (IsMainAssetBase(base)) continue;
    // Built at full length: a name cut to fit would name another file.
    const std::string name = base.str() + std::string(ASSET_BASE_EXTENSION);
    const auto source = company.SourceFile(name);
    const auto target = company.TargetFile(name);
    if (!source || !target) {
      ReportBadName(name);
      continue;
    }
    copier_.CopyRecordFile(*source, *target, item.sourceSize, {});
  }
  file->Close();
}

void CompanyRun::CopySubFolder(const CompanyPaths& company, const CompanyItem& item) {
  const ShortString sourceFolder = TableFile(company.SourceFile(SUB_FOLDER));
  const ShortString targetFolder = TableFile(company.TargetFile(SUB_FOLDER));
  std::vector<platform::DirEntry> found;
  files_.Search(SearchPattern(sourceFolder, item.source), platform::ATTR_ANY, found);
  for (const platform::DirEntry& entry : found) {
    if (subFolderPending_) {
      // Made with the first file found, so a company without such files
      // gets no empty folder.
      if (!transfer::DirectoryExists(files_, targetFolder) &&
          files_.MakeDirectory(targetFolder) != IO_OK) {
        log_.LogWriteLn("Błąd utworzenia folderu "_pl + targetFolder);
        return;
      }
      subFolderPending_ = false;
    }
    const auto source = FileIn(sourceFolder, entry.name);
    const auto target = FileIn(targetFolder, entry.name);
    if (!source || !target) {
      ReportBadName(entry.name);
      continue;
    }
    copier_.CopyRecordFile(*source, *target, item.sourceSize, {});
  }
}

void CompanyRun::CopyNamedFile(const CompanyPaths& company, std::string_view entry) {
  const std::size_t arrow = entry.find('>');
  const std::string_view sourceName = entry.substr(0, arrow);
  const std::string_view targetName =
      arrow == std::string_view::npos ? sourceName : entry.substr(arrow + 1);
  // An empty entry names no file.
  if (sourceName.empty()) return;
  const auto source = company.SourceFile(sourceName);
  const auto target = company.TargetFile(targetName);
  if (!source || !target) {
    ReportBadName(entry);
    return;
  }
  copier_.CopyWholeFile(*source, *target);
}

void CompanyRun::CopyMatchingFiles(const CompanyPaths& company, std::string_view mask) {
  std::vector<platform::DirEntry> found;
  files_.Search(SearchPattern(company.SourceDirectory(), mask), platform::ATTR_ANY, found);
  for (const platform::DirEntry& entry : found) {
    const auto source = company.SourceFile(entry.name);
    const auto target = company.TargetFile(entry.name);
    if (!source || !target) {
      ReportBadName(entry.name);
      continue;
    }
    copier_.CopyWholeFile(*source, *target);
  }
}

void CompanyRun::HideConverted(const ShortString& source) {
  if (settings_.Options.HideConvertedFiles == 0) return;
  const ShortString hidden = source + '~';
  // A file hidden by an earlier run is never replaced.
  if (transfer::EntryExists(files_, hidden) || files_.Rename(source, hidden) != IO_OK) {
    log_.LogWriteLn("Błąd zmiany nazwy pliku "_pl + source);
    return;
  }
  log_.LogWriteLn("Zmiana nazwy pliku "_pl + source + " na "_pl + hidden);
}

transfer::RecordConverter CompanyRun::ConverterFor(Conversion conversion) {
  switch (conversion) {
    case Conversion::UNCHANGED:
      return [](auto source, auto target) { return CopyUnchanged(source, target); };
    case Conversion::COLUMN_SUMS:
      return [](auto source, auto target) { return ConvertColumnSums(source, target); };
    case Conversion::EMPLOYEES:
      return [this](auto source, auto target) { return staff_.ConvertEmployee(source, target); };
    case Conversion::FAMILIES:
      return
          [this](auto source, auto target) { return staff_.ConvertFamilyMember(source, target); };
    case Conversion::PID5:
      return [this](auto source, auto target) { return taxForms_.ConvertPid5(source, target); };
    case Conversion::PIT28:
      return [this](auto source, auto target) { return taxForms_.ConvertPit28(source, target); };
    case Conversion::NO_FILTER:
    case Conversion::WAGE_SETTINGS_FILTER:
    case Conversion::WAGE_FILTER:
      break;
  }
  assert(!"no converter of that kind");
  return {};
}

transfer::RecordFilter CompanyRun::FilterFor(Conversion conversion) {
  switch (conversion) {
    case Conversion::NO_FILTER:
      return {};
    case Conversion::WAGE_SETTINGS_FILTER:
      return [](auto record) { return FilterWageSettings(record); };
    case Conversion::WAGE_FILTER:
      return [this](auto record) { return staff_.FilterWage(record); };
    default:
      break;
  }
  assert(!"no filter of that kind");
  return {};
}

void CompanyRun::ReportBadName(std::string_view name) {
  ReportFailure("Pominięto niedozwoloną nazwę pliku "_pl + name);
}

void CompanyRun::ReportFailure(std::string_view text) {
  log_.SetLogColour(transfer::LOG_ERROR);
  log_.LogWriteLn(text);
  log_.WaitForKey();
}

}  // namespace zq::conversion
