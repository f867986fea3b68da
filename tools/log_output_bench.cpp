// What the progress log costs on a terminal: bytes sent and time per line for
// a long run of log lines, next to one full-screen redraw.
//
//     log_output_bench [--benchmark_...]
//
// The console here is the terminal console's output half without a terminal:
// the same writer and the same frame pacing, counting the bytes instead of
// sending them.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "platform/posix_file_system.h"
#include "platform/posix_process.h"
#include "platform/posix_syscalls.h"
#include "platform/terminal_writer.h"
#include "platform/text_literal.h"
#include "transfer/progress_log.h"
#include "ui/colours.h"
#include "ui/screen.h"

namespace {

using namespace zq;

class CountingTerminal : public platform::Console {
 public:
  explicit CountingTerminal(bool paced) : paced_(paced) {}

  void WriteCells(int column, int row, std::span<const platform::Cell> cells) override {
    for (const platform::Cell& cell : cells) {
      if (column >= platform::SCREEN_WIDTH) break;
      wanted_.cells[static_cast<std::size_t>(row * platform::SCREEN_WIDTH + column++)] = cell;
    }
    if (paced_ && std::chrono::steady_clock::now() - lastFlush_ >= platform::FRAME_INTERVAL)
      Flush();
  }
  void SetCursorPosition(int column, int row) override {
    wanted_.cursorColumn = column;
    wanted_.cursorRow = row;
  }
  void SetCursorVisible(bool visible) override { wanted_.cursorVisible = visible; }
  void SetCursorSize(int percent) override { wanted_.cursorSize = percent; }
  void SetTitle(std::string_view title) override { wanted_.title = title; }
  bool PeekInput(platform::InputRecord&) override { return false; }
  bool ReadInput(platform::InputRecord&) override { return false; }
  bool WaitForInput(int) override {
    Flush();
    return false;
  }
  void Flush() override {
    lastFlush_ = std::chrono::steady_clock::now();
    bytes_ += writer_.Update(wanted_).size();
    ++updates_;
  }
  void Bell() override {}

  std::size_t Bytes() const { return bytes_; }
  std::size_t Updates() const { return updates_; }
  std::size_t FullRedraw() {
    writer_.Invalidate();
    return writer_.Update(wanted_).size();
  }

 private:
  bool paced_;
  platform::TerminalScreen wanted_;
  platform::TerminalWriter writer_;
  std::chrono::steady_clock::time_point lastFlush_;
  std::size_t bytes_ = 0;
  std::size_t updates_ = 0;
};

struct NoClock : platform::Clock {
  void Sleep(int) override {}
  std::uint32_t TickCount() override { return 0; }
  platform::LocalTime Now() override { return {}; }
};

// One line of a company's conversion, in its colours; the kinds of line come
// in turn so that a scrolled row seldom shows the same text as before.
void WriteLine(transfer::ProgressLog& log, int line) {
  const std::string number = std::to_string(line);
  switch (line % 5) {
    case 0:
      log.SetLogColour(transfer::LOG_COPY);
      log.LogWriteLn("Kopiuje /dane/DAZ_2020/FIRMA" + number + "/DANE_PR8.REK  " + number +
                     " pozycji ...");
      break;
    case 1:
      log.SetLogColour(transfer::LOG_LABEL);
      log.LogWrite("osoba: "_pl);
      log.SetLogColour(transfer::LOG_EMPHASIS);
      log.LogWriteLn("Kowalska-Nowak Zofia Maria "_pl + number);
      break;
    case 2:
      log.LogWriteLn("DAZ=05.01.2021 FV/"_pl + number + "/21  Zakup materiałów biurowych.ok"_pl);
      break;
    case 3:
      log.SetLogColour(transfer::LOG_COPY);
      log.LogWriteLn("Kopiuję /dane/DAZ_2020/#BIN020/baza_ad8.rek  "_pl + number +
                     "480 bytów..."_pl);
      break;
    default:
      log.LogWriteLn("Konwertuję zapisy : Marzec"_pl);
      break;
  }
}

// Writes a long run of log lines and counts what the terminal is sent.
void WriteLogLines(benchmark::State& state, bool paced, bool flushEachLine) {
  CountingTerminal terminal(paced);
  platform::PosixProcess process(0, nullptr);
  platform::PosixSyscalls syscalls;
  platform::PosixFileSystem files(syscalls, process);  // no colour file: the built-in colours
  NoClock clock;
  ui::Colours colours(files);
  ui::Screen screen(terminal);
  std::uint8_t showSlowly = 0;
  transfer::ProgressLog log(screen, colours, clock, showSlowly);
  log.ClearLog(true);
  log.LogWriteLn(" PROGRAM DO PRZEPCHNIĘCIA DANYCH DAZ_ZQ Z ROKU 2020 NA 2021 1.02(x86)"_pl);
  log.LogWriteLn(std::string(80, '\xC4'));
  terminal.Flush();
  const std::size_t bytesBefore = terminal.Bytes();
  const std::size_t updatesBefore = terminal.Updates();
  int line = 0;
  for (auto _ : state) {
    WriteLine(log, line++);
    if (flushEachLine) terminal.Flush();
  }
  terminal.Flush();
  const auto lines = static_cast<double>(state.iterations());
  state.counters["bytes_per_line"] = static_cast<double>(terminal.Bytes() - bytesBefore) / lines;
  state.counters["updates"] = static_cast<double>(terminal.Updates() - updatesBefore);
  state.counters["full_redraw_bytes"] = static_cast<double>(terminal.FullRedraw());
  state.SetItemsProcessed(static_cast<std::int64_t>(lines));
}

// Every line shown at once (a person reading along: slow display, questions).
void BM_LogLineShownAtOnce(benchmark::State& state) {
  WriteLogLines(state, false, true);
}
// A fast conversion: the terminal follows at its frame rate.
void BM_LogLineFramePaced(benchmark::State& state) {
  WriteLogLines(state, true, false);
}

BENCHMARK(BM_LogLineShownAtOnce)->Iterations(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LogLineFramePaced)->Iterations(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
