#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "conversion/run_settings.h"
#include "host_world.h"
#include "platform/text_literal.h"
#include "sample/record_builders.h"
#include "shell/wizard.h"
#include "support/golden_screen.h"
#include "support/headless_toolkit.h"
#include "ui/key_codes.h"

namespace zq::shell {
namespace {

using namespace ui;  // key codes
using conversion::CI_FAMILIES;
using conversion::CI_STAFF;
using conversion::START_GLOBAL_DATA;

constexpr std::uint16_t KEY_P = 0x1970;

// Golden pages with the default options: each row as the operator sees it,
// then its colours (see support/golden_screen.h).
// Page 1, its input line 1 focused.
constexpr const char* PATH_PAGE = R"(
┌────────────────────────────── Lokalizacja ───────────────────────────────┐
...............................WWWWWWWWWWWWW................................
│  katalogu źrodłowy: tam gdzie jest plik SPISFIRM.DAT                     │
.ggWWWWWWWWWWWWWWWWWWg................................ggggggggggggggggggggg.
│   X:\DAZ_2020\                                                           │
.gggSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSSggggggggggggggggggggg.
│  lokalizacja docelowa:                                                   │
.gg.....................ggggggggggggggggggggggggggggggggggggggggggggggggggg.
│   X:\DAZ_2021\                                                           │
.gggffffffffffffffffffffffffffffffffffffffffffffffffffggggggggggggggggggggg.
│   [ ] zapisz ustawienie lokalizacji (w pliku zq20-21.PTH)                │
.ggg.W.g...................................................gggggggggggggggg.
│   Dodatkowe opcje:                                                       │
.ggg................ggggggggggggggggggggggggggggggggggggggggggggggggggggggg.
│    [■] informuj o nie zamkniętym grudniu i związaną z tym konsekwencją   │
.gggg.W.g...............................................................ggg.
│    [ ] pokazuj powoli szczegóły konwersji                                │
.gggg.W.g..................................gggggggggggggggggggggggggggggggg.
│    [ ] Zasłoń(~) w 2020 przekonwertowane pliki 2021K880.mm i 2021SP.nn   │
.gggg.W.g...............................................................ggg.
│                                   Poniechaj   ▄        Dalej >>   ▄      │
.gggggggggggggggggggggggggggggggggSSSSSSSSSSSSSSWgggggSSSSSSSSSSSSSSWgggggg.
│                                  ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      │
.gggggggggggggggggggggggggggggggggWWWWWWWWWWWWWWWgggggWWWWWWWWWWWWWWWgggggg.
└──────────────────────────────────────────────────────────────────────────┘
............................................................................
)";

// Page 2, its check box group focused on the first item.
constexpr const char* GLOBAL_DATA_PAGE = R"(
┌───────────────────── Dane globalne, konfiguracyjne ──────────────────────┐
......................WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW.......................
│  Zaznaczam do kopiowania :                                               │
.ggWWWWWWWWWWWWWWWWWWWWWWWWWggggggggggggggggggggggggggggggggggggggggggggggg.
│   [■] Globalnę bazę adresów                                              │
.ggg.W.gWWWWWWWWWWWWWWWWWWWWWgggggggggggggggggggggggggggggggggggggggggggggg.
│   [■] ---                                                                │
.ggg.W.g...gggggggggggggggggggggggggggggggggggggggggggggggggggggggggggggggg.
│   [■] Bazę stałych F1..F10                                               │
.ggg.W.g....................ggggggggggggggggggggggggggggggggggggggggggggggg.
│   [ ] Dane BIURA do wystawienia rachunków                                │
.ggg.W.g...................................gggggggggggggggggggggggggggggggg.
│   [■] Dane konfiguracji DLL z DAZ_ZQ.INI                                 │
.ggg.W.g..................................ggggggggggggggggggggggggggggggggg.
│   [ ] Stałe podatkowe na 2020 rok                                        │
.ggg.W.g...........................gggggggggggggggggggggggggggggggggggggggg.
│   [■] Ustawienia składników wynagrodzeń                                  │
.ggg.W.g.................................gggggggggggggggggggggggggggggggggg.
│   [■] Ustawienia kolorów                                                 │
.ggg.W.g..................ggggggggggggggggggggggggggggggggggggggggggggggggg.
│   [ ] Ustawienia daz_2020.ini -> daz_2021.ini                            │
.ggg.W.g.......................................gggggggggggggggggggggggggggg.
│   [■] Plik "OPERATOR.REK"                                                │
.ggg.W.g...................gggggggggggggggggggggggggggggggggggggggggggggggg.
│   [■] Plik "ZUS_PEL.INI","UMOWY.INI"                                     │
.ggg.W.g..............................ggggggggggggggggggggggggggggggggggggg.
│               << Wstecz   ▄       Poniechaj   ▄        Dalej >>   ▄      │
.gggggggggggggSSSSSSSSSSSSSSWgggggSSSSSSSSSSSSSSWgggggSSSSSSSSSSSSSSWgggggg.
│              ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      │
.gggggggggggggWWWWWWWWWWWWWWWgggggWWWWWWWWWWWWWWWgggggWWWWWWWWWWWWWWWgggggg.
└──────────────────────────────────────────────────────────────────────────┘
............................................................................
)";

