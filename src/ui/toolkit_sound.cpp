#include "ui/toolkit_sound.h"

namespace zq::ui {

void ToolkitSound::InitSound(const std::optional<ShortString>& zqsound) {
  soundOff_ = zqsound && *zqsound == std::string_view("OFF");
}

void ToolkitSound::Sound(int units, int frequency) {
  if (soundOff_) return;
  sound_.Tone(frequency, units * UNIT_MS);
}

void ToolkitSound::Delay(int milliseconds) {
  console_.Flush();
  clock_.Sleep(milliseconds);
}

}  // namespace zq::ui
