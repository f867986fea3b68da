#include "platform/windows/windows_console.h"

#include "platform/windows/win32.h"

#include <algorithm>
#include <stdexcept>

#include "platform/cp852.h"
#include "platform/windows/console_input.h"
#include "platform/windows/wide_text.h"

namespace zq::platform {
namespace {

constexpr std::size_t CELL_COUNT = static_cast<std::size_t>(SCREEN_WIDTH) * SCREEN_HEIGHT;
constexpr DWORD RAW_INPUT_MODE = ENABLE_MOUSE_INPUT | ENABLE_EXTENDED_FLAGS;

[[noreturn]] void Refuse(const char* what) {
  throw std::runtime_error(std::string(what) + " (błąd systemu " + std::to_string(GetLastError()) +
                           ")");
}

HANDLE OpenConsole(const wchar_t* name) {
  return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, win32::OPEN_EXISTING_FILE, 0, nullptr);
}

// The buffer made 80 x 25 with its window: the window shrinks first, as a
// buffer may never be smaller than its window.
bool SetScreenSize(HANDLE screen) {
  const SMALL_RECT corner{0, 0, 0, 0};
  SetConsoleWindowInfo(screen, TRUE, &corner);
  if (!SetConsoleScreenBufferSize(screen, COORD{SCREEN_WIDTH, SCREEN_HEIGHT})) return false;
  const SMALL_RECT window{0, 0, SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1};
  SetConsoleWindowInfo(screen, TRUE, &window);  // a smaller window is scrolled
  return true;
}

}  // namespace

WindowsConsole::WindowsConsole() : cells_(CELL_COUNT), shown_(CELL_COUNT) {
  // The console itself, even when the standard handles go elsewhere.
  input_ = OpenConsole(L"CONIN$");
  original_ = OpenConsole(L"CONOUT$");
  DWORD mode = 0;
  if (input_ == INVALID_HANDLE_VALUE || original_ == INVALID_HANDLE_VALUE ||
      !GetConsoleMode(input_, &mode)) {
    CloseHandles();
    Refuse("Brak konsoli: program działa tylko w oknie wiersza poleceń");
  }
  originalInputMode_ = mode;
  std::wstring title(1024, L'\0');
  title.resize(GetConsoleTitleW(title.data(), static_cast<DWORD>(title.size())));
  originalTitle_ = title;

  screen_ =
      CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
  if (screen_ == INVALID_HANDLE_VALUE) {
    CloseHandles();
    Refuse("Nie można utworzyć ekranu konsoli");
  }
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!SetScreenSize(screen_) || !GetConsoleScreenBufferInfo(screen_, &info) ||
      info.dwSize.X < SCREEN_WIDTH || info.dwSize.Y < SCREEN_HEIGHT) {
    CloseHandles();
    Refuse("Konsoli nie da się ustawić na 80 x 25 znaków");
  }
  SetConsoleActiveScreenBuffer(screen_);
  SetConsoleMode(input_, RAW_INPUT_MODE);
  // Every cell is sent once at the first flush.
  std::fill(shown_.begin(), shown_.end(), Cell{0, 0});
  dirtyTop_ = 0;
  dirtyBottom_ = SCREEN_HEIGHT - 1;
}

WindowsConsole::~WindowsConsole() {
  SetConsoleMode(input_, originalInputMode_);
  SetConsoleActiveScreenBuffer(original_);
  SetConsoleTitleW(originalTitle_.c_str());
  CloseHandles();
}

