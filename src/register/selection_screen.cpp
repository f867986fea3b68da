#include "register/selection_screen.h"

#include <memory>

#include "platform/text_literal.h"
#include "ui/commands.h"
#include "ui/dialog.h"
#include "ui/key_codes.h"
#include "ui/list_control.h"
#include "ui/polish_text.h"

namespace zq::registry {
namespace {

constexpr char SELECTED_MARK = '\xFE';    // "■"
constexpr char UNSELECTED_MARK = '\xFA';  // "·"
// Beside the mark: a company whose earlier run stopped half-way.
constexpr char UNFINISHED_MARK = '!';
constexpr std::size_t NAME_COLUMNS = 31;
constexpr std::size_t DIRECTORY_COLUMNS = 8;
constexpr std::size_t INFO_COLUMNS = 10;

// The screen's window and its list, in the window's coordinates.
constexpr int SCREEN_LEFT = 10;
constexpr int SCREEN_TOP = 6;
constexpr int SCREEN_WIDTH = 58;
constexpr int SCREEN_HEIGHT = 15;
constexpr int LIST_ROWS = 10;

class CompanyListControl : public ui::ListControl {
 public:
  CompanyListControl(ui::Toolkit& toolkit, std::int32_t& position, CompanyList& list,
                     std::int32_t count)
      : ListControl(toolkit, &position, LIST_ROWS, static_cast<int>(COMPANY_ROW_LENGTH), 2, 1,
                    ui::NewLabel("Nazwa                   Wybrana? KATALOG   INFO"_pl, 1, 3)),
        list_(list),
        count_(count) {}

 protected:
  std::int32_t UpdateCount() override { return count_; }
  ShortString GetItemText(std::int32_t index) override {
    const CompanyEntry* entry = list_.Entry(index);
    return entry ? CompanyRow(*entry) : ui::Spaces(COMPANY_ROW_LENGTH);
  }

 private:
  CompanyList& list_;
  std::int32_t count_;
};

class SelectionScreen : public ui::Dialog {
 public:
  SelectionScreen(ui::Toolkit& toolkit, ui::TextWindow& window, std::uint32_t userValue,
                  CompanyList& list, std::int32_t count)
      : Dialog(toolkit, window, userValue), list_(list), count_(count) {
    auto control = std::make_unique<CompanyListControl>(toolkit, position_, list, count);
    control->AddListKey(DIRECTORY_KEY_COLUMN);
    companies_ = control.get();
    Insert(std::move(control));
    AttachHintLine({
        ui::NewHintItem(CM_TOGGLE_COMPANY, ui::KB_SPACE, "SPACE - Zaznacz (■)"_pl),
        ui::NewHintItem(CM_SELECT_ALL, ui::KB_CTRL_W, "^W Wszystkie "_pl),
        ui::NewHintItem(CM_SELECT_NONE, ui::KB_CTRL_D, "^D Żadna "_pl),
        ui::NewHintItem(ui::CM_OK, ui::KB_F5, "F5 - ZACZNIJ"_pl),
    });
  }

  void HandleEvent(ui::Event& event) override {
    if (event.IsCommand(CM_TOGGLE_COMPANY)) {
      if (CompanyEntry* entry = list_.Entry(position_)) entry->Selected = !entry->Selected;
      Redraw(event);
    } else if (event.IsCommand(CM_SELECT_ALL) || event.IsCommand(CM_SELECT_NONE)) {
      const bool selected = event.command == CM_SELECT_ALL;
      for (std::int32_t index = 1; index <= count_; ++index) {
        if (CompanyEntry* entry = list_.Entry(index)) entry->Selected = selected;
      }
      Redraw(event);
    }
    Dialog::HandleEvent(event);
  }

 private:
  void Redraw(ui::Event& event) {
    event.Clear();
    companies_->Draw();
  }

  CompanyList& list_;
  std::int32_t count_;
  std::int32_t position_ = 1;
  CompanyListControl* companies_ = nullptr;
};

}  // namespace

ShortString CompanyRow(const CompanyEntry& entry) {
  // An unfinished company shows the day its run started in place of its info.
  const bool unfinished = !entry.unfinished.empty();
  return ui::PadRight(NAME_COLUMNS, entry.Name()) +
         (entry.Selected ? SELECTED_MARK : UNSELECTED_MARK) + (unfinished ? UNFINISHED_MARK : ' ') +
         ui::PadRight(DIRECTORY_COLUMNS, entry.Directory()) + ' ' +
         ui::PadRight(INFO_COLUMNS, unfinished ? entry.unfinished.view().substr(0, INFO_COLUMNS)
                                               : entry.Info().view());
}

bool SelectCompanies(ui::Toolkit& toolkit, CompanyList& list, std::int32_t count) {
  auto screen = ui::NewDialog<SelectionScreen>(toolkit, " BAZA FIRM "_pl, 0, SCREEN_HEIGHT,
                                               SCREEN_WIDTH, SCREEN_TOP, SCREEN_LEFT, list, count);
  if (!screen) return false;
  return screen->Execute() == ui::CM_OK;
}

bool RecogniseAndSelect(ui::Toolkit& toolkit, Recognition& recognition, CompanyList& list) {
  const std::int32_t count = recognition.Recognise(list);
  if (count < 1) return false;
  return SelectCompanies(toolkit, list, count);
}

}  // namespace zq::registry
