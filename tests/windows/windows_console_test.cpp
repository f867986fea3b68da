#include <gtest/gtest.h>

#include <array>

#include "platform/windows/win32.h"
#include "platform/windows/windows_console.h"

namespace zq::platform {
namespace {

// The console's input, whichever console the test has.
struct ConsoleInput {
  HANDLE handle =
      CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, win32::OPEN_EXISTING_FILE, 0, nullptr);
  ~ConsoleInput() { CloseHandle(handle); }
};

// The console the test runs in, or one of its own when it was started
// without (as ctest starts it).
bool HaveConsole() {
  DWORD mode = 0;
  if (GetConsoleMode(ConsoleInput().handle, &mode)) return true;
  AllocConsole();
  return GetConsoleMode(ConsoleInput().handle, &mode);
}

INPUT_RECORD KeyDown(WORD virtualKey, wchar_t character, DWORD state) {
  INPUT_RECORD record{};
  record.EventType = KEY_EVENT;
  record.Event.KeyEvent = {TRUE, 1, virtualKey, 0, {character}, state};
  return record;
}

// The active screen buffer, whichever it is.
struct ActiveScreen {
  HANDLE handle =
      CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, win32::OPEN_EXISTING_FILE, 0, nullptr);
  ~ActiveScreen() { CloseHandle(handle); }
  COORD Size() const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(handle, &info);
    return info.dwSize;
  }
};

TEST(WindowsConsole, TakesAnOwnScreenOf80x25ReadsRawKeysAndGivesEverythingBack) {
  if (!HaveConsole()) GTEST_SKIP() << "no console can be had here";
  SetConsoleTitleW(L"before");
  {
    WindowsConsole console;
    EXPECT_EQ(ActiveScreen().Size().X, SCREEN_WIDTH);
    EXPECT_EQ(ActiveScreen().Size().Y, SCREEN_HEIGHT);

    // Cells go out through the program's own table: 0xBD is 'Ż' in CP852.
    const std::array<Cell, 3> cells = {Cell{0xBD, 0x1F}, Cell{'a', 0x70}, Cell{0xC9, 0x07}};
    console.WriteCells(78, 24, cells);  // the third falls beyond the edge
    console.SetTitle("Kopiowanie danych \xBD");
    console.Flush();
    CHAR_INFO shown[2] = {};
    SMALL_RECT area{78, 24, 79, 24};
    ASSERT_TRUE(ReadConsoleOutputW(ActiveScreen().handle, shown, COORD{2, 1}, COORD{0, 0}, &area));
    EXPECT_EQ(shown[0].Char.UnicodeChar, L'Ż');
    EXPECT_EQ(shown[0].Attributes, 0x1F);
    EXPECT_EQ(shown[1].Char.UnicodeChar, L'a');
    EXPECT_EQ(shown[1].Attributes, 0x70);
    wchar_t title[64] = {};
    GetConsoleTitleW(title, 64);
    EXPECT_STREQ(title, L"Kopiowanie danych Ż");

    // Processed input is off: Ctrl+C is a key like the others; a key
    // release gives nothing.
    const INPUT_RECORD typed[] = {
        KeyDown('C', 0x03, LEFT_CTRL_PRESSED),
        KeyDown('A', L'ą', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED),
        INPUT_RECORD{KEY_EVENT, {.KeyEvent = {FALSE, 1, 'A', 0, {L'a'}, 0}}},
        KeyDown(VK_F5, 0, 0),
        INPUT_RECORD{MOUSE_EVENT, {.MouseEvent = {{7, 3}, FROM_LEFT_1ST_BUTTON_PRESSED, 0, 0}}},
        INPUT_RECORD{MOUSE_EVENT, {.MouseEvent = {{7, 3}, 0, 0, 0}}}};
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputW(ConsoleInput().handle, typed, std::size(typed), &written));
    InputRecord record;
    for (const InputRecord& expected :
         {InputRecord::Key(0x2E03, 0x04), InputRecord::Key(0x1EA5, 0), InputRecord::Key(0x3F00, 0),
          InputRecord::Mouse(MOUSE_LEFT, 7, 3), InputRecord::Mouse(0, 7, 3)}) {
      ASSERT_TRUE(console.WaitForInput(1000));
      ASSERT_TRUE(console.ReadInput(record));
      EXPECT_EQ(record, expected);
    }
    EXPECT_FALSE(console.WaitForInput(10));
  }
  wchar_t title[64] = {};
  GetConsoleTitleW(title, 64);
  EXPECT_STREQ(title, L"before");
  DWORD mode = 0;
  GetConsoleMode(ConsoleInput().handle, &mode);
  EXPECT_NE(mode & ENABLE_PROCESSED_INPUT, 0u);
}

}  // namespace
}  // namespace zq::platform
