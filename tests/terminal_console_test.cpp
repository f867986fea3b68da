#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "platform/terminal_family.h"
#include "platform/terminal_writer.h"
#include "platform/text_literal.h"
#include "support/tmux.h"

namespace zq::platform {
namespace {

using zq::testing::Quote;
using zq::testing::Tmux;

// ---- The writer, without a terminal ----------------------------------------

constexpr std::string_view HIDE = "\x1B[?25l";
constexpr std::string_view SHOW = "\x1B[?25h";

TerminalScreen BlankScreen() {
  TerminalScreen screen;
  screen.title = "Tytu\x88";  // "Tytuł"
  return screen;
}

void Put(TerminalScreen& screen, int column, int row, std::string_view cp852,
         unsigned char attribute) {
  for (char c : cp852) {
    screen.cells[static_cast<std::size_t>(row * SCREEN_WIDTH + column++)] = {
        static_cast<unsigned char>(c), attribute};
  }
}

TEST(TerminalWriter, PcColoursBecomeAnsiColoursWithRedAndBlueSwapped) {
  EXPECT_EQ(AttributeSequence(0x07), "\x1B[0;37;40m");   // light grey on black
  EXPECT_EQ(AttributeSequence(0x1F), "\x1B[0;97;44m");   // white on blue
  EXPECT_EQ(AttributeSequence(0x4E), "\x1B[0;93;41m");   // yellow on red
  EXPECT_EQ(AttributeSequence(0x31), "\x1B[0;34;46m");   // blue on cyan
  EXPECT_EQ(AttributeSequence(0x0C), "\x1B[0;91;40m");   // light red
  EXPECT_EQ(AttributeSequence(0x5A), "\x1B[0;92;45m");   // light green on magenta
  EXPECT_EQ(AttributeSequence(0x8B), "\x1B[0;96;100m");  // bright background: dark grey
  EXPECT_EQ(AttributeSequence(0xF0), "\x1B[0;30;107m");  // black on white
}

TEST(TerminalWriter, FirstUpdateDrawsEverythingLaterOnlyWhatChanged) {
  TerminalWriter writer;
  TerminalScreen screen = BlankScreen();
  const std::string first = writer.Update(screen);
  EXPECT_TRUE(first.starts_with("\x1B[0m\x1B[2J")) << first;
  EXPECT_NE(first.find("\x1B]2;Tytuł\a"), std::string::npos);
  EXPECT_NE(first.find("\x1B[3 q"), std::string::npos);  // the small underline cursor
  EXPECT_EQ(writer.Update(screen), "");                  // nothing changed, nothing sent

  Put(screen, 4, 2, "ab", 0x1F);
  Put(screen, 10, 2, "c", 0x1F);
  EXPECT_EQ(writer.Update(screen), std::string(HIDE) + "\x1B[3;5H\x1B[0;97;44mab\x1B[3;11Hc" +
                                       "\x1B[1;1H" + std::string(SHOW));

  // Only the attribute changes: the cell is sent again in its new colours.
  Put(screen, 10, 2, "c", 0x4E);
  EXPECT_EQ(writer.Update(screen),
            std::string(HIDE) + "\x1B[3;11H\x1B[0;93;41mc\x1B[1;1H" + std::string(SHOW));

  // The last cell of the last row, then the first cell: the cursor is moved
  // for both (nothing relies on wrapping).
  Put(screen, 79, 24, "\xDB", 0x07);
  Put(screen, 0, 0, "x", 0x07);
  EXPECT_EQ(writer.Update(screen), std::string(HIDE) + "\x1B[1;1H\x1B[0;37;40mx\x1B[25;80H█" +
                                       "\x1B[1;1H" + std::string(SHOW));

  writer.Invalidate();  // after a resize everything is sent again
  EXPECT_TRUE(writer.Update(screen).starts_with("\x1B[0m\x1B[2J"));
}

TEST(TerminalWriter, AScrolledBlockIsMovedByTheTerminalAndOnlyNewRowsAreDrawn) {
  TerminalWriter writer;
  TerminalScreen screen = BlankScreen();
  for (int row = 2; row <= 22; ++row) Put(screen, 0, row, "line " + std::to_string(row), 0x07);
  writer.Update(screen);

  // The body of rows 3..23 (1-based) moves up one row and a new line comes.
  TerminalScreen scrolled = screen;
  for (int row = 2; row < 22; ++row) {
    std::copy_n(screen.cells.begin() + (row + 1) * SCREEN_WIDTH, SCREEN_WIDTH,
                scrolled.cells.begin() + row * SCREEN_WIDTH);
  }
  std::fill_n(scrolled.cells.begin() + 22 * SCREEN_WIDTH, SCREEN_WIDTH, Cell{});
  Put(scrolled, 0, 22, "new", 0x0C);
  const std::string update = writer.Update(scrolled);
  // Scroll region rows 3..23, a line feed at its foot, region reset; then row
  // 23 drawn anew.
  EXPECT_TRUE(update.starts_with(std::string(HIDE) + "\x1B[0m\x1B[3;23r\x1B[23;1H\x1B\x44\x1B[r"))
      << update;
  EXPECT_NE(update.find("\x1B[23;1H\x1B[0;91;40mnew\x1B[0;37;40m"), std::string::npos) << update;
  EXPECT_EQ(update.find("line"), std::string::npos);  // the moved lines are not sent again
  EXPECT_EQ(writer.Update(scrolled), "");
}

TEST(TerminalWriter, CursorAndTitleChangesAloneAreSentAlone) {
  TerminalWriter writer;
  TerminalScreen screen = BlankScreen();
  writer.Update(screen);
  screen.cursorColumn = 9;
  screen.cursorRow = 4;
  EXPECT_EQ(writer.Update(screen), "\x1B[5;10H");
  screen.cursorVisible = false;
  EXPECT_EQ(writer.Update(screen), HIDE);
  screen.cursorSize = 100;
  EXPECT_EQ(writer.Update(screen), "\x1B[1 q");  // a block
  screen.cursorSize = 60;
  EXPECT_EQ(writer.Update(screen), "");  // still a block
  screen.title =
      "Pr\xA2"
      "ba\x1B\x07!";  // control bytes never reach the terminal
  EXPECT_EQ(writer.Update(screen), "\x1B]2;Próba!\a");
  screen.cursorColumn = 200;  // kept on the screen
  EXPECT_EQ(writer.Update(screen), "\x1B[5;80H");
}

TEST(TerminalWriter, ControlBytesAndTheSoftHyphenShowAsVisibleGlyphs) {
  TerminalWriter writer;
  TerminalScreen screen = BlankScreen();
  writer.Update(screen);
  Put(screen, 0, 0, std::string("\x01\x02\x03\x0F\x10\x1E\x1F\x7F", 8), 0x07);
  Put(screen, 8, 0, std::string("\x00\xF0\xFA\xA5\xBE\xC9\xFE", 7), 0x07);
  const std::string bytes = writer.Update(screen);
  EXPECT_NE(bytes.find("☺☻♥☼►▲▼⌂ -·ąż╔■"), std::string::npos) << bytes;
}

TEST(TerminalWriter, TooSmallNoteIsCentredAndWrappedToTheTerminal) {
  const std::string common = TooSmallSequence(80, 24);
  EXPECT_NE(common.find("\x1B[12;7HOkno terminala jest za małe: potrzeba 80 x 25 znaków, jest 80 x "
                        "24.\x1B[13;16HPowiększ okno albo naciśnij Ctrl+C, aby zakończyć."),
            std::string::npos)
      << common;
  const std::string narrow = TooSmallSequence(40, 10);
  EXPECT_NE(narrow.find("\x1B[4;7HOkno terminala jest za małe:"), std::string::npos) << narrow;
  EXPECT_NE(narrow.find("\x1B[5;2Hpotrzeba 80 x 25 znaków, jest 40 x 10."), std::string::npos)
      << narrow;
  EXPECT_NE(narrow.find("\x1B[6;3HPowiększ okno albo naciśnij Ctrl+C,\x1B[7;14Haby zakończyć."),
            std::string::npos)
      << narrow;
  const std::string tiny = TooSmallSequence(12, 3);  // words cut, rows beyond the third left out
  EXPECT_NE(tiny.find("\x1B[1;5HOkno\x1B[2;2Hterminala"), std::string::npos) << tiny;
  EXPECT_EQ(tiny.find("\x1B[4;"), std::string::npos) << tiny;
  // Even a terminal of one cell gets something sane.
  EXPECT_TRUE(TooSmallSequence(1, 1).starts_with("\x1B[0m\x1B[2J"));
}

TEST(TerminalWriter, LinuxConsoleGetsBoldAndBlinkForBrightColoursAndNoXtermExtras) {
  constexpr auto LINUX = TerminalFamily::LINUX_CONSOLE;
  EXPECT_EQ(AttributeSequence(0x07, LINUX), "\x1B[0;37;40m");
  EXPECT_EQ(AttributeSequence(0x1F, LINUX), "\x1B[0;1;37;44m");    // white: bold grey
  EXPECT_EQ(AttributeSequence(0x8B, LINUX), "\x1B[0;1;5;36;40m");  // bright background: blink
  EXPECT_EQ(AttributeSequence(0x70, LINUX), "\x1B[0;30;47m");

  TerminalWriter writer(LINUX);
  TerminalScreen screen = BlankScreen();
  screen.cursorSize = 100;
  const std::string first = writer.Update(screen);
  EXPECT_NE(first.find("\x1B[?6c"), std::string::npos) << first;  // its own cursor shape
  EXPECT_EQ(first.find(" q"), std::string::npos) << first;
  EXPECT_EQ(first.find("\x1B]"), std::string::npos) << "no title: " << first;
  // No alternate screen, no mouse, paste or title sequences; the screen is
  // cleared on the way out instead.
  for (const std::string& mode : {EnterSequence(LINUX), LeaveSequence(LINUX)}) {
    EXPECT_EQ(mode.find("1049"), std::string::npos) << mode;
    EXPECT_EQ(mode.find("1000"), std::string::npos) << mode;
    EXPECT_EQ(mode.find('t'), std::string::npos) << mode;
  }
  EXPECT_TRUE(LeaveSequence(LINUX).ends_with("\x1B[H\x1B[2J"));
  EXPECT_NE(EnterSequence(TerminalFamily::MULTIPLEXER).find("\x1B[?1049h"), std::string::npos);
}

TEST(TerminalFamilies, TermNamesTheFamilyOrTheReasonForRefusal) {
  const struct {
    const char* term;
    std::optional<TerminalFamily> family;
  } cases[] = {
      {"xterm", TerminalFamily::XTERM},
      {"xterm-256color", TerminalFamily::XTERM},
      {"rxvt-unicode-256color", TerminalFamily::XTERM},
      {"st-256color", TerminalFamily::XTERM},
      {"Eterm", TerminalFamily::XTERM},
      {"screen", TerminalFamily::MULTIPLEXER},
      {"screen.xterm-256color", TerminalFamily::MULTIPLEXER},
      {"tmux-256color", TerminalFamily::MULTIPLEXER},
      {"linux", TerminalFamily::LINUX_CONSOLE},
      {"linux-16color", TerminalFamily::LINUX_CONSOLE},
      {"dumb", std::nullopt},
      {"", std::nullopt},
      {"xtermish", std::nullopt},
      {"vt52", std::nullopt},
  };
  for (const auto& given : cases) {
    EXPECT_EQ(FamilyOf(given.term), given.family) << given.term;
  }
  EXPECT_NE(RefusalOf("dumb").find("TERM=dumb nie umie ustawiać kursora"), std::string::npos);
  EXPECT_NE(RefusalOf("").find("bez zmiennej TERM"), std::string::npos);
  EXPECT_NE(RefusalOf("vt52").find("Nieznany rodzaj terminala TERM=vt52"), std::string::npos);
}

TEST(TerminalWriter, ClipboardTextGoesOutAsBase64OfUtf8) {
  EXPECT_EQ(ClipboardSequence("Za\xBE\xA2\x88\x86"), "\x1B]52;c;WmHFvMOzxYLEhw==\a");
  EXPECT_EQ(ClipboardSequence("ab"), "\x1B]52;c;YWI=\a");
  EXPECT_EQ(ClipboardSequence(""), "\x1B]52;c;\a");
}

// ---- The console in a real terminal, under tmux -----------------------------

const std::string PROBE = std::string(ZQ_TEST_PROGRAM_DIR) + "/console_probe";
const std::string POLISH_TEXT = "Zażółć gęślą jaźń";

// The probe, then its exit code and the terminal settings the shell is left with.
std::string ProbeThenReport() {
  return zq::testing::RunThenReport(PROBE);
}

int ProbePid(const Tmux& tmux) {
  const std::string screen = tmux.Screen();
  const std::size_t at = screen.find("PID ");
  return at == std::string::npos ? -1 : std::atoi(screen.c_str() + at + 4);
}

// The probe's screen is gone and the terminal is as the shell left it.
void ExpectSaneTerminalAfter(const Tmux& tmux, const std::string& marker) {
  zq::testing::ExpectCookedTerminalAfter(tmux, marker);
  EXPECT_EQ(tmux.Screen().find(POLISH_TEXT), std::string::npos) << "the probe's screen stayed\n"
                                                                << tmux.Screen();
}

TEST(TerminalConsole, WithoutATerminalFailsWithAMessage) {
  // setsid leaves the probe without a controlling terminal.
  FILE* pipe = popen(("setsid -w " + PROBE + " </dev/null 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_NE(output.find("Brak terminala"), std::string::npos) << output;
  // The system's reason in Polish, not in English.
  EXPECT_NE(output.find("nie ma takiego urządzenia ani adresu"), std::string::npos) << output;
  EXPECT_EQ(output.find("No such"), std::string::npos) << output;
}

TEST(TerminalConsoleInTmux, DrawsTheScreenAndDeliversKeysAndMouseClicks) {
  Tmux tmux(ProbeThenReport());
  ASSERT_TRUE(tmux.WaitForText(POLISH_TEXT)) << tmux.Screen();
  const std::string screen = tmux.Screen();
  EXPECT_TRUE(screen.starts_with("\n  ┌──────")) << screen;  // nothing scrolled
  EXPECT_NE(screen.find("  │ Zażółć gęślą jaźń     PID"), std::string::npos) << screen;
  EXPECT_NE(screen.find("  └──────"), std::string::npos);
  EXPECT_NE(screen.find("Ostatni wiersz do samego końca ekranu"), std::string::npos);
  EXPECT_NE(screen.find("█\n"), std::string::npos) << "the very last cell";
  const std::string colours = tmux.ScreenWithColours();
  EXPECT_NE(colours.find("\x1B[97m\x1B[44m┌"), std::string::npos) << "white on blue frame";
  EXPECT_NE(colours.find("\x1B[93mZa"), std::string::npos) << "yellow text";

  struct Press {
    std::string keys;  // as tmux send-keys takes them
    const char* record;
  };
  const Press presses[] = {
      {"Up", "KEY 4800 20"},
      {"Down", "KEY 5000 20"},
      {"Left", "KEY 4B00 20"},
      {"Right", "KEY 4D00 20"},
      {"Home", "KEY 4700 20"},
      {"End", "KEY 4F00 20"},
      {"PPage", "KEY 4900 20"},
      {"NPage", "KEY 5100 20"},
      {"IC", "KEY 5200 20"},
      {"DC", "KEY 5300 20"},
      {"C-Left", "KEY 7300 24"},
      {"C-Right", "KEY 7400 24"},
      {"Tab", "KEY 0F09 20"},
      {"BTab", "KEY 0F00 23"},
      {"F1", "KEY 3B00 20"},
      {"F5", "KEY 3F00 20"},
      {"F12", "KEY 8600 20"},
      {"Escape", "KEY 011B 20"},
      {"Enter", "KEY 1C0D 20"},
      {"Space", "KEY 3920 20"},
      {"BSpace", "KEY 0E08 20"},
      {"M-a", "KEY 1E00 28"},
      {"M-z", "KEY 2C00 28"},
      {"M-A", "KEY 1E00 2B"},
      {"M-p", "KEY 1900 28"},
      {"C-t", "KEY 1414 24"},
      {"C-n", "KEY 310E 24"},
      {"C-q", "KEY 1011 24"},
      {"C-s", "KEY 1F13 24"},
      {"C-c", "KEY 2E03 24"},
      {"C-z", "KEY 2C1A 24"},
      {"a", "KEY 1E61 20"},
      {"A", "KEY 1E41 23"},
      {"-l ą", "KEY 1EA5 20"},
      {"-l Ż", "KEY 2CBD 23"},
      {"-l ł", "KEY 2688 20"},
      {"-l " + Quote("\x1B[<0;5;3M"), "MOUSE 1 4 2"},
      {"-l " + Quote("\x1B[<0;5;3m"), "MOUSE 0 4 2"},
  };
  int number = 0;
  for (const Press& press : presses) {
    char expected[48];
    std::snprintf(expected, sizeof expected, "#%02d %s", ++number, press.record);
    tmux.Keys(press.keys);
    EXPECT_TRUE(tmux.WaitForText(expected)) << press.keys << " should give " << expected << "\n"
                                            << tmux.Screen();
  }
  tmux.Keys("F10");
  EXPECT_TRUE(tmux.WaitForText("EXIT=255")) << tmux.Screen();
}

TEST(TerminalConsoleInTmux, EveryWayOutLeavesTheShellASaneTerminal) {
  struct WayOut {
    const char* name;
    std::function<void(const Tmux&, int pid)> end;
    const char* exitLine;
  };
  const WayOut waysOut[] = {
      {"return from main", [](const Tmux& tmux, int) { tmux.Keys("Q"); }, "EXIT=0"},
      {"ProgramExit{255}", [](const Tmux& tmux, int) { tmux.Keys("F10"); }, "EXIT=255"},
      {"std::exit", [](const Tmux& tmux, int) { tmux.Keys("X"); }, "EXIT=3"},
      {"raise(SIGTERM)", [](const Tmux& tmux, int) { tmux.Keys("K"); }, "EXIT=143"},
      {"a crash", [](const Tmux& tmux, int) { tmux.Keys("S"); }, "EXIT=139"},
      {"kill -INT", [](const Tmux&, int pid) { kill(pid, SIGINT); }, "EXIT=130"},
      {"kill -HUP", [](const Tmux&, int pid) { kill(pid, SIGHUP); }, "EXIT=129"},
      {"kill -QUIT", [](const Tmux&, int pid) { kill(pid, SIGQUIT); }, "EXIT=131"},
  };
  for (const WayOut& wayOut : waysOut) {
    SCOPED_TRACE(wayOut.name);
    Tmux tmux(ProbeThenReport());
    ASSERT_TRUE(tmux.WaitForText(POLISH_TEXT)) << tmux.Screen();
    EXPECT_TRUE(tmux.AlternateScreen());
    const int pid = ProbePid(tmux);
    ASSERT_GT(pid, 0);
    wayOut.end(tmux, pid);
    ExpectSaneTerminalAfter(tmux, wayOut.exitLine);
  }
}

TEST(TerminalConsoleInTmux, StoppedTheTerminalIsTheShellsResumedTheScreenComesBack) {
  // With job control on, the probe runs as a job that SIGTSTP really stops;
  // the shell reports the stop, shows its settings and brings the job back.
  Tmux tmux("sh -c " + Quote("set -m; " + PROBE +
                             "; echo STOPPED=$?; stty -a; fg >/dev/null; echo EXIT=$?; stty -a; "
                             "exec sleep 600"));
  ASSERT_TRUE(tmux.WaitForText(POLISH_TEXT)) << tmux.Screen();
  const int pid = ProbePid(tmux);
  ASSERT_GT(pid, 0);
  kill(pid, SIGTSTP);
  // Resumed at once by fg: the whole screen is drawn again and keys arrive.
  ASSERT_TRUE(tmux.WaitFor([&](const std::string&) { return tmux.AlternateScreen(); }));
  ASSERT_TRUE(tmux.WaitForText(POLISH_TEXT)) << tmux.Screen();
  tmux.Keys("a");
  EXPECT_TRUE(tmux.WaitForText("#01 KEY 1E61 20")) << tmux.Screen();
  tmux.Keys("Q");
  ExpectSaneTerminalAfter(tmux, "EXIT=0");
  ExpectSaneTerminalAfter(tmux, "STOPPED=148");  // the settings while it was stopped
}

TEST(TerminalConsoleInTmux, TooSmallTerminalShowsANoteAndDropsTheKeysPressedAtIt) {
  Tmux tmux(ProbeThenReport(), 60, 20);
  ASSERT_TRUE(tmux.WaitForText("potrzeba 80 x 25 znaków,")) << tmux.Screen();
  EXPECT_NE(tmux.Screen().find("Okno terminala jest za małe"), std::string::npos);
  EXPECT_NE(tmux.Screen().find("jest 60 x 20."), std::string::npos);
  EXPECT_NE(tmux.Screen().find("albo naciśnij Ctrl+C"), std::string::npos);
  EXPECT_EQ(tmux.Screen().find(POLISH_TEXT), std::string::npos);
  tmux.Keys("b");
  tmux.Keys("Escape");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // both read at the note
  tmux.Run("resize-window -x 80 -y 25");
  ASSERT_TRUE(tmux.WaitForText(POLISH_TEXT)) << tmux.Screen();
  tmux.Keys("a");
  EXPECT_TRUE(tmux.WaitForText("#01 KEY 1E61 20")) << "the first key after the note\n"
                                                   << tmux.Screen();
  EXPECT_EQ(tmux.Screen().find("3062"), std::string::npos) << "a key typed at the note came late";
  EXPECT_EQ(tmux.Screen().find("za małe"), std::string::npos);
  tmux.Keys("Q");
  ExpectSaneTerminalAfter(tmux, "EXIT=0");
}

}  // namespace
}  // namespace zq::platform
