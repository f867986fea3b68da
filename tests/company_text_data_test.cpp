#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "conversion/company_text_data.h"
#include "platform/cp852.h"
#include "platform/process.h"
#include "platform/text_literal.h"
#include "support/headless_toolkit.h"
#include "support/posix_world.h"
#include "ui/key_codes.h"

namespace zq::conversion {
namespace {

struct CompanyTextTest : ::testing::Test {
  testing::PosixWorld world;
  testing::HeadlessToolkit t;
  const ShortString previousDataPath = "C:\\DAZ_2020\\PIEKARNIA"_pl;

  CompanyTextTest() {
    world.tree.MakeDirectory("DAZ_2020/PIEK");
    world.tree.MakeDirectory("DAZ_2021/PIEK");
  }
  // An INI file given as UTF-8 lines, stored in CP852 with CR LF.
  void WriteIni(std::string_view relative, std::string_view lines) {
    std::string text;
    std::istringstream in{std::string(lines)};
    for (std::string line; std::getline(in, line);) text += line + "\r\n";
    world.tree.WriteFile(relative, platform::Utf8ToCp852(text));
  }
  // The lines of the target file in UTF-8.
  std::vector<std::string> TargetLines() const {
    std::vector<std::string> lines;
    std::istringstream in{platform::Cp852ToUtf8(world.tree.ReadFile("DAZ_2021/PIEK/FIRMATXT.INI"))};
    for (std::string line; std::getline(in, line);) {
      EXPECT_EQ(line.back(), '\r');
      lines.push_back(line.substr(0, line.size() - 1));
    }
    return lines;
  }
  // Converts; the exit code when the conversion ended the program.
  std::optional<int> Convert() {
    try {
      ConvertCompanyText(world.files, t.toolkit, world.Name("DAZ_2020/PIEK/FIRMATXT.INI"),
                         world.Name("DAZ_2021/PIEK/FIRMATXT.INI"), previousDataPath);
      return std::nullopt;
    } catch (const platform::ProgramExit& exit) {
      return exit.code;
    }
  }
};

// Lines of an expected file; "<blank>" stands for a blank at the end of a line.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) {
    const std::size_t blank = line.find("<blank>");
    lines.push_back(blank == std::string::npos ? line : line.substr(0, blank) + " ");
  }
  return lines;
}