// Page 3, its check box group focused on the first item.
constexpr const char* COMPANY_DATA_PAGE = R"(
┌───────────────────────────── Dane firmowe  ──────────────────────────────┐
..............................WWWWWWWWWWWWWWW...............................
│ Zaznaczam do kopiowania :              *) Dane - przenieś :              │
.gWWWWWWWWWWWWWWWWWWWWWWWWWgggggggggggggg....................gggggggggggggg.
│  [■] dane tekstowe firmy                (■) wszystkich                   │
.gg.W.gWWWWWWWWWWWWWWWWWWWgggggggggggggggg.W............ggggggggggggggggggg.
│  [■] dane pracowników, właścicieli *)   (˙) zatrudnionych na 31.12.2020  │
.gg.W.g................................ggg.W.............................gg.
│  [■] dane rodzin ww                *)   (˙) pytaj sie o każdego          │
.gg.W.g................................ggg.W.....................gggggggggg.
│  [■] dane do PIT-D  **)                **) z PID-5 - przenieś :          │
.gg.W.g..................gggggggggggggggg........................gggggggggg.
│  [■] bazę adresów lokalnych             (■) wszystkich                   │
.gg.W.g......................ggggggggggggg.W............ggggggggggggggggggg.
│  [■] bazę automatów sprzedaży           (˙) pytaj sie o każdego          │
.gg.W.g........................ggggggggggg.W.....................gggggggggg.
│  [■] bazę automatów zakupów            Wprowadzone już w 2021 roku       │
.gg.W.g......................gggggggggggg............................gggggg.
│  [■] bazę stalych F1..F10, Notatnik     [■] dokumenty księgowe           │
.gg.W.g..............................ggggg.W.g..................ggggggggggg.
│  [■] baze przekazów pieniężnych         [■] wynagrodzenia pracowników    │
.gg.W.g..........................ggggggggg.W.g.........................gggg.
│  [■] ustawienia składnikow wynagrodzeń  [■] umowy zlecenia               │
.gg.W.g.................................gg.W.g..............ggggggggggggggg.
│  [■] Dane ZUS-PEL ZUS_PEL.INI           [■] noty księgowe                │
.gg.W.g........................ggggggggggg.W.g.............gggggggggggggggg.
│  [■] środki trwałe umożone jednorazowo  [■] Deklaracje DRA               │
.gg.W.g.................................gg.W.g..............ggggggggggggggg.
│  [■] ustawienia danych na przelewach   Programy "DLL"                    │
.gg.W.g...............................ggg..............gggggggggggggggggggg.
│  [■] bazę dowodów wewnętrznych          [■] ST 410/510 "Sigma/zq"        │
.gg.W.g.........................gggggggggg.W.g.....................gggggggg.
│  [■] bazę wystawionych odsetek          [ ] KM 410 "Sigma"               │
.gg.W.g.........................gggggggggg.W.g..............ggggggggggggggg.
│  [■] listę pojazdów na cele VAT         [■] KM 510 "zq"                  │
.gg.W.g..........................ggggggggg.W.g...........gggggggggggggggggg.
│               << Wstecz   ▄       Poniechaj   ▄        Dalej >>   ▄      │
.gggggggggggggSSSSSSSSSSSSSSWgggggSSSSSSSSSSSSSSWgggggSSSSSSSSSSSSSSWgggggg.
│              ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      │
.gggggggggggggWWWWWWWWWWWWWWWgggggWWWWWWWWWWWWWWWgggggWWWWWWWWWWWWWWWgggggg.
└──────────────────────────────────────────────────────────────────────────┘
............................................................................
)";

