#pragma once
// The console on a POSIX terminal: the controlling terminal in raw mode, the
// screen drawn at its top-left 80 x 25 cells (on the alternate screen where
// the terminal has one), keys and mouse reports read through the key decoder.
// TERM chooses the terminal family; a terminal the program cannot draw on is
// refused.
//
// Keys that a terminal would turn into signals arrive as keys instead: Ctrl+C
// is 0x2E03, Ctrl+Z 0x2C1A, Ctrl+\ 0x2B1C (ISIG off), and Ctrl+Q and Ctrl+S
// reach the program (IXON off).
//
// A window smaller than 80 x 25 is asked to grow where the terminal allows
// it; while it is too small it shows a note instead of the screen, keys
// pressed at the note are dropped, and Ctrl+C ends the program (ProgramExit
// with exit code 1) with the terminal restored.

#include <chrono>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/console.h"
#include "platform/key_decoder.h"
#include "platform/terminal_writer.h"

namespace zq::platform {

class TerminalGuard;

class TerminalConsole final : public Console {
 public:
  // Takes over the controlling terminal (/dev/tty). Throws std::runtime_error
  // with a message for the operator when there is none or TERM names one the
  // program cannot draw on.
  TerminalConsole();
  ~TerminalConsole() override;
  TerminalConsole(const TerminalConsole&) = delete;
  TerminalConsole& operator=(const TerminalConsole&) = delete;

  void WriteCells(int column, int row, std::span<const Cell> cells) override;
  void SetCursorPosition(int column, int row) override;
  void SetCursorVisible(bool visible) override;
  void SetCursorSize(int percent) override;
  void SetTitle(std::string_view cp852Title) override;
  bool PeekInput(InputRecord& record) override;
  bool ReadInput(InputRecord& record) override;
  bool WaitForInput(int timeoutMs) override;
  void Flush() override;
  void Bell() override;
  void CopyToSystemClipboard(std::string_view cp852) override;

 private:
  // Waits up to timeoutMs for terminal input or a wake-up, then takes what
  // arrived. A lone ESC is settled after a short wait.
  void Poll(int timeoutMs);
  void ReadTerminal();
  // Queues decoded input, or drops it while the note is shown.
  void Accept(const std::vector<InputRecord>& records);
  void ReadWakeUps();
  void MeasureTerminal();
  bool LargeEnough() const;
  bool InputReady() const;
  void Send(std::string_view bytes);

  class Descriptor {
   public:
    Descriptor() = default;
    ~Descriptor() { Reset(-1); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void Reset(int fd);

   private:
    int fd_ = -1;
  };

  Descriptor tty_;
  Descriptor wakeRead_;
  Descriptor wakeWrite_;
  std::unique_ptr<TerminalGuard> guard_;
  KeyDecoder decoder_;
  std::deque<InputRecord> input_;
  TerminalScreen wanted_;
  TerminalWriter writer_;
  std::chrono::steady_clock::time_point lastFlush_;
  // When the decoder began to hold back an ESC or a cut sequence.
  std::chrono::steady_clock::time_point heldSince_;
  bool hungUp_ = false;  // the terminal is gone: stop watching it
  int width_ = 0;
  int height_ = 0;
  bool noteShown_ = false;  // the too-small note is on the terminal
};

}  // namespace zq::platform
