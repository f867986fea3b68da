#pragma once
// A dialog: a framed window holding controls, one of which has the focus,
// and the modal loop that routes events between them. Wizard pages and the
// company screen derive from it and handle their own commands in
// HandleEvent before passing the rest on to the base.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/control.h"
#include "ui/event.h"
#include "ui/hint_line.h"
#include "ui/screen.h"
#include "ui/toolkit.h"

namespace zq::ui {

class Dialog {
 public:
  static constexpr int MAX_CONTROLS = 255;

  // Made by NewDialog over the window it opened.
  Dialog(Toolkit& toolkit, TextWindow& window, std::uint32_t userValue);
  // Removes the attached hint line, releases the controls from the last to
  // the first and closes the window, restoring the screen.
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Appends and draws the control; the dialog owns it from now on. A
  // control beyond the 255th is not taken.
  void Insert(std::unique_ptr<Control> control);
  // The modal loop; returns the command that ended it. May run again.
  virtual std::uint16_t Execute();
  virtual void HandleEvent(Event& event);
  virtual void DrawControls();
  void EndModal() { ended_ = true; }
  // Focuses control `index` (from 1), or the next enabled one after it.
  void FocusControl(int index);

  // A hint line shown while the dialog lives.
  void AttachHintLine(std::vector<HintItem> items);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  Control& ControlAt(int index) const { return *controls_[static_cast<std::size_t>(index - 1)]; }
  int FocusedIndex() const { return focused_; }
  const Rect& Inner() const { return window_.inner; }
  std::uint32_t UserValue() const { return userValue_; }
  void SetHelpContext(std::uint16_t context) { helpContext_ = context; }
  // Called by F1 with the help context of the focused control, or the
  // dialog's when the control has none.
  void SetHelpProcedure(std::function<void(std::uint16_t)> help) { help_ = std::move(help); }

 protected:
  Toolkit& toolkit_;

 private:
  void HandleKey(Event& event);
  void HandleMouse(Event& event);
  void MoveFocus(int step);
  // The first enabled control from `index` on, going by `step` and
  // wrapping; 0 when every control is disabled.
  int NextEnabled(int index, int step) const;

  TextWindow& window_;
  std::vector<std::unique_ptr<Control>> controls_;
  const HintLine* hintLine_ = nullptr;
  std::uint16_t helpContext_ = 0;
  int focused_ = 1;
  int firstButton_ = 0;  // 0: no buttons
  std::uint32_t userValue_ = 0;
  std::function<void(std::uint16_t)> help_;
  bool ended_ = false;
};

// The window of a dialog: outer corners (left, top) to (left + width - 1,
// top + height - 1), in the box colours, with the title in the top line.
TextWindow* OpenDialogWindow(Toolkit& toolkit, std::string_view title, int height, int width,
                             int top, int left);

// Opens the window and makes the dialog (or a descendant, given its own
// constructor arguments after the geometry); nothing when the window cannot
// be opened, and callers then act as if CM_CANCEL had been chosen.
template <typename DialogType = Dialog, typename... Args>
std::unique_ptr<DialogType> NewDialog(Toolkit& toolkit, std::string_view title,
                                      std::uint32_t userValue, int height, int width, int top,
                                      int left, Args&&... args) {
  TextWindow* window = OpenDialogWindow(toolkit, title, height, width, top, left);
  if (!window) return nullptr;
  return std::make_unique<DialogType>(toolkit, *window, userValue, std::forward<Args>(args)...);
}

}  // namespace zq::ui
