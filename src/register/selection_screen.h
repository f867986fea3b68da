#pragma once
// The selection screen " BAZA FIRM ": one row per listed company with its
// name, a mark ("■" selected, "·" not), its directory and the start of its
// info text. Space toggles the current company, Ctrl+W selects all, Ctrl+D
// none, F5 starts; any other way out converts nothing.

#include <cstdint>

#include "register/company_list.h"
#include "register/recognition.h"
#include "ui/toolkit.h"

namespace zq::registry {

inline constexpr std::uint16_t CM_TOGGLE_COMPANY = 0xF0;
inline constexpr std::uint16_t CM_SELECT_ALL = 0xF1;
inline constexpr std::uint16_t CM_SELECT_NONE = 0xF2;

// Row text of a company: the name in 31 columns, the mark, a blank, the
// directory in 8, a blank, the first 10 characters of the info.
inline constexpr std::size_t COMPANY_ROW_LENGTH = 52;
inline constexpr int DIRECTORY_KEY_COLUMN = 34;
ShortString CompanyRow(const CompanyEntry& entry);

// Shows the screen over the first `count` companies of the list; true when
// the operator started with F5. The marks stay in the list whatever the
// answer.
bool SelectCompanies(ui::Toolkit& toolkit, CompanyList& list, std::int32_t count);

// The recognition, then the screen when it listed anybody.
bool RecogniseAndSelect(ui::Toolkit& toolkit, Recognition& recognition, CompanyList& list);

}  // namespace zq::registry
