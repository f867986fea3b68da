#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/text_literal.h"
#include "support/headless_platform.h"
#include "transfer/progress_log.h"
#include "transfer/run_log_file.h"
#include "ui/colours.h"
#include "ui/screen.h"

namespace zq::transfer {
namespace {

struct RunLog : ::testing::Test {
  testing::HeadlessPlatform p;
  ui::Screen screen{p.console};
  ui::Colours colours{p.world.files};
  std::uint8_t showSlowly = 0;
  ProgressLog log{screen, colours, p.clock, showSlowly};
  const ShortString path = p.world.Name("zq20-21.log");

  RunLog() { log.ClearLog(true); }
};

TEST_F(RunLog, EveryLineWholeWithItsTimeAndTheAnswersAppendedRunAfterRun) {
  p.world.tree.WriteFile("zq20-21.log", "2020-12-30 10:00:00 poprzedni przebieg\r\n");
  {
    RunLogFile file(p.world.files, p.clock, log);
    ASSERT_TRUE(file.Start(path));
    log.LogWrite("Kopiuje "_pl);
    log.SetLogColour(LOG_COPY);
    log.LogWriteLn("baza_ad8.rek - 3 rekordów"_pl);
    log.LogWrite("---->  Z(n)/W(a)"_pl);
    log.RecordAnswer("W");
    log.LogWriteLn();
    log.RecordAnswer("VAT 75%");
    log.LogWriteLn(std::string(100, 'x'));  // wider than the screen
    log.LogWrite("cdn - nacisnij"_pl);
    log.ClearLog(false);  // a line cut short by a clear is still kept
  }
  log.LogWriteLn("po zamknięciu"_pl);  // nothing is recorded once the file is gone

  EXPECT_EQ(p.world.tree.ReadFile("zq20-21.log"),
            "2020-12-30 10:00:00 poprzedni przebieg\r\n"
            "2021-01-04 12:00:00 Kopiuje baza_ad8.rek - 3 rekordów\r\n"
            "2021-01-04 12:00:00 ---->  Z(n)/W(a) > W\r\n"
            "2021-01-04 12:00:00 > VAT 75%\r\n"
            "2021-01-04 12:00:00 " +
                std::string(100, 'x') +
                "\r\n"
                "2021-01-04 12:00:00 cdn - nacisnij\r\n");
}

TEST_F(RunLog, TwoConvertersRecordingInTurnKeepEachOthersLines) {
  ProgressLog otherLog{screen, colours, p.clock, showSlowly};
  RunLogFile file(p.world.files, p.clock, log);
  RunLogFile other(p.world.files, p.clock, otherLog);
  ASSERT_TRUE(file.Start(path));
  ASSERT_TRUE(other.Start(path));  // found, not emptied
  log.LogWriteLn("pierwszy 1"_pl);
  otherLog.LogWriteLn("drugi 1"_pl);
  otherLog.LogWriteLn("drugi 2"_pl);
  log.LogWriteLn("pierwszy 2"_pl);
  EXPECT_EQ(p.world.tree.ReadFile("zq20-21.log"),
            "2021-01-04 12:00:00 pierwszy 1\r\n"
            "2021-01-04 12:00:00 drugi 1\r\n"
            "2021-01-04 12:00:00 drugi 2\r\n"
            "2021-01-04 12:00:00 pierwszy 2\r\n");
}

TEST_F(RunLog, AFileThatCannotBeWrittenIsReportedOnceAndTheRunGoesOn) {
  RunLogFile file(p.world.files, p.clock, log);
  ASSERT_TRUE(file.Start(path));
  p.world.syscalls.FailNth(platform::SyscallKind::WRITE, 1, ENOSPC, 100);
  log.LogWriteLn("pierwsza"_pl);
  log.LogWriteLn("druga"_pl);
  EXPECT_FALSE(file.Recording());
  EXPECT_EQ(p.Text(1, 1, 8), "pierwsza");
  EXPECT_EQ(p.Text(1, 2, 38), "Nie można zapisać dziennika konwersji ");
  EXPECT_EQ(p.Attribute(1, 2), LOG_ERROR);
  EXPECT_EQ(p.Text(1, 3, 5), "druga");

  RunLogFile refused(p.world.files, p.clock, log);
  EXPECT_FALSE(refused.Start(p.world.Name("brak/zq20-21.log")));
  EXPECT_EQ(p.Text(1, 4, 38), "Nie można zapisać dziennika konwersji ");
}

TEST_F(RunLog, AGrownLogIsAppendedToWithoutBeingRead) {
  // Years of runs: a gigabyte, sparse on the disk.
  constexpr std::uintmax_t GROWN = 1ull << 30;
  p.world.tree.WriteFile("zq20-21.log", "");
  std::filesystem::resize_file(p.world.tree.Path("zq20-21.log"), GROWN);
  const int readsBefore = p.world.syscalls.Calls(platform::SyscallKind::READ);
  {
    RunLogFile file(p.world.files, p.clock, log);
    ASSERT_TRUE(file.Start(path));
    p.world.syscalls.ClearHistory();
    log.LogWriteLn("nowy przebieg"_pl);
    // One call a line: no size asked, no seek to the end.
    EXPECT_EQ(p.world.syscalls.History(),
              std::vector<platform::SyscallKind>{platform::SyscallKind::WRITE});
  }
  EXPECT_EQ(p.world.syscalls.Calls(platform::SyscallKind::READ), readsBefore);
  const std::string line = "2021-01-04 12:00:00 nowy przebieg\r\n";
  EXPECT_EQ(std::filesystem::file_size(p.world.tree.Path("zq20-21.log")), GROWN + line.size());
  std::ifstream tail(p.world.tree.Path("zq20-21.log"), std::ios::binary);
  tail.seekg(static_cast<std::streamoff>(GROWN));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(tail), {}), line);
}

}  // namespace
}  // namespace zq::transfer
