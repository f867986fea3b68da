#pragma once
// Turns the bytes a terminal sends into the key and mouse records of a PC
// console: key codes of a PC keyboard (US layout, scan code * 256 + CP852
// character) and the keyboard state byte. Pure: it is fed bytes and told
// whether more may still come; it never reads, waits or looks at a clock.
//
// A lone ESC, or a sequence cut short, is held back while more bytes may be
// on their way (the caller waits about 25 ms); when the caller then says the
// input is idle, a lone ESC is the Esc key and a cut sequence is dropped.

#include <string>
#include <string_view>
#include <vector>

#include "platform/console.h"

namespace zq::platform {

class KeyDecoder {
 public:
  void Feed(std::string_view bytes) { pending_.append(bytes); }

  // Every record that the bytes fed so far make. With inputIdle false an
  // incomplete sequence at the end stays pending for the next call.
  std::vector<InputRecord> Take(bool inputIdle);

  // True when bytes are held back that only a short wait can settle (a
  // lone ESC or a sequence cut short), so the caller should call Take(true)
  // once its short delay passes without more input.
  bool Waiting() const { return !pending_.empty() && !inPaste_; }

 private:
  // Pasted text up to the end marker, as typed characters; returns the bytes
  // taken (a possible start of the end marker stays pending).
  std::size_t TakePaste(std::string_view text, bool inputIdle, std::vector<InputRecord>& out);

  std::string pending_;
  bool inPaste_ = false;
};

}  // namespace zq::platform
