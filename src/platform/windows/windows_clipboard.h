#pragma once
// The Windows clipboard as Unicode text (CF_UNICODETEXT). The program's own
// copy of the last text set stays the answer while the system clipboard
// cannot be opened (another program holds it) or holds no text.

#include "platform/clipboard.h"

namespace zq::platform {

class WindowsClipboard final : public Clipboard {
 public:
  void SetText(const ShortString& cp852) override;
  ShortString GetText() const override;

 private:
  ShortString text_;
};

}  // namespace zq::platform
