#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fileaccess/record_file.h"
#include "platform/text_literal.h"
#include "register/company_record.h"
#include "register/company_register_file.h"
#include "sample/record_builders.h"
#include "support/headless_toolkit.h"
#include "support/lock_holder_client.h"
#include "support/posix_world.h"
#include "ui/key_codes.h"

extern char** environ;

namespace zq::registry {
namespace {

using fileaccess::OpenMode;
using fileaccess::WaitMode;
using sample::CompanyRecord;
using sample::Record;
using testing::SyscallKind;

Record Company(const char* name, const char* directory = "DIR", const char* info = "") {
  return CompanyRecord{ShortString(std::string_view(name)),
                       ShortString(std::string_view(directory)),
                       ShortString(std::string_view(info))}
      .Build();
}

struct RecordFileTest : ::testing::Test {
  testing::PosixWorld world;
  testing::HeadlessToolkit t;
  platform::PascalRandom random;
  fileaccess::TempFiles tempFiles{world.files, world.process, t.clock, random};
  fileaccess::SharedFileAccess access{world.files, t.toolkit, t.clock, tempFiles, {}};
  const ShortString name = world.Name("SPISFIRM.DAT");

  // The operator answers the next box with `key`, after `look` has seen it.
  // (A box drops the keys typed before it opens, so the answer comes after a
  // pause.)
  void Answer(std::uint16_t key, std::function<void()> look = {}) {
    t.console.PushPause();
    if (look) t.console.PushAction(std::move(look));
    t.console.PushKey(key);
  }

  std::unique_ptr<CompanyRegisterFile> OpenRegister() {
    auto file = std::make_unique<CompanyRegisterFile>(access, name);
    EXPECT_TRUE(file->Open(WaitMode::NO_WAIT, OpenMode::OPEN_OR_CREATE));
    return file;
  }
  void WriteRegister(const std::vector<Record>& records) {
    std::string bytes;
    for (const Record& record : records) bytes.append(record.begin(), record.end());
    world.tree.WriteFile("SPISFIRM.DAT", bytes);
  }
  // The company names of the register on disk, in file order.
  std::vector<std::string> Names() const {
    const std::string bytes = world.tree.ReadFile("SPISFIRM.DAT");
    std::vector<std::string> names;
    for (std::size_t at = 0; at + COMPANY_RECORD_SIZE <= bytes.size(); at += COMPANY_RECORD_SIZE) {
      const auto* record = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
      names.push_back(platform::Cp852ToUtf8(CompanyName({record, COMPANY_RECORD_SIZE})));
    }
    return names;
  }
};

TEST_F(RecordFileTest, InsertingKeepsTheRegisterInPolishKeyOrder) {
  auto file = OpenRegister();
  // Into an empty file: one record at position 0, nothing read.
  world.syscalls.ClearHistory();
  ASSERT_TRUE(file->InsertSorted(Company("Lublin")));
  EXPECT_EQ(file->Position(), 0);
  EXPECT_EQ(std::count(world.syscalls.History().begin(), world.syscalls.History().end(),
                       SyscallKind::READ),
            0);

  for (const char* company : {"Żabka", "Cegła", "Łódź", "zenon", "Ćma", "Anna", "ąbc"}) {
    ASSERT_TRUE(file->InsertSorted(Company(platform::Utf8ToCp852(company).c_str())));
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"Anna", "ąbc", "Cegła", "Ćma", "Lublin", "Łódź",
                                               "zenon", "Żabka"}));
  // Before every key: all records move up and the new one goes first.
  ASSERT_TRUE(file->InsertSorted(Company("AAA")));
  EXPECT_EQ(file->Position(), 0);
  EXPECT_EQ(Names().front(), "AAA");
  EXPECT_EQ(Names().size(), 9u);
  EXPECT_EQ(file->Locked(), false);
}

// The insertion as the register has always been kept: from the last record
// down, every record whose key sorts after the new one moves up by one.
void InsertStepByStep(std::vector<Record>& records, const Record& record,
                      const CompanyRegisterFile& order) {
  std::size_t at = records.size();
  while (at > 0 && order.Compare(record, records[at - 1]) < 0) --at;
  records.insert(records.begin() + static_cast<std::ptrdiff_t>(at), record);
}

