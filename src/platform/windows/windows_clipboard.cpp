#include "platform/windows/windows_clipboard.h"

#include "platform/windows/win32.h"

#include <cstring>
#include <string>

#include "platform/windows/wide_text.h"

namespace zq::platform {
namespace {

// The clipboard, open while the object lives.
class OpenClipboardScope {
 public:
  OpenClipboardScope() : open_(OpenClipboard(nullptr) != 0) {}
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

void WindowsClipboard::SetText(const ShortString& cp852) {
  text_ = cp852;
  const std::wstring wide = Cp852ToWide(cp852.view());
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  const OpenClipboardScope clipboard;
  if (!clipboard.open() || !EmptyClipboard()) return;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return;
  }
  std::memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(memory);
  // The system owns the memory once it took it.
  if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
}

ShortString WindowsClipboard::GetText() const {
  const OpenClipboardScope clipboard;
  if (!clipboard.open()) return text_;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return text_;
  const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
  if (wide == nullptr) return text_;
  const std::size_t limit = GlobalSize(data) / sizeof(wchar_t);
  const std::wstring_view text(wide, wcsnlen(wide, limit));
  ShortString result(WideToCp852(text.substr(0, ShortString::MAX_LENGTH), '?'));
  GlobalUnlock(data);
  return result;
}

}  // namespace zq::platform
