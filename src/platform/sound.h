#pragma once
// Tones. On a terminal a tone is its bell; the duration is kept, so the
// program's rhythm is the same as with a speaker.

namespace zq::platform {

class Sound {
 public:
  virtual ~Sound() = default;
  virtual void Tone(int frequency, int milliseconds) = 0;
};

}  // namespace zq::platform