TEST_F(RecordFileTest, LargeRegistersMoveInBlocksWithTheResultOfTheStepByStepInsertion) {
  // More records than one block holds, with many equal keys.
  std::vector<Record> model;
  for (int i = 0; i < 2700; ++i) {
    model.push_back(Company(("Firma " + std::to_string(1000 + i / 3)).c_str(), "D",
                            std::to_string(i % 3).c_str()));
  }
  WriteRegister(model);
  auto file = OpenRegister();
  const char* inserted[][3] = {{"Firma 1000", "D", "1"},  // among equal keys near the start
                               {"Firma 1845", "D", "2"},  // around the block boundary
                               {"Firma 1846", "C", ""},
                               {"AAA", "", ""},            // before every key
                               {"Firma 9999", "D", "9"}};  // after every key
  for (const auto& company : inserted) {
    const Record record = CompanyRecord{ShortString(std::string_view(company[0])),
                                        ShortString(std::string_view(company[1])),
                                        ShortString(std::string_view(company[2])), 0x33}
                              .Build();
    ASSERT_TRUE(file->InsertSorted(record));
    InsertStepByStep(model, record, *file);
  }
  std::string expected;
  for (const Record& record : model) expected.append(record.begin(), record.end());
  EXPECT_EQ(world.tree.ReadFile("SPISFIRM.DAT"), expected);
}

TEST_F(RecordFileTest, EqualKeysGoAfterTheExistingOnesAndTheRecordBytesStayAsGiven) {
  WriteRegister({Company("Beta", "B1", "x"), Company("Delta", "D1")});
  auto file = OpenRegister();
  Record first =
      CompanyRecord{"Beta"_pl, "B1"_pl, "x"_pl, 0x5A}.Build();  // bytes past the texts differ
  ASSERT_TRUE(file->InsertSorted(first));
  EXPECT_EQ(file->Position(), 1);
  const std::string bytes = world.tree.ReadFile("SPISFIRM.DAT");
  EXPECT_EQ(bytes.substr(COMPANY_RECORD_SIZE, COMPANY_RECORD_SIZE),
            std::string(first.begin(), first.end()));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Beta", "Beta", "Delta"}));
  // The key is name, directory and info: a smaller directory sorts first.
  ASSERT_TRUE(file->InsertSorted(Company("Beta", "A0")));
  EXPECT_EQ(file->Position(), 0);
}

TEST_F(RecordFileTest, TheInsertionBoxComesFromTheTwentyFirstRecordAndTheLockSpansEveryWrite) {
  std::vector<Record> records;
  for (int i = 0; i < 19; ++i) records.push_back(Company(("K" + std::to_string(10 + i)).c_str()));
  WriteRegister(records);
  auto file = OpenRegister();
  ASSERT_TRUE(file->InsertSorted(Company("A")));  // 20 records after appending
  EXPECT_EQ(t.console.Transcript().find("Wstawianie..."), std::string::npos);

  world.syscalls.ClearHistory();
  ASSERT_TRUE(file->InsertSorted(Company("B")));  // 21
  EXPECT_NE(t.console.Transcript().find("Wstawianie..."), std::string::npos);
  EXPECT_EQ(t.Row(10), std::string(80, ' '));  // and it is gone again
  // The whole file is locked before the first write and unlocked after the last.
  const auto& history = world.syscalls.History();
  const auto firstLock = std::find(history.begin(), history.end(), SyscallKind::LOCK);
  const auto firstWrite = std::find(history.begin(), history.end(), SyscallKind::WRITE);
  const auto lastLock = std::find(history.rbegin(), history.rend(), SyscallKind::LOCK).base();
  const auto lastWrite = std::find(history.rbegin(), history.rend(), SyscallKind::WRITE).base();
  EXPECT_LT(firstLock, firstWrite);
  EXPECT_LT(lastWrite, lastLock);
  // And the register is synced to the disk before the lock is let go.
  const auto sync = std::find(lastWrite, history.end(), SyscallKind::SYNC);
  EXPECT_EQ(std::find(lastWrite, sync, SyscallKind::LOCK), sync);
  EXPECT_LT(sync, lastLock);
  EXPECT_EQ(Names()[1], "B");
  EXPECT_EQ(Names().size(), 21u);
}

