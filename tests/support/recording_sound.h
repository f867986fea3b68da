#pragma once
// Tones as a list a test reads back.

#include <vector>

#include "platform/sound.h"

namespace zq::testing {

struct PlayedTone {
  int frequency = 0;
  int milliseconds = 0;
  friend bool operator==(const PlayedTone&, const PlayedTone&) = default;
};

struct RecordingSound : platform::Sound {
  std::vector<PlayedTone> tones;
  void Tone(int frequency, int milliseconds) override {
    tones.push_back({frequency, milliseconds});
  }
};

}  // namespace zq::testing
