#include <gtest/gtest.h>

#include "fileaccess/temp_files.h"
#include "host_world.h"
#include "platform/manual_clock.h"
#include "platform/text_literal.h"

namespace zq::fileaccess {
namespace {

TEST(TempFileNames, AreTildeZqAndEightUpperCaseHexDigits) {
  EXPECT_EQ(FormatTempName(ShortString(), 6699, ".tmp"), "~zq00001A2B.tmp"_pl);
  EXPECT_EQ(FormatTempName("C:\\TEMP\\"_pl, 0xABCDEF01, ".$$$"), "C:\\TEMP\\~zqABCDEF01.$$$"_pl);
  EXPECT_EQ(AddBackslash("dane"_pl), "dane"_pl + platform::PATH_SEPARATOR);
  EXPECT_EQ(AddBackslash("C:\\DANE\\"_pl), "C:\\DANE\\"_pl);
  EXPECT_EQ(AddBackslash("dane/"_pl), "dane/"_pl);
  EXPECT_EQ(AddBackslash(ShortString()), ShortString());
}

TEST(PascalRandomTest, FollowsTheRunTimeSequence) {
  platform::PascalRandom random;
  random.Seed(0);
  EXPECT_EQ(random.Next(32767), 0u);  // state 1
  EXPECT_EQ(random.State(), 1u);
  EXPECT_EQ(random.Next(32767), 0x08088406ull * 32767 >> 32);
  random.Seed(0xFFFFFFFF);
  random.Next(100);
  EXPECT_EQ(random.State(), static_cast<std::uint32_t>(0xFFFFFFFFull * 0x08088405 + 1));
}

class TempFilesTest : public ::testing::Test {
 protected:
  zq::testing::HostWorld world_;
  platform::ManualClock clock_;
  platform::PascalRandom random_;
  TempFiles temp_{world_.files, world_.process, clock_, random_};
};

TEST_F(TempFilesTest, TheFirstUsableVariableNamesTheTemporaryDirectory) {
  auto& tree = world_.tree;
  tree.MakeDirectory("zq");
  tree.MakeDirectory("box");
  tree.MakeDirectory("temp");
  tree.WriteFile("plik", "");
  auto& process = world_.process;
  process.SetCurrentDirectory(world_.Name("biezacy"));
  process.SetEnv("TMP", world_.Name("TEMP"));
  process.SetEnv("TEMP", world_.Name("plik"));    // a plain file: skipped
  process.SetEnv("KPRBOX", world_.Name("box/"));  // ends with a separator: skipped
  process.SetEnv("zqTEMP", world_.Name("brak"));  // missing: skipped
  temp_.InitTempDir();
  EXPECT_EQ(temp_.TempDir(), world_.Name("TEMP"));

  process.SetEnv("zqTEMP", world_.Name("zq"));
  temp_.InitTempDir();
  EXPECT_EQ(temp_.TempDir(), world_.Name("zq"));

  process.SetEnv("zqTEMP", "C:\\"_pl);  // a root is no directory entry
  process.SetEnv("KPRBOX", world_.Name("b?x"));
  process.UnsetEnv("TMP");
  temp_.InitTempDir();
  EXPECT_EQ(temp_.TempDir(), world_.Name("biezacy"));

  // A current directory too long to keep is named relatively.
  process.SetCurrentDirectory(ShortString(std::string(117, 'k')));
  temp_.InitTempDir();
  EXPECT_EQ(temp_.TempDir(), ShortString());
}

TEST_F(TempFilesTest, NamesAreDrawnFromTheTickCountAndSkipExistingEntries) {
  // Before the temporary directory is chosen, names are relative.
  clock_.SetStart({}, 1234);
  random_.Seed(1234);
  const std::uint32_t n = random_.Next(32767);
  EXPECT_EQ(temp_.TempFileNameTmp(ShortString()), FormatTempName(ShortString(), n, ".tmp"));

  const ShortString directory = world_.Name("dane");
  world_.tree.MakeDirectory("dane");
  const ShortString first = temp_.TempFileName(".rek", directory);
  EXPECT_EQ(first, FormatTempName(directory + platform::PATH_SEPARATOR, n, ".rek"));
  // The drawn name and the next exist (a file, and a directory in other
  // letter case): the number after them is taken.
  world_.tree.WriteFile(platform::Cp852ToUtf8(FormatTempName("dane"_pl + platform::PATH_SEPARATOR, n, ".rek")), "");
  world_.tree.MakeDirectory(platform::Cp852ToUtf8(FormatTempName("dane"_pl + platform::PATH_SEPARATOR, n + 1, ".REK")));
  EXPECT_EQ(temp_.TempFileName(".rek", directory), FormatTempName(directory + platform::PATH_SEPARATOR, n + 2, ".rek"));

  world_.process.SetEnv("TMP", directory);
  temp_.InitTempDir();
  EXPECT_EQ(temp_.TempFileNameTmp(ShortString()), FormatTempName(directory + platform::PATH_SEPARATOR, n, ".tmp"));
}

}  // namespace
}  // namespace zq::fileaccess
