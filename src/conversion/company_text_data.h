#pragma once
// The company text data file FIRMATXT.INI: read into a company text record
// and written from it by one fixed walk over its sections and keys, so the
// file written always has the same shape. The conversion carries the file
// into the target tree with the path of the 2020 data recorded in it.

#include <string_view>

#include "conversion/company_text_record.h"
#include "platform/files.h"
#include "platform/short_string.h"
#include "platform/text_literal.h"
#include "ui/toolkit.h"

namespace zq::conversion {

inline constexpr ShortString COMPANY_TEXT_FILE = "FIRMATXT.INI"_pl;

enum class TextDataDirection { SAVE = 0, LOAD = 1 };

// LOAD clears the record and reads every key of the walk (a missing file
// reads as all defaults); SAVE writes every key of the walk into the file,
// keeping the keys of an existing file that the walk does not name. False
// when the file cannot be opened (or, saving, created, locked or written whole).
bool CompanyTextData(platform::FileSystem& files, CompanyText& record, TextDataDirection direction,
                     const ShortString& fileName);

// Loads `source`, puts `previousDataPath` into DAZ2020 and saves into
// `target`. A file that cannot be used ends the program (exit code 0) after
// an error box.
void ConvertCompanyText(platform::FileSystem& files, ui::Toolkit& toolkit, std::string_view source,
                        std::string_view target, const ShortString& previousDataPath);

}  // namespace zq::conversion