TEST_F(RecordFileTest, AnotherStationsLockMakesTheOperatorChooseAndNothingIsLost) {
  WriteRegister({Company("Alfa"), Company("Gamma")});
  auto file = OpenRegister();
  testing::LockHolder station(world.tree.Path("SPISFIRM.DAT"));
  ASSERT_EQ(station.Greeting(), "READY");
  ASSERT_EQ(station.Send("lock 0 2147483647"), "OK");

  std::uint32_t firstQuestionAt = 0;
  Answer(ui::KB_ENTER, [&] {  // "Tak": a new cycle at once
    firstQuestionAt = t.clock.Elapsed();
    EXPECT_EQ(t.Text(34, 8, 12), " Informacja ");
    EXPECT_NE(t.Row(9).find("NET Info"), std::string::npos);
    EXPECT_NE(t.Row(10).find("DOSTĘP BLOKOWANY SIECIOWO"), std::string::npos);
    EXPECT_EQ(t.Text(21, 11, 13), "Czy czekamy ?");
  });
  std::uint32_t secondQuestionAt = 0;
  Answer(ui::KB_ENTER, [&] {
    secondQuestionAt = t.clock.Elapsed();
    EXPECT_EQ(station.Send("unlock 0 2147483647"), "OK");  // the other station lets go
  });
  ASSERT_TRUE(file->InsertSorted(Company("Beta")));
  // 30 attempts 50 ms apart, then the box (seen after one idle step of 64 ms).
  EXPECT_EQ(firstQuestionAt, 29u * 50u + 64u);
  EXPECT_EQ(secondQuestionAt - firstQuestionAt, 29u * 50u + 64u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Alfa", "Beta", "Gamma"}));
  EXPECT_TRUE(t.console.ScriptDone());
}

TEST_F(RecordFileTest, AnOperatorWhoGivesUpWaitingLeavesTheFileUnchanged) {
  WriteRegister({Company("Alfa")});
  auto file = OpenRegister();
  testing::LockHolder station(world.tree.Path("SPISFIRM.DAT"));
  ASSERT_EQ(station.Send("lock 0 2147483647"), "OK");
  Answer(ui::KB_CAPITAL_N);
  EXPECT_FALSE(file->InsertSorted(Company("Beta")));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Alfa"}));
  // Wait mode 0 tries 30 times without a pause or a question.
  const std::uint32_t before = t.clock.Elapsed();
  EXPECT_FALSE(file->LockWholeFile(WaitMode::NO_WAIT));
  EXPECT_EQ(t.clock.Elapsed(), before);
}

// A clock that does something at its Nth sleep, as when another station lets
// go of a lock while the program waits without asking.
struct ActingClock : platform::ManualClock {
  int sleeps = 0;
  int actAt = 0;
  std::function<void()> action;
  void Sleep(int milliseconds) override {
    ManualClock::Sleep(milliseconds);
    if (++sleeps == actAt) action();
  }
};

TEST_F(RecordFileTest, QueueModeShowsTheNetworkQueueUntilTheLockIsFree) {
  WriteRegister({Company("Alfa")});
  ActingClock clock;
  fileaccess::SharedFileAccess queued{world.files, t.toolkit, clock, tempFiles, {}};
  CompanyRegisterFile file(queued, name);
  ASSERT_TRUE(file.Open(WaitMode::NO_WAIT, OpenMode::OPEN_EXISTING));
  testing::LockHolder station(world.tree.Path("SPISFIRM.DAT"));
  ASSERT_EQ(station.Send("lock 0 2147483647"), "OK");
  // Two whole cycles and a part: the queue never asks and never gives up.
  clock.actAt = 70;
  clock.action = [&] { EXPECT_EQ(station.Send("unlock 0 2147483647"), "OK"); };
  EXPECT_TRUE(file.LockWholeFile(WaitMode::QUEUE));
  EXPECT_NE(t.console.Transcript().find("Sieciowa KOLEJKA"), std::string::npos);
  EXPECT_NE(t.console.Transcript().find("▒▒▒▒▒"), std::string::npos);  // emptied for the next cycle
  EXPECT_EQ(t.Row(10), std::string(80, ' '));                          // closed again
  EXPECT_TRUE(file.UnlockWholeFile());
}

TEST_F(RecordFileTest, ASharedFileRefusesAnExclusiveOpenAndTheReverse) {
  WriteRegister({Company("Alfa")});
  {
    testing::LockHolder station(world.tree.Path("SPISFIRM.DAT"));
    ASSERT_EQ(station.Greeting(), "READY");
    access.modes.SetFileMode(fileaccess::ACCESS_READ | fileaccess::SHARE_DENY_ALL);
    int result = 0;
    EXPECT_EQ(access.modes.OpenExisting(world.files, name, result), nullptr);
    EXPECT_EQ(result, platform::IO_SHARING_VIOLATION);
    // A record file opened meanwhile uses its own mode and leaves this one be.
    CompanyRegisterFile shared(access, name);
    EXPECT_TRUE(shared.Open(WaitMode::NO_WAIT, OpenMode::OPEN_EXISTING));
    EXPECT_EQ(access.modes.Current(), fileaccess::ACCESS_READ | fileaccess::SHARE_DENY_ALL);
    access.modes.RestoreFileMode();
    EXPECT_EQ(access.modes.Current(), fileaccess::SHARED_READ_WRITE);
  }
  testing::LockHolder exclusive(world.tree.Path("SPISFIRM.DAT"), "read", "deny-all");
  ASSERT_EQ(exclusive.Greeting(), "READY");
  CompanyRegisterFile file(access, name);
  EXPECT_FALSE(file.Open(WaitMode::NO_WAIT, OpenMode::OPEN_EXISTING));  // 31 attempts, then no
  EXPECT_EQ(file.LastError(), platform::IO_SHARING_VIOLATION);
  EXPECT_EQ(t.clock.Elapsed(), 30u * 50u);
}

TEST_F(RecordFileTest, OpenModesCreateAskOrRefuseAMissingFile) {
  {
    CompanyRegisterFile file(access, name);
    EXPECT_FALSE(file.Open(WaitMode::NO_WAIT, OpenMode::OPEN_EXISTING));
    Answer(ui::KB_CAPITAL_N);
    EXPECT_FALSE(file.Open(WaitMode::NO_WAIT, OpenMode::OPEN_OR_ASK));
    EXPECT_FALSE(world.tree.Exists("SPISFIRM.DAT"));
  }
  {
    CompanyRegisterFile file(access, name);
    Answer(ui::KB_ENTER, [&] {
      EXPECT_NE(t.Row(10).find(" Potwierdź "), std::string::npos);
      EXPECT_NE(t.Row(11).find("Nie odnaleziono pliku:"), std::string::npos);
      EXPECT_NE(t.Row(13).find("Utworzyć nowy ?"), std::string::npos);
    });
    EXPECT_TRUE(file.Open(WaitMode::NO_WAIT, OpenMode::OPEN_OR_ASK));
    EXPECT_EQ(file.State(), fileaccess::FileState::CREATED);
  }
  world.tree.WriteFile("SPISFIRM.DAT", "");
  CompanyRegisterFile file(access, name);
  EXPECT_TRUE(
      file.Open(WaitMode::NO_WAIT, OpenMode::OPEN_OR_CREATE));  // exists: opened, no question
  EXPECT_EQ(file.State(), fileaccess::FileState::OPENED);
  EXPECT_TRUE(t.console.ScriptDone());
}

TEST_F(RecordFileTest, ReadsBeyondTheEndAndShortTailsGiveZerosNotStaleBytes) {
  Record tail = Company("Ogon");
  tail.resize(50);
  WriteRegister({Company("Alfa"), tail});  // not a multiple of 103
  auto file = OpenRegister();
  std::int32_t count = 0;
  ASSERT_TRUE(file->SeekEnd(count));
  EXPECT_EQ(count, 1);
  Record buffer = Company("stale");
  EXPECT_FALSE(file->ReadAt(1, buffer));
  EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0; }));
  buffer = Company("stale");
  EXPECT_FALSE(file->ReadAt(7, buffer));
  EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0; }));
  // An insertion replaces the broken tail and keeps every whole record.
  ASSERT_TRUE(file->InsertSorted(Company("Beta")));
  EXPECT_EQ(world.tree.ReadFile("SPISFIRM.DAT").size(), 2u * COMPANY_RECORD_SIZE);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Alfa", "Beta"}));
}