TEST_F(CompanyTextTest, EverySectionIsCarriedIntoTheTargetInTheFixedShape) {
  WriteIni("DAZ_2020/PIEK/FIRMATXT.INI", R"(; dane firmy
[daz]
NAZWA_ZUS=Piekarnia Żytnia
INFO1=Piekarnia i cukiernia rodzinna od 1985 roku, ul. Długa 12, Kraków-Podgórze
INFO3=  trzecia linia
PATHXML=C:\XML
PRZEXML=TAK
FAS=nie
WERSJA=7
[URZEDY_SKARBOWE]
VAT-7=Urząd Skarbowy Kraków-Podgórze
PIT-4R=US Kraków-Podgórze
[URZEDY_SKARBOWE_EKOD]
VAT-7=1210
PIT-XX=1213
[FIRMA]
TYP=2
NIP=6760001122
REGON=123456785
[PATH]
DAZ2020=C:\STARE
DAZ2019=C:\DAZ_2019\PIEKARNIA
DAZ2014=C:\DAZ_2014\PIEKARNIA
DAZ2013=C:\DAZ_2013\PIEKARNIA
[BANKI]
DEF=2
DEF_ZUS=31
NAZWA1=PKO BP
NRB1=12102028920000000012345678
NAZWA2=mBank
IRKwZUS=11
DATA_ZBA=15.03.2020
Mikro=TAK
[PPK]
TOW=PFR TFI
UMO=U/2020/1
[OSOBA_FIZYCZNA]
PESEL=80010112345
NAZWISKO=Żółkiewski
IMIE1=Jan
DATA_URODZENIA=01.01.1980 r.
MIEJSCE_URODZENIA=Łódź
INNY_RODZAJ=
[OSOBA_PRAWNA]
NAZWA_PELNA1=Piekarnia Żytnia Jan Żółkiewski
DATA_ROZPOCZECIA=1.2.2010
[ORGAN_REJESTROWY]
ORGAN=Sąd Rejonowy
DATA=31.02.2021
[ADRES_SIEDZIBY]
KRAJ=Polska
WOJEWODZTWO=małopolskie
ULICA=Długa
DOM=12
KOD=31-147
TELEFON=+48 12 345 67 89
KODUE=PL
KODGMINY=126101
IAP=tak
[ADRES_KOREPONDENCJA]
MIEJSCOWOSC=Kraków
EMAIL=biuro@piekarnia.pl
[ADRES_DOKUMENTACJI]
POWIAT=Kraków
[DZIALALNOSC]
OPIS1=Wypiek pieczywa
EKD1=10.71.Z
[UPOWAZNIONY]
NAZWISKO=Nowak
ST-KO=tak
[RODO]
IOD_NAZWISKO=Kowalska
fpd_NIP=1234567890
[BR]
NAZWA=Biuro Rachunkowe Bilans
UMOWA=1/2015
[ZUS_ZxA]
DATAPOSK=10.01.2021
ZPWA_KOR=NIE
PPPATH=C:\PLATNIK
DRAI01=X
RENT2020=150
RENT2021=abc
RxA=70000
zwFGSP=1
DRAIX02_2021=$0001$00ff$0000$ZZZZ$0010
[ZIPA]
I=3
01=pierwsza
04=Q
09=05.01.2021
IV09=-
)");
  EXPECT_EQ(Convert(), std::nullopt);
  EXPECT_EQ(TargetLines(), Lines(R"([DAZ]
NAZWA_ZUS=Piekarnia Żytnia
INFO1=Piekarnia i cukiernia rodzinna od 1985 roku, ul. Długa 12, Kraków-
INFO2=
INFO3=  trzecia linia
INFO4=
INFO5=
PATHXML=C:\XML
PRZEXML=TAK
FAS=NIE

[URZEDY_SKARBOWE]
VAT-7=Urząd Skarbowy Kraków-Podgórze
PIT-4R=US Kraków-Podgórze
PIT-8AR=
PIT-XX=

[URZEDY_SKARBOWE_EKOD]
VAT-7=1210
PIT-4R=
PIT-8AR=
PIT-XX=1213

[FIRMA]
TYP=2
NIP=6760001122
REGON=123456785

[PATH]
DAZ2020=C:\DAZ_2020\PIEKARNIA
DAZ2019=C:\DAZ_2019\PIEKARNIA
DAZ2018=
DAZ2017=
DAZ2016=
DAZ2015=
DAZ2014=C:\DAZ_2014\PIEKARNIA

[BANKI]
DEF=2
DEF_ZUS=2
NAZWA1=PKO BP
NRB1=12102028920000000012345678
NAZWA2=mBank
NRB2=
NAZWA3=
NRB3=
NAZWA4=
NRB4=
NAZWA5=
NRB5=
IRKwZUS=11
DATA_ZBA=15.03.2020
Mikro=TAK

[PPK]
TOW=PFR TFI
UMO=U/2020/1
KON=

[OSOBA_FIZYCZNA]
PESEL=80010112345
NIP=
NAZWISKO=Żółkiewski
IMIE1=Jan
IMIE2=
TATA=
MAMA=
DATA_URODZENIA=01.01.1980
MIEJSCE_URODZENIA=Łódź
OBYWATELSTWO=
INNY_RODZAJ=<blank>
INNY_NUMER=

[OSOBA_PRAWNA]
NAZWA_PELNA1=Piekarnia Żytnia Jan Żółkiewski
NAZWA_PELNA2=
NAZWA_SKROCONA=
DATA_ROZPOCZECIA=-

[ORGAN_REJESTROWY]
ORGAN=Sąd Rejonowy
REJESTR=
DATA=31.02.2021
NUMER=
KOD=
ORZAL=

[ADRES_SIEDZIBY]
KRAJ=Polska
WOJEWODZTWO=małopolskie
GMINA=
ULICA=Długa
DOM=12
LOKAL=
MIEJSCOWOSC=
KOD=31-147
POCZTA=
SKRYTKA=
TELEFON=+48 12 345 6
POWIAT=
KODUE=PL
KODGMINY=126101
IAP=TAK

[ADRES_KOREPONDENCJA]
KRAJ=
WOJEWODZTWO=
GMINA=
ULICA=
DOM=
LOKAL=
MIEJSCOWOSC=Kraków
KOD=
POCZTA=
SKRYTKA=
TELEFON=
POWIAT=
KODUE=
EMAIL=biuro@piekarnia.pl
FAKS=

[ADRES_ZAMIESZKANIA]
KRAJ=
WOJEWODZTWO=
GMINA=
ULICA=
DOM=
LOKAL=
MIEJSCOWOSC=
KOD=
POCZTA=
SKRYTKA=
TELEFON=
POWIAT=
KODUE=

[ADRES_DOKUMENTACJI]
KRAJ=
WOJEWODZTWO=
GMINA=
ULICA=
DOM=
LOKAL=
MIEJSCOWOSC=
KOD=
POCZTA=
SKRYTKA=
TELEFON=
POWIAT=Kraków
KODUE=

[DZIALALNOSC]
OPIS1=Wypiek pieczywa
KGN1=
EKD1=10.71.Z
OPIS2=
KGN2=
EKD2=

[UPOWAZNIONY]
NAZWISKO=Nowak
IMIE=
TELEFON=
EMAIL=
ST-KO=tak

[RODO]
iod_nazwisko=Kowalska
iod_imie=
iod_email=
fpd_nazwa=
fpd_adres=
fpd_NIP=1234567890
fpd_email=

[BR]
NAZWA=Biuro Rachunkowe Bilans
NIP=
REGON=
UMOWA=1/2015

[ZUS_ZxA]
DATAPOSK=10.01.2021
WYPELNIONO=-
ZWPA_KOD=
ZWPA_DATA=-
ZPWA_KOR=NIE
PPPATH=C:\PLATNIK
DRAI01=X
RENT2020=150
RENT2021=0
RxA=0
zwFGSP=1
DRAIX02_2021=$0001$00FF$0000$0000$0010$0000$0000$0000$0000$0000$0000$0000

[ZIPA]
I=3
01=pierwsza
02=
03=
04=Q
05=
06=
07=
08=
09=05.01.2021
IV09=-

)"));
}

TEST_F(CompanyTextTest, WithoutASourceTheTargetKeepsItsOwnKeysAndGetsTheDefaults) {
  WriteIni("DAZ_2021/PIEK/FIRMATXT.INI", R"(wersja=3
[DAZ]
WERSJA=7
NAZWA_ZUS=Stara nazwa
[INNE]
; uwaga
KLUCZ=wartość
)");
  EXPECT_EQ(Convert(), std::nullopt);
  const std::vector<std::string> lines = TargetLines();
  const auto at = [&](std::string_view line) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
  };
  // The file's own lines stay where they were; the walk's keys are added.
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
            (std::vector<std::string>{"wersja=3", "", "[DAZ]", "WERSJA=7", "NAZWA_ZUS="}));
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 14, lines.begin() + 18),
            (std::vector<std::string>{"[INNE]", "; uwaga", "KLUCZ=wartość", ""}));
  EXPECT_EQ(lines[18], "[URZEDY_SKARBOWE]");
  EXPECT_EQ(at("DEF=0") + 1, at("DEF_ZUS=0"));  // no bank: the default bank for ZUS too
  EXPECT_LT(at("DAZ2020=C:\\DAZ_2020\\PIEKARNIA"), lines.size());
  EXPECT_LT(at("INNY_RODZAJ= "), lines.size());
  EXPECT_LT(at("FAS=TAK"), lines.size());
  EXPECT_LT(at("IAP=NIE"), lines.size());
  EXPECT_LT(at("DATA_ZBA=-"), lines.size());
}