// Page 4, focused on "Zatrzymywac akcje co firme".
constexpr const char* START_PAGE = R"(
┌──────────────────────────── START KOPIOWANIA ────────────────────────────┐
.............................WWWWWWWWWWWWWWWWWW.............................
│  Co pokopiowac :                                                         │
.gg...............ggggggggggggggggggggggggggggggggggggggggggggggggggggggggg.
│   [■] Dane Globalne z #BIN020 (tylko z 990) do #BIN021                   │
.ggg.W.g...............gfffffffg........................ggggggggggggggggggg.
│   [■] Dane pózniej wskazanych firm                                       │
.ggg.W.g............................ggggggggggggggggggggggggggggggggggggggg.
│  Wykonanie kopiowania                                                    │
.ggWWWWWWWWWWWWWWWWWWWWgggggggggggggggggggggggggggggggggggggggggggggggggggg.
│   [ ] Zatrzymywac akcje co firme                                         │
.ggg.W.gWWWWWWWWWWWWWWWWWWWWWWWWWWggggggggggggggggggggggggggggggggggggggggg.
│                           ▄                                              │
.gggggggggggggSSSSSSSSSSSSSSWgggggggggggggggggggggggggggggggggggggggggggggg.
│                ZACZNIJ    █                                              │
.gggggggggggggSSSSSSSSSSSSSSWgggggggggggggggggggggggggggggggggggggggggggggg.
│                           █                                              │
.gggggggggggggSSSSSSSSSSSSSSWgggggggggggggggggggggggggggggggggggggggggggggg.
│              ▀▀▀▀▀▀▀▀▀▀▀▀▀▀                                              │
.gggggggggggggWWWWWWWWWWWWWWWgggggggggggggggggggggggggggggggggggggggggggggg.
│               << Wstecz   ▄       Poniechaj   ▄                          │
.gggggggggggggSSSSSSSSSSSSSSWgggggSSSSSSSSSSSSSSWgggggggggggggggggggggggggg.
│              ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀                          │
.gggggggggggggWWWWWWWWWWWWWWWgggggWWWWWWWWWWWWWWWgggggggggggggggggggggggggg.
└──────────────────────────────────────────────────────────────────────────┘
............................................................................
)";

// Drive X: holds a 2020 tree with a register of one company and an empty
// 2021 tree; the wizard reads and writes the settings of the test.
struct WizardTest : ::testing::Test {
  testing::HostWorld world;
  testing::HeadlessToolkit t;
  conversion::RunSettings settings;
  Wizard wizard{t.toolkit, world.files, settings, world.Name("zq20-21")};

  WizardTest() {
    world.process.SetEnv("ZQ_DRIVE_X", world.Name(""));
    world.tree.MakeDirectory("DAZ_2020");
    world.tree.MakeDirectory("DAZ_2021");
    const auto record = sample::CompanyRecord{"Piekarnia"_pl, "PIEK"_pl, ""_pl}.Build();
    world.tree.WriteFile("DAZ_2020/SPISFIRM.DAT", std::string(record.begin(), record.end()));
    settings.SourcePath = "X:\\DAZ_2020\\"_pl;
    settings.TargetPath = "X:\\DAZ_2021\\"_pl;
  }
  void Keys(std::initializer_list<std::uint16_t> keys) {
    for (std::uint16_t key : keys) t.console.PushKey(key);
  }
  // Runs `look` when the program next waits for input.
  void Look(std::function<void()> look) {
    t.console.PushPause();
    t.AtNextPause(std::move(look));
  }
  // A box drops what was typed before it opened: the answer comes after it.
  void AnswerBox(std::uint16_t key, std::function<void()> look) {
    Look(std::move(look));
    t.console.PushKey(key);
  }
  // Leaves the wizard through the cancel question.
  WizardEnd CancelAtTheEnd() {
    Keys({KB_ESC, ui::KB_SMALL_T});
    const WizardEnd end = wizard.RunWizard();
    EXPECT_TRUE(t.console.ScriptDone());
    return end;
  }
  std::string Page() const { return testing::GoldenScreen(t.console, 3, 76, 3, 24); }
  std::string Title() const { return t.Text(5, 3, 72); }
  std::string Hints() const { return t.Text(1, 25, 24); }
};

