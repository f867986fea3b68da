#include "ui/dialog.h"

#include <algorithm>

#include "ui/button.h"
#include "ui/commands.h"
#include "ui/key_codes.h"
#include "ui/polish_text.h"

namespace zq::ui {

TextWindow* OpenDialogWindow(Toolkit& toolkit, std::string_view title, int height, int width,
                             int top, int left) {
  WindowStyle style;
  style.title = title;
  style.titleColour = toolkit.colours[CLR_BOX_TITLE];
  style.frameColour = toolkit.colours[CLR_BOX_FRAME];
  style.textColour = toolkit.colours[CLR_BOX_TEXT];
  style.framed = true;
  style.clearOnDraw = true;
  return toolkit.screen.OpenWindow({left, top, left + width - 1, top + height - 1}, style);
}

Dialog::Dialog(Toolkit& toolkit, TextWindow& window, std::uint32_t userValue)
    : toolkit_(toolkit), window_(window), userValue_(userValue) {}

Dialog::~Dialog() {
  if (hintLine_) toolkit_.events.DoneHintLine(hintLine_);
  while (!controls_.empty()) controls_.pop_back();
  toolkit_.screen.CloseWindow(&window_);
  if (toolkit_.currentDialog == this) toolkit_.currentDialog = nullptr;
}

void Dialog::Insert(std::unique_ptr<Control> control) {
  if (!control || ControlCount() >= MAX_CONTROLS) return;
  control->SetOwner(this);
  controls_.push_back(std::move(control));
  Control& inserted = *controls_.back();
  if (inserted.Kind() == ControlKind::BUTTON && firstButton_ == 0) firstButton_ = ControlCount();
  if (!inserted.NotDrawn()) inserted.Draw();
}

void Dialog::AttachHintLine(std::vector<HintItem> items) {
  if (hintLine_) toolkit_.events.DoneHintLine(hintLine_);
  hintLine_ = toolkit_.events.NewHintLine(std::move(items));
}

void Dialog::DrawControls() {
  for (const auto& control : controls_) {
    if (!control->NotDrawn()) control->Draw();
  }
}

int Dialog::NextEnabled(int index, int step) const {
  const int count = ControlCount();
  for (int tried = 0; tried < count; ++tried) {
    if (!ControlAt(index).Disabled()) return index;
    index = (index - 1 + step + count) % count + 1;
  }
  return 0;
}

void Dialog::FocusControl(int index) {
  if (index < 1 || index > ControlCount()) return;
  const int target = NextEnabled(index, 1);
  if (target == 0) return;
  if (target != focused_ && focused_ >= 1 && focused_ <= ControlCount()) {
    Control& previous = ControlAt(focused_);
    if (previous.Focused()) {
      previous.SetFocused(false);
      previous.Draw();
    }
  }
  focused_ = target;
  Control& next = ControlAt(focused_);
  next.SetFocused(true);
  next.Draw();
}

void Dialog::MoveFocus(int step) {
  const int count = ControlCount();
  if (count <= 1) return;
  const int start = (focused_ - 1 + step + count) % count + 1;
  const int target = NextEnabled(start, step);
  if (target != 0) FocusControl(target);
}

std::uint16_t Dialog::Execute() {
  ended_ = false;
  const bool focusDriven = std::any_of(controls_.begin(), controls_.end(),
                                       [](const auto& control) { return !control->Disabled(); });
  if (focusDriven) FocusControl(focused_);
  Dialog* const outer = toolkit_.currentDialog;
  Event event;
  do {
    toolkit_.currentDialog = this;
    if (focusDriven) {
      event = ControlAt(focused_).Run();
    } else {
      toolkit_.events.GetEvent(event);
    }
    HandleEvent(event);
  } while (!ended_);
  toolkit_.currentDialog = outer;
  return event.kind == EventKind::COMMAND ? event.command : 0;
}

void Dialog::HandleEvent(Event& event) {
  switch (event.kind) {
    case EventKind::KEY:
      HandleKey(event);
      break;
    case EventKind::MOUSE:
      HandleMouse(event);
      break;
    case EventKind::COMMAND:
      if (event.command == CM_FOCUS) FocusControl(event.focusIndex);
      break;
    case EventKind::NONE:
      break;
  }
  if (event.kind == EventKind::COMMAND && EndsDialog(event.command)) EndModal();
}

void Dialog::HandleKey(Event& event) {
  switch (event.keyCode) {
    case KB_ESC:
      event.MakeCommand(CM_CANCEL);
      return;
    case KB_UP:
    case KB_SHIFT_TAB:
    case KB_LEFT:
      MoveFocus(-1);
      event.Clear();
      return;
    case KB_DOWN:
    case KB_TAB:
    case KB_RIGHT:
    case KB_ENTER:
      MoveFocus(1);
      event.Clear();
      return;
    case KB_F1: {
      const std::uint16_t context = ControlCount() > 0 && ControlAt(focused_).HelpContext() != 0
                                        ? ControlAt(focused_).HelpContext()
                                        : helpContext_;
      if (help_) help_(context);
      event.Clear();
      return;
    }
    default:
      break;
  }
  if (!event.IsCharacter() || firstButton_ == 0) return;
  // A button answers to the first letter of its text, in either case.
  const char typed = UpCasePL(static_cast<char>(event.character));
  for (int index = firstButton_; index <= ControlCount(); ++index) {
    const auto* button = dynamic_cast<const Button*>(&ControlAt(index));
    if (!button || button->Disabled() || button->Text().empty()) continue;
    if (UpCasePL(button->Text()[0]) != typed) continue;
    FocusControl(index);
    event.MakeCommand(button->Command());
    return;
  }
}

void Dialog::HandleMouse(Event& event) {
  switch (event.buttons) {
    case 2:
      event.MakeCommand(CM_CANCEL);
      return;
    case 3:
    case 4:
      event.MakeCommand(CM_OK);
      return;
    case 1:
      break;
    default:
      return;
  }
  if (!Inner().Contains(event.screenColumn, event.screenRow)) return;
  const int column = event.screenColumn - Inner().x1 + 1;
  const int row = event.screenRow - Inner().y1 + 1;
  for (int index = 1; index <= ControlCount(); ++index) {
    const Control& control = ControlAt(index);
    if (!control.Disabled() && control.Contains(column, row)) {
      FocusControl(index);
      break;
    }
  }
  event.Clear();
}

}  // namespace zq::ui
