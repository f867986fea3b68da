#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/path_mapper.h"
#include "platform/text_literal.h"
#include "support/posix_world.h"

namespace zq::platform {
namespace {

class PathMapperTest : public ::testing::Test {
 protected:
  std::string Host(std::string_view name) {
    std::string host;
    EXPECT_EQ(mapper_.ToHost(name, host), IO_OK) << name;
    return host;
  }
  int ResultOf(std::string_view name) {
    std::string host;
    return mapper_.ToHost(name, host);
  }

  zq::testing::PosixWorld world_;
  PathMapper mapper_{world_.syscalls, world_.process};
};

TEST_F(PathMapperTest, FindsEachComponentWhateverItsCaseAsWindowsDoes) {
  const auto& tree = world_.tree;
  tree.MakeDirectory("Dane/#BIN020");
  tree.MakeDirectory("Dane/Żółw");
  tree.WriteFile("Dane/#BIN020/SpisFirm.Dat", "x");
  tree.WriteFile("Dane/Żółw/Łąka.rek", "x");

  EXPECT_EQ(Host(world_.Name("DANE\\#bin020\\SPISFIRM.DAT")),
            tree.Path("Dane/#BIN020/SpisFirm.Dat"));
  // Polish names: CP852 in the program, UTF-8 on disk, letter case through
  // the Polish capitals.
  EXPECT_EQ(Host(world_.Name("dane/ŻÓŁW/łĄKA.REK")), tree.Path("Dane/Żółw/Łąka.rek"));
  // A missing component keeps the name given, so a file can be created; what
  // follows it is kept too.
  EXPECT_EQ(Host(world_.Name("DANE\\Nowy\\Plik.TXT")), tree.Path("Dane/Nowy/Plik.TXT"));
  // A trailing separator stays; doubled separators are one.
  EXPECT_EQ(Host(world_.Name("dane\\\\żółw\\")), tree.Path("Dane/Żółw/"));
}

TEST_F(PathMapperTest, AnExactNameWinsOverAnotherSpelling) {
  world_.tree.WriteFile("abc.txt", "lower");
  world_.tree.WriteFile("ABC.TXT", "upper");
  world_.tree.WriteFile("Abc.Txt", "mixed");
  EXPECT_EQ(Host(world_.Name("ABC.TXT")), world_.tree.Path("ABC.TXT"));
  EXPECT_EQ(Host(world_.Name("Abc.Txt")), world_.tree.Path("Abc.Txt"));
  // Without an exact name, the first spelling in byte order.
  EXPECT_EQ(Host(world_.Name("aBC.TXT")), world_.tree.Path("ABC.TXT"));
}

TEST_F(PathMapperTest, ASpellingMadeOrRemovedAfterALookUpIsSeenByTheNext) {
  // The directory read for a missing name is kept; another station's change
  // to the directory right after must not hide behind it.
  auto& tree = world_.tree;
  tree.MakeDirectory("Dane");
  const ShortString name = world_.Name("DANE/NOWY.REK");
  EXPECT_EQ(Host(name), tree.Path("Dane/NOWY.REK"));
  tree.WriteFile("Dane/nowy.rek", "made by another station");
  EXPECT_EQ(Host(name), tree.Path("Dane/nowy.rek"));
  tree.WriteFile("Dane/Nowy.rek", "an earlier spelling in byte order");
  EXPECT_EQ(Host(name), tree.Path("Dane/Nowy.rek"));
  std::filesystem::remove(tree.Path("Dane/Nowy.rek"));
  std::filesystem::rename(tree.Path("Dane/nowy.rek"), tree.Path("Dane/inny.rek"));
  EXPECT_EQ(Host(name), tree.Path("Dane/NOWY.REK"));

  // A name found missing and at once made by another station, in the very
  // spelling looked up, is not taken for missing the second time.
  const ShortString made = world_.Name("Dane/ZROBIONY.REK");
  std::string host;
  HostEntry entry;
  ASSERT_EQ(mapper_.ToHost(made.view(), host, entry), IO_OK);
  EXPECT_EQ(entry.state, HostEntry::State::ABSENT);
  tree.WriteFile("Dane/ZROBIONY.REK", "made meanwhile");
  ASSERT_EQ(mapper_.ToHost(made.view(), host, entry), IO_OK);
  EXPECT_NE(entry.state, HostEntry::State::ABSENT);

  // Several directories read in turn, more than are kept.
  for (int round = 0; round < 2; ++round) {
    for (char folder = 'A'; folder <= 'F'; ++folder) {
      const std::string directory = std::string("Kat") + folder;
      if (round == 0) tree.MakeDirectory(directory);
      const std::string spelling = round == 0 ? "plik.txt" : "PLIK.txt";
      EXPECT_EQ(Host(world_.Name(directory + "/Plik.TXT")),
                tree.Path(directory + (round == 0 ? "/Plik.TXT" : "/plik.txt")));
      tree.WriteFile(directory + "/" + spelling, "x");
      if (round == 1) std::filesystem::remove(tree.Path(directory + "/plik.txt"));
    }
    for (char folder = 'A'; folder <= 'F'; ++folder) {
      const std::string directory = std::string("Kat") + folder;
      const std::string spelling = round == 0 ? "plik.txt" : "PLIK.txt";
      EXPECT_EQ(Host(world_.Name(directory + "/Plik.TXT")), tree.Path(directory + "/" + spelling));
    }
  }
}

TEST_F(PathMapperTest, ADiskNameOutsideTheCodePageMatchesOnlyItself) {
  // "€uro.txt" would read "?uro.txt" in CP852; it sorts before "eUro.txt".
  world_.tree.WriteFile("\xE2\x82\xACuro.txt", "euro sign");
  world_.tree.WriteFile("EURO\xFF.TXT", "not UTF-8");
  world_.tree.WriteFile("eUro.txt", "plain");
  EXPECT_EQ(Host(world_.Name("EURO.TXT")), world_.tree.Path("eUro.txt"));
  // The program's "EURO" + CP852 0xFF (a no-break space) is not the disk's
  // byte 0xFF, which is no UTF-8 at all.
  EXPECT_EQ(Host(world_.tree.Root() + "/EURO\xFF.TXT"), world_.tree.Path("EURO\xC2\xA0.TXT"));
}

TEST_F(PathMapperTest, DriveLettersNameTheirEnvironmentDirectoryOrTheRoot) {
  world_.tree.MakeDirectory("Firma/Dane");
  world_.process.SetEnv("ZQ_DRIVE_C", ShortString(world_.tree.Root()));
  EXPECT_EQ(Host("c:\\FIRMA\\dane\\"), world_.tree.Path("Firma/Dane/"));
  EXPECT_EQ(Host("C:firma"), world_.tree.Path("Firma"));  // relative to the drive's root
  EXPECT_EQ(Host("C:"), world_.tree.Root());
  EXPECT_EQ(Host("D:\\tmp"), "/tmp");  // ZQ_DRIVE_D is not set
  EXPECT_EQ(Host("\\tmp/x"), "/tmp/x");
  world_.process.SetEnv("ZQ_DRIVE_D", ShortString());
  EXPECT_EQ(Host("d:/"), "/");
}

TEST_F(PathMapperTest, NamesNoDiskCanHoldAreBadNames) {
  EXPECT_EQ(ResultOf(std::string_view("a\0b", 3)), IO_BAD_NAME);
  EXPECT_EQ(ResultOf("dir\\*.txt"), IO_BAD_NAME);
  EXPECT_EQ(ResultOf("plik?.txt"), IO_BAD_NAME);
  // 100 box-drawing characters are 100 bytes in CP852 but 300 in UTF-8.
  EXPECT_EQ(ResultOf(std::string(100, '\xC4')), IO_BAD_NAME);
  EXPECT_EQ(ResultOf(std::string(255, 'a')), IO_OK);
  std::string deep;
  for (int i = 0; i < 20; ++i) deep += std::string(250, 'd') + "\\";
  EXPECT_EQ(ResultOf(deep), IO_BAD_NAME);
}

TEST_F(PathMapperTest, DotsResolveAsOnWindowsAndNeverClimbAboveADrivesRoot) {
  world_.tree.MakeDirectory("drive/DAZ");
  world_.tree.WriteFile("secret", "outside the drive");
  world_.process.SetEnv("ZQ_DRIVE_C", ShortString(world_.tree.Path("drive")));
  const std::string root = world_.tree.Path("drive");
  const struct {
    const char* name;
    std::string host;
  } cases[] = {
      {"c:..", root},
      {"C:\\..", root},
      {"C:..\\..\\..\\ETC\\PASSWD", root + "/ETC/PASSWD"},
      {"C:\\..\\secret", root + "/secret"},
      {"C:\\DAZ\\..\\DAZ\\", root + "/DAZ/"},
      {"c:\\daz\\.\\..\\..\\daz", root + "/DAZ"},
      {"C:\\NOWY\\..\\DAZ\\.", root + "/DAZ"},
      {"\\..\\..\\tmp", "/tmp"},  // the root of a name without a drive
      {"a\\..\\..\\b", "../b"},   // a relative name climbs from the current directory
      {"..\\.\\x\\..", ".."},
      {".\\", "./"},  // the current directory itself
      {"a\\..", "."},
  };
  for (const auto& c : cases) EXPECT_EQ(Host(c.name), c.host) << c.name;
}

TEST_F(PathMapperTest, EveryDriveLetterInEitherCase) {
  for (const char letter : {'A', 'C', 'Z'}) {
    const std::string directory = std::string("drive_") + letter;
    world_.tree.MakeDirectory(directory);
    world_.process.SetEnv(std::string("ZQ_DRIVE_") + letter,
                          ShortString(world_.tree.Path(directory)));
    for (const char given : {letter, LowCasePL(letter)}) {
      EXPECT_EQ(Host(std::string(1, given) + ":\\X"), world_.tree.Path(directory + "/X")) << given;
    }
  }
  // Not a drive: a name whose second character is a colon after no letter.
  for (const char* name : {"@:\\X", "[:\\X", "`:\\X", "{:\\X", "1:\\X"}) {
    EXPECT_EQ(Host(name), std::string(name, 2) + "/X");
  }
}

}  // namespace
}  // namespace zq::platform
