#include "transfer/copy_engine.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/text_literal.h"
#include "support/headless_log.h"
#include "support/posix_world.h"
#include "transfer/record_stream.h"

namespace zq::transfer {
namespace {

using zq::testing::SyscallKind;

// A record as the accounting system keeps them: a 32-bit number at offset 0,
// the rest filled with one character (cut to `size` for short records).
std::string Record(std::size_t size, std::uint32_t number, char fill) {
  std::string record(4, '\0');
  for (std::size_t i = 0; i < 4; ++i) record[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  record.resize(std::max<std::size_t>(size, 4), fill);
  record.resize(size);
  return record;
}

std::string Records(std::size_t size, std::uint32_t count) {
  std::string records;
  for (std::uint32_t number = 1; number <= count; ++number) {
    records += Record(size, number, static_cast<char>('a' + number % 26));
  }
  return records;
}

// The UTF-8 text cut to `count` characters.
std::string FirstCharacters(const std::string& text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (starts && seen++ == count) return text.substr(0, i);
  }
  return text;
}

std::size_t CharacterCount(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

struct CopyEngineTest : ::testing::Test {
  zq::testing::HeadlessLog headless;
  zq::testing::HeadlessScreen& s = headless.s;
  ProgressLog& log = headless.log;
  zq::testing::PosixWorld world;
  CopyEngine engine{world.files, log};

  ShortString Name(std::string_view relative) const { return world.Name(relative); }
  std::string Path(std::string_view relative) const { return world.tree.Path(relative); }
  void Write(std::string_view relative, std::string_view content) {
    world.tree.WriteFile(relative, content);
  }
  std::string Read(std::string_view relative) const { return world.tree.ReadFile(relative); }
  // A key the operator presses when the program waits for one.
  void Press(char key) {
    s.console.PushPause();
    s.console.PushKey(static_cast<std::uint8_t>(key));
  }
  // The log row shows `text` (UTF-8) as far as a row holds it, in `colour`.
  void ExpectLine(int row, const std::string& text, std::uint8_t colour) {
    const std::string shown = FirstCharacters(text, 79);
    EXPECT_EQ(s.Text(1, row, static_cast<int>(CharacterCount(shown))), shown) << "row " << row;
    EXPECT_EQ(s.Attribute(1, row), colour) << "row " << row;
  }
  void ExpectBlankRow(int row) { EXPECT_EQ(s.Row(row), std::string(80, ' ')) << "row " << row; }
};

TEST_F(CopyEngineTest, AShortLastRecordIsCopiedWithItsLengthAndConvertedAsAFullRecord) {
  const std::string records =
      Record(48, 1, 'a') + std::string(48, '\xFF') + Record(20, 3, 'c');  // 116 bytes
  Write("in.rek", records);
  EXPECT_TRUE(engine.CopyRecordFile(Name("in.rek"), Name("copy.rek"), 48, {}));
  EXPECT_EQ(Read("copy.rek"), records);
  ExpectLine(1, "Kopiuje " + Path("in.rek") + "  2 pozycji ...", LOG_COPY);
  // Three records and the read that finds the end; three writes.
  EXPECT_EQ(engine.RecordCopyCounter(), 1 + 4 + 3);

  std::vector<std::string> seen;
  const auto converter = [&seen](std::span<std::uint8_t> source, std::span<std::uint8_t> target) {
    seen.emplace_back(source.begin(), source.end());
    // Only the first record fills the target whole; later ones set the number.
    const std::size_t count = seen.size() == 1 ? source.size() : 4;
    std::copy_n(source.begin(), count, target.begin());
    return true;
  };
  EXPECT_TRUE(engine.ConvertRecordFile(Name("in.rek"), Name("wide.rek"), 48, 64, converter));
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1], std::string(48, '\xFF'));
  EXPECT_EQ(seen[2], Record(20, 3, 'c') + std::string(28, '\0'));  // nothing of record 2
  const std::string wide = Read("wide.rek");
  ASSERT_EQ(wide.size(), 3u * 64);
  const std::string first = Record(48, 1, 'a') + std::string(16, '\0');
  EXPECT_EQ(wide.substr(0, 64), first);
  // The target record keeps what the converter did not fill.
  EXPECT_EQ(wide.substr(128, 64), Record(4, 3, ' ') + first.substr(4));
  EXPECT_EQ(engine.RecordCopyCounter(), 8);  // a conversion leaves it alone

