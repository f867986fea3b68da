#include "platform/terminal_guard.h"

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace zq::platform {
namespace {

// A signal handler can reach nothing but process-wide state, and the terminal
// must be restored even where no destructor runs (a crash, a signal,
// std::exit). So the few facts the restoration needs live here, in this one
// place, fixed before any handler is installed: the terminal's descriptor,
// its saved and raw settings, the bytes that enter and leave our mode, and
// the wake-up pipe. The handlers only call write(), tcsetattr(), sigaction()
// and raise(), which are async-signal-safe.
struct RestoreState {
  int ttyFd = -1;
  int wakeFd = -1;
  termios saved{};
  termios raw{};
  char enterBytes[256]{};
  std::size_t enterLength = 0;
  char leaveBytes[256]{};
  std::size_t leaveLength = 0;
  volatile std::sig_atomic_t guarded = 0;  // a TerminalGuard exists
  volatile std::sig_atomic_t inRawMode = 0;
};
RestoreState restoreState;
bool atExitRegistered = false;

void WriteFully(int fd, const char* data, std::size_t length) {
  while (length > 0) {
    const ssize_t written = write(fd, data, length);
    if (written < 0) {
      if (errno == EINTR) continue;
      return;  // the terminal is gone; nothing more can be done
    }
    data += written;
    length -= static_cast<std::size_t>(written);
  }
}

void LeaveRawMode() {
  if (!restoreState.inRawMode) return;
  restoreState.inRawMode = 0;
  WriteFully(restoreState.ttyFd, restoreState.leaveBytes, restoreState.leaveLength);
  tcsetattr(restoreState.ttyFd, TCSADRAIN, &restoreState.saved);
}

void EnterRawMode() {
  tcsetattr(restoreState.ttyFd, TCSADRAIN, &restoreState.raw);
  WriteFully(restoreState.ttyFd, restoreState.enterBytes, restoreState.enterLength);
  restoreState.inRawMode = 1;
}

void Wake(char reason) {
  if (restoreState.wakeFd < 0) return;
  const int savedErrno = errno;
  [[maybe_unused]] const ssize_t ignored = write(restoreState.wakeFd, &reason, 1);
  errno = savedErrno;
}

void SetHandler(int signalNumber, void (*handler)(int), int flags,
                struct sigaction* previous = nullptr) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = flags;
  sigaction(signalNumber, &action, previous);
}

// Terminating signals and crashes: restore, then die of the same signal so
// that the parent sees the true cause.
void OnFatalSignal(int signalNumber) {
  LeaveRawMode();
  SetHandler(signalNumber, SIG_DFL, 0);
  raise(signalNumber);
}

void OnStop(int) {
  const int savedErrno = errno;
  const bool wasRaw = restoreState.inRawMode != 0;
  LeaveRawMode();
  SetHandler(SIGTSTP, SIG_DFL, 0);
  raise(SIGTSTP);  // stops here until SIGCONT
  SetHandler(SIGTSTP, OnStop, SA_NODEFER);
  if (wasRaw) EnterRawMode();
  Wake(WAKE_RESUMED);
  errno = savedErrno;
}

// A stop by SIGSTOP leaves the terminal to the shell, which may change its
// settings: take raw mode again and have the screen redrawn.
void OnContinue(int) {
  if (!restoreState.inRawMode) return;
  const int savedErrno = errno;
  tcsetattr(restoreState.ttyFd, TCSADRAIN, &restoreState.raw);
  errno = savedErrno;
  Wake(WAKE_RESUMED);
}

void OnResize(int) {
  Wake(WAKE_RESIZED);
}

void RestoreAtExit() {
  LeaveRawMode();
}

void CopyBytes(std::string_view bytes, char (&buffer)[256], std::size_t& length) {
  if (bytes.size() > sizeof buffer) throw std::logic_error("terminal mode sequence too long");
  std::memcpy(buffer, bytes.data(), bytes.size());
  length = bytes.size();
}

bool TerminatesProcess(int signalNumber) {
  return signalNumber == SIGINT || signalNumber == SIGTERM || signalNumber == SIGHUP ||
         signalNumber == SIGQUIT;
}

}  // namespace

TerminalGuard::TerminalGuard(int ttyFd, const termios& saved, const termios& raw,
                             std::string_view enterBytes, std::string_view leaveBytes, int wakeFd) {
  if (restoreState.guarded) throw std::logic_error("the terminal is already in use");
  CopyBytes(enterBytes, restoreState.enterBytes, restoreState.enterLength);
  CopyBytes(leaveBytes, restoreState.leaveBytes, restoreState.leaveLength);
  restoreState.ttyFd = ttyFd;
  restoreState.wakeFd = wakeFd;
  restoreState.saved = saved;
  restoreState.raw = raw;
  restoreState.guarded = 1;
  if (!atExitRegistered) {
    std::atexit(RestoreAtExit);
    atExitRegistered = true;
  }
  for (std::size_t i = 0; i < SIGNALS.size(); ++i) {
    const int signalNumber = SIGNALS[i];
    sigaction(signalNumber, nullptr, &previous_[i]);
    // A signal the process was told to ignore (nohup, a background job)
    // stays ignored.
    if (TerminatesProcess(signalNumber) && previous_[i].sa_handler == SIG_IGN) continue;
    if (signalNumber == SIGTSTP) {
      SetHandler(signalNumber, OnStop, SA_NODEFER);
    } else if (signalNumber == SIGCONT) {
      SetHandler(signalNumber, OnContinue, SA_RESTART);
    } else if (signalNumber == SIGWINCH) {
      SetHandler(signalNumber, OnResize, SA_RESTART);
    } else {
      SetHandler(signalNumber, OnFatalSignal, SA_NODEFER);
    }
  }
  EnterRawMode();
}

TerminalGuard::~TerminalGuard() {
  LeaveRawMode();
  for (std::size_t i = 0; i < SIGNALS.size(); ++i) sigaction(SIGNALS[i], &previous_[i], nullptr);
  restoreState.wakeFd = -1;
  restoreState.guarded = 0;
}

}  // namespace zq::platform