TEST_F(RecordFileTest, KeysReadOnlyTheirFieldsWhateverTheLengthBytesSay) {
  Record record = CompanyRecord{"Firma"_pl, "KAT"_pl, "info"_pl, 0x41}.Build();
  record[0] = 0xFF;   // name: the whole 31-character field
  record[32] = 0xFF;  // directory: 8
  record[41] = 0xFF;  // info: 61, cut to 25 in the key
  CompanyRegisterFile file(access, name);
  const ShortString key = file.KeyText(record);
  ASSERT_EQ(key.size(), 66u);  // 31 + 1 + 8 + 1 + 25
  EXPECT_EQ(key[31], ' ');
  EXPECT_EQ(key[40], ' ');
  EXPECT_EQ(key.view().substr(0, 5), "Firma");
  EXPECT_EQ(key.view().substr(32, 3), "KAT");
}

TEST_F(RecordFileTest, ARefusedFileIsRetriedAndTheOperatorAskedAtTheFifthRefusal) {
  WriteRegister({Company("Alfa")});
  CompanyRegisterFile file(access, name);
  world.syscalls.FailNth(SyscallKind::STAT, 1, EACCES, 1000);  // the station refuses every look
  std::uint32_t askedAt = 0;
  Answer(0x1454, [&] {  // "Tak": four more tries before the next question
    askedAt = t.clock.Elapsed();
    EXPECT_EQ(t.Text(36, 8, 7), " UWAGA ");
    EXPECT_NE(t.Row(9).find("Dostęp do pliku"), std::string::npos);
    EXPECT_NE(t.Row(11).find("niemożliwy/zabroniony !"), std::string::npos);
    EXPECT_NE(t.Row(12).find("Ponowić próbę ?"), std::string::npos);
  });
  std::uint32_t askedAgainAt = 0;
  Answer(ui::KB_CAPITAL_N, [&] { askedAgainAt = t.clock.Elapsed(); });
  EXPECT_FALSE(file.CheckAccess());
  EXPECT_EQ(askedAt, 4u * 500u + 64u);  // four refusals 500 ms apart, then the box
  EXPECT_EQ(askedAgainAt - askedAt, 4u * 500u + 64u);
  EXPECT_TRUE(t.console.ScriptDone());
}

