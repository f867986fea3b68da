#include "platform/terminal_console.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/posix_errors.h"
#include "platform/process.h"
#include "platform/terminal_guard.h"

namespace zq::platform {
namespace {

// How long the rest of an escape sequence may take to arrive after its ESC;
// a lone ESC is the Esc key once this passes without input.
constexpr int ESCAPE_DELAY_MS = 25;

// The key that leaves the program from the too-small note, and the exit code
// it leaves with: the program could not do its work.
constexpr std::uint16_t CTRL_C = 0x2E03;
constexpr int EXIT_TERMINAL_TOO_SMALL = 1;

[[noreturn]] void ThrowSystemError(const std::string& what) {
  throw std::runtime_error(what + ": " + SystemErrorText(errno));
}

// No echo, no line editing, no signals or flow control from keys, 8-bit
// input and output taken as they are; a read returns at once.
termios RawSettings(termios settings) {
  settings.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                             ICRNL | IXON | IXOFF);
  settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  settings.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
  settings.c_cflag |= CS8;
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  return settings;
}

}  // namespace

void TerminalConsole::Descriptor::Reset(int fd) {
  if (fd_ >= 0) close(fd_);
  fd_ = fd;
}

TerminalConsole::TerminalConsole() {
  tty_.Reset(open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (tty_.get() < 0) {
    ThrowSystemError("Brak terminala: program działa tylko w oknie terminala (/dev/tty)");
  }
  const char* term = std::getenv("TERM");
  const std::optional<TerminalFamily> family = FamilyOf(term ? term : "");
  if (!family) throw std::runtime_error(RefusalOf(term ? term : ""));
  writer_ = TerminalWriter(*family);
  termios saved{};
  if (tcgetattr(tty_.get(), &saved) != 0) ThrowSystemError("Nie można odczytać ustawień terminala");
  int wakePipe[2];
  if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) ThrowSystemError("pipe2");
  wakeRead_.Reset(wakePipe[0]);
  wakeWrite_.Reset(wakePipe[1]);
  MeasureTerminal();
  std::string enter = EnterSequence(*family);
  std::string leave = LeaveSequence(*family);
  // A window smaller than the screen is asked to grow, and given its size
  // back on the way out. Screen and tmux size their windows themselves.
  if (!LargeEnough() && *family == TerminalFamily::XTERM) {
    enter += SizeRequest(std::max(width_, SCREEN_WIDTH), std::max(height_, SCREEN_HEIGHT));
    leave += SizeRequest(width_, height_);
  }
  guard_ = std::make_unique<TerminalGuard>(tty_.get(), saved, RawSettings(saved), enter, leave,
                                           wakeWrite_.get());
}

TerminalConsole::~TerminalConsole() = default;

void TerminalConsole::WriteCells(int column, int row, std::span<const Cell> cells) {
  if (row < 0 || row >= SCREEN_HEIGHT) return;
  cells = CellsOnScreen(row, column, cells);
  if (!cells.empty()) {
    std::copy(cells.begin(), cells.end(),
              wanted_.cells.begin() + static_cast<std::ptrdiff_t>(row * SCREEN_WIDTH + column));
  }
  if (std::chrono::steady_clock::now() - lastFlush_ >= FRAME_INTERVAL) Flush();
}

void TerminalConsole::SetCursorPosition(int column, int row) {
  wanted_.cursorColumn = column;
  wanted_.cursorRow = row;
}

void TerminalConsole::SetCursorVisible(bool visible) {
  wanted_.cursorVisible = visible;
}

void TerminalConsole::SetCursorSize(int percent) {
  wanted_.cursorSize = percent;
}

void TerminalConsole::SetTitle(std::string_view cp852Title) {
  wanted_.title = cp852Title;
}

bool TerminalConsole::PeekInput(InputRecord& record) {
  Poll(0);
  if (!InputReady()) return false;
  record = input_.front();
  return true;
}

bool TerminalConsole::ReadInput(InputRecord& record) {
  if (!PeekInput(record)) return false;
  input_.pop_front();
  return true;
}

