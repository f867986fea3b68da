#include "register/company_loop.h"

#include "platform/text_literal.h"
#include "register/company_list.h"
#include "register/company_register_file.h"
#include "register/recognition.h"
#include "register/run_summary.h"
#include "register/selection_screen.h"
#include "ui/commands.h"
#include "ui/message_box.h"

namespace zq::registry {
namespace {

// An unfinished company starts over from an empty directory only when the
// operator agrees.
bool ConfirmRestart(ui::Toolkit& toolkit, const CompanyEntry& entry) {
  const ShortString text = "\x03Niedokończona konwersja firmy\x0d\x03"_pl + entry.Directory() +
                           " z "_pl + entry.unfinished.view().substr(0, 19) +
                           "\x0d\x03Usunąć jej dane z katalogu\x0d\x03i konwertować od nowa?"_pl;
  return ui::MessageBox(toolkit, ui::MB_CONFIRMATION | ui::MB_YES | ui::MB_NO, text, ui::BOX_HEIGHT,
                        ui::BOX_WIDTH, ui::BOX_TOP, ui::BOX_LEFT) == ui::CM_YES;
}

// Runs every selected company and registers those that were converted; a
// summary row for every listed company.
std::vector<SummaryRow> ConvertSelected(ui::Toolkit& toolkit, CompanyList& list,
                                        CompanyRegisterFile& target, transfer::ProgressLog& log,
                                        const RunCompanyFunction& runCompany,
                                        const RegisteredFunction& registered) {
  std::vector<SummaryRow> rows;
  for (std::int32_t index = 1; index <= list.Count(); ++index) {
    const CompanyEntry* entry = list.Entry(index);
    if (!entry) continue;
    SummaryRow& row = rows.emplace_back(SummaryRow{entry->Name(), entry->Directory(), {}});
    if (!entry->Selected) {
      row.report.outcome = conversion::CompanyOutcome::NOT_SELECTED;
      continue;
    }
    const bool restart = !entry->unfinished.empty();
    if (restart && !ConfirmRestart(toolkit, *entry)) {
      row.report.outcome = conversion::CompanyOutcome::NOT_RESTARTED;
      row.report.reason = "Konwersja z "_pl + entry->unfinished;
      continue;
    }
    log.ClearLog(true);
    log.LogWriteLn("Kopiowanie  - FIRMA   : "_pl + row.name);
    log.LogWriteLn("              Katalog : "_pl + row.directory);
    if (runCompany) row.report = runCompany(row.directory, restart);
    if (row.report.outcome != conversion::CompanyOutcome::CONVERTED) continue;
    // InsertSorted reports its own failures.
    const bool inserted = target.InsertSorted(entry->record);
    if (!inserted) {
      row.report.outcome = conversion::CompanyOutcome::UNREGISTERED;
      row.report.reason = "Nie dopisano firmy do "_pl + target.GetName();
    }
    if (registered) registered(inserted);
  }
  return rows;
}

}  // namespace

void CompanyLoop(ui::Toolkit& toolkit, fileaccess::SharedFileAccess& access,
                 transfer::ProgressLog& log, const conversion::RunSettings& settings,
                 const RunCompanyFunction& runCompany, const RegisteredFunction& registered) {
  CompanyList list;
  Recognition recognition(access, log, settings);
  if (RecogniseAndSelect(toolkit, recognition, list)) {
    const ShortString name = settings.TargetPath + settings.RegisterFileName;
    CompanyRegisterFile target(access, name);
    if (target.Open(fileaccess::WaitMode::NO_WAIT, fileaccess::OpenMode::OPEN_OR_CREATE)) {
      const auto summary =
          SummaryLines(ConvertSelected(toolkit, list, target, log, runCompany, registered));
      WriteSummary(log, summary);
      ShowSummary(toolkit, summary);
    } else {
      ui::ShowError(toolkit,
                    "\x03"
                    "Brak dostepu do pliku\x0d\x03"_pl +
                        name);
    }
  }
  list.Release();
  log.ClearLog(false);
}

}  // namespace zq::registry