  // A record size of 0 copies nothing and does not fail.
  EXPECT_TRUE(engine.CopyRecordFile(Name("in.rek"), Name("none.rek"), 0, {}));
  ExpectLine(3, "Kopiuje " + Path("in.rek") + "  0 pozycji ...", LOG_COPY);
  EXPECT_EQ(Read("none.rek"), "");
}

TEST_F(CopyEngineTest, WholeFileOfOneChunkAndEmptyOrMissingSources) {
  std::string chunk(2048, '\0');
  for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(i * 7 % 251);
  Write("baza_ff.txt", chunk);
  EXPECT_TRUE(engine.CopyWholeFile(Name("baza_ff.txt"), Name("out.txt")));
  EXPECT_EQ(Read("out.txt"), chunk);
  ExpectLine(1, "Kopiuję " + Path("baza_ff.txt") + "  2048 bytów...", LOG_COPY);

  Write("empty.rek", "");
  for (const char* source : {"empty.rek", "missing.rek"}) {
    EXPECT_TRUE(engine.CopyWholeFile(Name(source), Name("whole.out")));
    engine.CopyTextFile(Name(source), Name("text.out"), {});
    EXPECT_EQ(log.CurrentRow(), 2) << "silent for " << source;
  }
  EXPECT_FALSE(world.tree.Exists("whole.out"));
  EXPECT_FALSE(world.tree.Exists("text.out"));

  EXPECT_TRUE(engine.CopyRecordFile(Name("empty.rek"), Name("rec.out"), 48, {}));
  EXPECT_EQ(engine.RecordCopyCounter(), 1);
  EXPECT_TRUE(engine.ConvertRecordFile(Name("missing.rek"), Name("rec.out"), 48, 48, {}));
  ExpectLine(2, "Brak pliku źródłowego " + Path("empty.rek"), LOG_NOTICE);
  ExpectLine(3, "Brak pliku źródłowego " + Path("missing.rek"), LOG_NOTICE);
  EXPECT_FALSE(world.tree.Exists("rec.out"));
}

TEST_F(CopyEngineTest, AnswersWAndZHoldForOneFileAndOtherKeysAreIgnored) {
  Write("in.rek", Records(32, 3));
  Write("out.rek", "old");
  Press('x');
  Press('1');
  Press('w');
  EXPECT_TRUE(engine.CopyWholeFile(Name("in.rek"), Name("out.rek")));
  EXPECT_EQ(Read("out.rek"), Records(32, 3));
  ExpectLine(1, "Stwierdzono obecność pliku " + Path("out.rek"), LOG_ERROR);
  ExpectLine(2, " W-wykonaj kopiownie (zastępując) [A-i wszystkie następne]  ", LOG_NOTICE);
  ExpectLine(3, " Z-zostaw plik                    [N-i wszystkie następne] ?", LOG_NOTICE);
  ExpectLine(4, "---->  Z(n)/W(a)", LOG_EMPHASIS);
  ExpectLine(5, "Kopiuję " + Path("in.rek"), LOG_COPY);
  EXPECT_TRUE(s.console.ScriptDone());

  // The next existing file asks again; Z keeps it.
  Write("out.rek", "old");
  Press('Z');
  EXPECT_TRUE(engine.CopyWholeFile(Name("in.rek"), Name("out.rek")));
  Press('z');
  EXPECT_FALSE(engine.CopyRecordFile(Name("in.rek"), Name("out.rek"), 32, {}));
  Press('z');
  engine.CopyTextFile(Name("in.rek"), Name("out.rek"), {});
  EXPECT_EQ(Read("out.rek"), "old");
  EXPECT_EQ(engine.OverwritePolicy(), POLICY_ASK);
  EXPECT_TRUE(s.console.ScriptDone());
}

TEST_F(CopyEngineTest, KeepAllHoldsForTheRestOfTheRun) {
  Write("in.rek", Records(32, 2));
  Write("a.rek", "old a");
  Write("b.rek", "old b");
  Press('n');
  EXPECT_TRUE(engine.CopyWholeFile(Name("in.rek"), Name("a.rek")));
  EXPECT_EQ(engine.OverwritePolicy(), POLICY_KEEP_ALL);
  const int row = log.CurrentRow();
  // No key is scripted: a question now would fail the test.
  EXPECT_FALSE(engine.CopyRecordFile(Name("in.rek"), Name("b.rek"), 32, {}));
  EXPECT_FALSE(engine.ConvertRecordFile(Name("in.rek"), Name("a.rek"), 32, 32, {}));
  engine.CopyTextFile(Name("in.rek"), Name("b.rek"), {});
  EXPECT_TRUE(engine.AskKeepExisting(Name("b.rek")));
  EXPECT_EQ(log.CurrentRow(), row);
  EXPECT_EQ(Read("a.rek"), "old a");
  EXPECT_EQ(Read("b.rek"), "old b");
}

TEST_F(CopyEngineTest, ReplaceAllHoldsForTheRestOfTheRun) {
  Write("in.rek", Records(32, 2));
  Write("a.rek", "old a");
  Write("b.rek", "old b");
  Press('a');
  EXPECT_TRUE(engine.CopyRecordFile(Name("in.rek"), Name("a.rek"), 32, {}));
  EXPECT_EQ(engine.OverwritePolicy(), POLICY_REPLACE_ALL);
  EXPECT_TRUE(engine.CopyWholeFile(Name("in.rek"), Name("b.rek")));
  EXPECT_EQ(Read("a.rek"), Records(32, 2));
  EXPECT_EQ(Read("b.rek"), Records(32, 2));
  EXPECT_FALSE(engine.AskKeepExisting(Name("a.rek")));
}

TEST_F(CopyEngineTest, AppendingExtendsAnExistingRecordFileWithoutAQuestion) {
  Write("old.rek", Record(32, 1, 'x'));
  Write("new.rek", Record(32, 2, 'y') + Record(32, 3, 'z'));
  engine.SetAppendToExisting(true);
  EXPECT_TRUE(engine.CopyRecordFile(Name("new.rek"), Name("old.rek"), 32, {}));
  EXPECT_EQ(Read("old.rek"), Record(32, 1, 'x') + Record(32, 2, 'y') + Record(32, 3, 'z'));
  const auto copy = [](std::span<std::uint8_t> source, std::span<std::uint8_t> target) {
    std::copy(source.begin(), source.end(), target.begin());
    return true;
  };
  EXPECT_TRUE(engine.ConvertRecordFile(Name("new.rek"), Name("old.rek"), 32, 32, copy));
  EXPECT_EQ(Read("old.rek").size(), 5u * 32);
  // A missing target is simply created.
  EXPECT_TRUE(engine.CopyRecordFile(Name("new.rek"), Name("fresh.rek"), 32, {}));
  EXPECT_EQ(Read("fresh.rek"), Read("new.rek"));
  // A whole-file copy never appends: it still asks.
  Press('w');
  EXPECT_TRUE(engine.CopyWholeFile(Name("new.rek"), Name("old.rek")));
  EXPECT_EQ(Read("old.rek"), Read("new.rek"));
  EXPECT_TRUE(s.console.ScriptDone());
}

TEST_F(CopyEngineTest, FiltersDropAndChangeRecords) {
  Write("in.rek", Records(16, 5));
  EXPECT_TRUE(engine.CopyRecordFile(Name("in.rek"), Name("none.rek"), 16,
                                    [](std::span<std::uint8_t>) { return false; }));
  EXPECT_TRUE(world.tree.Exists("none.rek"));
  EXPECT_EQ(Read("none.rek"), "");
  EXPECT_EQ(engine.RecordCopyCounter(), 1 + 6);
  // Without a converter nothing is written.
  EXPECT_TRUE(engine.ConvertRecordFile(Name("in.rek"), Name("none2.rek"), 16, 16, {}));
  EXPECT_EQ(Read("none2.rek"), "");

  const auto oddOnesMarked = [](std::span<std::uint8_t> record) {
    if (record[0] % 2 == 0) return false;
    record[15] = '!';
    return true;
  };
  EXPECT_TRUE(engine.CopyRecordFile(Name("in.rek"), Name("odd.rek"), 16, oddOnesMarked));
  std::string expected;
  for (std::uint32_t number : {1u, 3u, 5u}) {
    expected += Record(15, number, static_cast<char>('a' + number)) + "!";
  }
  EXPECT_EQ(Read("odd.rek"), expected);
  EXPECT_EQ(engine.RecordCopyCounter(), 1 + 6 + 3);
}

TEST_F(CopyEngineTest, TextLinesAreCopiedWholeAndFiltered) {
  const std::string longLine(300, 'L');
  Write("Notes.txt", longLine + "\nsecond\r\ndrop me\nlast");
  Write("Notes.out", "old");
  Press('w');
  engine.CopyTextFile(Name("Notes.txt"), Name("Notes.out"), [](std::string& line) {
    if (line == "drop me") return false;
    if (line == "second") line = "SECOND";
    return true;
  });
  EXPECT_EQ(Read("Notes.out"), longLine + "\r\nSECOND\r\nlast\r\n");
  ExpectLine(5, "Kopiuję plik " + Path("Notes.txt"), LOG_COPY);
  engine.CopyTextFile(Name("Notes.txt"), Name("plain.out"), {});
  EXPECT_EQ(Read("plain.out"), longLine + "\r\nsecond\r\ndrop me\r\nlast\r\n");
}

TEST_F(CopyEngineTest, OpenAndCreateFailuresAreShownAndWaitForAKey) {
  Write("in.rek", Records(32, 2));
  // A source refused, one that vanished after its size was taken.
  world.syscalls.FailNth(SyscallKind::OPEN, 1, EACCES);
  Press('x');
  EXPECT_FALSE(engine.CopyWholeFile(Name("in.rek"), Name("out.rek")));
  world.syscalls.FailNth(SyscallKind::OPEN, 1, ENOENT);
  Press('x');
  EXPECT_FALSE(engine.ConvertRecordFile(Name("in.rek"), Name("out.rek"), 32, 32, {}));
  world.syscalls.FailNth(SyscallKind::OPEN, 1, EACCES);
  Press('x');
  engine.CopyTextFile(Name("in.rek"), Name("out.rek"), {});
  for (int row = 1; row <= 3; ++row) {
    ExpectLine(row, "Błąd otwarcia pliku " + Path("in.rek"), LOG_ERROR);
  }
  EXPECT_TRUE(s.console.ScriptDone());

  // A target in a folder that does not exist, and one in a folder that
  // refuses it (the second open, and the write-only open tried after it).
  Press('x');
  EXPECT_FALSE(engine.CopyWholeFile(Name("in.rek"), Name("nowhere/out.rek")));
  world.syscalls.FailNth(SyscallKind::OPEN, 2, EACCES, 2);
  Press('x');
  EXPECT_FALSE(engine.CopyRecordFile(Name("in.rek"), Name("out.rek"), 32, {}));
  Press('x');
  engine.CopyTextFile(Name("in.rek"), Name("nowhere/out.rek"), {});
  ExpectLine(4, "Błąd Utworzenia pliku " + Path("nowhere/out.rek"), LOG_ERROR);
  ExpectLine(5, "Błąd Utworzenia pliku " + Path("out.rek"), LOG_ERROR);
  ExpectLine(6, "Błąd utworzenia pliku " + Path("nowhere/out.rek"), LOG_ERROR);
  ExpectBlankRow(7);
  EXPECT_TRUE(s.console.ScriptDone());
  EXPECT_FALSE(world.tree.Exists("out.rek"));
}

struct CopyFailureTest : CopyEngineTest {
  static constexpr std::size_t RECORD = 48;
  static constexpr std::size_t PER_BLOCK = TRANSFER_BLOCK_BYTES / RECORD;
  const std::string source = Records(RECORD, static_cast<std::uint32_t>(3 * PER_BLOCK + 7));