bool TerminalConsole::WaitForInput(int timeoutMs) {
  Flush();
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    Poll(static_cast<int>(std::max<decltype(left)>(left, 0)));
    Flush();  // a resize or a resumption may call for a redraw
    if (InputReady()) return true;
    if (Clock::now() >= deadline) return false;
  }
}

void TerminalConsole::Flush() {
  lastFlush_ = std::chrono::steady_clock::now();
  if (!LargeEnough()) {
    if (!noteShown_) Send(TooSmallSequence(width_, height_));
    noteShown_ = true;
    writer_.Invalidate();
    return;
  }
  noteShown_ = false;
  const std::string bytes = writer_.Update(wanted_);
  if (!bytes.empty()) Send(bytes);
}

void TerminalConsole::Bell() {
  Send("\a");
}

void TerminalConsole::CopyToSystemClipboard(std::string_view cp852) {
  Send(ClipboardSequence(cp852));
}

void TerminalConsole::Poll(int timeoutMs) {
  using std::chrono::milliseconds;
  const auto Held = [this] {
    return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - heldSince_);
  };
  int waitMs = timeoutMs;
  if (decoder_.Waiting()) {
    waitMs = std::min(waitMs, std::max(0, ESCAPE_DELAY_MS - static_cast<int>(Held().count())));
  }
  pollfd watched[2] = {{hungUp_ ? -1 : tty_.get(), POLLIN, 0}, {wakeRead_.get(), POLLIN, 0}};
  if (poll(watched, 2, waitMs) > 0) {
    // Input first, at the size it was typed at: keys typed before a window
    // grew back were typed at the note, not at the screen.
    if (watched[0].revents & (POLLIN | POLLHUP | POLLERR)) ReadTerminal();
    if (watched[1].revents & POLLIN) ReadWakeUps();
  }
  // Nothing more came within the escape delay: a held ESC is the Esc key
  // and a cut sequence is dropped.
  if (decoder_.Waiting() && Held() >= milliseconds(ESCAPE_DELAY_MS)) Accept(decoder_.Take(true));
}

void TerminalConsole::Accept(const std::vector<InputRecord>& records) {
  for (const InputRecord& record : records) {
    if (LargeEnough()) {
      input_.push_back(record);
    } else if (record.kind == InputRecord::Kind::KEY && record.key.code == CTRL_C) {
      throw ProgramExit{EXIT_TERMINAL_TOO_SMALL};
    }
    // Anything else pressed at the note is dropped: the operator did not
    // see the screen it would act on.
  }
}

void TerminalConsole::ReadTerminal() {
  char buffer[4096];
  const ssize_t count = read(tty_.get(), buffer, sizeof buffer);
  if (count <= 0) {
    if (count == 0 || errno != EINTR) hungUp_ = true;
    return;
  }
  decoder_.Feed(std::string_view(buffer, static_cast<std::size_t>(count)));
  Accept(decoder_.Take(false));
  if (decoder_.Waiting()) heldSince_ = std::chrono::steady_clock::now();
}

void TerminalConsole::ReadWakeUps() {
  char reasons[64];
  while (read(wakeRead_.get(), reasons, sizeof reasons) > 0) {
  }
  // Both a resize and a resumption leave the terminal's contents unknown.
  MeasureTerminal();
  writer_.Invalidate();
  noteShown_ = false;
}

void TerminalConsole::MeasureTerminal() {
  winsize size{};
  if (ioctl(tty_.get(), TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
    width_ = size.ws_col;
    height_ = size.ws_row;
  } else {
    width_ = SCREEN_WIDTH;  // a terminal that does not say is taken to be large enough
    height_ = SCREEN_HEIGHT;
  }
}

bool TerminalConsole::LargeEnough() const {
  return width_ >= SCREEN_WIDTH && height_ >= SCREEN_HEIGHT;
}

bool TerminalConsole::InputReady() const {
  return LargeEnough() && !input_.empty();
}

void TerminalConsole::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(tty_.get(), bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return;  // the terminal is gone; the next read will tell
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace zq::platform
