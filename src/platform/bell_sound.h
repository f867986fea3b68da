#pragma once
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/sound.h"

namespace zq::platform {

// A tone is the console's bell, followed by the tone's duration in silence.
class BellSound : public Sound {
 public:
  BellSound(Console& console, Clock& clock) : console_(console), clock_(clock) {}
  void Tone(int /*frequency*/, int milliseconds) override {
    console_.Bell();
    console_.Flush();
    clock_.Sleep(milliseconds);
  }

 private:
  Console& console_;
  Clock& clock_;
};

}  // namespace zq::platform
