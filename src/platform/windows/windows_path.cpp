#include "platform/windows/windows_path.h"

#include "platform/windows/win32.h"

#include "platform/files.h"
#include "platform/windows/wide_text.h"

namespace zq::platform {
namespace {

// The longest path the system takes with the "\\?\" prefix.
constexpr DWORD LONGEST_PATH = 32767;
// A directory's path must leave room for an 8.3 name below MAX_PATH.
constexpr std::size_t LONGEST_PLAIN_PATH = MAX_PATH - 12;

bool IsRefusedCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|';
}

}  // namespace

int ToWindowsPath(std::string_view name, std::wstring& path) {
  path.clear();
  if (name.empty()) return IO_BAD_NAME;
  for (std::size_t i = 0; i < name.size(); ++i) {
    // A ':' after the drive letter would name a stream of a file.
    if (IsRefusedCharacter(name[i]) || (name[i] == ':' && i != 1)) return IO_BAD_NAME;
  }
  std::wstring wide = Cp852ToWide(name);
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  std::wstring full(MAX_PATH, L'\0');
  DWORD length =
      GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size() && length <= LONGEST_PATH) {
    full.resize(length);
    length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) return IO_BAD_NAME;
  full.resize(length);
  if (full.size() < LONGEST_PLAIN_PATH) {
    path = std::move(full);
    return IO_OK;
  }
  // "\\server\share\..." becomes "\\?\UNC\server\share\...".
  const bool unc = full.size() > 2 && full[0] == L'\\' && full[1] == L'\\';
  path = unc ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
  return path.size() <= LONGEST_PATH ? IO_OK : IO_BAD_NAME;
}

}  // namespace zq::platform
