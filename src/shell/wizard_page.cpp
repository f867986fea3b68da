#include "shell/wizard_page.h"

#include <algorithm>

#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/check_box_group.h"
#include "ui/input_line.h"
#include "ui/radio_group.h"

namespace zq::shell {

WizardPage::WizardPage(ui::Toolkit& toolkit, ui::TextWindow& window, std::uint32_t userValue,
                       std::vector<std::uint16_t> endingCommands)
    : Dialog(toolkit, window, userValue), endingCommands_(std::move(endingCommands)) {}

void WizardPage::HandleEvent(ui::Event& event) {
  if (rule_) rule_(*this);
  if (event.kind == ui::EventKind::COMMAND &&
      std::find(endingCommands_.begin(), endingCommands_.end(), event.command) !=
          endingCommands_.end()) {
    if (!guard_ || guard_(*this, event.command)) {
      EndModal();
    } else {
      event.Clear();
    }
  }
  Dialog::HandleEvent(event);
}

namespace {

std::unique_ptr<ui::Control> MakeControl(ui::Toolkit& toolkit, const PageControl& piece,
                                         std::unique_ptr<ui::Label> label) {
  switch (piece.kind) {
    case PieceKind::INPUT_LINE:
      return ui::NewInputLine(toolkit, *std::get<ShortString*>(piece.bound), piece.width, piece.row,
                              piece.column, std::move(label));
    case PieceKind::CHECK_BOX:
      return ui::NewCheckBox(toolkit, piece.text, *std::get<std::uint8_t*>(piece.bound), piece.row,
                             piece.column, std::move(label));
    case PieceKind::CHECK_BOX_GROUP:
      return ui::NewCheckBoxGroup(toolkit, *std::get<std::uint16_t*>(piece.bound), piece.items,
                                  piece.row, piece.column, std::move(label));
    case PieceKind::RADIO_GROUP:
      return ui::NewRadioGroup(toolkit, *std::get<std::uint16_t*>(piece.bound), piece.items,
                               piece.row, piece.column, std::move(label));
    case PieceKind::BUTTON:
      return ui::NewButton(toolkit, std::get<std::uint16_t>(piece.bound), piece.text, piece.height,
                           piece.width, piece.row, piece.column);
    case PieceKind::LABEL:
    case PieceKind::FIXED_TEXT:
      break;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<WizardPage> BuildPage(ui::Toolkit& toolkit, const PageLayout& layout) {
  auto page = ui::NewDialog<WizardPage>(toolkit, layout.title, 0, PAGE_HEIGHT, PAGE_WIDTH, PAGE_TOP,
                                        PAGE_LEFT, layout.endingCommands);
  if (!page) return nullptr;
  std::unique_ptr<ui::Label> label;
  for (const PageControl& piece : layout.controls) {
    switch (piece.kind) {
      case PieceKind::LABEL:
        label = ui::NewLabel(piece.text, piece.row, piece.column);
        break;
      case PieceKind::FIXED_TEXT:
        toolkit.screen.PutText(toolkit.colours[ui::CLR_NORMAL], piece.column, piece.row,
                               piece.text);
        break;
      default:
        page->Insert(MakeControl(toolkit, piece, std::move(label)));
        break;
    }
  }
  page->AttachHintLine(layout.hints);
  page->FocusControl(layout.firstFocus);
  return page;
}

}  // namespace zq::shell
