#include "support/tmux.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

namespace zq::testing {

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

Tmux::Tmux(const std::string& command, int width, int height) {
  static int counter = 0;
  socket_ = "zq-test-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
  Run("new-session -d -x " + std::to_string(width) + " -y " + std::to_string(height) + " " +
      Quote(command));
}

Tmux::~Tmux() {
  Run("kill-server");
}

std::string Tmux::Run(const std::string& arguments) const {
  const std::string command =
      std::string(ZQ_TMUX) + " -L " + socket_ + " -f /dev/null " + arguments + " 2>/dev/null";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
    pclose(pipe);
  }
  return output;
}

bool Tmux::WaitFor(const std::function<bool(const std::string&)>& condition) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition(Screen())) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

bool Tmux::WaitForText(const std::string& text) const {
  return WaitFor([&](const std::string& screen) { return screen.find(text) != std::string::npos; });
}

std::string Line(const std::string& screen, int row) {
  std::istringstream lines(screen);
  std::string line;
  for (int i = 0; i < row && std::getline(lines, line); ++i) {
  }
  return line;
}

std::string RunThenReport(const std::string& program) {
  return program + "; echo EXIT=$?; stty -a; exec sleep 600";
}

namespace {

// True when `word` stands in `text` between blanks or at an end.
bool HasWord(const std::string& text, const std::string& word) {
  std::istringstream words(text);
  std::string each;
  while (words >> each) {
    if (each == word) return true;
  }
  return false;
}

}  // namespace

void ExpectCookedTerminalAfter(const Tmux& tmux, const std::string& marker) {
  ASSERT_TRUE(tmux.WaitFor([&](const std::string& screen) {
    const std::size_t at = screen.find(marker);
    return at != std::string::npos && screen.find("icanon", at) != std::string::npos;
  })) << marker
      << "\n"
      << tmux.Screen();
  const std::string screen = tmux.Screen();
  const std::string settings = screen.substr(screen.find(marker));
  for (const char* flag : {"icanon", "echo", "isig", "ixon", "opost", "icrnl"}) {
    EXPECT_TRUE(HasWord(settings, flag)) << flag << " is off after " << marker << "\n" << settings;
  }
  EXPECT_FALSE(tmux.AlternateScreen()) << marker;
}

}  // namespace zq::testing
