#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "support/tmux.h"

namespace zq::testing {
namespace {

const std::string PROBE = std::string(ZQ_TEST_PROGRAM_DIR) + "/toolkit_probe";

// The line ends in a blank and a time "HH:MM:SS".
bool EndsWithClock(const std::string& line) {
  constexpr std::string_view FORM = " 00:00:00";  // a digit where a 0 stands
  if (line.size() < FORM.size()) return false;
  const std::string_view end = std::string_view(line).substr(line.size() - FORM.size());
  for (std::size_t i = 0; i < FORM.size(); ++i) {
    const bool fits = FORM[i] == '0' ? end[i] >= '0' && end[i] <= '9' : end[i] == FORM[i];
    if (!fits) return false;
  }
  return true;
}

TEST(ToolkitInTerminal, DrawsTheDialogAndDeliversKeysAsTheToolkitKnowsThem) {
  Tmux tmux(RunThenReport(PROBE));
  ASSERT_TRUE(tmux.WaitForText("F10-Koniec")) << tmux.Screen();
  // The clock comes with the first idle wait.
  ASSERT_TRUE(tmux.WaitFor([](const std::string& screen) {
    return EndsWithClock(Line(screen, 1));
  })) << tmux.Screen();
  const std::string screen = tmux.Screen();
  // The window from column 5, row 3, 50 x 8; inside it the label at column
  // 3, the field of 20 at column 12 and the button of 10 at column 20, row 4.
  EXPECT_TRUE(Line(screen, 3).starts_with("    ┌──────────────────── Próba ────")) << screen;
  EXPECT_EQ(Line(screen, 5), "    │  Nazwa:   Zażółć" + std::string(31, ' ') + "│");
  EXPECT_EQ(Line(screen, 7),
            "    │" + std::string(19, ' ') + "    OK    ▄" + std::string(18, ' ') + "│");
  EXPECT_TRUE(Line(screen, 8).starts_with("    │" + std::string(19, ' ') + " ▀▀▀▀▀▀▀▀▀▀"));
  EXPECT_TRUE(Line(screen, 10).starts_with("    └───"));
  EXPECT_TRUE(Line(screen, 25).starts_with(" F5-Start│F10-Koniec│"));
  // The focused input line in black on light grey, the hint bar likewise.
  const std::string colours = tmux.ScreenWithColours();
  EXPECT_NE(Line(colours, 5).find("\x1B[30m\x1B[47mZażółć"), std::string::npos) << Line(colours, 5);

  struct Press {
    std::string keys;  // as tmux send-keys takes them
    const char* event;
  };
  const Press presses[] = {
      {"Up", "KEY 4800 20 1 20"},
      {"Right", "KEY 4D00 20 1 20"},
      {"Tab", "KEY 0F09 20 0 09"},
      {"BTab", "KEY 0F00 23 1 20"},
      {"F5", "CMD 1003"},
      {"NPage", "KEY 5100 20 1 20"},
      {"Escape", "KEY 011B 20 0 1B"},
      {"Enter", "KEY 1C0D 20 0 0D"},
      {"Space", "KEY 3920 20 0 20"},
      {"IC", "KEY 5200 20 1 20"},
      {"S-IC", "KEY 0500 23 1 20"},
      {"M-a", "KEY 1E00 28 0 A5"},
      {"M-A", "KEY 1E00 2B 0 A4"},
      {"M-p", "KEY 1900 28 0 F5"},
      {"M-z", "KEY 2C00 28 0 BE"},
      {"C-t", "KEY 1414 24 0 14"},
      {"C-n", "KEY 310E 24 0 0E"},
      {"C-q", "KEY 011B 24 0 1B"},
      {"x", "KEY 2D78 20 0 78"},
      {"-l ą", "KEY 1EA5 20 0 A5"},
      {"-l Ż", "KEY 2CBD 23 0 BD"},
      {"-l " + Quote("\x1B[<0;30;5M"), "MOUSE 1 30 5"},
      {"-l " + Quote("\x1B[<0;30;5m\x1B[<0;2;1M"), "KEY 011B 00 0 1B"},  // the Esc corner
  };
  int number = 0;
  for (const Press& press : presses) {
    char expected[48];
    std::snprintf(expected, sizeof expected, "#%02d %s", ++number, press.event);
    tmux.Keys(press.keys);
    EXPECT_TRUE(tmux.WaitForText(expected)) << press.keys << " should give " << expected << "\n"
                                            << tmux.Screen();
  }
  tmux.Keys("F10");
  ExpectCookedTerminalAfter(tmux, "EXIT=0");
}

}  // namespace
}  // namespace zq::testing