TEST_F(WizardTest, PagesLookAsDesignedOtherPagesKeysDoNothingAndTheDefaultsStart) {
  std::string pages[4];
  std::string hints[4];
  Look([&] { pages[0] = Page(), hints[0] = Hints(); });
  Keys({KB_PGDN, KB_F5});  // F5 belongs to the start page only
  Look([&] { pages[1] = Page(), hints[1] = Hints(); });
  Keys({KB_PGDN, KB_F5});
  Look([&] { pages[2] = Page(), hints[2] = Hints(); });
  Keys({KB_PGDN, KB_PGDN});  // the start page has no way forward
  Look([&] { pages[3] = Page(), hints[3] = Hints(); });
  Keys({KB_F5});
  EXPECT_EQ(wizard.RunWizard(), WizardEnd::START);
  EXPECT_TRUE(t.console.ScriptDone());
  EXPECT_EQ(pages[0], PATH_PAGE);
  EXPECT_EQ(pages[1], GLOBAL_DATA_PAGE);
  EXPECT_EQ(pages[2], COMPANY_DATA_PAGE);
  EXPECT_EQ(pages[3], START_PAGE);
  EXPECT_EQ(hints[0], " PgDn-Dalej│            ");
  EXPECT_EQ(hints[1], " PgUp-Wstecz│PgDn-Dalej│");
  EXPECT_EQ(hints[2], hints[1]);
  EXPECT_EQ(hints[3], " PgUp-Wstecz│F5-ZACZNIJ│");
  // Nothing changed, nothing saved.
  EXPECT_EQ(settings.Options.GlobalItems, 0x06D7);
  EXPECT_EQ(settings.Options.StartItems, 0xFFFF);
  EXPECT_EQ(settings.Options.WizardPage, 4);
  EXPECT_FALSE(world.tree.Exists("zq20-21.PTH"));
}

TEST_F(WizardTest, CancelAnsweredNoKeepsThePageAndItsChoices) {
  Keys({KB_PGDN, KB_SPACE, KB_ESC});  // page 2: the address base off, then Esc
  Look([&] { EXPECT_EQ(t.Text(12, 11, 44), "Rezygnujesz z konwersji danych na nowy rok ?"); });
  Keys({ui::KB_SMALL_N});
  Look([&] {
    EXPECT_EQ(t.Text(26, 3, 29), "Dane globalne, konfiguracyjne");
    EXPECT_EQ(t.Text(7, 7, 25), "[ ] Globalnę bazę adresów");
  });
  Keys({KEY_P});  // "Poniechaj" by its letter, then yes
  Keys({ui::KB_SMALL_T});
  EXPECT_EQ(wizard.RunWizard(), WizardEnd::CANCEL);
  EXPECT_EQ(settings.Options.GlobalItems, 0x06D6);
  EXPECT_EQ(settings.Options.WizardPage, 2);
}

