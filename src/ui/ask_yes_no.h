#pragma once
// The yes/no choice box: the question's lines over two bars, "T a k" and
// "N i e". Enter takes the selected bar, T or N (or Ctrl+T, Ctrl+N) answer
// at once, Esc is ignored: the operator has to choose.

#include <string_view>

#include "ui/toolkit.h"

namespace zq::ui {

// True for "Tak". False also when the box cannot be shown.
bool AskYesNo(Toolkit& toolkit, bool defaultYes, std::string_view text, int row, int column);

}  // namespace zq::ui
