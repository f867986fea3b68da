#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "fileaccess/ini_file.h"
#include "platform/cp852.h"
#include "platform/text_literal.h"
#include "support/lock_holder_client.h"
#include "support/posix_world.h"

namespace zq::fileaccess {
namespace {

struct IniFileTest : ::testing::Test {
  testing::PosixWorld world;
  const ShortString name = world.Name("FIRMATXT.INI");

  // The file as CP852 text, as the program would see it.
  void WriteFile(std::string_view cp852) { world.tree.WriteFile("FIRMATXT.INI", cp852); }
  std::string ReadFile() const { return world.tree.ReadFile("FIRMATXT.INI"); }
};

TEST_F(IniFileTest, ReadsKeysAsTheAccountingSystemWritesThem) {
  WriteFile(
      "ver=3\r\n"
      "[DAZ]\r\n"
      "  NAZWA_ZUS = Firma\r\n"  // blanks around "=" belong to the key and the value
      "INFO1=a=b=c\r\n"
      "; komentarz\r\n"
      "\r\n"
      "[Urzędy]\r\n"_pl
      "Gdańsk=ul. Długa 1\r\n"_pl
      "[BANKI]\r\n"
      "IAP=tak\r\n"
      "T=T\r\n"
      "NUM=1234\r\n"
      "ZEROS=000012\r\n"
      "BIG=70000\r\n"
      "BAD=12x\r\n");
  auto ini = IniFile::Init(world.files, name, false);
  ASSERT_NE(ini, nullptr);
  EXPECT_TRUE(ini->Existed());
  EXPECT_EQ(ini->ReadString("DAZ"_pl, "NAZWA_ZUS "_pl, "-"_pl), " Firma"_pl);
  EXPECT_EQ(ini->ReadString("DAZ"_pl, "NAZWA_ZUS"_pl, "-"_pl), "-"_pl);
  EXPECT_EQ(ini->ReadString("daz"_pl, "info1"_pl, ""_pl),
            "a=b=c"_pl);  // only the first "=" separates
  EXPECT_EQ(ini->ReadString("URZĘDY"_pl, "GDAŃSK"_pl, ""_pl), "ul. Długa 1"_pl);
  EXPECT_EQ(ini->ReadString(""_pl, "ver"_pl, "-"_pl), "-"_pl);  // the head is no section
  EXPECT_TRUE(ini->ReadBool("BANKI"_pl, "IAP"_pl, false));      // "tak" in any case
  EXPECT_FALSE(ini->ReadBool("BANKI"_pl, "T"_pl, false));       // "T" is no answer: the default
  EXPECT_TRUE(ini->ReadBool("BANKI"_pl, "T"_pl, true));
  EXPECT_EQ(ini->ReadInteger("BANKI"_pl, "NUM"_pl, 7), 1234);
  EXPECT_EQ(ini->ReadInteger("BANKI"_pl, "ZEROS"_pl, 7), 12);
  EXPECT_EQ(ini->ReadInteger("BANKI"_pl, "BIG"_pl, 7), 7);
  EXPECT_EQ(ini->ReadInteger("BANKI"_pl, "BAD"_pl, 7), 7);
  EXPECT_EQ(ini->ReadInteger("BANKI"_pl, "NONE"_pl, 31), 31);
  EXPECT_EQ(ini->ReadChar("BANKI"_pl, "IAP"_pl, ' '), 't');
  EXPECT_EQ(ini->ReadChar("BANKI"_pl, "NONE"_pl, ' '), ' ');
}

TEST_F(IniFileTest, WritesBackHeadLinesFirstCommentsInPlaceAndNoBlankLines) {
  WriteFile(
      "ver=3\r\n\r\n[DAZ]\r\n; komentarz\r\nINFO1=stare\r\n\r\n\r\n[PUSTA]\r\n[PPK]\r\nTOW=x\r\n");
  {
    auto ini = IniFile::Init(world.files, name, true);
    ASSERT_NE(ini, nullptr);
    ini->WriteString("daz"_pl, "Info1"_pl, "nowe"_pl);  // the key as written in the call
    ini->WriteString("DAZ"_pl, "INFO2"_pl, "dodane"_pl);
    ini->WriteBool("NOWA"_pl, "IAP"_pl, true);
    ini->WriteInteger("NOWA"_pl, "DEF"_pl, 31);
    ini->WriteChar("NOWA"_pl, "C"_pl, 'x');
  }
  EXPECT_EQ(ReadFile(),
            "ver=3\r\n\r\n"
            "[DAZ]\r\n; komentarz\r\nInfo1=nowe\r\nINFO2=dodane\r\n\r\n"
            "[PUSTA]\r\n"
            "[PPK]\r\nTOW=x\r\n\r\n"
            "[NOWA]\r\nIAP=TAK\r\nDEF=31\r\nC=x\r\n\r\n");
}

TEST_F(IniFileTest, AnEqualValueLeavesTheFileUntouchedOnDisk) {
  const std::string original = "[DAZ]\r\n\r\nINFO1=same\r\n   \r\n";
  WriteFile(original);
  struct stat before {};
  ASSERT_EQ(stat(world.tree.Path("FIRMATXT.INI").c_str(), &before), 0);
  {
    auto ini = IniFile::Init(world.files, name, true);
    ASSERT_NE(ini, nullptr);
    ini->WriteString("DAZ"_pl, "INFO1"_pl, "same"_pl);
    EXPECT_FALSE(ini->Modified());
  }
  EXPECT_EQ(ReadFile(), original);  // blank lines would have gone on a rewrite
}

TEST_F(IniFileTest, MissingFilesAReadOnlyObjectIsEmptyAWritableOneCreatesIt) {
  {
    auto ini = IniFile::Init(world.files, name, false);
    ASSERT_NE(ini, nullptr);
    EXPECT_FALSE(ini->Existed());
    EXPECT_EQ(ini->ReadString("DAZ"_pl, "X"_pl, "d"_pl), "d"_pl);
  }
  EXPECT_FALSE(world.tree.Exists("FIRMATXT.INI"));
  {
    auto ini = IniFile::Init(world.files, name, true);
    ASSERT_NE(ini, nullptr);
    ini->WriteString("PATH"_pl, "DAZ2020"_pl, "/dane/FIRMA1"_pl);
  }
  EXPECT_EQ(ReadFile(), "[PATH]\r\nDAZ2020=/dane/FIRMA1\r\n\r\n");
  EXPECT_EQ(IniFile::Init(world.files, world.Name("no/such/dir/F.INI"), true), nullptr);
}

TEST_F(IniFileTest, AWriterOnAnotherStationKeepsASecondWriterOut) {
  WriteFile("[DAZ]\r\nA=1\r\n");
  {
    testing::LockHolder station(world.tree.Path("FIRMATXT.INI"));
    ASSERT_EQ(station.Greeting(), "READY");
    ASSERT_EQ(station.Send("lock 0 1"), "OK");
    EXPECT_EQ(IniFile::Init(world.files, name, true), nullptr);
    EXPECT_NE(IniFile::Init(world.files, name, false), nullptr);  // readers take no lock
    ASSERT_EQ(station.Send("unlock 0 1"), "OK");
    auto ini = IniFile::Init(world.files, name, true);
    ASSERT_NE(ini, nullptr);
    EXPECT_EQ(station.Send("lock 0 1"), "ERROR 33");  // held by us until released
  }
}

TEST_F(IniFileTest, AFileThatCannotBeReadToItsEndIsNeverWrittenBack) {
  const std::string original = "[DAZ]\r\nA=1\r\n";
  WriteFile(original);
  world.syscalls.FailNth(testing::SyscallKind::READ, 1, EIO);
  {
    auto ini = IniFile::Init(world.files, name, true);
    ASSERT_NE(ini, nullptr);
    ini->WriteString("DAZ"_pl, "B"_pl, "2"_pl);
  }
  EXPECT_EQ(ReadFile(), original);
}

TEST_F(IniFileTest, HugeLongAndBinaryFilesAreReadAndKeptWhole) {
  std::string content = "[DUZA]\r\n";
  for (int i = 0; i < 10000; ++i)
    content += "K" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  const std::string longValue(400, 'v');
  content += "LONG=" + longValue + "\r\n[BIN]\r\n";
  for (int i = 0; i < 2000; ++i) content.push_back(static_cast<char>(i * 31 % 256));
  content += "\r\n";
  WriteFile(content);
  {
    auto ini = IniFile::Init(world.files, name, true);
    ASSERT_NE(ini, nullptr);
    EXPECT_EQ(ini->ReadString("DUZA"_pl, "K9999"_pl, ""_pl), "9999"_pl);
    EXPECT_EQ(ini->ReadString("DUZA"_pl, "LONG"_pl, ""_pl).size(),
              255u);  // a value reads as 255 at most
    ini->WriteString("DUZA"_pl, "K0"_pl, "zero"_pl);
  }
  // A line longer than 255 characters is written back whole.
  EXPECT_NE(ReadFile().find("LONG=" + longValue + "\r\n"), std::string::npos);
  EXPECT_NE(ReadFile().find("K0=zero\r\nK1=1\r\n"), std::string::npos);
}

TEST_F(IniFileTest, LongSectionNamesKeepTheirHeadersOnWriteBack) {
  for (std::size_t length : {253u, 254u, 255u, 256u, 300u}) {
    SCOPED_TRACE(length);
    const std::string section(length, 'A');
    WriteFile("[" + section + "]\r\nK=V\r\n");
    {
      auto ini = IniFile::Init(world.files, name, true);
      ASSERT_NE(ini, nullptr);
      EXPECT_TRUE(ini->WriteString("B"_pl, "X"_pl, "1"_pl));  // a section nobody touched
    }
    EXPECT_EQ(ReadFile(), "[" + section + "]\r\nK=V\r\n\r\n[B]\r\nX=1\r\n\r\n");
    auto ini = IniFile::Init(world.files, name, false);
    EXPECT_EQ(ini->ReadString(section, "K"_pl, "-"_pl), "V"_pl);
  }
}

TEST_F(IniFileTest, NamesLongerThan255BytesAreComparedWhole) {
  const std::string common(255, 'k');
  const std::string first = common + "1", second = common + "2";
  const std::string section(300, 's');
  {
    auto ini = IniFile::Init(world.files, name, true);
    ASSERT_NE(ini, nullptr);
    ASSERT_TRUE(ini->WriteString("S"_pl, first, "jeden"_pl));
    ASSERT_TRUE(ini->WriteString("S"_pl, second, "dwa"_pl));
    EXPECT_EQ(ini->ReadString("S"_pl, first, "-"_pl), "jeden"_pl);
    EXPECT_EQ(ini->ReadString("S"_pl, common, "-"_pl), "-"_pl);
    ASSERT_TRUE(ini->WriteString(section, "A"_pl, "1"_pl));
    ASSERT_TRUE(ini->WriteString(section, "B"_pl, "2"_pl));  // the same section, not a second
    EXPECT_EQ(ini->ReadString(section.substr(0, 255), "A"_pl, "-"_pl), "-"_pl);
  }
  const std::string file = ReadFile();
  EXPECT_EQ(file.find("[" + section + "]"), file.rfind("[" + section + "]"));
  auto ini = IniFile::Init(world.files, name, false);
  EXPECT_EQ(ini->ReadString("s"_pl, second, "-"_pl), "dwa"_pl);
  EXPECT_EQ(ini->ReadString(section, "B"_pl, "-"_pl), "2"_pl);
}

TEST_F(IniFileTest, TextsTheFileCannotGiveBackAreRefusedAndChangeNothing) {
  struct Case {
    const char* what;
    std::string section, key, value;
  };
  const Case refused[] = {
      {"line feed in the value", "S", "K", "a\nB=c"},
      {"line feed in the key", "S", "K\nL", "v"},
      {"line feed in the section", "S\n[T]", "K", "v"},
      {"equals sign in the key", "S", "A=B", "v"},
      {"blank before the key", "S", " K", "v"},
      {"control character before the key", "S", "\tK", "v"},
      {"a line that reads as a header", "S", "[K", "v]"},
      {"a header once trimmed", "S", "[K", "v] "},
  };
  auto ini = IniFile::Init(world.files, name, true);
  ASSERT_NE(ini, nullptr);
  for (const Case& c : refused) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(ini->WriteString(c.section, c.key, c.value));
    EXPECT_FALSE(ini->Modified());
  }
  // What the file can hold: blanks inside, a closing bracket alone, an empty
  // key and value, a lone carriage return inside a value.
  EXPECT_TRUE(ini->WriteString(" S ]"_pl, "K "_pl, " a = b"_pl));
  EXPECT_TRUE(ini->WriteString("S"_pl, ""_pl, ""_pl));
  EXPECT_TRUE(ini->WriteString("S"_pl, "[K"_pl, "v"_pl));
  EXPECT_TRUE(ini->WriteString("S"_pl, "R"_pl, "a\rb"_pl));
  ini.reset();
  ini = IniFile::Init(world.files, name, false);
  EXPECT_EQ(ini->ReadString(" s ]"_pl, "k "_pl, "-"_pl), " a = b"_pl);
  EXPECT_EQ(ini->ReadString("S"_pl, ""_pl, "-"_pl), ""_pl);
  EXPECT_EQ(ini->ReadString("S"_pl, "[k"_pl, "-"_pl), "v"_pl);
  EXPECT_EQ(ini->ReadString("S"_pl, "R"_pl, "-"_pl), "a\rb"_pl);
}

TEST_F(IniFileTest, IntegersAtTheEdgeOfSixteenBitsAndAnEmptyHeader) {
  WriteFile("[]\r\nE=pusta\r\n[N]\r\nMAX=65535\r\nOVER=65536\r\nZERO=0\r\nEMPTY=\r\n");
  {
    auto ini = IniFile::Init(world.files, name, true);
    ASSERT_NE(ini, nullptr);
    EXPECT_EQ(ini->ReadInteger("N"_pl, "MAX"_pl, 7), 65535);
    EXPECT_EQ(ini->ReadInteger("N"_pl, "OVER"_pl, 7), 7);
    EXPECT_EQ(ini->ReadInteger("N"_pl, "ZERO"_pl, 7), 0);
    EXPECT_EQ(ini->ReadInteger("N"_pl, "EMPTY"_pl, 7), 7);
    // "[]" is a section whose name is empty, not a line of the head.
    EXPECT_EQ(ini->ReadString(""_pl, "E"_pl, "-"_pl), "pusta"_pl);
    EXPECT_TRUE(ini->WriteInteger("N"_pl, "W"_pl, 65535));
  }
  EXPECT_EQ(ReadFile(),
            "[]\r\nE=pusta\r\n\r\n[N]\r\nMAX=65535\r\nOVER=65536\r\nZERO=0\r\nEMPTY=\r\n"
            "W=65535\r\n\r\n");
}

}  // namespace
}  // namespace zq::fileaccess
