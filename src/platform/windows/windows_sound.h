#pragma once
#include "platform/sound.h"

namespace zq::platform {

// A tone of the system speaker (Beep), which lasts its duration.
class WindowsSound final : public Sound {
 public:
  void Tone(int frequency, int milliseconds) override;
};

}  // namespace zq::platform
