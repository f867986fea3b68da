#pragma once
// The items of a company's conversion, in the order the company run walks
// them: when each is done, the heading it writes into the progress log, the
// files it takes and what it does with them. One row per item (an item with
// several masks has a row for each, the first carrying the heading); the
// items that need more than one copy call are special operations of the
// company run.

#include <array>
#include <cstdint>
#include <string_view>

#include "conversion/conversion_options.h"
#include "platform/short_string.h"
#include "platform/text_literal.h"

namespace zq::conversion {

// Which option decides whether an item is done; the item's bits must all be
// set in it.
enum class OptionSet : std::uint8_t {
  ALWAYS,
  ANNUAL_FROM_2021,  // the annual settings came from the source tree's 2021 file
  COMPANY,           // CompanyItems
  ENTERED_2021,      // Entered2021Items
  DLL,               // DllProgramItems
  EXTRA_FILES,       // the extra file list is not empty
};

struct Condition {
  OptionSet set = OptionSet::ALWAYS;
  std::uint16_t bits = 0;
};

enum class Heading : std::uint8_t {
  NONE,
  LINE,  // LogWriteLn
  OPEN,  // LogWrite: the copy's own line goes on in the same row
};

enum class Operation : std::uint8_t {
  WHOLE_FILE,      // CopyWholeFile
  NAMED_FILE,      // CopyNamedFile of the source name
  MATCHING_FILES,  // CopyMatchingFiles of the source mask
  TEXT_FILE,       // CopyTextFile, no filter
  RECORD_COPY,     // CopyRecordFile with the filter of `conversion`
  RECORD_CONVERT,  // ConvertRecordFile with the converter of `conversion`
  COMPANY_TEXT,    // the company text data conversion
  STAFF_RESET,     // the person table emptied, the transfer mode taken afresh
  TAX_FORM,        // this year's form, or the previous year's (`previous`)
  EXTRA_FILES,     // CopyNamedFile of every entry of the extra file list
  WAGE_SETTINGS,   // RECORD_COPY, left out when the 2021 settings are there already
  MONTH_LOOP,      // documents and repayments of each month of 2021
  CONTRACTS,       // current contracts, else the old format converted
  DRA_FILES,       // every file matching the source mask, numbered
  ASSET_BASES,     // every further base named in stbazy.rek
  SUB_FOLDER,      // files matching the source mask in the sub-folder _2021
};

// The record converter or filter of a record copy.
enum class Conversion : std::uint8_t {
  NO_FILTER,
  UNCHANGED,
  COLUMN_SUMS,
  EMPLOYEES,
  FAMILIES,
  PID5,
  PIT28,
  WAGE_SETTINGS_FILTER,
  WAGE_FILTER,
};

struct CompanyItem {
  int number = 0;  // 0 for the staff reset, which is no item of its own
  Condition condition;
  ShortString heading;
  Heading headingStyle = Heading::NONE;
  std::string_view source;  // a file name or a mask
  std::string_view target;  // empty: the source name
  Operation operation = Operation::WHOLE_FILE;
  std::uint16_t sourceSize = 0;  // record sizes
  std::uint16_t targetSize = 0;
  Conversion conversion = Conversion::NO_FILTER;
  // TAX_FORM: the previous year's file; CONTRACTS: the old-format file;
  // MONTH_LOOP: the repayments. Its record size.
  std::string_view alternative = {};
  std::uint16_t alternativeSize = 0;
};

namespace company_items_detail {

constexpr Condition ALWAYS{OptionSet::ALWAYS, 0};
constexpr Condition ANNUAL_2021{OptionSet::ANNUAL_FROM_2021, 0};
constexpr Condition EXTRA_LIST{OptionSet::EXTRA_FILES, 0};
constexpr Condition Company(std::uint16_t bits) {
  return {OptionSet::COMPANY, bits};
}
constexpr Condition Entered(std::uint16_t bits) {
  return {OptionSet::ENTERED_2021, bits};
}
constexpr Condition Dll(std::uint16_t bits) {
  return {OptionSet::DLL, bits};
}

}  // namespace company_items_detail

// clang-format off
inline constexpr auto COMPANY_ITEMS = [] {
  using namespace company_items_detail;
  using enum Heading;
  using enum Operation;
  using enum Conversion;
  return std::to_array<CompanyItem>({
    {1, ANNUAL_2021, "Deklaracja VAT-7 z 2021"_pl, LINE, "2021vJ17.REK", {}, WHOLE_FILE},
    {2, ANNUAL_2021, "Deklaracja VAT-UE z 2021"_pl, LINE, "2021UE*.*", {}, MATCHING_FILES},
    {3, ANNUAL_2021, "Inne deklaracja VAT 2021"_pl, LINE, "2020VXX.REK", "2021VXX.REK", WHOLE_FILE},
    {4, ANNUAL_2021, "Suma z kolumn za 2021"_pl, LINE, "2021KOL2.REK", "2021KOL3.REK", RECORD_CONVERT, 2688, 3552, COLUMN_SUMS},
    {5, ANNUAL_2021, {}, NONE, "2021ZAL.REK", {}, RECORD_COPY, 1024, 1024},
    {6, Company(CI_TEXT_DATA), {}, NONE, "FIRMATXT.INI", {}, COMPANY_TEXT},
    {7, Company(CI_TEXT_DATA), {}, NONE, "FIRMA_A8.REK", {}, RECORD_CONVERT, 224, 224, UNCHANGED},
    {0, ALWAYS, {}, NONE, {}, {}, STAFF_RESET},
    {8, Company(CI_STAFF), "Pracownicy / Właściciele"_pl, LINE, "DANE_PR8.REK", {}, RECORD_CONVERT, 2048, 2048, EMPLOYEES},
    {9, Company(CI_STAFF), "Dane zgłoszeniowe ZUS"_pl, LINE, "DANE_PZ.DAT", {}, NAMED_FILE},
    {10, Company(CI_STAFF), "Deklaracji PITs"_pl, LINE, "2021PITS.REK", {}, NAMED_FILE},
    {11, Company(CI_STAFF | CI_FAMILIES), "Rodziny pracowników"_pl, LINE, "DANE_PF8.REK", {}, RECORD_CONVERT, 352, 352, FAMILIES},
    {12, Company(CI_STAFF), "Dane umów o pracę UMOWY.INI"_pl, LINE, "UMOWY.INI", {}, NAMED_FILE},
    {13, Company(CI_PITD), "PID-5 "_pl, OPEN, "2021P5.REK", "2021P5.REK", TAX_FORM, 13952, 13952, PID5, "2020P5.REK", 13952},
    {14, Company(CI_PITD), "\"PIT-28\" "_pl, OPEN, "2021_P28.REK", "2021P28.REK", TAX_FORM, 13952, 13952, PIT28, "2020_P28.REK", 13952},
    {15, Company(CI_LOCAL_ADDRESSES), "Baza adresów"_pl, LINE, "baza_ad8.rek", {}, RECORD_CONVERT, 480, 480, UNCHANGED},
    {16, Company(CI_SALES_TEMPLATES), "Automat sprzedaży"_pl, LINE, "baza_sp9.rek", {}, RECORD_CONVERT, 512, 512, UNCHANGED},
    {17, Company(CI_PURCHASE_TEMPLATES), "Automat zakupów"_pl, LINE, "baza_za9.rek", {}, RECORD_CONVERT, 512, 512, UNCHANGED},
    {18, Company(CI_FKEY_CONSTANTS), "Baza stałych F1..F10"_pl, LINE, "baza_ff.txt", {}, TEXT_FILE},
    {19, Company(CI_FKEY_CONSTANTS), "Notatnik"_pl, LINE, "Notatnik.txt", {}, TEXT_FILE},
    {20, Company(CI_FKEY_CONSTANTS), "Notatka"_pl, LINE, "Notatka.txt", {}, TEXT_FILE},
    {21, Company(CI_FKEY_CONSTANTS), "Notes"_pl, LINE, "Notes.txt", {}, TEXT_FILE},
    {22, Company(CI_MONEY_ORDERS), "Baza przelewów"_pl, LINE, "BAZA_PP8.REK", {}, RECORD_CONVERT, 432, 432, UNCHANGED},
    {23, EXTRA_LIST, "Lista dodatkowa ...."_pl, LINE, {}, {}, EXTRA_FILES},
    {24, Company(CI_WAGE_SETTINGS), "Ustawienia lokalne listy wynagrodzeń"_pl, LINE, "2020_lp2.cc", "2021_lp2.cc", WAGE_SETTINGS, 2048, 2048, WAGE_SETTINGS_FILTER},
    {25, Company(CI_WAGE_SETTINGS), {}, NONE, "2021_lp2.cc", {}, NAMED_FILE},
    {26, Company(CI_ZUS_PEL), "Ustawienia ZUS_PEL"_pl, LINE, "ZUS_PEL.INI", {}, NAMED_FILE},
    {27, Company(CI_ONE_OFF_ASSETS), "Środki umożone jednorazowo (3500)"_pl, LINE, "ESTUJ.REK", {}, RECORD_COPY, 768, 768},
    {28, Company(CI_TRANSFER_SETTINGS), "Ustawienia przelewów"_pl, LINE, "BAZA_PP8.INI", {}, TEXT_FILE},
    {29, Company(CI_INTERNAL_DOCUMENTS), "Dwody wewnętrzne"_pl, LINE, "BAZA_DW8.REK", {}, RECORD_CONVERT, 784, 784, UNCHANGED},
    {30, Company(CI_INTEREST_NOTES), "Wystawiona lista odsetek"_pl, LINE, "ODS_ZOB.REK", {}, RECORD_COPY, 200, 200},
    {31, Company(CI_VAT_VEHICLES), "Lista pojazdów dla VAT"_pl, LINE, "AUTOV26.REK", {}, RECORD_COPY, 320, 320},
    {32, Entered(E21_DOCUMENTS), "Dane wprowadzone do DAZ:"_pl, LINE, "2021K990.", {}, MONTH_LOOP, 1024, 1024, NO_FILTER, "2021SP.", 48},
    {33, Entered(E21_DOCUMENTS), "Plik indeksów złych długów: 2021IDX.REK"_pl, LINE, "2021IDX.REK", {}, NAMED_FILE},
    {34, Entered(E21_WAGES), "Wynagrodzenia wprowadzone w 2021"_pl, LINE, "2021WP5.REK", {}, RECORD_COPY, 26624, 26624, WAGE_FILTER},
    {35, Entered(E21_CONTRACTS), "Umowy zlecenia wprowadzone w 2021"_pl, LINE, "2021UZ5.REK", {}, CONTRACTS, 1024, 1024, NO_FILTER, "2021UZ3.REK", 552},
    {36, Entered(E21_NOTES), "Noty korygujące z 2021"_pl, LINE, "2021_NK8.REK", {}, RECORD_CONVERT, 848, 848, UNCHANGED},
    {37, Entered(E21_DRA), {}, NONE, "2021D5??.*", {}, DRA_FILES},
    {38, Dll(DLL_ST), "DLL: Srodki Trwale"_pl, LINE, "dokument.rek", {}, TEXT_FILE},
    {39, Dll(DLL_ST), {}, NONE, "srodki.rek", {}, RECORD_COPY, 39771, 39771},
    {40, Dll(DLL_ST), {}, NONE, "wyposaz.rek", {}, RECORD_COPY, 39771, 39771},
    {41, Dll(DLL_ST), {}, NONE, "st.cnf", {}, RECORD_COPY, 3837, 3837},
    {42, Dll(DLL_ST), {}, NONE, "stbazy.rek", {}, RECORD_COPY, 367, 367},
    {43, Dll(DLL_ST), {}, NONE, "stbazy.rek", {}, ASSET_BASES, 39771, 39771},
    {44, Dll(DLL_KM410), "DLL : Kilometrówka KM410 \"Sigma\""_pl, LINE, "*.cel", {}, MATCHING_FILES},
    {44, Dll(DLL_KM410), {}, NONE, "cel*.rek", {}, MATCHING_FILES},
    {44, Dll(DLL_KM410), {}, NONE, "*.trs", {}, MATCHING_FILES},
    {44, Dll(DLL_KM410), {}, NONE, "tras*.rek", {}, MATCHING_FILES},
    {45, Dll(DLL_KM410), {}, NONE, "km.cnf", {}, RECORD_COPY, 2395, 2395},
    {46, Dll(DLL_KM410), {}, NONE, "adresy.rek", {}, RECORD_COPY, 557, 557},
    {47, Dll(DLL_KM410), {}, NONE, "samochod.rek", {}, RECORD_COPY, 704, 704},
    {48, Dll(DLL_KM410), {}, NONE, "*.kst", {}, SUB_FOLDER, 572, 572},
    {49, Dll(DLL_KM410), {}, NONE, "*.wyj", {}, SUB_FOLDER, 128, 128},
    {50, Dll(DLL_KM510), "DLL : Kilometrówka KM510 \"zq\""_pl, LINE, "km__*.rek", {}, MATCHING_FILES},
    {50, Dll(DLL_KM510), {}, NONE, "km21*.rek", {}, MATCHING_FILES},
    {51, ALWAYS, "DLL : XmlLoader.EXE -> daz_import.xml"_pl, LINE, "daz_import.xml", {}, NAMED_FILE},
  });
}();
// clang-format on

}  // namespace zq::conversion
