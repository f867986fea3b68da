#include "register/run_summary.h"

#include <memory>
#include <optional>

#include "platform/text_literal.h"
#include "ui/commands.h"
#include "ui/dialog.h"
#include "ui/key_codes.h"
#include "ui/list_control.h"
#include "ui/polish_text.h"

namespace zq::registry {
namespace {

using conversion::CompanyOutcome;

// Columns of a row: 74 characters, the width of the box's list.
constexpr std::size_t NAME_COLUMNS = 16;
constexpr std::size_t DIRECTORY_COLUMNS = 8;
constexpr std::size_t OUTCOME_COLUMNS = 14;
constexpr std::size_t FILE_COLUMNS = 5;
constexpr std::size_t RECORD_COLUMNS = 7;
constexpr std::size_t DROPPED_COLUMNS = 6;
constexpr std::size_t PERSON_COLUMNS = 4;
constexpr std::size_t SMALL_COLUMNS = 3;
constexpr std::size_t REASON_INDENT = NAME_COLUMNS + 1;

// The box covers the screen above the hint line.
constexpr int BOX_TOP = 2;
constexpr int BOX_LEFT = 1;
constexpr int BOX_WIDTH = 80;
constexpr int BOX_HEIGHT = 22;
constexpr int LIST_ROWS = BOX_HEIGHT - 5;
constexpr int LIST_WIDTH = BOX_WIDTH - 6;

ShortString Number(std::size_t width, std::uint64_t value) {
  return ui::PadLeft(width, ui::IntToStr(static_cast<long long>(value)));
}

ShortString OutcomeText(const conversion::CompanyReport& report) {
  switch (report.outcome) {
    case CompanyOutcome::CONVERTED:
      return report.mismatches == 0 ? "przeniesiona"_pl : "BŁĄD KONTROLI"_pl;
    case CompanyOutcome::UNREGISTERED:
      return "poza rejestrem"_pl;
    case CompanyOutcome::NOT_SELECTED:
      return "pominięta"_pl;
    case CompanyOutcome::DIRECTORY_EXISTS:
      return "kat. istnieje"_pl;
    case CompanyOutcome::HELD_ELSEWHERE:
      return "zajęta"_pl;
    case CompanyOutcome::NOT_RESTARTED:
      return "niedokończona"_pl;
    case CompanyOutcome::FAILED:
      break;
  }
  return "nieudana"_pl;
}

ShortString Heading() {
  return ui::PadRight(NAME_COLUMNS, "Firma"_pl) + ' ' +
         ui::PadRight(DIRECTORY_COLUMNS, "Katalog"_pl) + ' ' +
         ui::PadRight(OUTCOME_COLUMNS, "Wynik"_pl) + ' ' + ui::PadLeft(FILE_COLUMNS, "Pliki"_pl) +
         ' ' + ui::PadLeft(RECORD_COLUMNS, "Pozycje"_pl) + ' ' +
         ui::PadLeft(DROPPED_COLUMNS, "Pomin."_pl) + ' ' + ui::PadLeft(PERSON_COLUMNS, "Osób"_pl) +
         ' ' + ui::PadLeft(SMALL_COLUMNS, "Pom"_pl) + ' ' + ui::PadLeft(SMALL_COLUMNS, "Pyt"_pl);
}

ShortString Row(const SummaryRow& row) {
  const conversion::CompanyReport& report = row.report;
  const ShortString text = ui::PadRight(NAME_COLUMNS, row.name) + ' ' +
                           ui::PadRight(DIRECTORY_COLUMNS, row.directory) + ' ';
  // Only a company that was run has anything to count.
  if (report.outcome != CompanyOutcome::CONVERTED && report.outcome != CompanyOutcome::FAILED &&
      report.outcome != CompanyOutcome::UNREGISTERED) {
    return text + OutcomeText(report);
  }
  return text + ui::PadRight(OUTCOME_COLUMNS, OutcomeText(report)) + ' ' +
         Number(FILE_COLUMNS, report.copied.files) + ' ' +
         Number(RECORD_COLUMNS, report.copied.recordsWritten) + ' ' +
         Number(DROPPED_COLUMNS, report.copied.recordsDropped) + ' ' +
         Number(PERSON_COLUMNS, report.personsTransferred) + ' ' +
         Number(SMALL_COLUMNS, report.personsDropped) + ' ' +
         Number(SMALL_COLUMNS, report.questions);
}

// The line below a row that says why, when there is something to say.
std::optional<ShortString> Reason(const conversion::CompanyReport& report) {
  if (report.outcome == CompanyOutcome::CONVERTED && report.mismatches > 0) {
    return ui::Spaces(REASON_INDENT) + "niezgodności w kontroli: "_pl +
           ui::IntToStr(report.mismatches);
  }
  if (report.reason.empty()) return std::nullopt;
  return ui::Spaces(REASON_INDENT) + report.reason.view();
}

class SummaryListControl : public ui::ListControl {
 public:
  SummaryListControl(ui::Toolkit& toolkit, const std::vector<SummaryLine>& lines)
      : ListControl(toolkit, nullptr, LIST_ROWS, LIST_WIDTH, 2, 1,
                    ui::NewLabel(lines.front().text, 1, 3)),
        lines_(lines) {}

