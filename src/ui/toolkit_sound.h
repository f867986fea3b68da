#pragma once
// The short sounds with which the toolkit answers wrong keys, and its delay.
// The ZQSOUND switch, read once at start-up, silences every tone.

#include <optional>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/short_string.h"
#include "platform/sound.h"

namespace zq::ui {

class ToolkitSound {
 public:
  static constexpr int UNIT_MS = 48;

  ToolkitSound(platform::Sound& sound, platform::Clock& clock, platform::Console& console)
      : sound_(sound), clock_(clock), console_(console) {}

  // Start-up: the sound is off when ZQSOUND holds exactly "OFF".
  void InitSound(const std::optional<ShortString>& zqsound);
  bool SoundOff() const { return soundOff_; }

  // A tone of `frequency` hertz for units x 48 ms.
  void Sound(int units, int frequency);
  void Beep() { Sound(6, 500); }
  // Shows the screen, then sleeps.
  void Delay(int milliseconds);

 private:
  platform::Sound& sound_;
  platform::Clock& clock_;
  platform::Console& console_;
  bool soundOff_ = false;
};

}  // namespace zq::ui
