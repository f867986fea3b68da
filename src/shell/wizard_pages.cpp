// The four wizard pages as tables: one row per control, in focus order, with
// its position in the page window, its kind, its text and the field it edits.
// A label row belongs to the control in the row after it.

#include "platform/text_literal.h"
#include "shell/wizard.h"
#include "ui/commands.h"
#include "ui/key_codes.h"

namespace zq::shell {
namespace {

using enum PieceKind;

constexpr int BUTTON_WIDTH = 14;
constexpr int PATH_LENGTH = 50;
constexpr int GLOBAL_DIR_LENGTH = 7;

// One row of a page table each.
PageControl Label(int column, int row, ShortString text) {
  return {column, row, LABEL, text, {}, {}, 0, 1};
}
PageControl FixedText(int column, int row, ShortString text) {
  return {column, row, FIXED_TEXT, text, {}, {}, 0, 1};
}
PageControl InputLine(int column, int row, ShortString& value, int length) {
  return {column, row, INPUT_LINE, {}, &value, {}, length, 1};
}
PageControl CheckBox(int column, int row, ShortString text, std::uint8_t& flag) {
  return {column, row, CHECK_BOX, text, &flag, {}, 0, 1};
}
PageControl CheckBoxGroup(int column, int row, std::uint16_t& bits, const ui::ItemList& items) {
  return {column, row, CHECK_BOX_GROUP, {}, &bits, items, 0, 1};
}
PageControl RadioGroup(int column, int row, std::uint16_t& index, const ui::ItemList& items) {
  return {column, row, RADIO_GROUP, {}, &index, items, 0, 1};
}
PageControl Button(int column, int row, ShortString text, std::uint16_t command, int height = 1) {
  return {column, row, BUTTON, text, command, {}, BUTTON_WIDTH, height};
}

const PageControl BACK_BUTTON = Button(14, 19, "<< Wstecz"_pl, CM_BACK);
const PageControl CANCEL_BUTTON = Button(34, 19, "Poniechaj"_pl, ui::CM_CANCEL);
const PageControl NEXT_BUTTON = Button(54, 19, "Dalej >>"_pl, CM_NEXT);

ui::HintItem BackHint() {
  return ui::NewHintItem(CM_BACK, ui::KB_PGUP, "PgUp-Wstecz"_pl);
}
ui::HintItem NextHint() {
  return ui::NewHintItem(CM_NEXT, ui::KB_PGDN, "PgDn-Dalej"_pl);
}

const ui::ItemList GLOBAL_ITEMS = {
    "Globalnę bazę adresów"_pl,
    "---"_pl,
    "Bazę stałych F1..F10"_pl,
    "Dane BIURA do wystawienia rachunków"_pl,
    "Dane konfiguracji DLL z DAZ_ZQ.INI"_pl,
    "Stałe podatkowe na 2020 rok"_pl,
    "Ustawienia składników wynagrodzeń"_pl,
    "Ustawienia kolorów"_pl,
    "Ustawienia daz_2020.ini -> daz_2021.ini"_pl,
    "Plik \"OPERATOR.REK\""_pl,
    "Plik \"ZUS_PEL.INI\",\"UMOWY.INI\""_pl,
};

const ui::ItemList COMPANY_ITEMS = {
    "dane tekstowe firmy"_pl,
    "dane pracowników, właścicieli *)"_pl,
    "dane rodzin ww                *)"_pl,
    "dane do PIT-D  **)"_pl,
    "bazę adresów lokalnych"_pl,
    "bazę automatów sprzedaży"_pl,
    "bazę automatów zakupów"_pl,
    "bazę stalych F1..F10, Notatnik"_pl,
    "baze przekazów pieniężnych"_pl,
    "ustawienia składnikow wynagrodzeń"_pl,
    "Dane ZUS-PEL ZUS_PEL.INI"_pl,
    "środki trwałe umożone jednorazowo"_pl,
    "ustawienia danych na przelewach"_pl,
    "bazę dowodów wewnętrznych"_pl,
    "bazę wystawionych odsetek"_pl,
    "listę pojazdów na cele VAT"_pl,
};

const ui::ItemList STAFF_MODES = {"wszystkich"_pl, "zatrudnionych na 31.12.2020"_pl,
                                  "pytaj sie o każdego"_pl};
const ui::ItemList PITD_MODES = {"wszystkich"_pl, "pytaj sie o każdego"_pl};
const ui::ItemList ENTERED_2021_ITEMS = {"dokumenty księgowe"_pl, "wynagrodzenia pracowników"_pl,
                                         "umowy zlecenia"_pl, "noty księgowe"_pl,
                                         "Deklaracje DRA"_pl};
const ui::ItemList DLL_PROGRAM_ITEMS = {"ST 410/510 \"Sigma/zq\""_pl, "KM 410 \"Sigma\""_pl,
                                        "KM 510 \"zq\""_pl};
const ui::ItemList START_ITEMS = {"Dane Globalne z"_pl, "Dane pózniej wskazanych firm"_pl};

}  // namespace

PageLayout Wizard::PathPage() {
  conversion::ConversionOptions& o = settings_.Options;
  return {
      " Lokalizacja "_pl,
      {
          Label(3, 3, "katalogu źrodłowy:"_pl),
          FixedText(22, 3, "tam gdzie jest plik "_pl + settings_.RegisterFileName),
          InputLine(4, 4, settings_.SourcePath, PATH_LENGTH),
          Label(3, 6, "lokalizacja docelowa:"_pl),
          InputLine(4, 7, settings_.TargetPath, PATH_LENGTH),
          CheckBox(4, 9, "zapisz ustawienie lokalizacji (w pliku zq20-21.PTH)"_pl, savePaths_),
          Label(4, 14, "Dodatkowe opcje:"_pl),
          CheckBox(5, 15, "informuj o nie zamkniętym grudniu i związaną z tym konsekwencją"_pl,
                   o.WarnOpenDecember),
          CheckBox(5, 16, "pokazuj powoli szczegóły konwersji"_pl, o.ShowSlowly),
          CheckBox(5, 17, "Zasłoń(~) w 2020 przekonwertowane pliki 2021K880.mm i 2021SP.nn"_pl,
                   o.HideConvertedFiles),
          CANCEL_BUTTON,
          NEXT_BUTTON,
      },
      {NextHint()},
      {CM_NEXT},
      1,
  };
}

PageLayout Wizard::GlobalDataPage() {
  return {
      " Dane globalne, konfiguracyjne "_pl,
      {
          Label(3, 3, "Zaznaczam do kopiowania :"_pl),
          CheckBoxGroup(4, 4, settings_.Options.GlobalItems, GLOBAL_ITEMS),
          BACK_BUTTON,
          CANCEL_BUTTON,
          NEXT_BUTTON,
      },
      {BackHint(), NextHint()},
      {CM_BACK, CM_NEXT},
      1,
  };
}

PageLayout Wizard::CompanyDataPage() {
  conversion::ConversionOptions& o = settings_.Options;
  return {
      " Dane firmowe  "_pl,
      {
          Label(2, 1, "Zaznaczam do kopiowania :"_pl),
          CheckBoxGroup(3, 2, o.CompanyItems, COMPANY_ITEMS),
          Label(41, 1, "*) Dane - przenieś :"_pl),
          RadioGroup(42, 2, o.StaffTransferMode, STAFF_MODES),
          Label(41, 5, "**) z PID-5 - przenieś :"_pl),
          RadioGroup(42, 6, o.PitDTransferMode, PITD_MODES),
          Label(41, 8, "Wprowadzone już w 2021 roku "_pl),
          CheckBoxGroup(42, 9, o.Entered2021Items, ENTERED_2021_ITEMS),
          Label(41, 14, "Programy \"DLL\""_pl),
          CheckBoxGroup(42, 15, o.DllProgramItems, DLL_PROGRAM_ITEMS),
          BACK_BUTTON,
          CANCEL_BUTTON,
          NEXT_BUTTON,
      },
      {BackHint(), NextHint()},
      {CM_BACK, CM_NEXT},
      1,
  };
}

PageLayout Wizard::StartPage() {
  conversion::ConversionOptions& o = settings_.Options;
  // Row 4 reads as one sentence: "Dane Globalne z", the directory, "(tylko
  // z 990) do #BIN021".
  return {
      " START KOPIOWANIA "_pl,
      {
          Label(3, 3, "Co pokopiowac :"_pl),
          CheckBoxGroup(4, 4, o.StartItems, START_ITEMS),
          Label(32, 4, "(tylko z 990) do #BIN021"_pl),
          InputLine(24, 4, o.SourceGlobalDir, GLOBAL_DIR_LENGTH),
          Label(3, 7, "Wykonanie kopiowania"_pl),
          CheckBox(4, 8, "Zatrzymywac akcje co firme"_pl, o.StopAfterEachCompany),
          Button(14, 12, "ZACZNIJ"_pl, CM_START, 3),
          BACK_BUTTON,
          CANCEL_BUTTON,
      },
      {BackHint(), ui::NewHintItem(CM_START, ui::KB_F5, "F5-ZACZNIJ"_pl)},
      {CM_BACK, CM_START},
      3,  // "Zatrzymywac akcje co firme"
  };
}

}  // namespace zq::shell