TEST_F(CompanyTextTest, AFileThatCannotBeUsedEndsTheProgramAfterTheBox) {
  WriteIni("DAZ_2020/PIEK/FIRMATXT.INI", "[FIRMA]\nNIP=1\n");
  // A failing call, or none when another station holds the target's lock.
  struct Case {
    const char* what;
    testing::SyscallKind kind;
    int nth;
    bool targetKept;  // false: the target may be rewritten in part or tried again
    int times = 1;
  };
  using testing::SyscallKind;
  // A conversion ends with the rewrite of the target: its last open.
  WriteIni("DAZ_2021/PIEK/FIRMATXT.INI", "[FIRMA]\nNIP=2\n");
  const int opensBefore = world.syscalls.Calls(SyscallKind::OPEN);
  ASSERT_EQ(Convert(), std::nullopt);
  const int rewriteOpen = world.syscalls.Calls(SyscallKind::OPEN) - opensBefore;
  for (const Case& c :
       {Case{"source unreadable", SyscallKind::OPEN, 1, true},
        // The search for the source fails (every stat, so that reading its
        // directory cannot find it either): the source is not taken for
        // missing, which would give every key its default.
        Case{"source not looked up", SyscallKind::STAT, 1, true, 1000},
        // Nor is a source that cannot be read to its end.
        Case{"source read fails", SyscallKind::READ, 1, true},
        Case{"target locked", SyscallKind::OPEN, 0, true},
        Case{"target not reopened to be rewritten", SyscallKind::OPEN, rewriteOpen, false},
        Case{"target rewrite fails", SyscallKind::WRITE, 1, false}}) {
    SCOPED_TRACE(c.what);
    WriteIni("DAZ_2021/PIEK/FIRMATXT.INI", "[FIRMA]\nNIP=2\n");
    int result = 0;
    const auto other =
        world.files.Open(world.Name("DAZ_2021/PIEK/FIRMATXT.INI"), platform::Access::READ_WRITE,
                         platform::Share::DENY_NONE, platform::Disposition::OPEN_EXISTING, result);
    ASSERT_TRUE(other);
    if (c.nth > 0) {
      world.syscalls.FailNth(c.kind, c.nth, EIO, c.times);
    } else {
      ASSERT_EQ(other->Lock(0, 1), platform::IO_OK);  // another station updates it
    }
    bool boxSeen = false;
    t.console.PushPause();
    t.AtNextPause([&] {
      boxSeen = t.Text(37, 8, 6) == " Błąd " &&
                t.Text(21, 9, 38).find("Błąd odczytu danych firmy") != std::string::npos;
    });
    t.console.PushKey(ui::KB_ENTER);
    EXPECT_EQ(Convert(), 0);
    world.syscalls.Heal();
    EXPECT_TRUE(boxSeen);
    if (c.targetKept) {
      EXPECT_EQ(world.tree.ReadFile("DAZ_2021/PIEK/FIRMATXT.INI"), "[FIRMA]\r\nNIP=2\r\n");
    }
  }
}

}  // namespace
}  // namespace zq::conversion
