#pragma once
// A program in a real terminal: a private tmux server with one pane running a
// command, its screen read back, keys typed into it.

#include <functional>
#include <string>

namespace zq::testing {

// The text in single quotes for the shell.
std::string Quote(const std::string& text);

class Tmux {
 public:
  explicit Tmux(const std::string& command, int width = 80, int height = 25);
  ~Tmux();
  Tmux(const Tmux&) = delete;
  Tmux& operator=(const Tmux&) = delete;

  std::string Run(const std::string& arguments) const;
  std::string Screen() const { return Run("capture-pane -p"); }
  std::string ScreenWithColours() const { return Run("capture-pane -p -e"); }
  bool AlternateScreen() const { return Run("display -p '#{alternate_on}'") == "1\n"; }
  // Keys as `tmux send-keys` takes them: "Enter", "C-t", "M-a", "'text'".
  void Keys(const std::string& keys) const { Run("send-keys " + keys); }

  // Polls the pane until the condition holds; false after five seconds.
  bool WaitFor(const std::function<bool(const std::string&)>& condition) const;
  bool WaitForText(const std::string& text) const;

 private:
  std::string socket_;
};

// Row `row` (1-based) of a captured pane.
std::string Line(const std::string& screen, int row);

// The shell command that runs `program`, then reports its exit code as
// "EXIT=n" followed by the terminal settings it left, and stays open.
std::string RunThenReport(const std::string& program);

// After the marker, `stty -a` shows a cooked terminal (icanon, echo, isig,
// ixon, opost, icrnl) and the alternate screen is gone.
void ExpectCookedTerminalAfter(const Tmux& tmux, const std::string& marker);

}  // namespace zq::testing
