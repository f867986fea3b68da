// Runs the terminal console in a real terminal for the end-to-end test: draws
// a framed box with Polish text and colours, then lists every key and mouse
// record it receives ("#03 KEY 1E00 2B"). Some keys end it in chosen ways:
//   Shift+Q   returns 0 from main (the console is destroyed)
//   F10       throws ProgramExit{255}, caught in main
//   Shift+X   std::exit(3)
//   Shift+K   raise(SIGTERM)
//   Shift+S   raise(SIGSEGV)

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process.h"
#include "platform/terminal_console.h"
#include "platform/text_literal.h"

namespace {

using zq::operator""_pl;
using zq::platform::Cell;
using zq::platform::InputRecord;
using zq::platform::TerminalConsole;

void WriteText(TerminalConsole& console, int column, int row, std::string_view cp852,
               unsigned char attribute) {
  std::vector<Cell> cells;
  for (char c : cp852) cells.push_back({static_cast<unsigned char>(c), attribute});
  console.WriteCells(column, row, cells);
}

void DrawBox(TerminalConsole& console) {
  constexpr unsigned char FRAME = 0x1F;  // bright white on blue
  constexpr int LEFT = 2, TOP = 1, WIDTH = 40;
  const std::string horizontal(WIDTH - 2, '\xC4');
  WriteText(console, LEFT, TOP, "\xDA" + horizontal + "\xBF", FRAME);
  WriteText(console, LEFT, TOP + 1, "\xB3" + std::string(WIDTH - 2, ' ') + "\xB3", FRAME);
  WriteText(console, LEFT, TOP + 2, "\xC0" + horizontal + "\xD9", FRAME);
  WriteText(console, LEFT + 2, TOP + 1, "Zażółć gęślą jaźń"_pl, 0x1E);  // yellow on blue
  char pid[32];
  std::snprintf(pid, sizeof pid, "PID %d", static_cast<int>(getpid()));
  WriteText(console, LEFT + 24, TOP + 1, pid, FRAME);
  WriteText(console, 0, 24, "Ostatni wiersz do samego końca ekranu"_pl, 0x4E);
  WriteText(console, 79, 24, "\xDB", 0x0C);  // the very last cell must not scroll
}

std::string Describe(int number, const InputRecord& record) {
  char text[64];
  if (record.kind == InputRecord::Kind::KEY) {
    std::snprintf(text, sizeof text, "#%02d KEY %04X %02X", number, record.key.code,
                  record.key.state);
  } else {
    std::snprintf(text, sizeof text, "#%02d MOUSE %X %d %d", number, record.mouse.buttons,
                  record.mouse.column, record.mouse.row);
  }
  return text;
}

int Run() {
  TerminalConsole console;
  console.SetTitle("Próba konsoli"_pl);
  DrawBox(console);
  constexpr int FIRST_ROW = 5, ROWS = 18;
  int number = 0;
  for (;;) {
    console.WaitForInput(1000);
    InputRecord record;
    while (console.ReadInput(record)) {
      ++number;
      const std::string line = Describe(number, record) + std::string(20, ' ');
      WriteText(console, 2, FIRST_ROW + number % ROWS, line, 0x07);
      console.SetCursorPosition(2, FIRST_ROW + number % ROWS);
      if (record.kind != InputRecord::Kind::KEY) continue;
      switch (record.key.code) {
        case 0x1051:  // Q
          return 0;
        case 0x4400:  // F10
          throw zq::platform::ProgramExit{255};
        case 0x2D58:  // X
          console.Flush();
          std::exit(3);
        case 0x254B:  // K
          console.Flush();
          std::raise(SIGTERM);
          break;
        case 0x1F53:  // S
          console.Flush();
          std::raise(SIGSEGV);
          break;
        default:
          break;
      }
    }
  }
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const zq::platform::ProgramExit& exit) {
    return exit.code;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
