#pragma once
// CP852 texts and the UTF-16 of the Windows API, through the program's own
// code page table: the console's and the system's code pages play no part.

#include <optional>
#include <string>
#include <string_view>

namespace zq::platform {

std::wstring Cp852ToWide(std::string_view cp852);

// The CP852 text of a UTF-16 one, or nothing when a character (or a broken
// surrogate) has no CP852 byte.
std::optional<std::string> WideToCp852(std::wstring_view wide);

// The same, with `replacement` for each character the code page lacks.
std::string WideToCp852(std::wstring_view wide, char replacement);

// UTF-16 of a UTF-8 text; a malformed sequence becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);

// UTF-8 for text printed to a file or a pipe.
std::string WideToUtf8(std::wstring_view wide);

}  // namespace zq::platform