TEST_F(RecordFileTest, NamesTheDiskCannotHoldAndLongNames) {
  CompanyRegisterFile bad(access, world.Name("SPIS") + std::string_view("\0FIRM.DAT", 9));
  Answer(ui::KB_ENTER);  // the error box, once
  EXPECT_FALSE(bad.CheckAccess());
  EXPECT_TRUE(t.console.ScriptDone());
  EXPECT_NE(t.console.Transcript().find("Niepoprawny format nazwy"), std::string::npos);
  EXPECT_NE(t.console.Transcript().find(" Błąd "), std::string::npos);

  // A long path is kept whole: it names the file it says.
  const std::string folder(90, 'f');
  world.tree.MakeDirectory(folder);
  const Record alfa = Company("Alfa");
  world.tree.WriteFile(folder + "/SPISFIRM.DAT", std::string(alfa.begin(), alfa.end()));
  const ShortString longName = world.Name(folder + "/SPISFIRM.DAT");
  ASSERT_GT(longName.size(), 100u);
  CompanyRegisterFile file(access, longName);
  EXPECT_TRUE(file.Open(WaitMode::NO_WAIT, OpenMode::OPEN_EXISTING));
  EXPECT_EQ(file.GetName(), longName);
}

TEST_F(RecordFileTest, AFailedAppendThatTheOperatorGoesOnFromLeavesEveryRecord) {
  WriteRegister({Company("Alfa"), Company("Gamma"), Company("Delta")});
  auto file = OpenRegister();
  world.syscalls.FailNth(SyscallKind::WRITE, 1, ENOSPC);  // the append
  Answer(0x1454, [&] { EXPECT_NE(t.Row(10).find("dopisania do  pliku"), std::string::npos); });
  Answer(0x1454, [&] { EXPECT_NE(t.Row(10).find("wstawienia do pliku"), std::string::npos); });
  EXPECT_FALSE(file->InsertSorted(Company("Beta")));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Alfa", "Gamma", "Delta"}));  // nothing moved
  EXPECT_TRUE(t.console.ScriptDone());
}

TEST_F(RecordFileTest, ABlockThatCannotBeReadInOneGoIsReadRecordByRecord) {
  WriteRegister({Company("Alfa"), Company("Gamma")});
  auto file = OpenRegister();
  world.syscalls.FailNth(SyscallKind::READ, 1, EIO);
  ASSERT_TRUE(file->InsertSorted(Company("Beta")));  // each record reads well on its own: no box
  EXPECT_EQ(Names(), (std::vector<std::string>{"Alfa", "Beta", "Gamma"}));
  EXPECT_EQ(t.console.Transcript().find("BŁĄD"), std::string::npos);
}