  CopyFailureTest() { Write("big.rek", source); }
};

TEST_F(CopyFailureTest, AReadErrorLeavesTheRecordsReadBeforeIt) {
  world.syscalls.FailNth(SyscallKind::READ, 2, EIO);
  Press('x');
  EXPECT_TRUE(engine.CopyRecordFile(Name("big.rek"), Name("out.rek"), RECORD, {}));
  EXPECT_EQ(Read("out.rek"), source.substr(0, PER_BLOCK * RECORD));
  ExpectLine(2, "Błąd odczytu danych", LOG_ERROR);
  EXPECT_TRUE(s.console.ScriptDone());
  // Every record of the first block read and written, then the failed read.
  EXPECT_EQ(engine.RecordCopyCounter(), static_cast<std::int32_t>(1 + 2 * PER_BLOCK + 1));

  // A whole file is copied inside the system; its read error is the same line.
  world.syscalls.FailNth(SyscallKind::COPY, 1, EIO);
  Press('x');
  EXPECT_TRUE(engine.CopyWholeFile(Name("big.rek"), Name("whole.rek")));
  EXPECT_EQ(Read("whole.rek"), "");
  ExpectLine(4, "Błąd odczytu danych", LOG_ERROR);

  // A text copy shows its failures without waiting.
  Write("notes.txt", "one\ntwo\n");
  world.syscalls.FailNth(SyscallKind::READ, 1, EIO);
  engine.CopyTextFile(Name("notes.txt"), Name("notes.out"), {});
  ExpectLine(6, "Błąd odczytu z pliku " + Path("notes.txt"), LOG_ERROR);
  EXPECT_EQ(Read("notes.out"), "");
  EXPECT_TRUE(s.console.ScriptDone());
}

TEST_F(CopyFailureTest, AReadErrorStillWritesTheRecordsQueuedBeforeIt) {
  // Filtered and converted copies queue their records: at the failed read of
  // the second block, the first block's records are still in the queue.
  const std::string firstBlock = source.substr(0, PER_BLOCK * RECORD);
  std::string everySecond;
  for (std::size_t i = 0; i < PER_BLOCK; i += 2)
    everySecond += firstBlock.substr(i * RECORD, RECORD);
  int seen = 0;
  const auto keepEverySecond = [&seen](std::span<std::uint8_t>) { return seen++ % 2 == 0; };
  const auto copy = [](std::span<std::uint8_t> from, std::span<std::uint8_t> to) {
    std::copy(from.begin(), from.end(), to.begin());
    return true;
  };
  world.syscalls.FailNth(SyscallKind::READ, 2, EIO);
  Press('x');
  EXPECT_TRUE(
      engine.CopyRecordFile(Name("big.rek"), Name("filtered.rek"), RECORD, keepEverySecond));
  EXPECT_EQ(Read("filtered.rek"), everySecond);  // a block filled in part
  EXPECT_EQ(engine.RecordCopyCounter(),
            static_cast<std::int32_t>(1 + PER_BLOCK + (PER_BLOCK + 1) / 2 + 1));

  world.syscalls.FailNth(SyscallKind::READ, 2, EIO);
  Press('x');
  EXPECT_TRUE(
      engine.ConvertRecordFile(Name("big.rek"), Name("converted.rek"), RECORD, RECORD, copy));
  EXPECT_EQ(Read("converted.rek"), firstBlock);  // a full block not yet written
  ExpectLine(2, "Błąd odczytu danych", LOG_ERROR);
  ExpectLine(4, "Błąd odczytu danych", LOG_ERROR);
  EXPECT_TRUE(s.console.ScriptDone());
}

TEST_F(CopyFailureTest, AShortLastRecordAfterTheFirstBlockReachesTheConverterZeroFilled) {
  // The short record lies where the first block's records lay.
  const std::string tail = Record(10, 999, 't');
  Write("tail.rek", source.substr(0, PER_BLOCK * RECORD) + tail);
  std::string last;
  const auto remember = [&last](std::span<std::uint8_t> from, std::span<std::uint8_t> to) {
    last.assign(from.begin(), from.end());
    std::copy(from.begin(), from.end(), to.begin());
    return true;
  };
  EXPECT_TRUE(
      engine.ConvertRecordFile(Name("tail.rek"), Name("out.rek"), RECORD, RECORD, remember));
  EXPECT_EQ(last, tail + std::string(RECORD - tail.size(), '\0'));
  EXPECT_EQ(Read("out.rek").size(), (PER_BLOCK + 1) * RECORD);
  EXPECT_TRUE(engine.CopyRecordFile(Name("tail.rek"), Name("copy.rek"), RECORD,
                                    [](std::span<std::uint8_t>) { return true; }));
  EXPECT_EQ(Read("copy.rek"), source.substr(0, PER_BLOCK * RECORD) + tail);
}

TEST_F(CopyFailureTest, AConverterThatTalksIsNotCalledPastAFailedWrite) {
  int calls = 0;
  const auto talkingCopy = [&](std::span<std::uint8_t> from, std::span<std::uint8_t> to) {
    ++calls;
    log.LogWriteLn("osoba " + std::to_string(calls));
    std::copy(from.begin(), from.end(), to.begin());
    return true;
  };
  world.syscalls.FailNth(SyscallKind::WRITE, 3, ENOSPC);  // the third record's write
  Press('x');
  EXPECT_TRUE(
      engine.ConvertRecordFile(Name("big.rek"), Name("out.rek"), RECORD, RECORD, talkingCopy));
  EXPECT_EQ(calls, 3);  // as record by record: nothing said about the fourth
  EXPECT_EQ(Read("out.rek"), source.substr(0, 2 * RECORD));
  ExpectLine(4, "osoba 3", LOG_NORMAL);
  ExpectLine(5, "Błąd zapisu danych", LOG_ERROR);
  EXPECT_TRUE(s.console.ScriptDone());
}

TEST_F(CopyFailureTest, AWholeFileIsCopiedInsideTheSystemOrByTheProgramsOwnBlocks) {
  const int readsBefore = world.syscalls.Calls(SyscallKind::READ);
  EXPECT_TRUE(engine.CopyWholeFile(Name("big.rek"), Name("kernel.rek")));
  EXPECT_EQ(Read("kernel.rek"), source);
  EXPECT_EQ(world.syscalls.Calls(SyscallKind::READ), readsBefore);  // nothing through the program

  // Where the system cannot copy by itself, the program's blocks do it.
  world.syscalls.FailNth(SyscallKind::COPY, 1, EXDEV);
  EXPECT_TRUE(engine.CopyWholeFile(Name("big.rek"), Name("blocks.rek")));
  EXPECT_EQ(Read("blocks.rek"), source);
  EXPECT_GT(world.syscalls.Calls(SyscallKind::READ), readsBefore);

  // A full disk while the system copies is a write error.
  world.syscalls.FailNth(SyscallKind::COPY, 1, ENOSPC);
  Press('x');
  EXPECT_TRUE(engine.CopyWholeFile(Name("big.rek"), Name("full.rek")));
  ExpectLine(4, "Błąd zapisu danych", LOG_ERROR);
  EXPECT_TRUE(s.console.ScriptDone());
}

TEST_F(CopyFailureTest, AWriteErrorLeavesTheRecordsWrittenBeforeIt) {
  world.syscalls.FailNth(SyscallKind::WRITE, 2, ENOSPC);
  Press('x');
  EXPECT_TRUE(engine.CopyRecordFile(Name("big.rek"), Name("out.rek"), RECORD, {}));
  EXPECT_EQ(Read("out.rek"), source.substr(0, PER_BLOCK * RECORD));
  ExpectLine(2, "Błąd zapisu danych", LOG_ERROR);
  // The first record of the second block was read and its write failed.
  EXPECT_EQ(engine.RecordCopyCounter(), static_cast<std::int32_t>(1 + 2 * (PER_BLOCK + 1)));

  // The same, record by record through a filter that keeps every record.
  world.syscalls.FailNth(SyscallKind::WRITE, 2, ENOSPC);
  Press('x');
  EXPECT_TRUE(engine.CopyRecordFile(Name("big.rek"), Name("kept.rek"), RECORD,
                                    [](std::span<std::uint8_t>) { return true; }));
  EXPECT_EQ(Read("kept.rek"), source.substr(0, PER_BLOCK * RECORD));
  EXPECT_EQ(engine.RecordCopyCounter(), static_cast<std::int32_t>(1 + 2 * (PER_BLOCK + 1)));

  // The last, partly filled block fails when the end is reached.
  world.syscalls.FailNth(SyscallKind::WRITE, 4, EIO);
  Press('x');
  const auto copy = [](std::span<std::uint8_t> from, std::span<std::uint8_t> to) {
    std::copy(from.begin(), from.end(), to.begin());
    return true;
  };
  EXPECT_TRUE(engine.ConvertRecordFile(Name("big.rek"), Name("conv.rek"), RECORD, RECORD, copy));
  EXPECT_EQ(Read("conv.rek"), source.substr(0, 3 * PER_BLOCK * RECORD));
  ExpectLine(4, "Błąd zapisu danych", LOG_ERROR);
  ExpectLine(6, "Błąd zapisu danych", LOG_ERROR);

  Write("notes.txt", "one\ntwo\n");
  world.syscalls.FailNth(SyscallKind::WRITE, 1, EIO);
  engine.CopyTextFile(Name("notes.txt"), Name("notes.out"), {});
  ExpectLine(8, "Błąd zapisu do pliku " + Path("notes.out"), LOG_ERROR);
  EXPECT_TRUE(s.console.ScriptDone());
}

TEST_F(CopyFailureTest, CloseFailuresAreShownAndATargetThatDoesNotCloseFailsTheCopy) {
  // How many descriptors one copy closes: those of the source, then those of
  // the target, the file's own descriptor last of each.
  const int before = world.syscalls.Calls(SyscallKind::CLOSE);
  ASSERT_TRUE(engine.CopyWholeFile(Name("big.rek"), Name("probe.rek")));
  const int closes = world.syscalls.Calls(SyscallKind::CLOSE) - before;

  world.syscalls.FailNth(SyscallKind::CLOSE, closes / 2, EIO);
  Press('x');
  EXPECT_TRUE(engine.CopyRecordFile(Name("big.rek"), Name("out.rek"), RECORD, {}));
  ExpectLine(3, "Błąd zamknięcia zbioru " + Path("big.rek"), LOG_ERROR);
  EXPECT_EQ(Read("out.rek"), source);

  world.syscalls.FailNth(SyscallKind::CLOSE, closes, EIO);
  Press('x');
  EXPECT_FALSE(engine.CopyWholeFile(Name("big.rek"), Name("whole.rek")));
  ExpectLine(5, "Błąd zamknięcia zbioru " + Path("whole.rek"), LOG_ERROR);
  EXPECT_TRUE(s.console.ScriptDone());
}

// What callers rely on: the result of each operation in each situation.
TEST_F(CopyEngineTest, ResultsOfEachSituation) {
  const auto copy = [](std::span<std::uint8_t> from, std::span<std::uint8_t> to) {
    std::copy(from.begin(), from.end(), to.begin());
    return true;
  };
  const auto results = [&](const char* source, const char* target) {
    return std::vector<bool>{engine.CopyWholeFile(Name(source), Name(target)),
                             engine.CopyRecordFile(Name(source), Name(target), 8, {}),
                             engine.ConvertRecordFile(Name(source), Name(target), 8, 8, copy)};
  };
  const auto pressForEach = [&](int count) {
    for (int i = 0; i < count; ++i) Press('x');
  };
  Write("in.rek", Records(8, 4));
  EXPECT_EQ(results("missing.rek", "out.rek"), (std::vector<bool>{true, true, true}));

  world.syscalls.FailNth(SyscallKind::OPEN, 1, EACCES);
  pressForEach(1);
  EXPECT_FALSE(engine.CopyWholeFile(Name("in.rek"), Name("out.rek")));
  world.syscalls.FailNth(SyscallKind::OPEN, 1, EACCES);
  pressForEach(1);
  EXPECT_FALSE(engine.CopyRecordFile(Name("in.rek"), Name("out.rek"), 8, {}));
  pressForEach(3);
  EXPECT_EQ(results("in.rek", "nowhere/out.rek"), (std::vector<bool>{false, false, false}));

  // One read and one descriptor per file in each operation.
  const auto failRead = [&] {
    world.syscalls.FailNth(SyscallKind::READ, 1, EIO);
    pressForEach(1);
  };
  failRead();
  EXPECT_TRUE(engine.CopyWholeFile(Name("in.rek"), Name("r1.rek")));
  failRead();
  EXPECT_TRUE(engine.CopyRecordFile(Name("in.rek"), Name("r2.rek"), 8, {}));
  failRead();
  EXPECT_TRUE(engine.ConvertRecordFile(Name("in.rek"), Name("r3.rek"), 8, 8, copy));

  const auto failTargetClose = [&] {
    world.syscalls.FailNth(SyscallKind::CLOSE, 2, EIO);
    pressForEach(1);
  };
  failTargetClose();
  EXPECT_FALSE(engine.CopyWholeFile(Name("in.rek"), Name("c1.rek")));
  failTargetClose();
  EXPECT_FALSE(engine.CopyRecordFile(Name("in.rek"), Name("c2.rek"), 8, {}));
  failTargetClose();
  EXPECT_FALSE(engine.ConvertRecordFile(Name("in.rek"), Name("c3.rek"), 8, 8, copy));
  EXPECT_EQ(Read("c3.rek"), Records(8, 4));

  Press('n');  // keep this and every later existing target
  EXPECT_EQ(results("in.rek", "c1.rek"), (std::vector<bool>{true, false, false}));
  EXPECT_TRUE(s.console.ScriptDone());
}

}  // namespace
}  // namespace zq::transfer
