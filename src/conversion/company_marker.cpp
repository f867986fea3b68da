#include "conversion/company_marker.h"

#include <array>
#include <string>

#include "conversion/company_paths.h"
#include "transfer/run_log_file.h"

namespace zq::conversion {
namespace {

using platform::IO_OK;

// The text fills a fixed block, so a new text always covers an older one.
constexpr std::size_t TEXT_BYTES = 96;
// The lock lies beyond the text: a station reading the text is never refused
// where locks bind reads too.
constexpr std::uint64_t LOCK_OFFSET = 1u << 20;

std::unique_ptr<platform::File> OpenMarker(platform::FileSystem& files, const ShortString& path,
                                           platform::Access access, platform::Disposition how) {
  int result = IO_OK;
  return files.Open(path, access, platform::Share::DENY_NONE, how, result);
}

// What a marker holding `content` says; a marker left before its text was
// written says nothing, and is still a marker.
ShortString Said(std::string_view content) {
  content = content.substr(0, content.find_first_of("\r\n"));
  while (!content.empty() && content.back() == ' ') content.remove_suffix(1);
  return content.empty() ? ShortString("?") : ShortString(content);
}

ShortString ReadText(platform::File& file) {
  std::array<char, TEXT_BYTES> text{};
  std::size_t done = 0;
  if (file.Seek(0) != IO_OK || file.Read(text.data(), text.size(), done) != IO_OK) done = 0;
  return Said(std::string_view(text.data(), done));
}

}  // namespace

MarkerLook LookAtMarker(platform::FileSystem& files, const ShortString& directory) {
  const auto path = FileIn(directory, COMPANY_MARKER);
  if (!path) return {};
  const auto file =
      OpenMarker(files, *path, platform::Access::READ_WRITE, platform::Disposition::OPEN_EXISTING);
  if (!file) return {};
  MarkerLook look{MarkerState::UNFINISHED, ReadText(*file)};
  if (file->Lock(LOCK_OFFSET, 1) != IO_OK) {
    look.state = MarkerState::HELD;
  } else {
    file->Unlock(LOCK_OFFSET, 1);
  }
  file->Close();
  return look;
}

MarkerLook CompanyMarker::Claim(const ShortString& directory) {
  Release();
  const auto path = FileIn(directory, COMPANY_MARKER);
  if (!path) return {};
  // Opened before it is created, so another converter's marker is never
  // emptied before its lock is tried.
  auto file =
      OpenMarker(files_, *path, platform::Access::READ_WRITE, platform::Disposition::OPEN_EXISTING);
  if (!file) {
    file = OpenMarker(files_, *path, platform::Access::READ_WRITE,
                      platform::Disposition::CREATE_ALWAYS);
  }
  if (!file) return {};
  if (file->Lock(LOCK_OFFSET, 1) != IO_OK) return {MarkerState::HELD, ReadText(*file)};
  std::string text = transfer::TimeStamp(clock_.Now()) + station_.str();
  text.resize(TEXT_BYTES - 2, ' ');
  text += "\r\n";
  // Not flushed to the disk: what marks the company is the marker's entry,
  // made before any file of the company, and a file system that keeps its
  // entries in order (a journal, or the server of a network drive) keeps it
  // whenever it keeps what was written after it. A flush here would make
  // every company wait for the disk once more.
  std::size_t done = 0;
  if (file->Seek(0) != IO_OK || file->Write(text.data(), text.size(), done) != IO_OK ||
      done != text.size()) {
    return {};
  }
  path_ = *path;
  held_ = std::move(file);
  return {MarkerState::UNFINISHED, Said(text)};
}

bool CompanyMarker::Finish() {
  if (!held_) return true;
  // Erased while still held, so no other converter takes it in between;
  // where an open file cannot be erased, just after.
  if (files_.Erase(path_) == IO_OK) {
    Release();
    return true;
  }
  Release();
  return files_.Erase(path_) == IO_OK;
}

void CompanyMarker::Release() {
  if (!held_) return;
  held_->Unlock(LOCK_OFFSET, 1);
  held_->Close();
  held_.reset();
}

}  // namespace zq::conversion