void WindowsConsole::CloseHandles() {
  for (void* handle : {input_, original_, screen_}) {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
}

void WindowsConsole::WriteCells(int column, int row, std::span<const Cell> cells) {
  cells = CellsOnScreen(row, column, cells);
  if (cells.empty()) return;
  std::copy(cells.begin(), cells.end(), cells_.begin() + row * SCREEN_WIDTH + column);
  dirtyTop_ = std::min(dirtyTop_, row);
  dirtyBottom_ = std::max(dirtyBottom_, row);
}

void WindowsConsole::SetCursorPosition(int column, int row) {
  cursorColumn_ = std::clamp(column, 0, SCREEN_WIDTH - 1);
  cursorRow_ = std::clamp(row, 0, SCREEN_HEIGHT - 1);
  cursorChanged_ = true;
}

void WindowsConsole::SetCursorVisible(bool visible) {
  cursorVisible_ = visible;
  cursorChanged_ = true;
}

void WindowsConsole::SetCursorSize(int percent) {
  cursorSize_ = std::clamp(percent, 1, 100);
  cursorChanged_ = true;
}

void WindowsConsole::SetTitle(std::string_view cp852Title) {
  SetConsoleTitleW(Cp852ToWide(cp852Title).c_str());
}

void WindowsConsole::ReadConsoleRecords() {
  INPUT_RECORD records[64];
  DWORD waiting = 0;
  while (GetNumberOfConsoleInputEvents(input_, &waiting) && waiting > 0) {
    DWORD read = 0;
    if (!ReadConsoleInputW(input_, records, static_cast<DWORD>(std::size(records)), &read) ||
        read == 0) {
      return;
    }
    for (DWORD i = 0; i < read; ++i) {
      const INPUT_RECORD& record = records[i];
      if (record.EventType == KEY_EVENT) {
        if (const auto key = KeyInputOf(record.Event.KeyEvent)) {
          queued_.insert(queued_.end(), std::max<WORD>(record.Event.KeyEvent.wRepeatCount, 1),
                         *key);
        }
      } else if (record.EventType == MOUSE_EVENT) {
        if (const auto mouse = MouseInputOf(record.Event.MouseEvent, mouseButtons_)) {
          queued_.push_back(*mouse);
        }
      }
    }
  }
}

bool WindowsConsole::PeekInput(InputRecord& record) {
  ReadConsoleRecords();
  if (queued_.empty()) return false;
  record = queued_.front();
  return true;
}

bool WindowsConsole::ReadInput(InputRecord& record) {
  if (!PeekInput(record)) return false;
  queued_.pop_front();
  return true;
}

bool WindowsConsole::WaitForInput(int timeoutMs) {
  Flush();
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
  ReadConsoleRecords();
  // Key releases and other records wake the wait without giving input.
  while (queued_.empty()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    if (WaitForSingleObject(input_, static_cast<DWORD>(deadline - now)) != WAIT_OBJECT_0) {
      return false;
    }
    ReadConsoleRecords();
  }
  return true;
}

void WindowsConsole::ApplyCursor() {
  if (!cursorChanged_) return;
  cursorChanged_ = false;
  const CONSOLE_CURSOR_INFO cursor{static_cast<DWORD>(cursorSize_), cursorVisible_ ? TRUE : FALSE};
  SetConsoleCursorInfo(screen_, &cursor);
  SetConsoleCursorPosition(
      screen_, COORD{static_cast<SHORT>(cursorColumn_), static_cast<SHORT>(cursorRow_)});
}

void WindowsConsole::Flush() {
  // Of the rows written, only those whose cells differ from the shown ones.
  while (dirtyTop_ <= dirtyBottom_ && std::equal(cells_.begin() + dirtyTop_ * SCREEN_WIDTH,
                                                 cells_.begin() + (dirtyTop_ + 1) * SCREEN_WIDTH,
                                                 shown_.begin() + dirtyTop_ * SCREEN_WIDTH)) {
    ++dirtyTop_;
  }
  while (dirtyBottom_ >= dirtyTop_ && std::equal(cells_.begin() + dirtyBottom_ * SCREEN_WIDTH,
                                                 cells_.begin() + (dirtyBottom_ + 1) * SCREEN_WIDTH,
                                                 shown_.begin() + dirtyBottom_ * SCREEN_WIDTH)) {
    --dirtyBottom_;
  }
  if (dirtyTop_ <= dirtyBottom_) {
    const auto rows = static_cast<std::size_t>(dirtyBottom_ - dirtyTop_ + 1);
    std::vector<CHAR_INFO> block(rows * SCREEN_WIDTH);
    const std::size_t start = static_cast<std::size_t>(dirtyTop_) * SCREEN_WIDTH;
    for (std::size_t i = 0; i < block.size(); ++i) {
      const Cell& cell = cells_[start + i];
      block[i].Char.UnicodeChar = static_cast<WCHAR>(Cp852ToUnicode(cell.character));
      // The PC attribute is the console's: blue, green, red, bright, for the
      // text and then the background.
      block[i].Attributes = cell.attribute;
    }
    SMALL_RECT area{0, static_cast<SHORT>(dirtyTop_), SCREEN_WIDTH - 1,
                    static_cast<SHORT>(dirtyBottom_)};
    WriteConsoleOutputW(screen_, block.data(), COORD{SCREEN_WIDTH, static_cast<SHORT>(rows)},
                        COORD{0, 0}, &area);
    std::copy(cells_.begin() + static_cast<std::ptrdiff_t>(start),
              cells_.begin() + static_cast<std::ptrdiff_t>(start + block.size()),
              shown_.begin() + static_cast<std::ptrdiff_t>(start));
  }
  dirtyTop_ = SCREEN_HEIGHT;
  dirtyBottom_ = -1;
  ApplyCursor();
}

void WindowsConsole::Bell() {
  MessageBeep(0xFFFFFFFF);
}

}  // namespace zq::platform
