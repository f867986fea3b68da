#pragma once
#include "platform/clipboard.h"
#include "platform/console.h"

namespace zq::platform {

// The program's own clipboard text, also offered to the console, which passes
// it on to the desktop where it can.
class ConsoleClipboard : public Clipboard {
 public:
  explicit ConsoleClipboard(Console& console) : console_(console) {}
  void SetText(const ShortString& cp852) override {
    text_ = cp852;
    console_.CopyToSystemClipboard(cp852);
  }
  ShortString GetText() const override { return text_; }

 private:
  Console& console_;
  ShortString text_;
};

}  // namespace zq::platform