TEST_F(RecordFileTest, AFatalErrorEndsTheProgramUnlessTheOperatorGoesOn) {
  CompanyRegisterFile file(access, name);
  Answer(0x1454);  // "T": go on
  EXPECT_NO_THROW(file.FatalIOError("zapisu"_pl + " danych"_pl));
  EXPECT_NE(t.console.Transcript().find("Poważny BŁĄD I/O."), std::string::npos);
  EXPECT_NE(t.console.Transcript().find("zapisu danych"), std::string::npos);
  Answer(0x011B);  // Esc
  try {
    file.FatalIOError("odczytu"_pl + " danych"_pl);
    ADD_FAILURE() << "the program must end";
  } catch (const platform::ProgramExit& exit) {
    EXPECT_EQ(exit.code, 255);
  }
}

TEST_F(RecordFileTest, AFileThatCouldNotBeLookedAtIsNeverCreatedOverIt) {
  const struct {
    int error;
    bool asks;  // refused: the operator is asked whether to try again
  } lookUps[] = {{EACCES, true}, {EIO, true}, {ETIMEDOUT, true}, {EMFILE, false}};
  for (const OpenMode mode : {OpenMode::OPEN_OR_CREATE, OpenMode::OPEN_OR_ASK}) {
    for (const auto [error, asks] : lookUps) {
      SCOPED_TRACE(::testing::Message() << "mode " << int(mode) << ", errno " << error);
      WriteRegister({Company("Alfa"), Company("Beta")});
      const std::string before = world.tree.ReadFile("SPISFIRM.DAT");
      world.syscalls.FailNth(SyscallKind::STAT, 1, error, 1000);
      CompanyRegisterFile file(access, name);
      if (asks) Answer(ui::KB_CAPITAL_N);  // "Nie" at the fifth refusal: the operator gives up
      EXPECT_FALSE(file.Open(WaitMode::NO_WAIT, mode));
      world.syscalls.FailNth(SyscallKind::STAT, 1, 0);
      EXPECT_EQ(file.State(), fileaccess::FileState::CLOSED);
      EXPECT_EQ(world.tree.ReadFile("SPISFIRM.DAT"), before);
      EXPECT_EQ(t.console.Transcript().find("Nie odnaleziono pliku"), std::string::npos);
      EXPECT_TRUE(t.console.ScriptDone());
    }
  }
}

// Starts a register_inserter station; its exit code and what it printed.
struct Station {
  pid_t pid = 0;
  int output = -1;

  Station(const std::string& file, int first, int step, int count) {
    int ends[2];
    if (pipe(ends) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    const std::string program = std::string(ZQ_TEST_PROGRAM_DIR) + "/register_inserter";
    std::vector<std::string> arguments = {program, file, std::to_string(first),
                                          std::to_string(step), std::to_string(count)};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    output = ends[0];
    if (spawned != 0) throw std::runtime_error("cannot start " + program);
  }
  // What it printed, once it has ended with exit code 0.
  std::string Finish() {
    std::string printed;
    char buffer[256];
    for (ssize_t count; (count = read(output, buffer, sizeof buffer)) > 0;) {
      printed.append(buffer, static_cast<std::size_t>(count));
    }
    close(output);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) printed += " (failed)";
    return printed;
  }
};

TEST_F(RecordFileTest, TwoStationsInsertingAtOnceLoseDoubleAndMisplaceNothing) {
  constexpr int PER_STATION = 1000;
  WriteRegister({});
  Station even(world.tree.Path("SPISFIRM.DAT"), 0, 2, PER_STATION);
  Station odd(world.tree.Path("SPISFIRM.DAT"), 1, 2, PER_STATION);
  EXPECT_EQ(even.Finish(), "DONE\n");
  EXPECT_EQ(odd.Finish(), "DONE\n");
  std::vector<std::string> expected;
  for (int number = 0; number < 2 * PER_STATION; ++number) {
    char company[16];
    std::snprintf(company, sizeof company, "Firma %05d", number);
    expected.emplace_back(company);
  }
  EXPECT_EQ(Names(), expected);
  EXPECT_EQ(world.tree.ReadFile("SPISFIRM.DAT").size(), 2u * PER_STATION * COMPANY_RECORD_SIZE);
}

}  // namespace
}  // namespace zq::registry
