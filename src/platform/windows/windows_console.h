#pragma once
// The console on Windows: a screen buffer of the program's own, 80 x 25,
// made active at start and the original one (with its size, window, input
// mode, cursor and title) back at the end, so the command window looks as
// it did. Cells are written with WriteConsoleOutputW through the program's
// CP852 table, whatever code page the console has, and only the rectangle
// that changed since the last flush is sent. Input is raw: no line editing,
// no echo, Ctrl+C arriving as the key 0x2E03, the mouse reported by cells.
//
// A console whose buffer cannot be made 80 x 25 stops the program with a
// message (std::runtime_error); one whose window cannot show all of it goes
// on, and the operator scrolls.

#include <deque>
#include <string>
#include <vector>

#include "platform/console.h"

namespace zq::platform {

class WindowsConsole final : public Console {
 public:
  WindowsConsole();
  ~WindowsConsole() override;
  WindowsConsole(const WindowsConsole&) = delete;
  WindowsConsole& operator=(const WindowsConsole&) = delete;

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

 private:
  // Takes every record the console holds now, without waiting.
  void ReadConsoleRecords();
  void ApplyCursor();
  void CloseHandles();

  void* input_ = nullptr;
  void* screen_ = nullptr;    // the program's own screen buffer
  void* original_ = nullptr;  // the buffer active before the program
  unsigned long originalInputMode_ = 0;
  std::wstring originalTitle_;

  std::vector<Cell> cells_;       // what the program wrote
  std::vector<Cell> shown_;       // what the console shows
  int dirtyTop_ = SCREEN_HEIGHT;  // the rows written since the last flush
  int dirtyBottom_ = -1;
  int cursorColumn_ = 0;
  int cursorRow_ = 0;
  bool cursorVisible_ = true;
  int cursorSize_ = 20;
  bool cursorChanged_ = true;

  std::deque<InputRecord> queued_;
  std::uint16_t mouseButtons_ = 0;
};

}  // namespace zq::platform
