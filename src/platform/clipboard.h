#pragma once
// The system clipboard for text, as far as the platform can reach it. The
// terminal implementation keeps its own buffer and also hands copied text to
// the terminal, which passes it to the desktop where it is allowed to.

#include "platform/short_string.h"

namespace zq::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const ShortString& cp852) = 0;
  virtual ShortString GetText() const = 0;
};

}  // namespace zq::platform