TEST_F(WizardTest, PathPageRefusesWhatCannotBeConvertedAndCompletesTheRest) {
  world.tree.MakeDirectory("EMPTY");
  world.tree.MakeDirectory("ZERO");
  world.tree.WriteFile("ZERO/SPISFIRM.DAT", "");
  struct Case {
    const char* source;
    const char* target;
    const char* boxLine;  // the first line of the error box, empty when accepted
    int focus;            // the path line that has the focus afterwards
  };
  const Case cases[] = {
      {"X:\\EMPTY", "X:\\DAZ_2021", "Brak pliku SPISFIRM.DAT", 1},
      {"X:\\ZERO\\", "X:\\DAZ_2021", "Brak pliku SPISFIRM.DAT", 1},
      {"X:\\DAZ_2020", "X:\\NOWY", "Brak katalogu", 1},
      {"X:\\DAZ_2020", "x:/daz_2020/", "Katalogi nię mogą być identyczne !", 2},
      {"X:\\DAZ_2020\\", "x:\\daz_2020", "Katalogi nię mogą być identyczne !", 2},
      {"X:/DAZ_2020", "X:\\", "", 0},  // a drive root is not looked for
      {"X:\\DAZ_2020", "X:\\DAZ_2020\\..\\DAZ_2021", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    settings.SourcePath = ShortString(c.source);
    settings.TargetPath = ShortString(c.target);
    settings.Options.WizardPage = 1;
    Keys({KB_PGDN});
    if (*c.boxLine) {
      AnswerBox(KB_ENTER, [&] { EXPECT_NE(t.Row(9).find(c.boxLine), std::string::npos); });
      // The focused path is drawn in the focused field's colour.
      Look([&] { EXPECT_EQ(t.Attribute(7, c.focus == 1 ? 7 : 10), 0x70); });
    }
    EXPECT_EQ(CancelAtTheEnd(), WizardEnd::CANCEL);
    EXPECT_EQ(settings.Options.WizardPage, *c.boxLine ? 1 : 2);
    // Both paths end with their separator once checked as far as they go.
    EXPECT_TRUE(platform::IsPathSeparator(settings.SourcePath.back()));
  }
  EXPECT_EQ(settings.TargetPath, "X:\\DAZ_2020\\..\\DAZ_2021/"_pl);
}

TEST_F(WizardTest, ALongPathIsShownCutAndTheCutPathIsCheckedSavedAndUsed) {
  const std::string fifty = "X:\\" + std::string(47, 'd');
  world.tree.MakeDirectory(std::string(47, 'd'));
  settings.TargetPath = ShortString(fifty + "\\nowy_katalog");  // 60 characters as read
  Look([&] { EXPECT_EQ(t.Text(7, 10, 51), fifty + " "); });
  Keys({KB_DOWN, KB_DOWN, KB_SPACE, KB_PGDN});  // "zapisz ustawienie", forward
  EXPECT_EQ(CancelAtTheEnd(), WizardEnd::CANCEL);
  EXPECT_EQ(settings.TargetPath, ShortString(fifty + "/"));
  EXPECT_EQ(world.tree.ReadFile("zq20-21.PTH"),
            "[PATHS]\r\nDAZ_2020=X:\\DAZ_2020\r\nDAZ_2021=" + fifty + "\r\n");
}

TEST_F(WizardTest, FamiliesGoOnlyWithTheStaffWhicheverIsChangedFirst) {
  std::uint16_t& items = settings.Options.CompanyItems;
  Keys({KB_PGDN, KB_PGDN});
  Keys({KB_DOWN, KB_SPACE, KB_DOWN});  // the staff off, on to the families
  Look([&] { EXPECT_EQ(items & (CI_STAFF | CI_FAMILIES), CI_FAMILIES); });  // not yet
  Keys({KB_TAB});  // the page sees an event: the families go too
  Look([&] {
    EXPECT_EQ(items & (CI_STAFF | CI_FAMILIES), 0);
    EXPECT_EQ(t.Text(6, 7, 18), "[ ] dane rodzin ww");
  });
  Keys({KB_SHIFT_TAB, KB_SPACE, KB_TAB});  // the families alone are undone as well
  Look([&] { EXPECT_EQ(items & (CI_STAFF | CI_FAMILIES), 0); });
  Keys({KB_SHIFT_TAB, KB_UP, KB_SPACE, KB_DOWN, KB_SPACE, KB_TAB});  // both: kept
  Keys({KB_PGUP, KB_PGDN});  // the page is rebuilt from the options
  Look([&] { EXPECT_EQ(t.Text(6, 7, 18), "[■] dane rodzin ww"); });
  EXPECT_EQ(CancelAtTheEnd(), WizardEnd::CANCEL);
  EXPECT_EQ(items & (CI_STAFF | CI_FAMILIES), CI_STAFF | CI_FAMILIES);
}

TEST_F(WizardTest, ATargetWithAGlobalAddressBaseStartsWithTheGlobalCopyOff) {
  world.tree.MakeDirectory("DAZ_2021/#BIN021");
  world.tree.WriteFile("DAZ_2021/#BIN021/baza_ad8.rek", "adresy");
  std::uint16_t& start = settings.Options.StartItems;
  Keys({KB_PGDN, KB_PGDN, KB_PGDN});
  Look([&] { EXPECT_EQ(start & START_GLOBAL_DATA, 0); });
  Keys({KB_UP, KB_UP, KB_SPACE});  // the operator turns it on again
  Keys({KB_PGUP, KB_PGDN});        // and it stays on when the page comes back
  Look([&] { EXPECT_EQ(t.Text(7, 7, 19), "[■] Dane Globalne z"); });
  EXPECT_EQ(CancelAtTheEnd(), WizardEnd::CANCEL);
  EXPECT_EQ(start & START_GLOBAL_DATA, START_GLOBAL_DATA);
}

}  // namespace
}  // namespace zq::shell
