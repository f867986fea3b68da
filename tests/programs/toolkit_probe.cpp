// Runs the toolkit on the terminal console for the end-to-end test: draws a
// dialog with an input line, a button and a hint line, then lists every
// event GetEvent delivers, one numbered line each:
//   "#03 KEY 1E00 28 0 A5"   key code, state byte, flag, character
//   "#04 CMD 1003"           the command of a hint-line entry
//   "#05 MOUSE 1 5 3"        buttons, screen column and row (1-based)
// F10 (the hint "F10-Koniec") ends it with exit code 0.

#include <cstdio>
#include <exception>
#include <string>

#include "../support/no_files.h"
#include "platform/bell_sound.h"
#include "platform/console_clipboard.h"
#include "platform/posix_clock.h"
#include "platform/terminal_console.h"
#include "platform/text_literal.h"
#include "ui/button.h"
#include "ui/commands.h"
#include "ui/dialog.h"
#include "ui/event_source.h"
#include "ui/input_line.h"
#include "ui/key_codes.h"
#include "ui/toolkit.h"

namespace {

using zq::operator""_pl;
namespace ui = zq::ui;

constexpr std::uint16_t CM_START = 0x1003;
constexpr int FIRST_EVENT_ROW = 13;
constexpr int EVENT_ROWS = 10;

std::string Describe(int number, const ui::Event& event) {
  char text[64];
  switch (event.kind) {
    case ui::EventKind::KEY:
      std::snprintf(text, sizeof text, "#%02d KEY %04X %02X %d %02X", number, event.keyCode,
                    event.state, event.flag, event.character);
      break;
    case ui::EventKind::COMMAND:
      std::snprintf(text, sizeof text, "#%02d CMD %04X", number, event.command);
      break;
    case ui::EventKind::MOUSE:
      std::snprintf(text, sizeof text, "#%02d MOUSE %X %d %d", number, event.buttons,
                    event.screenColumn, event.screenRow);
      break;
    case ui::EventKind::NONE:
      std::snprintf(text, sizeof text, "#%02d NONE", number);
      break;
  }
  return text;
}

int Run() {
  zq::platform::TerminalConsole console;
  zq::platform::PosixClock clock;
  zq::platform::BellSound bell(console, clock);
  zq::platform::ConsoleClipboard clipboard(console);
  zq::testing::NoFiles files;
  ui::Screen screen(console);
  ui::Colours colours(files);
  colours.ApplyControlColours();
  ui::EventSource events(console, clock, screen, colours);
  ui::ToolkitSound sound(bell, clock, console);
  ui::Toolkit toolkit(screen, colours, events, sound, clipboard);

  zq::ShortString name = "Zażółć"_pl;
  auto dialog = ui::NewDialog(toolkit, " Próba "_pl, 0, 8, 50, 3, 5);
  if (!dialog) return 1;
  dialog->Insert(ui::NewInputLine(toolkit, name, 20, 2, 12, ui::NewLabel("Nazwa:"_pl, 2, 3)));
  dialog->Insert(ui::NewButton(toolkit, ui::CM_OK, "OK"_pl, 1, 10, 4, 20));
  dialog->FocusControl(1);
  dialog->AttachHintLine({ui::NewHintItem(CM_START, ui::KB_F5, "F5-Start"_pl),
                          ui::NewHintItem(ui::CM_CANCEL, ui::KB_F10, "F10-Koniec"_pl)});
  for (int number = 1;; ++number) {
    ui::Event event;
    events.GetEvent(event);
    if (event.IsCommand(ui::CM_CANCEL)) return 0;
    const std::string line = Describe(number, event) + std::string(20, ' ');
    screen.WriteScreen(0x07, 3, FIRST_EVENT_ROW + number % EVENT_ROWS, line);
  }
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
