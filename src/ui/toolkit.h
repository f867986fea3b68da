#pragma once
// The toolkit's shared state: the services every dialog, control and box
// draws and reads through, and the few flags they share (the insert mode of
// input lines, the clipboard buffer, the length of the next input box). The
// start-up builds one and passes it by reference.

#include <cstddef>

#include "platform/clipboard.h"
#include "platform/short_string.h"
#include "ui/colours.h"
#include "ui/event_source.h"
#include "ui/screen.h"
#include "ui/toolkit_sound.h"

namespace zq::ui {

class Dialog;

inline constexpr int DEFAULT_INPUT_BOX_LENGTH = 37;
inline constexpr std::size_t CLIPBOARD_BUFFER_LENGTH = 128;

struct Toolkit {
  Toolkit(Screen& screenIn, Colours& coloursIn, EventSource& eventsIn, ToolkitSound& soundIn,
          platform::Clipboard& clipboardIn)
      : screen(screenIn),
        colours(coloursIn),
        events(eventsIn),
        sound(soundIn),
        clipboard(clipboardIn) {}

  Screen& screen;
  Colours& colours;
  EventSource& events;
  ToolkitSound& sound;
  platform::Clipboard& clipboard;

  // Set by a control whose variable differs, when it gives up the focus,
  // from the value it had when it took it.
  bool dataChanged = false;
  // Insert (true) or overwrite in input lines; the Insert key toggles it.
  bool insertMode = true;
  // Shared by every input line (Ctrl+K copies into it, Ctrl+W takes it).
  ShortString clipboardBuffer;
  int inputBoxLength = DEFAULT_INPUT_BOX_LENGTH;
  // The dialog whose modal loop runs, if any.
  Dialog* currentDialog = nullptr;
};

}  // namespace zq::ui
