#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/text_literal.h"
#include "sample/record_builders.h"
#include "support/temp_tree.h"
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
  // The header stays above the wizard (the clock may or may not have come
  // to the end of row 1 yet).
  EXPECT_EQ(Line(screen, 1).rfind(
                " PROGRAM DO PRZEPCHNIĘCIA DANYCH DAZ_ZQ Z ROKU 2020 NA 2021 1.02(x86)", 0),
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
  ASSERT_TRUE(tmux.WaitForText("Lokalizacja")) << tmux.Screen();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  // A late "x" would stand in the source path, where the cursor waits.
  EXPECT_NE(tmux.Screen().find(" /DAZ_2020/ "), std::string::npos) << "a key came late";
  EXPECT_EQ(tmux.Screen().find("EXIT="), std::string::npos) << tmux.Screen();

  tmux.Run("resize-window -x 80 -y 24");
  ASSERT_TRUE(tmux.WaitForText("jest 80 x 24.")) << tmux.Screen();
  tmux.Keys("C-c");
  ExpectCookedTerminalAfter(tmux, "EXIT=1");
}

TEST(ConverterInTerminal, LinuxConsoleHasNoAlternateScreenAndGetsBoldForBrightColours) {
  Tmux tmux(RunThenReport("TERM=linux " + CONVERTER));
  ASSERT_TRUE(tmux.WaitForText("Lokalizacja")) << tmux.Screen();
  tmux.Keys("Escape");
  ASSERT_TRUE(tmux.WaitForText("Rezygnujesz")) << tmux.Screen();
  tmux.Keys("t");
  ASSERT_TRUE(tmux.WaitForText("Nacisnij Enter")) << tmux.Screen();
  EXPECT_FALSE(tmux.AlternateScreen());
  EXPECT_EQ(Line(tmux.Screen(), 1)
                .rfind(" PROGRAM DO PRZEPCHNIĘCIA DANYCH DAZ_ZQ Z ROKU 2020 NA 2021 1.02(x86)", 0),
            0u);
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

// A small office: the 2020 tree with three companies of nothing but their
// annual settings and an empty global directory, the empty 2021 tree, and the converter installed
// in it with path settings relative to the office folder, where it is started (as `make demo`
// does).
struct Office {
  TempTree tree;
  Office() {
    tree.MakeDirectory("DAZ_2020/#BIN020");
    tree.MakeDirectory("DAZ_2021");
    std::string registerBytes;
    for (const char* directory : {"APTEKA", "MLYN", "STOLARZ"}) {
      // The least a company needs to be converted without a question: its
      // year marker and a 2020 annual file with December closed.
      const std::string folder = std::string("DAZ_2020/") + directory;
      tree.MakeDirectory(folder);
      const auto marker = sample::YearMarkerRecord{}.Build();
      tree.WriteFile(folder + "/_zq_daz.rek", std::string(marker.begin(), marker.end()));
      std::string annual(3 * 512, '\0');
      const auto first = sample::AnnualSettingsRecord1{.openMonth = 13}.Build();
      annual.replace(0, first.size(), std::string(first.begin(), first.end()));
      tree.WriteFile(folder + "/2020_ROK.REK", annual);
      const auto record = sample::CompanyRecord{ShortString(std::string("Firma ") + directory),
                                                ShortString(directory), ""_pl}
                              .Build();
      registerBytes.append(record.begin(), record.end());
    }
    tree.WriteFile("DAZ_2020/SPISFIRM.DAT", registerBytes);
    std::filesystem::copy_file(CONVERTER, tree.Path("DAZ_2021/zq20-21"));
    tree.WriteFile("DAZ_2021/zq20-21.PTH", "[PATHS]\r\nDAZ_2020=DAZ_2020\r\nDAZ_2021=DAZ_2021\r\n");
  }
  std::string Command() const { return "cd " + Quote(tree.Root()) + " && ./DAZ_2021/zq20-21"; }
};

// A left click at a 1-based screen cell, as the terminal reports it.
std::string Click(int column, int row) {
  const std::string at = std::to_string(column) + ";" + std::to_string(row);
  return "-l " + Quote("\x1B[<0;" + at + "M\x1B[<0;" + at + "m");
}

TEST(ConverterInTerminal, AnOfficeGoesThroughWithKeysAloneAndWithTheMouse) {
  // One way with keys, one with clicks; a button takes the focus with the
  // first click and is pressed with the second.
  struct Way {
    const char* name;
    std::function<void(const Tmux&)> forward;  // from one wizard page to the next
    std::function<void(const Tmux&)> start;    // on the start page
    std::function<void(const Tmux&)> choose;   // on the selection screen: unmark the second
    std::function<void(const Tmux&)> go;       // on the selection screen: start
  };
  auto twice = [](const Tmux& tmux, int column, int row) {
    tmux.Keys(Click(column, row));
    ASSERT_TRUE(tmux.WaitForText("»")) << tmux.Screen();
    tmux.Keys(Click(column, row));
  };
  const Way ways[] = {
      {"keys", [](const Tmux& tmux) { tmux.Keys("NPage"); },
       [](const Tmux& tmux) { tmux.Keys("F5"); }, [](const Tmux& tmux) { tmux.Keys("Down Space"); },
       [](const Tmux& tmux) { tmux.Keys("F5"); }},
      {"mouse", [&](const Tmux& tmux) { twice(tmux, 60, 22); },  // "Dalej >>"
       [&](const Tmux& tmux) { twice(tmux, 20, 16); },           // "ZACZNIJ"
       [](const Tmux& tmux) {
         tmux.Keys(Click(20, 10));  // the second row, then "SPACE - Zaznacz" on the hint line
         tmux.Keys(Click(5, 25));
       },
       [](const Tmux& tmux) { tmux.Keys(Click(50, 25)); }},  // "F5 - ZACZNIJ"
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    Office office;
    Tmux tmux(RunThenReport(office.Command()));
    for (const char* title : {"Lokalizacja", "Dane globalne", "Dane firmowe"}) {
      ASSERT_TRUE(tmux.WaitForText(title)) << tmux.Screen();
      way.forward(tmux);
    }
    ASSERT_TRUE(tmux.WaitForText("START KOPIOWANIA")) << tmux.Screen();
    way.start(tmux);
    ASSERT_TRUE(tmux.WaitForText("BAZA FIRM")) << tmux.Screen();
    EXPECT_NE(tmux.Screen().find("│ Firma APTEKA                   ■ APTEKA"), std::string::npos)
        << tmux.Screen();
    way.choose(tmux);
    ASSERT_TRUE(tmux.WaitForText("│ Firma MLYN                     · MLYN")) << tmux.Screen();
    way.go(tmux);
    ASSERT_TRUE(tmux.WaitForText("PODSUMOWANIE KONWERSJI")) << tmux.Screen();
    tmux.Keys("Enter");
    ASSERT_TRUE(tmux.WaitForText("Koniec pracy kopiera danych DAZ_ZQ na rok 2021"))
        << tmux.Screen();
    tmux.Keys("Enter");
    ExpectCookedTerminalAfter(tmux, "EXIT=0");
    // The two marked companies were converted and registered; the other not.
    EXPECT_EQ(office.tree.ReadFile("DAZ_2021/SPISFIRM.DAT").size(), 2u * 103u);
    EXPECT_TRUE(office.tree.Exists("DAZ_2021/APTEKA/2021_ROK.REK"));
    EXPECT_TRUE(office.tree.Exists("DAZ_2021/STOLARZ/2021_ROK.REK"));
    EXPECT_FALSE(office.tree.Exists("DAZ_2021/MLYN"));
  }
}

}  // namespace
}  // namespace zq::testing
