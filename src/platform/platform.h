#pragma once
// Everything the program asks of the operating system, in one bundle that the
// start-up hands down by reference. The real bundle is made by the POSIX
// start-up; tests make a headless one.

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/sound.h"

namespace zq::platform {

struct Platform {
  Console& console;
  FileSystem& files;
  Clock& clock;
  Sound& sound;
  Process& process;
  Clipboard& clipboard;
};

}  // namespace zq::platform
