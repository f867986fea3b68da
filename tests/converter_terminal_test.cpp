#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

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
  ASSERT_TRUE(tmux.WaitForText("Nacisnij Enter")) << tmux.Screen();
  const std::string screen = tmux.Screen();
  EXPECT_EQ(Line(screen, 1),
            " PROGRAM DO PRZEPCHNIĘCIA DANYCH DAZ_ZQ Z ROKU 2020 NA 2021 1.02(x86)");
  std::string rule;
  for (int i = 0; i < 79; ++i) rule += "─";
  EXPECT_EQ(Line(screen, 2), rule);
  EXPECT_NE(screen.find("Koniec pracy kopiera danych DAZ_ZQ na rok 2021"), std::string::npos);
  const std::string colours = tmux.ScreenWithColours();
  // Light green (bright green in the terminal) for the banner, white for the rule.
  EXPECT_TRUE(ColouredBefore(Line(colours, 1), "92", " PROGRAM")) << Line(colours, 1);
  EXPECT_TRUE(ColouredBefore(Line(colours, 2), "97", "─")) << Line(colours, 2);
  EXPECT_TRUE(tmux.AlternateScreen());

  tmux.Keys("x");  // any key, not only Enter
  ExpectCookedTerminalAfter(tmux, "EXIT=0");
  EXPECT_EQ(tmux.Screen().find("PROGRAM DO"), std::string::npos);
}

// The converter with `arguments`, then its exit code; the pane stays open.
std::string RunWithExitLine(const std::string& arguments) {
  return CONVERTER + " " + arguments + "; echo EXIT=$?; exec sleep 600";
}

TEST(ConverterInTerminal, CommandLineAnswersStayOnTheNormalScreenWithTheirExitCodes) {
  const struct {
    const char* arguments;
    std::vector<const char*> shown;  // lines of the answer, in order
    const char* exitLine;
  } commands[] = {
      {"/?",
       {"Program do kopiowania wybranych danych do nowego DAZ_ZQ.",
        "Katalog danych - lokalizacja istniejącego katalogu na rok 2021",
        "danych firmy na rok nastepny", "  /kprspis:NAZWA", "  ZQSOUND=OFF"},
       "EXIT=0"},
      {"--help", {"Uruchom zq20-21 [Katalog_danych_,2021]", "  KPRSPIS"}, "EXIT=0"},
      {"/data -h", {"Program do kopiowania", "  ZQ_DRIVE_X"}, "EXIT=0"},
      {"--version", {"zq20-21 1.02"}, "EXIT=0"},
      {"--bogus /data",
       {"zq20-21: nieznana opcja --bogus",
        "Użycie: zq20-21 [Katalog_danych_,2021] [/kprspis:NAZWA]"},
       "EXIT=2"},
  };
  for (const auto& command : commands) {
    SCOPED_TRACE(command.arguments);
    Tmux tmux(RunWithExitLine(command.arguments));
    ASSERT_TRUE(tmux.WaitForText(command.exitLine)) << tmux.Screen();
    EXPECT_FALSE(tmux.AlternateScreen());
    const std::string screen = "\n" + tmux.Screen();
    std::size_t at = 0;
    for (const char* line : command.shown) {
      at = screen.find(std::string("\n") + line, at);
      ASSERT_NE(at, std::string::npos) << line << "\n" << screen;
    }
    EXPECT_LT(screen.find(command.shown.back()), screen.find(command.exitLine));
  }
}

TEST(ConverterInTerminal, AWindowOf80x24ShowsTheNoteDropsItsKeysAndCtrlCLeavesWithExitCodeOne) {
  Tmux tmux(RunThenReport(CONVERTER), 80, 24);
  ASSERT_TRUE(tmux.WaitForText("jest 80 x 24.")) << tmux.Screen();
  EXPECT_NE(tmux.Screen().find("potrzeba 80 x 25 znaków"), std::string::npos);
  EXPECT_NE(tmux.Screen().find("Powiększ okno albo naciśnij Ctrl+C, aby zakończyć."),
            std::string::npos);
  tmux.Keys("Enter");  // would end the run if it came late
  tmux.Keys("x");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  tmux.Run("resize-window -x 80 -y 25");
  ASSERT_TRUE(tmux.WaitForText("Nacisnij Enter")) << tmux.Screen();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_NE(tmux.Screen().find("Nacisnij Enter"), std::string::npos) << "a key came late";
  EXPECT_EQ(tmux.Screen().find("EXIT="), std::string::npos) << tmux.Screen();

  tmux.Run("resize-window -x 80 -y 24");
  ASSERT_TRUE(tmux.WaitForText("jest 80 x 24.")) << tmux.Screen();
  tmux.Keys("C-c");
  ExpectCookedTerminalAfter(tmux, "EXIT=1");
}

TEST(ConverterInTerminal, LinuxConsoleHasNoAlternateScreenAndGetsBoldForBrightColours) {
  Tmux tmux(RunThenReport("TERM=linux " + CONVERTER));
  ASSERT_TRUE(tmux.WaitForText("Nacisnij Enter")) << tmux.Screen();
  EXPECT_FALSE(tmux.AlternateScreen());
  EXPECT_EQ(Line(tmux.Screen(), 1),
            " PROGRAM DO PRZEPCHNIĘCIA DANYCH DAZ_ZQ Z ROKU 2020 NA 2021 1.02(x86)");
  // Light green: green in bold.
  const std::string banner = Line(tmux.ScreenWithColours(), 1);
  EXPECT_NE(banner.find("\x1B[1m"), std::string::npos) << banner;
  EXPECT_TRUE(ColouredBefore(banner, "32", " PROGRAM")) << banner;
  tmux.Keys("x");
  ExpectCookedTerminalAfter(tmux, "EXIT=0");
  EXPECT_EQ(tmux.Screen().find("PROGRAM DO"), std::string::npos) << "the screen is cleared";
}

TEST(ConverterInTerminal, DumbTerminalIsRefusedWithAMessageAndExitCodeOne) {
  Tmux tmux(RunThenReport("TERM=dumb " + CONVERTER));
  ExpectCookedTerminalAfter(tmux, "EXIT=1");
  EXPECT_NE(tmux.Screen().find("zq20-21: Terminal TERM=dumb nie umie ustawiać kursora"),
            std::string::npos)
      << tmux.Screen();
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