 protected:
  std::int32_t UpdateCount() override { return static_cast<std::int32_t>(lines_.size()) - 1; }
  ShortString GetItemText(std::int32_t index) override {
    return lines_[static_cast<std::size_t>(index)].text;
  }

 private:
  const std::vector<SummaryLine>& lines_;  // the heading first
};

}  // namespace

std::vector<SummaryLine> SummaryLines(const std::vector<SummaryRow>& rows) {
  std::vector<SummaryLine> lines{{Heading(), false}};
  long converted = 0;
  long selected = 0;
  for (const SummaryRow& row : rows) {
    const conversion::CompanyReport& report = row.report;
    const bool alarm = report.outcome == CompanyOutcome::FAILED ||
                       report.outcome == CompanyOutcome::UNREGISTERED || report.mismatches > 0;
    if (report.outcome != CompanyOutcome::NOT_SELECTED) ++selected;
    if (report.outcome == CompanyOutcome::CONVERTED) ++converted;
    lines.push_back({Row(row), alarm});
    if (const auto reason = Reason(report)) lines.push_back({*reason, alarm});
  }
  lines.push_back({"Przeniesiono firm: "_pl + ui::IntToStr(converted) + " z wybranych "_pl +
                       ui::IntToStr(selected),
                   false});
  return lines;
}

void WriteSummary(transfer::ProgressLog& log, const std::vector<SummaryLine>& lines) {
  log.LogWriteLn();
  log.SetLogColour(transfer::LOG_EMPHASIS);
  log.LogWriteLn("PODSUMOWANIE KONWERSJI"_pl);
  for (const SummaryLine& line : lines) {
    log.SetLogColour(line.alarm ? transfer::LOG_ERROR : transfer::LOG_NORMAL);
    log.LogWriteLn(line.text);
  }
}

void ShowSummary(ui::Toolkit& toolkit, const std::vector<SummaryLine>& lines) {
  auto box = ui::NewDialog(toolkit, " PODSUMOWANIE KONWERSJI "_pl, 0, BOX_HEIGHT, BOX_WIDTH,
                           BOX_TOP, BOX_LEFT);
  if (!box) return;
  box->Insert(std::make_unique<SummaryListControl>(toolkit, lines));
  box->AttachHintLine({ui::NewHintItem(ui::CM_OK, ui::KB_ENTER, "Enter - Zamknij"_pl),
                       ui::NewHintItem(ui::CM_CANCEL, ui::KB_ESC, "Esc - Zamknij"_pl)});
  box->Execute();
}

}  // namespace zq::registry
