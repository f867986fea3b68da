#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host_world.h"
#include "platform/text_literal.h"
#include "wine.h"

namespace zq::platform {
namespace {

struct Skipped {
  std::string directory;
  std::string name;
};

class WindowsFileSystemTest : public ::testing::Test {
 protected:
  std::vector<std::string> Found(std::string_view pattern, std::uint8_t attributes = ATTR_ANY) {
    std::vector<DirEntry> entries;
    result_ = files_.Search(world_.Name(pattern), attributes, entries);
    std::vector<std::string> names;
    for (const DirEntry& entry : entries) names.push_back(Cp852ToUtf8(entry.name.view()));
    return names;
  }
  std::unique_ptr<File> Open(const ShortString& name, Access access, Share share,
                             Disposition disposition = Disposition::OPEN_EXISTING) {
    return files_.Open(name, access, share, disposition, result_);
  }

  testing::HostWorld world_;
  std::vector<Skipped> skipped_;
  WindowsFileSystem files_{[this](const ShortString& directory, const ShortString& name) {
    skipped_.push_back({Cp852ToUtf8(directory.view()), Cp852ToUtf8(name.view())});
  }};
  int result_ = -1;
};

TEST_F(WindowsFileSystemTest, NamesAreFoundWhateverTheirCaseAndOnlyCp852NamesAreListed) {
  world_.tree.MakeDirectory("Księgi");
  world_.tree.WriteFile("Księgi/Żurawie.DAT", "abc");
  world_.tree.WriteFile("Księgi/日本.dat", "x");
  world_.tree.WriteFile("Księgi/a.txt", "");

  // The program's upper-cased CP852 name opens the disk's mixed-case one.
  auto file = Open(world_.Name("KSIĘGI\\ŻURAWIE.dat"), Access::READ, Share::DENY_NONE);
  ASSERT_TRUE(file) << result_;
  char bytes[4] = {};
  std::size_t done = 0;
  EXPECT_EQ(file->Read(bytes, sizeof bytes, done), IO_OK);
  EXPECT_EQ(std::string(bytes, done), "abc");

  // A name the code page cannot hold is left out and told once per search.
  EXPECT_EQ(Found("księgi/*.dat"), std::vector<std::string>{"Żurawie.DAT"});
  EXPECT_EQ(result_, IO_OK);
  ASSERT_EQ(skipped_.size(), 1u);
  EXPECT_EQ(skipped_[0].name, "??.dat");
  EXPECT_EQ(Found("KSIĘGI/*.*"), (std::vector<std::string>{"a.txt", "Żurawie.DAT"}));
  EXPECT_EQ(Found("Księgi", ATTR_FILES), std::vector<std::string>{});
  EXPECT_EQ(result_, IO_NO_MORE_FILES);  // a directory, and the filter asks for files
  EXPECT_EQ(Found("Księgi", ATTR_DIRECTORY), std::vector<std::string>{"Księgi"});
  EXPECT_EQ(Found("brak/*.*"), std::vector<std::string>{});
  EXPECT_EQ(result_, IO_PATH_NOT_FOUND);
}

TEST_F(WindowsFileSystemTest, PathsLongerThanTheClassicLimitWorkAndBadNamesAreRefused) {
  // A program name holds 255 bytes at most; relative to the working
  // directory its full path goes beyond MAX_PATH.
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(world_.tree.Root());
  std::string deep;
  while (deep.size() < 220) {
    deep += "katalog_o_dlugiej_nazwie\\";
    ASSERT_EQ(files_.MakeDirectory(ShortString(deep)), IO_OK) << deep.size();
  }
  const ShortString name(deep + "SPISFIRM.DAT");
  auto file = Open(name, Access::READ_WRITE, Share::DENY_ALL, Disposition::CREATE_ALWAYS);
  std::vector<DirEntry> found;
  const int searched = files_.Search(ShortString(deep + "*.DAT"), ATTR_FILES, found);
  std::filesystem::current_path(previous);
  ASSERT_TRUE(file) << result_;
  EXPECT_GT(world_.tree.Root().size() + name.size(), std::size_t{MAX_PATH});
  std::size_t done = 0;
  EXPECT_EQ(file->Write("rekord", 6, done), IO_OK);
  EXPECT_EQ(file->Close(), IO_OK);
  EXPECT_EQ(searched, IO_OK);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name.view(), "SPISFIRM.DAT");

  for (const char* bad : {"a*b.dat", "a?.dat", "plik:strumien", "a|b", "a<b>"}) {
    EXPECT_FALSE(Open(world_.Name(bad), Access::READ, Share::DENY_NONE)) << bad;
    EXPECT_EQ(result_, IO_BAD_NAME) << bad;
  }
  EXPECT_FALSE(Open(world_.Name("brak.dat"), Access::READ, Share::DENY_NONE));
  EXPECT_EQ(result_, IO_FILE_NOT_FOUND);
  EXPECT_FALSE(Open(world_.Name("brak/plik.dat"), Access::READ, Share::DENY_NONE));
  EXPECT_EQ(result_, IO_PATH_NOT_FOUND);
}

TEST_F(WindowsFileSystemTest, AReadThroughARangeAnotherHandleLockedIsRefused) {
  if (testing::RunningUnderWine()) {
    GTEST_SKIP() << "Wine lets a read through a range another handle locked succeed";
  }
  world_.tree.WriteFile("SPISFIRM.DAT", std::string(206, 'r'));
  auto locker = Open(world_.Name("SPISFIRM.DAT"), Access::READ_WRITE, Share::DENY_NONE);
  auto reader = Open(world_.Name("SPISFIRM.DAT"), Access::READ, Share::DENY_NONE);
  ASSERT_TRUE(locker && reader);
  ASSERT_EQ(locker->Lock(103, 103), IO_OK);
  char record[103];
  std::size_t done = 0;
  EXPECT_EQ(reader->Read(record, sizeof record, done), IO_OK);  // the first record is free
  EXPECT_EQ(reader->Read(record, sizeof record, done), IO_LOCK_VIOLATION);
}

}  // namespace
}  // namespace zq::platform
