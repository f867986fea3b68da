#include "platform/windows/windows_file_system.h"

#include "platform/windows/win32.h"

#include "platform/dir_listing.h"
#include "platform/dos_mask.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_errors.h"
#include "platform/windows/windows_file.h"
#include "platform/windows/windows_path.h"

namespace zq::platform {
namespace {

constexpr std::uint8_t DOS_ATTRIBUTES =
    ATTR_READ_ONLY | ATTR_HIDDEN | ATTR_SYSTEM | ATTR_DIRECTORY | ATTR_ARCHIVE;

DWORD DesiredAccess(Access access) {
  switch (access) {
    case Access::READ:
      return GENERIC_READ;
    case Access::WRITE:
      return GENERIC_WRITE;
    case Access::READ_WRITE:
      return GENERIC_READ | GENERIC_WRITE;
    case Access::APPEND:
      // Without FILE_WRITE_DATA every write of the handle goes to the end
      // of the file, in one piece; the sharing check counts it a writer.
      // Reading the attributes lets it answer its size.
      return FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
  }
  return GENERIC_READ;
}

DWORD ShareMode(Share share) {
  switch (share) {
    case Share::DENY_ALL:
      return 0;
    case Share::DENY_WRITE:
      return FILE_SHARE_READ;
    case Share::DENY_READ:
      return FILE_SHARE_WRITE;
    case Share::DENY_NONE:
      return FILE_SHARE_READ | FILE_SHARE_WRITE;
  }
  return 0;
}

int LastNameResult() {
  return IoResultOfWindowsError(GetLastError(), IoStep::NAME);
}

// The directory part of a program name and its last component.
void SplitName(std::string_view name, std::string_view& directory, std::string_view& last) {
  std::size_t start = name.size();
  while (start > 0 && !IsPathSeparator(name[start - 1]) && !(start == 2 && name[1] == ':')) --start;
  directory = name.substr(0, start);
  last = name.substr(start);
}

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<File> WindowsFileSystem::Open(const ShortString& name, Access access, Share share,
                                              Disposition disposition, int& result) {
  std::wstring path;
  result = ToWindowsPath(name.view(), path);
  if (result != IO_OK) return nullptr;
  // An existing file is emptied only once the sharing check let this handle
  // in, so a refused open leaves another station's file whole (an appending
  // handle never empties it); OPEN_ALWAYS also keeps the attributes of a
  // hidden or read-only file, which CREATE_ALWAYS would refuse.
  const DWORD creation =
      disposition == Disposition::CREATE_ALWAYS ? OPEN_ALWAYS : win32::OPEN_EXISTING_FILE;
  HANDLE handle = CreateFileW(path.c_str(), DesiredAccess(access), ShareMode(share), nullptr,
                              creation, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    result = LastNameResult();
    return nullptr;
  }
  auto file = std::make_unique<WindowsFile>(handle, access == Access::APPEND);
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    result = IO_ACCESS_DENIED;  // a device name such as CON or a pipe
    return nullptr;
  }
  std::uint64_t size = 0;
  if (disposition == Disposition::CREATE_ALWAYS && access != Access::APPEND &&
      file->Size(size) == IO_OK && size > 0) {
    result = file->Truncate();
    if (result != IO_OK) return nullptr;
  }
  return file;
}

int WindowsFileSystem::Search(const ShortString& pattern, std::uint8_t attributes,
                              std::vector<DirEntry>& found) {
  found.clear();
  std::string_view directory;
  std::string_view mask;
  SplitName(pattern.view(), directory, mask);
  if (mask.empty()) return IO_NO_MORE_FILES;
  if (mask == "." || mask == "..") return IO_NO_MORE_FILES;
  std::wstring path;
  // The directory is listed whole; a name without wildcards is looked up
  // alone.
  const bool plainName = !HasWildcards(mask) && mask.back() != '.';
  const int result = ToWindowsPath(plainName           ? pattern.view()
                                   : directory.empty() ? "."
                                                       : directory,
                                   path);
  if (result != IO_OK) return result;
  if (!plainName) path += path.back() == L'\\' ? L"*" : L"\\*";

  WIN32_FIND_DATAW data{};
  const FindHandle find(
      FindFirstFileExW(path.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
  if (!find.valid()) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return IO_NO_MORE_FILES;
    return IoResultOfWindowsError(error, IoStep::NAME);
  }
  do {
    const std::wstring_view diskName = data.cFileName;
    if (diskName == L"." || diskName == L"..") continue;
    const auto name = WideToCp852(diskName);
    if (!name || name->size() > ShortString::MAX_LENGTH) {
      if (skipped_) skipped_(ShortString(directory), ShortString(WideToCp852(diskName, '?')));
      continue;
    }
    if (!plainName && !MatchesDosMask(*name, mask)) continue;
    DirEntry entry;
    entry.name = ShortString(*name);
    entry.attributes = static_cast<std::uint8_t>(data.dwFileAttributes & DOS_ATTRIBUTES);
    if ((entry.attributes & ATTR_DIRECTORY) == 0) {
      entry.size = static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    }
    if (PassesAttributeFilter(entry.attributes, attributes)) found.push_back(entry);
  } while (FindNextFileW(find.get(), &data));
  SortAsNtfsLists(found);
  return found.empty() ? IO_NO_MORE_FILES : IO_OK;
}

int WindowsFileSystem::MakeDirectory(const ShortString& name) {
  std::wstring path;
  const int result = ToWindowsPath(name.view(), path);
  if (result != IO_OK) return result;
  return CreateDirectoryW(path.c_str(), nullptr) ? IO_OK : LastNameResult();
}

int WindowsFileSystem::Rename(const ShortString& from, const ShortString& to) {
  std::wstring pathFrom;
  std::wstring pathTo;
  int result = ToWindowsPath(from.view(), pathFrom);
  if (result == IO_OK) result = ToWindowsPath(to.view(), pathTo);
  if (result != IO_OK) return result;
  return MoveFileExW(pathFrom.c_str(), pathTo.c_str(), 0) ? IO_OK : LastNameResult();
}

int WindowsFileSystem::Erase(const ShortString& name) {
  std::wstring path;
  const int result = ToWindowsPath(name.view(), path);
  if (result != IO_OK) return result;
  return DeleteFileW(path.c_str()) ? IO_OK : LastNameResult();
}

}  // namespace zq::platform
