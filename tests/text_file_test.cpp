#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/posix_world.h"

namespace zq::platform {
namespace {

using zq::testing::SyscallKind;

class TextFileTest : public ::testing::Test {
 protected:
  std::unique_ptr<File> Open(Access access, Disposition disposition) {
    int result = IO_OK;
    auto file =
        world_.files.Open(world_.Name("tekst.txt"), access, Share::DENY_NONE, disposition, result);
    EXPECT_EQ(result, IO_OK);
    return file;
  }
  std::vector<std::string> LinesOf(const std::string& content) {
    world_.tree.WriteFile("tekst.txt", content);
    auto file = Open(Access::READ, Disposition::OPEN_EXISTING);
    TextReader reader(*file);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    EXPECT_EQ(reader.Result(), IO_OK);
    return lines;
  }

  zq::testing::PosixWorld world_;
};

using Lines = std::vector<std::string>;

TEST_F(TextFileTest, ReadsLinesEndedByCrLfOrLf) {
  const std::string longLine(300, 'x');
  EXPECT_EQ(LinesOf("[DANE]\r\nNazwa=Firma\n\r\n" + longLine + "\r\nostatnia"),
            (Lines{"[DANE]", "Nazwa=Firma", "", longLine, "ostatnia"}));
  EXPECT_EQ(LinesOf("a\rb\r\n"), (Lines{"a\rb"}));  // a lone CR belongs to the line
  EXPECT_EQ(LinesOf("a\r\r\n"), (Lines{"a\r"}));    // also at its end
  EXPECT_EQ(LinesOf(""), Lines{});
  EXPECT_EQ(LinesOf("\r\n"), (Lines{""}));
}

TEST_F(TextFileTest, ACtrlZAtTheVeryEndIsNoLine) {
  EXPECT_EQ(LinesOf("jeden\r\ndwa\r\n\x1A"), (Lines{"jeden", "dwa"}));
  EXPECT_EQ(LinesOf("jeden\r\ndwa\x1A"), (Lines{"jeden", "dwa"}));
  EXPECT_EQ(LinesOf("a\x1A"
                    "b\r\n"),
            (Lines{"a\x1A"
                   "b"}));  // inside the text it is data
}

TEST_F(TextFileTest, ReadsLinesAcrossBufferBoundaries) {
  // The first line is longer than the buffer and its CR is the buffer's last
  // byte; the lines after it cross the later boundaries at other places.
  Lines expected = {std::string(TEXT_BUFFER_SIZE - 1, 'L')};
  std::string content = expected.back() + "\r\n";
  for (int i = 0; i < 200; ++i) {
    expected.push_back(std::string(999, static_cast<char>('a' + i % 26)) + std::to_string(i % 10));
    content += expected.back() + "\r\n";
  }
  EXPECT_EQ(LinesOf(content), expected);
}

TEST_F(TextFileTest, WritesLinesWithCrLfInFewWrites) {
  {
    auto file = Open(Access::WRITE, Disposition::CREATE_ALWAYS);
    TextWriter writer(*file);
    for (int i = 0; i < 10000; ++i)
      EXPECT_EQ(writer.WriteLine("linia " + std::to_string(i)), IO_OK);
    EXPECT_EQ(writer.Write("bez konca"), IO_OK);
  }  // the writer hands over the rest when it goes
  const std::string content = world_.tree.ReadFile("tekst.txt");
  EXPECT_EQ(content.substr(0, 18), "linia 0\r\nlinia 1\r\n");
  EXPECT_EQ(content.substr(content.size() - 21), "linia 9999\r\nbez konca");
  EXPECT_LE(world_.syscalls.Calls(SyscallKind::WRITE), 3);
}

TEST_F(TextFileTest, ReportsReadAndWriteErrors) {
  world_.tree.WriteFile("tekst.txt", "a\r\nb\r\n");
  auto file = Open(Access::READ_WRITE, Disposition::OPEN_EXISTING);
  world_.syscalls.FailNth(SyscallKind::READ, 1, EIO);
  TextReader reader(*file);
  std::string line;
  EXPECT_FALSE(reader.ReadLine(line));
  EXPECT_EQ(reader.Result(), IO_READ_FAULT);

  // An error after the first bytes: the whole lines read before it still
  // come, the line it cut does not.
  world_.tree.WriteFile("tekst.txt", "one\r\ntwo\r\nthr");
  auto cut = Open(Access::READ, Disposition::OPEN_EXISTING);
  world_.syscalls.FailNth(SyscallKind::READ, 2, EIO);
  TextReader cutReader(*cut);
  ASSERT_TRUE(cutReader.ReadLine(line));
  EXPECT_EQ(line, "one");
  ASSERT_TRUE(cutReader.ReadLine(line));
  EXPECT_EQ(line, "two");
  EXPECT_FALSE(cutReader.ReadLine(line));
  EXPECT_EQ(cutReader.Result(), IO_READ_FAULT);

  TextWriter writer(*file);
  world_.syscalls.FailNth(SyscallKind::WRITE, 1, ENOSPC);
  EXPECT_EQ(writer.WriteLine("x"), IO_OK);  // still in the buffer
  EXPECT_EQ(writer.Flush(), IO_WRITE_FAULT);
  EXPECT_EQ(writer.WriteLine("y"), IO_WRITE_FAULT);  // the first error stays
}

// A file that takes at most `room` bytes and says nothing of the rest.
struct FullFile final : File {
  std::string content;
  std::size_t room = 0;
  int Read(void*, std::size_t, std::size_t& done) override {
    done = 0;
    return IO_OK;
  }
  int Write(const void* buffer, std::size_t size, std::size_t& done) override {
    done = std::min(size, room - content.size());
    content.append(static_cast<const char*>(buffer), done);
    return IO_OK;
  }
  int Seek(std::uint64_t) override { return IO_OK; }
  int Size(std::uint64_t& size) override {
    size = content.size();
    return IO_OK;
  }
  int Flush() override { return IO_OK; }
  int Lock(std::uint64_t, std::uint64_t) override { return IO_OK; }
  int Unlock(std::uint64_t, std::uint64_t) override { return IO_OK; }
  int Close() override { return IO_OK; }
};

TEST_F(TextFileTest, AWriteThatTakesFewerBytesIsAFailure) {
  FullFile file;
  file.room = 5;
  TextWriter writer(file);
  EXPECT_EQ(writer.WriteLine("abcdef"), IO_OK);  // still in the buffer
  EXPECT_EQ(writer.Flush(), IO_WRITE_FAULT);
  EXPECT_EQ(writer.WriteLine("g"), IO_WRITE_FAULT);
  EXPECT_EQ(file.content, "abcde");
}

}  // namespace
}  // namespace zq::platform
