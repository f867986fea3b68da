#include "shell/converter.h"

#include "shell/run_record_header.h"
#include "transfer/run_log_file.h"

#include "platform/text_literal.h"
#include "register/company_loop.h"
#include "shell/command_line.h"
#include "shell/global_data_copy.h"
#include "shell/path_settings.h"
#include "shell/wizard.h"
#include "ui/polish_text.h"

namespace zq::shell {
namespace {

// The saved record of every conversion, appended run after run.
constexpr ShortString RUN_LOG_NAME = "zq20-21.log"_pl;
constexpr ShortString TITLE = "zqTarvo - Konwerter 2020 - 2021"_pl;
constexpr ShortString BANNER =
    " PROGRAM DO PRZEPCHNIĘCIA DANYCH DAZ_ZQ Z ROKU 2020 NA 2021 1.02(x86)"_pl;
constexpr std::uint8_t BANNER_COLOUR = 10;
constexpr std::uint8_t RULE_COLOUR = 15;
constexpr std::uint8_t TEXT_COLOUR = 7;
constexpr char RULE_CHARACTER = '\xC4';  // "─"

// This station and its operator, as other converters are told who holds a
// company.
ShortString Station(const platform::Process& process) {
  const auto first = [&process](std::string_view one, std::string_view other) {
    return process.GetEnv(one).value_or(process.GetEnv(other).value_or("?"_pl));
  };
  return "stacja "_pl + first("COMPUTERNAME", "HOSTNAME") + ", operator "_pl +
         first("USERNAME", "USER");
}

ShortString Rule(std::size_t length) {
  ShortString rule;
  rule.Resize(length, RULE_CHARACTER);
  return rule;
}

}  // namespace

Converter::Converter(platform::Platform& platform)
    : platform_(platform),
      colours_(platform.files),
      screen_(platform.console),
      events_(platform.console, platform.clock, screen_, colours_),
      sound_(platform.sound, platform.clock, platform.console),
      toolkit_(screen_, colours_, events_, sound_, platform.clipboard),
      tempFiles_(platform.files, platform.process, platform.clock, random_),
      fileAccess_{platform.files, toolkit_, platform.clock, tempFiles_, {}},
      log_(screen_, colours_, platform.clock, settings_.Options.ShowSlowly),
      copyEngine_(platform.files, log_),
      staff_(log_, platform.clock),
      taxForms_(log_, settings_.Options, flags_),
      documents_(log_, settings_.Options, copyEngine_.RecordCopyCounter()),
      annualSettings_(platform.files, log_, toolkit_, settings_, flags_),
      companyMarker_(platform.files, platform.clock, Station(platform.process)),
      companyRun_(platform.files, log_, toolkit_, copyEngine_, settings_, flags_, staff_, taxForms_,
                  documents_, annualSettings_, companyMarker_) {}

int Converter::Run() {
  StartUp();
  Wizard wizard(toolkit_, platform_.files, settings_, location_.BaseName);
  if (wizard.RunWizard() == WizardEnd::START) RunConversion();
  Finish();
  return 0;
}

void Converter::StartUp() {
  // The toolkit: the program's location, its colours and the sound switch;
  // then the shared files' temporary directory; then the hint lines.
  location_ = ProgramLocation::Of(platform_.process);
  colours_.InitColours(location_.Directory);
  sound_.InitSound(platform_.process.GetEnv("ZQSOUND"));
  colours_.ApplyControlColours();
  tempFiles_.InitTempDir();
  events_.ResetHintLines();

  const auto& arguments = platform_.process.Arguments();
  ShortString registerName = SwitchValue(arguments, "/kprspis:"_pl).value_or(ShortString());
  if (registerName.empty())
    registerName = platform_.process.GetEnv("KPRSPIS").value_or(ShortString());
  registerName.Truncate(conversion::REGISTER_NAME_LENGTH);
  if (!registerName.empty()) settings_.RegisterFileName = registerName;

  platform_.console.SetTitle(TITLE);
  // The help was answered before the screen started (main).

  ReadExtraFileList(platform_.files, location_.BaseName, settings_.ExtraFiles);
  settings_.SourcePath =
      ShortString() + platform::PATH_SEPARATOR + "DAZ_2020"_pl + platform::PATH_SEPARATOR;
  settings_.TargetPath = arguments.empty() ? location_.Directory : arguments.front();
  ReadPathSettings(platform_.files, location_.BaseName, settings_.SourcePath, settings_.TargetPath);
  WriteHeader();
}

void Converter::WriteHeader() {
  screen_.ShowCursor(false);
  log_.SetLogColour(BANNER_COLOUR);
  log_.ClearLog(true);
  log_.LogWriteLn(BANNER);
  log_.SetLogColour(RULE_COLOUR);
  log_.LogWriteLn(Rule(80));
  log_.SetLogColour(TEXT_COLOUR);
}

void Converter::RunConversion() {
  const conversion::ConversionOptions& options = settings_.Options;
  // Everything the log shows from here on is also saved in the target tree.
  transfer::RunLogFile runLog(platform_.files, platform_.clock, log_);
  if (runLog.Start(settings_.TargetPath + RUN_LOG_NAME)) WriteRunHeader(runLog, settings_);
  if (ui::BitsSet(conversion::START_GLOBAL_DATA, options.StartItems) && options.GlobalItems != 0) {
    GlobalDataCopy(platform_.files, copyEngine_, log_, toolkit_, settings_).CopyGlobalData();
  }
  if (ui::BitsSet(conversion::START_COMPANIES, options.StartItems)) {
    registry::CompanyLoop(
        toolkit_, fileAccess_, log_, settings_,
        [this](const ShortString& directory, bool restart) {
          companyRun_.RunCompany(directory, restart);
          return companyRun_.Report();
        },
        // A company is finished once it is in the register.
        [this](bool registered) {
          if (registered) {
            companyMarker_.Finish();
          } else {
            companyMarker_.Release();
          }
        });
  }
  log_.LogWriteLn();
  log_.LogWriteLn();
  log_.LogWriteLn("Koniec pracy kopiera danych DAZ_ZQ na rok 2021"_pl);
}

void Converter::Finish() {
  screen_.ShowCursor(true);
  log_.PauseIfSlow();
  log_.LogWrite("Nacisnij Enter"_pl);
  log_.WaitForKey();
  log_.ClearLog(true);
}

}  // namespace zq::shell
