#pragma once
// What every control of a dialog shares: its rectangle and label in the
// dialog window's coordinates, its help context, the disabled and focused
// states, and the one way in which it reads events.

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/short_string.h"
#include "ui/event.h"
#include "ui/screen.h"
#include "ui/toolkit.h"

namespace zq::ui {

class Dialog;

enum class ControlKind : std::uint8_t {
  INPUT_LINE = 1,
  CHECK_BOX = 9,
  CHECK_BOX_GROUP = 10,
  RADIO_GROUP = 11,
  BUTTON = 12,
  LIST = 13
};

// A static text drawn by the control it belongs to.
struct Label {
  static constexpr std::size_t MAX_LENGTH = 80;
  ShortString text;
  int column = 1;
  int row = 1;
  Rect Bounds() const { return {column, row, column + static_cast<int>(text.size()) - 1, row}; }
};

// Nothing for an empty text.
std::unique_ptr<Label> NewLabel(std::string_view text, int row, int column);

class Control {
 public:
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Holds the focus and handles events until one is not its own, which it
  // returns for the dialog.
  virtual Event Run() = 0;
  virtual void Draw() = 0;

  ControlKind Kind() const { return kind_; }
  const Rect& Bounds() const { return bounds_; }
  const Label* GetLabel() const { return label_.get(); }
  // True when the point (dialog window coordinates) lies on the control or
  // its label.
  bool Contains(int column, int row) const;

  std::uint16_t HelpContext() const { return helpContext_; }
  void SetHelpContext(std::uint16_t context) { helpContext_ = context; }
  bool Disabled() const { return disabled_; }
  void SetDisabled(bool disabled) { disabled_ = disabled; }
  bool NotDrawn() const { return notDrawn_; }
  void SetNotDrawn(bool notDrawn) { notDrawn_ = notDrawn; }

  bool Focused() const { return focused_; }
  void SetFocused(bool focused) { focused_ = focused; }
  Dialog* Owner() const { return owner_; }
  void SetOwner(Dialog* owner) { owner_ = owner; }

 protected:
  enum class Cursor : std::uint8_t { TEXT, NONE };

  Control(Toolkit& toolkit, ControlKind kind, const Rect& bounds, std::unique_ptr<Label> label);

  // Writes at a position of the owning dialog's window; nothing before the
  // control is inserted.
  void Put(std::uint8_t attribute, int column, int row, std::string_view text);
  void PlaceCursor(int column, int row);
  void DrawLabel();
  // One line of a check box or radio item: the brackets in entry 0, the mark
  // inside them in entry 1, the text from column + 4, highlighted or plain.
  void DrawMarkedItem(std::string_view brackets, std::string_view mark, std::string_view text,
                      int column, int row, bool highlighted);
  // Attribute of text drawn as focused (entry 1) or plain (entry 0).
  std::uint8_t TextColour(bool highlighted) const;
  // The next event for the control; a click on its own label only clicks.
  Event ReadEvent(Cursor cursor);
  // The point of a click in dialog window coordinates.
  bool LocalPoint(const Event& event, int& column, int& row) const;
  void NoteChange(bool changed) {
    if (changed) toolkit_.dataChanged = true;
  }

  Toolkit& toolkit_;
  Rect bounds_;

 private:
  ControlKind kind_;
  std::unique_ptr<Label> label_;
  std::uint16_t helpContext_ = 0;
  bool disabled_ = false;
  bool notDrawn_ = false;
  bool focused_ = false;
  Dialog* owner_ = nullptr;
};

}  // namespace zq::ui
