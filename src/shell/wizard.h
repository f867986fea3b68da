#pragma once
// The wizard: four pages (paths, global data, company data, start) on which
// the operator confirms the two trees and chooses what the conversion does.
// Every choice lands straight in the run settings; the pages are rebuilt
// from them each time they are shown, so choices survive going back and
// forth.

#include <cstdint>
#include <optional>

#include "conversion/run_settings.h"
#include "platform/files.h"
#include "platform/short_string.h"
#include "shell/wizard_page.h"
#include "ui/toolkit.h"

namespace zq::shell {

enum class WizardEnd : std::uint8_t {
  START,   // F5 or "ZACZNIJ" on the start page: the conversion follows
  CANCEL,  // the operator confirmed leaving without converting
};

class Wizard {
 public:
  // `programBaseName` names the path settings file written from page 1.
  Wizard(ui::Toolkit& toolkit, platform::FileSystem& files, conversion::RunSettings& settings,
         const ShortString& programBaseName);

  // The page loop, from the page in Options.WizardPage.
  WizardEnd RunWizard();

 private:
  // Builds, runs and closes one page; the command that ended it, nothing
  // when the page could not be opened.
  std::optional<std::uint16_t> ShowPage();
  PageLayout PathPage();
  PageLayout GlobalDataPage();
  PageLayout CompanyDataPage();
  PageLayout StartPage();
  // Page 1's checks before it may be left forward; they complete the paths
  // with their closing separator and show a box for what they refuse.
  bool ValidatePaths(WizardPage& page);
  // Families go only with the employees and owners.
  void ApplyFamilyRule(WizardPage& page);
  // A target that already has the global address base starts with the
  // global copy turned off.
  void LookAtTargetGlobalBase();

  ui::Toolkit& toolkit_;
  platform::FileSystem& files_;
  conversion::RunSettings& settings_;
  ShortString programBaseName_;
  // The check box "zapisz ustawienie lokalizacji": off at first, then as the
  // operator left it.
  std::uint8_t savePaths_ = 0;
  // The target for which the start page last turned the global copy off.
  std::optional<ShortString> globalCopyTurnedOffFor_;
};

}  // namespace zq::shell
