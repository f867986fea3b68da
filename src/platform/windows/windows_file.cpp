#include "platform/windows/windows_file.h"

#include "platform/windows/win32.h"

#include <algorithm>

#include "platform/windows/windows_errors.h"

namespace zq::platform {
namespace {

constexpr std::uint64_t LOCKABLE_END = 0x4000000000000000;

// ReadFile and WriteFile take at most a DWORD of bytes at a time.
constexpr std::size_t LARGEST_TRANSFER = 1u << 30;

int LastResult(IoStep step) {
  return IoResultOfWindowsError(GetLastError(), step);
}

OVERLAPPED RangeStart(std::uint64_t offset) {
  OVERLAPPED overlapped{};
  overlapped.Offset = static_cast<DWORD>(offset);
  overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return overlapped;
}

}  // namespace

WindowsFile::~WindowsFile() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

int WindowsFile::Read(void* buffer, std::size_t size, std::size_t& done) {
  done = 0;
  if (handle_ == INVALID_HANDLE_VALUE) return IO_NOT_OPEN;
  auto* bytes = static_cast<char*>(buffer);
  while (done < size) {
    DWORD read = 0;
    const auto chunk = static_cast<DWORD>(std::min(size - done, LARGEST_TRANSFER));
    if (!ReadFile(handle_, bytes + done, chunk, &read, nullptr)) return LastResult(IoStep::READ);
    if (read == 0) break;  // the end of the file
    done += read;
  }
  return IO_OK;
}

int WindowsFile::Write(const void* buffer, std::size_t size, std::size_t& done) {
  done = 0;
  if (handle_ == INVALID_HANDLE_VALUE) return IO_NOT_OPEN;
  const auto* bytes = static_cast<const char*>(buffer);
  while (done < size) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min(size - done, LARGEST_TRANSFER));
    if (!WriteFile(handle_, bytes + done, chunk, &written, nullptr))
      return LastResult(IoStep::WRITE);
    if (written == 0) return IO_WRITE_FAULT;
    done += written;
  }
  return IO_OK;
}

int WindowsFile::Seek(std::uint64_t offset) {
  if (handle_ == INVALID_HANDLE_VALUE) return IO_NOT_OPEN;
  if (append_) return IO_NOT_SUPPORTED;  // every write goes to the end
  LARGE_INTEGER distance{};
  distance.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(handle_, distance, nullptr, FILE_BEGIN) ? IO_OK
                                                                  : LastResult(IoStep::READ);
}

int WindowsFile::Size(std::uint64_t& size) {
  size = 0;
  if (handle_ == INVALID_HANDLE_VALUE) return IO_NOT_OPEN;
  LARGE_INTEGER fileSize{};
  if (!GetFileSizeEx(handle_, &fileSize)) return LastResult(IoStep::READ);
  size = static_cast<std::uint64_t>(fileSize.QuadPart);
  return IO_OK;
}

int WindowsFile::Flush() {
  if (handle_ == INVALID_HANDLE_VALUE) return IO_NOT_OPEN;
  // A handle opened for reading only has nothing to flush and is refused.
  if (FlushFileBuffers(handle_) || GetLastError() == ERROR_ACCESS_DENIED) return IO_OK;
  return LastResult(IoStep::WRITE);
}

const WindowsFile::Range* WindowsFile::HolderOf(std::uint64_t offset, std::uint64_t length) const {
  for (const Range& range : held_) {
    if (offset >= range.offset && offset - range.offset + length <= range.length) return &range;
  }
  return nullptr;
}

int WindowsFile::Lock(std::uint64_t offset, std::uint64_t length) {
  if (handle_ == INVALID_HANDLE_VALUE) return IO_NOT_OPEN;
  if (append_) return IO_NOT_SUPPORTED;
  if (length == 0) return IO_OK;  // zero bytes: nothing to lock
  // No record offset reaches this far; the POSIX backend keeps the bytes
  // above for its sharing modes, and both refuse to lock there.
  if (offset >= LOCKABLE_END || length > LOCKABLE_END - offset) return IO_LOCK_VIOLATION;
  if (HolderOf(offset, length) != nullptr) return IO_OK;
  OVERLAPPED overlapped = RangeStart(offset);
  const BOOL locked =
      LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                 static_cast<DWORD>(length), static_cast<DWORD>(length >> 32), &overlapped);
  if (!locked) return LastResult(IoStep::LOCK);
  held_.push_back({offset, length});
  return IO_OK;
}

int WindowsFile::Unlock(std::uint64_t offset, std::uint64_t length) {
  if (handle_ == INVALID_HANDLE_VALUE) return IO_NOT_OPEN;
  if (append_) return IO_NOT_SUPPORTED;
  if (length == 0) return IO_OK;
  const auto exact = std::find_if(held_.begin(), held_.end(), [&](const Range& range) {
    return range.offset == offset && range.length == length;
  });
  if (exact == held_.end() && HolderOf(offset, length) != nullptr) return IO_OK;
  OVERLAPPED overlapped = RangeStart(offset);
  const BOOL unlocked = UnlockFileEx(handle_, 0, static_cast<DWORD>(length),
                                     static_cast<DWORD>(length >> 32), &overlapped);
  if (!unlocked) return LastResult(IoStep::LOCK);
  if (exact != held_.end()) held_.erase(exact);
  return IO_OK;
}

int WindowsFile::Close() {
  if (handle_ == INVALID_HANDLE_VALUE) return IO_NOT_OPEN;
  void* handle = handle_;
  handle_ = INVALID_HANDLE_VALUE;
  held_.clear();  // the system releases them with the handle
  return CloseHandle(handle) ? IO_OK : LastResult(IoStep::WRITE);
}

int WindowsFile::Truncate() {
  if (!SetFilePointerEx(handle_, LARGE_INTEGER{}, nullptr, FILE_BEGIN) || !SetEndOfFile(handle_)) {
    return LastResult(IoStep::WRITE);
  }
  return IO_OK;
}

}  // namespace zq::platform
