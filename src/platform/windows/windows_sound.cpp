#include "platform/windows/windows_sound.h"

#include "platform/windows/win32.h"

#include <algorithm>

namespace zq::platform {

void WindowsSound::Tone(int frequency, int milliseconds) {
  if (milliseconds <= 0) return;
  // Beep takes 37..32767 Hz; a tone outside that is a pause of its length.
  if (frequency < 37 || frequency > 32767 ||
      !Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(milliseconds))) {
    ::Sleep(static_cast<DWORD>(milliseconds));
  }
}

}  // namespace zq::platform
