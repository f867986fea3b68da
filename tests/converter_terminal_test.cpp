#include <gtest/gtest.h>

#include <string>

#include "support/tmux.h"

namespace zq::testing {
namespace {

const std::string CONVERTER = ZQ_BINARY;

// The foreground colour SGR code stands among the sequences before the text.
bool ColouredBefore(const std::string& line, const std::string& colour, const std::string& text) {
  const std::size_t at = line.find(text);
  return at != std::string::npos &&
         line.substr(0, at).find("\x1B[" + colour + "m") != std::string::npos;
}

TEST(ConverterInTerminal, ShowsTheHeaderAndEndsOnAnyKeyLeavingTheTerminalAsItWas) {
  Tmux tmux(RunThenReport(CONVERTER));
  ASSERT_TRUE(tmux.WaitForText("Lokalizacja")) << tmux.Screen();
  const std::string screen = tmux.Screen();
  // The header stays above the wizard; the clock runs at the end of row 1.
  EXPECT_EQ(Line(screen, 1).rfind(
                " PROGRAM DO PRZEPCHNIĘCIA DANYCH DAZ_ZQ Z ROKU 2020 NA 2021 1.02(x86)   ", 0),
            0u)
      << Line(screen, 1);
  std::string rule;
  for (int i = 0; i < 79; ++i) rule += "─";
  EXPECT_EQ(Line(screen, 2), rule);
  // Light green (bright green in the terminal) for the banner.
  const std::string colours = tmux.ScreenWithColours();
  EXPECT_TRUE(ColouredBefore(Line(colours, 1), "92", " PROGRAM")) << Line(colours, 1);
  EXPECT_TRUE(tmux.AlternateScreen());

  // Leaving the wizard: Esc, then "Tak" to the question.
  tmux.Keys("Escape");
  ASSERT_TRUE(tmux.WaitForText("Rezygnujesz z konwersji")) << tmux.Screen();
  tmux.Keys("t");
  ASSERT_TRUE(tmux.WaitForText("Nacisnij Enter")) << tmux.Screen();
  tmux.Keys("x");  // any key, not only Enter
  ExpectCookedTerminalAfter(tmux, "EXIT=0");
  EXPECT_EQ(tmux.Screen().find("PROGRAM DO"), std::string::npos);
}

TEST(ConverterInTerminal, HelpShowsItsLinesAndEndsWithExitCodeZeroAfterAKey) {
  Tmux tmux(RunThenReport(CONVERTER + " /?"));
  ASSERT_TRUE(tmux.WaitForText("danych firmy na rok nastepny")) << tmux.Screen();
  const std::string screen = tmux.Screen();
  EXPECT_EQ(Line(screen, 1), "Program do kopiowania wybranych danych do nowego DAZ_ZQ.");
  EXPECT_EQ(Line(screen, 5), "Uruchom zq20-21 [Katalog_danych_,2021]");
  EXPECT_EQ(Line(screen, 7), "Katalog danych - lokalizacja istniejącego katalogu na rok 2021");
  tmux.Keys("Enter");
  ExpectCookedTerminalAfter(tmux, "EXIT=0");
}

TEST(ProgressLogInTerminal, ScrollingLeavesExactlyTheLastLinesOnTheTerminal) {
  Tmux tmux(RunThenReport(std::string(ZQ_TEST_PROGRAM_DIR) + "/log_probe 200"));
  ASSERT_TRUE(tmux.WaitForText("KONIEC")) << tmux.Screen();
  const std::string screen = tmux.Screen();
  EXPECT_EQ(Line(screen, 1), "NAGŁÓWEK");
  // Rows 3 to 22 hold lines 181 to 200, row 23 the last text, row 24 is blank.
  for (int row = 3; row <= 22; ++row) {
    const int line = 178 + row;
    EXPECT_EQ(Line(screen, row), "wiersz " + std::to_string(line) +
                                     std::string(static_cast<std::size_t>(line % 50), '.'))
        << "row " << row << "\n"
        << screen;
  }
  EXPECT_EQ(Line(screen, 23), "KONIEC");
  EXPECT_EQ(Line(screen, 24), "");
  tmux.Keys("Enter");
  ExpectCookedTerminalAfter(tmux, "EXIT=0");
}

}  // namespace
}  // namespace zq::testing
