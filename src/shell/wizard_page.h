#pragma once
// One page of the wizard: a dialog built from a table of controls (position,
// kind, text, bound field; one row per control) that ends itself on the
// commands of its own hint line and buttons.

#include <cstdint>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

#include "platform/short_string.h"
#include "ui/dialog.h"
#include "ui/hint_line.h"
#include "ui/item_list.h"
#include "ui/toolkit.h"

namespace zq::shell {

// The wizard's own commands (besides CM_CANCEL of the toolkit).
inline constexpr std::uint16_t CM_NEXT = 0x1001;
inline constexpr std::uint16_t CM_BACK = 0x1002;
inline constexpr std::uint16_t CM_START = 0x1003;

enum class PieceKind : std::uint8_t {
  LABEL,       // attached to the control in the next row
  FIXED_TEXT,  // written once in CLR_NORMAL, belongs to no control
  INPUT_LINE,
  CHECK_BOX,
  CHECK_BOX_GROUP,
  RADIO_GROUP,
  BUTTON,
};

// What a control edits: a text, a 16-bit set or index, a byte flag, or the
// command a button gives.
using BoundField =
    std::variant<std::monostate, ShortString*, std::uint16_t*, std::uint8_t*, std::uint16_t>;

struct PageControl {
  int column = 1;  // in the page window's inner area, from 1
  int row = 1;
  PieceKind kind = PieceKind::LABEL;
  ShortString text;
  BoundField bound;
  ui::ItemList items;  // of a group
  int width = 0;       // of an input line or a button
  int height = 1;      // of a button
};

struct PageLayout {
  ShortString title;
  std::vector<PageControl> controls;
  std::vector<ui::HintItem> hints;
  std::vector<std::uint16_t> endingCommands;  // besides CM_CANCEL
  int firstFocus = 1;                         // a control index, labels not counted
};

class WizardPage : public ui::Dialog {
 public:
  // Runs before the page looks at an event; used for rules that tie one
  // choice to another.
  using EventRule = std::function<void(WizardPage&)>;
  // Decides whether a command that ends the page may end it; the page stays
  // open when it answers false.
  using Guard = std::function<bool(WizardPage&, std::uint16_t command)>;

  WizardPage(ui::Toolkit& toolkit, ui::TextWindow& window, std::uint32_t userValue,
             std::vector<std::uint16_t> endingCommands);

  void HandleEvent(ui::Event& event) override;
  void SetEventRule(EventRule rule) { rule_ = std::move(rule); }
  void SetGuard(Guard guard) { guard_ = std::move(guard); }

 private:
  std::vector<std::uint16_t> endingCommands_;
  EventRule rule_;
  Guard guard_;
};

// The window all pages share: 76 x 22 at column 3, row 3.
inline constexpr int PAGE_LEFT = 3;
inline constexpr int PAGE_TOP = 3;
inline constexpr int PAGE_WIDTH = 76;
inline constexpr int PAGE_HEIGHT = 22;

// Opens the page window, builds the controls row by row, attaches the hint
// line and focuses the first control; nothing when the window cannot be
// opened.
std::unique_ptr<WizardPage> BuildPage(ui::Toolkit& toolkit, const PageLayout& layout);

}  // namespace zq::shell
