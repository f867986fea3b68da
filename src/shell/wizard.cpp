#include "shell/wizard.h"

#include <algorithm>
#include <optional>

#include "platform/text_literal.h"
#include "shell/path_settings.h"
#include "transfer/file_queries.h"
#include "ui/ask_yes_no.h"
#include "ui/commands.h"
#include "ui/message_box.h"
#include "ui/polish_text.h"

namespace zq::shell {
namespace {

constexpr std::uint8_t PATH_PAGE = 1;
constexpr std::uint8_t GLOBAL_DATA_PAGE = 2;
constexpr std::uint8_t COMPANY_DATA_PAGE = 3;

// Controls the page handlers reach by their index (labels are not controls).
constexpr int SOURCE_PATH_LINE = 1;
constexpr int TARGET_PATH_LINE = 2;
constexpr int COMPANY_ITEMS_GROUP = 1;

constexpr int CANCEL_QUESTION_ROW = 10;
constexpr int CANCEL_QUESTION_COLUMN = 10;

bool EndsWithSeparator(const ShortString& path) {
  return !path.empty() && platform::IsPathSeparator(path.back());
}

// A path as the file system sees it, for telling whether two paths name the
// same tree: letter case and the kind of separator do not matter.
ShortString TreeKey(const ShortString& path) {
  ShortString key = ui::UpperCasePL(path);
  for (char& c : key) {
    if (platform::IsPathSeparator(c)) c = platform::PATH_SEPARATOR;
  }
  return key;
}

}  // namespace

Wizard::Wizard(ui::Toolkit& toolkit, platform::FileSystem& files, conversion::RunSettings& settings,
               const ShortString& programBaseName)
    : toolkit_(toolkit), files_(files), settings_(settings), programBaseName_(programBaseName) {}

WizardEnd Wizard::RunWizard() {
  conversion::ConversionOptions& options = settings_.Options;
  for (;;) {
    options.WizardPage = std::clamp<std::uint8_t>(options.WizardPage, 1, options.LastWizardPage);
    const std::optional<std::uint16_t> command = ShowPage();
    // A page that cannot be shown cannot be answered either: the run ends as
    // if the operator had left it.
    if (!command) return WizardEnd::CANCEL;
    switch (*command) {
      case ui::CM_CANCEL:
        if (ui::AskYesNo(toolkit_, false, "Rezygnujesz z konwersji danych na nowy rok ?"_pl,
                         CANCEL_QUESTION_ROW, CANCEL_QUESTION_COLUMN)) {
          return WizardEnd::CANCEL;
        }
        break;
      case CM_BACK:
        if (options.WizardPage > 1) --options.WizardPage;
        break;
      case CM_NEXT:
        if (options.WizardPage < options.LastWizardPage) ++options.WizardPage;
        break;
      case CM_START:
        return WizardEnd::START;
      default:
        break;
    }
  }
}

std::optional<std::uint16_t> Wizard::ShowPage() {
  const std::uint8_t number = settings_.Options.WizardPage;
  if (number > COMPANY_DATA_PAGE) LookAtTargetGlobalBase();  // the start page, before its controls
  const PageLayout layout = number == PATH_PAGE           ? PathPage()
                            : number == GLOBAL_DATA_PAGE  ? GlobalDataPage()
                            : number == COMPANY_DATA_PAGE ? CompanyDataPage()
                                                          : StartPage();
  const auto page = BuildPage(toolkit_, layout);
  if (!page) return std::nullopt;
  if (number == PATH_PAGE) {
    page->SetGuard([this](WizardPage& shown, std::uint16_t) { return ValidatePaths(shown); });
  }
  if (number == COMPANY_DATA_PAGE) {
    page->SetEventRule([this](WizardPage& shown) { ApplyFamilyRule(shown); });
  }
  return page->Execute();
}

bool Wizard::ValidatePaths(WizardPage& page) {
  ShortString& source = settings_.SourcePath;
  ShortString& target = settings_.TargetPath;
  const ShortString& registerName = settings_.RegisterFileName;
  if (!EndsWithSeparator(source)) {
    source += platform::PATH_SEPARATOR;
    page.ControlAt(SOURCE_PATH_LINE).Draw();
  }
  if (transfer::FileSizeByName(files_, source + registerName) == 0) {
    ui::ShowError(toolkit_, "Brak pliku "_pl + registerName + "\x0dMusisz wskazać katalog\x0d"_pl +
                                "głównym programu DAZ_ZQ"_pl);
    page.FocusControl(SOURCE_PATH_LINE);
    return false;
  }
  if (!target.empty() && !EndsWithSeparator(target)) {
    target += platform::PATH_SEPARATOR;
    page.ControlAt(TARGET_PATH_LINE).Draw();
  }
  // A drive root ("C:\") or an empty target is not looked for.
  if (target.size() > 3) {
    ShortString directory = target;
    directory.Truncate(directory.size() - 1);
    if (!transfer::DirectoryExists(files_, directory)) {
      ui::ShowError(toolkit_,
                    "\x03"
                    "Brak katalogu\x0d\x03"_pl +
                        target);
      return false;
    }
  }
  if (TreeKey(target) == TreeKey(source)) {
    ui::ShowError(toolkit_, "\x03Katalogi nię mogą być identyczne !"_pl);
    page.FocusControl(TARGET_PATH_LINE);
    return false;
  }
  if (savePaths_) WritePathSettings(files_, programBaseName_, source, target);
  return true;
}

void Wizard::ApplyFamilyRule(WizardPage& page) {
  std::uint16_t& items = settings_.Options.CompanyItems;
  if ((items & conversion::CI_STAFF) == 0 && (items & conversion::CI_FAMILIES) != 0) {
    items = static_cast<std::uint16_t>(items & ~conversion::CI_FAMILIES);
    page.ControlAt(COMPANY_ITEMS_GROUP).Draw();
  }
}

void Wizard::LookAtTargetGlobalBase() {
  const ShortString base =
      settings_.TargetPath + "#BIN021"_pl + platform::PATH_SEPARATOR + "baza_ad8.rek"_pl;
  if (transfer::FileSizeByName(files_, base) == 0) return;
  // The first time the page is shown for this target the copy is turned
  // off; later the operator's own choice stands.
  if (globalCopyTurnedOffFor_ &&
      TreeKey(*globalCopyTurnedOffFor_) == TreeKey(settings_.TargetPath)) {
    return;
  }
  std::uint16_t& start = settings_.Options.StartItems;
  start = static_cast<std::uint16_t>(start & ~conversion::START_GLOBAL_DATA);
  globalCopyTurnedOffFor_ = settings_.TargetPath;
}

}  // namespace zq::shell
