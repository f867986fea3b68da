#pragma once
// The operator's choices for the run: set on the wizard pages, read by the
// copy of global data, the company run and its converters. Every run starts
// from these defaults; nothing of it is stored.

#include <cstdint>

#include "platform/short_string.h"
#include "platform/text_literal.h"

namespace zq::conversion {

// GlobalItems: what of the global data is copied (bit 1 is a placeholder).
inline constexpr std::uint16_t GI_ADDRESS_BASE = 1u << 0;
inline constexpr std::uint16_t GI_FKEY_CONSTANTS = 1u << 2;
inline constexpr std::uint16_t GI_OFFICE_DATA = 1u << 3;
inline constexpr std::uint16_t GI_DLL_CONFIG = 1u << 4;
inline constexpr std::uint16_t GI_TAX_CONSTANTS = 1u << 5;
inline constexpr std::uint16_t GI_WAGE_SETTINGS = 1u << 6;
inline constexpr std::uint16_t GI_COLOURS = 1u << 7;
inline constexpr std::uint16_t GI_YEAR_INI = 1u << 8;
inline constexpr std::uint16_t GI_OPERATOR_FILE = 1u << 9;
inline constexpr std::uint16_t GI_ZUS_PEL_FILES = 1u << 10;

// CompanyItems: what of each company is carried over.
inline constexpr std::uint16_t CI_TEXT_DATA = 1u << 0;
inline constexpr std::uint16_t CI_STAFF = 1u << 1;
inline constexpr std::uint16_t CI_FAMILIES = 1u << 2;
inline constexpr std::uint16_t CI_PITD = 1u << 3;
inline constexpr std::uint16_t CI_LOCAL_ADDRESSES = 1u << 4;
inline constexpr std::uint16_t CI_SALES_TEMPLATES = 1u << 5;
inline constexpr std::uint16_t CI_PURCHASE_TEMPLATES = 1u << 6;
inline constexpr std::uint16_t CI_FKEY_CONSTANTS = 1u << 7;
inline constexpr std::uint16_t CI_MONEY_ORDERS = 1u << 8;
inline constexpr std::uint16_t CI_WAGE_SETTINGS = 1u << 9;
inline constexpr std::uint16_t CI_ZUS_PEL = 1u << 10;
inline constexpr std::uint16_t CI_ONE_OFF_ASSETS = 1u << 11;
inline constexpr std::uint16_t CI_TRANSFER_SETTINGS = 1u << 12;
inline constexpr std::uint16_t CI_INTERNAL_DOCUMENTS = 1u << 13;
inline constexpr std::uint16_t CI_INTEREST_NOTES = 1u << 14;
inline constexpr std::uint16_t CI_VAT_VEHICLES = 1u << 15;

// Entered2021Items: data already entered for 2021 in the old tree.
inline constexpr std::uint16_t E21_DOCUMENTS = 1u << 0;
inline constexpr std::uint16_t E21_WAGES = 1u << 1;
inline constexpr std::uint16_t E21_CONTRACTS = 1u << 2;
inline constexpr std::uint16_t E21_NOTES = 1u << 3;
inline constexpr std::uint16_t E21_DRA = 1u << 4;

// DllProgramItems: data of the companion programs.
inline constexpr std::uint16_t DLL_ST = 1u << 0;
inline constexpr std::uint16_t DLL_KM410 = 1u << 1;
inline constexpr std::uint16_t DLL_KM510 = 1u << 2;

// StartItems: what the conversion does.
inline constexpr std::uint16_t START_GLOBAL_DATA = 1u << 0;
inline constexpr std::uint16_t START_COMPANIES = 1u << 1;

// StaffTransferMode: which employees and owners are carried over.
inline constexpr std::uint16_t STAFF_ALL = 0;
inline constexpr std::uint16_t STAFF_EMPLOYED_AT_YEAR_END = 1;
inline constexpr std::uint16_t STAFF_ASK_EACH = 2;

// PitDTransferMode: which PIT-D data of the PID-5 forms are carried over.
inline constexpr std::uint16_t PITD_ALL = 0;
inline constexpr std::uint16_t PITD_ASK_EACH = 1;

struct ConversionOptions {
  std::uint8_t WizardPage = 1;
  std::uint8_t LastWizardPage = 4;
  std::uint16_t GlobalItems = 0x06D7;
  std::uint16_t CompanyItems = 0xFFFF;
  std::uint16_t StartItems = 0xFFFF;
  std::uint16_t StaffTransferMode = STAFF_ALL;
  std::uint16_t PitDTransferMode = PITD_ALL;
  std::uint16_t Entered2021Items = 0xFFFF;
  std::uint16_t DllProgramItems = 0xFFFD;
  std::uint8_t StopAfterEachCompany = 0;
  std::uint8_t ShowSlowly = 0;
  std::uint8_t HideConvertedFiles = 0;
  std::uint8_t WarnOpenDecember = 1;
  ShortString SourceGlobalDir = "#BIN020"_pl;  // at most 7 characters
};

}  // namespace zq::conversion
