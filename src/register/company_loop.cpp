#include "register/company_loop.h"

#include "platform/text_literal.h"
#include "register/company_list.h"
#include "register/company_register_file.h"
#include "register/recognition.h"
#include "register/selection_screen.h"
#include "ui/message_box.h"

namespace zq::registry {
namespace {

// Runs every selected company and registers those that were converted.
void ConvertSelected(CompanyList& list, CompanyRegisterFile& target, transfer::ProgressLog& log,
                     const RunCompanyFunction& runCompany) {
  for (std::int32_t index = 1; index <= list.Count(); ++index) {
    const CompanyEntry* entry = list.Entry(index);
    if (!entry || !entry->Selected) continue;
    const ShortString directory = entry->Directory();
    log.ClearLog(true);
    log.LogWriteLn("Kopiowanie  - FIRMA   : "_pl + entry->Name());
    log.LogWriteLn("              Katalog : "_pl + directory);
    // InsertSorted reports its own failures.
    if (runCompany && runCompany(directory)) target.InsertSorted(entry->record);
  }
}

}  // namespace

void CompanyLoop(ui::Toolkit& toolkit, fileaccess::SharedFileAccess& access,
                 transfer::ProgressLog& log, const conversion::RunSettings& settings,
                 const RunCompanyFunction& runCompany) {
  CompanyList list;
  Recognition recognition(access, log, settings);
  if (RecogniseAndSelect(toolkit, recognition, list)) {
    const ShortString name = settings.TargetPath + settings.RegisterFileName;
    CompanyRegisterFile target(access, name);
    if (target.Open(fileaccess::WaitMode::NO_WAIT, fileaccess::OpenMode::OPEN_OR_CREATE)) {
      ConvertSelected(list, target, log, runCompany);
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
