#include "platform/windows/windows_process.h"

#include "platform/windows/win32.h"
// shellapi.h needs the types of windows.h first.
#include <shellapi.h>

#include <string>

#include "platform/windows/wide_text.h"

namespace zq::platform {
namespace {

ShortString ToProgramText(std::wstring_view wide) {
  return ShortString(WideToCp852(wide, '?'));
}

// Calls `fill(buffer, size)` with a growing buffer until the value fits;
// `fill` answers the length written, or the size needed when it did not fit.
template <typename Fill>
std::wstring GrowingBuffer(Fill fill) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 8; ++attempt) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, length + 1u));
  }
  return {};
}

}  // namespace

WindowsProcess::WindowsProcess() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return;
  for (int i = 1; i < count; ++i) arguments_.push_back(ToProgramText(arguments[i]));
  LocalFree(arguments);
}

ShortString WindowsProcess::ExecutablePath() const {
  return ToProgramText(GrowingBuffer([](wchar_t* buffer, DWORD size) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
    return length >= size ? size : length;  // cut short: ask for more
  }));
}

ShortString WindowsProcess::CurrentDirectory() const {
  return ToProgramText(GrowingBuffer(
      [](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); }));
}

std::optional<ShortString> WindowsProcess::GetEnv(std::string_view name) const {
  const std::wstring wideName = Cp852ToWide(name);
  SetLastError(ERROR_SUCCESS);
  if (GetEnvironmentVariableW(wideName.c_str(), nullptr, 0) == 0 &&
      GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
    return std::nullopt;
  }
  return ToProgramText(GrowingBuffer([&wideName](wchar_t* buffer, DWORD size) {
    return GetEnvironmentVariableW(wideName.c_str(), buffer, size);
  }));
}

}  // namespace zq::platform
