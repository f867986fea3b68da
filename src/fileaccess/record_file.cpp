#include "fileaccess/record_file.h"

#include <algorithm>
#include <vector>

#include "platform/process.h"
#include "platform/text_literal.h"
#include "ui/commands.h"
#include "ui/message_box.h"
#include "ui/wait_box.h"

namespace zq::fileaccess {
namespace {

using platform::IO_OK;

// Records moved by one read and one write of InsertSorted: a register of a
// few thousand companies moves in one block, so an insertion costs the same
// few system calls (round trips on a network drive) however large it is.
constexpr std::size_t INSERT_BLOCK_BYTES = 256 * 1024;
constexpr std::int32_t INSERT_BOX_THRESHOLD = 20;
constexpr std::int32_t QUEUE_BOX_TOTAL = 29;

constexpr ShortString NET_INFO =
    "\x03 NET Info\x0d\x03"
    "DOSTĘP BLOKOWANY SIECIOWO\x0d"
    "Czy czekamy ?"_pl;

}  // namespace

RecordFile::RecordFile(SharedFileAccess& access, const ShortString& name, std::uint16_t recordSize)
    // The name is kept whole: cutting a long path would name another file.
    : access_(access), name_(name), recordSize_(recordSize == 0 ? 1 : recordSize) {}

RecordFile::~RecordFile() {
  if (!file_) return;
  if (locked_) file_->Unlock(0, WHOLE_FILE_LENGTH);
  file_->Close();
}

bool RecordFile::Fail(int result) {
  lastError_ = result;
  return result == IO_OK;
}

ShortString RecordFile::CreateQuestion() const {
  return "\x03Utworzyć nowy ?"_pl;
}

bool RecordFile::Open(WaitMode wait, OpenMode mode) {
  lastError_ = IO_OK;
  switch (mode) {
    case OpenMode::CREATE:
      return Create();
    case OpenMode::CREATE_TEMPORARY:
      name_ = access_.tempFiles.TempFileNameTmp(name_);
      if (!Create()) return false;
      state_ = FileState::TEMPORARY;
      return true;
    case OpenMode::OPEN_OR_CREATE:
    case OpenMode::OPEN_EXISTING:
    case OpenMode::OPEN_OR_ASK:
      break;
  }
  // A file that could not be looked at may well exist: creating it would
  // empty it.
  const LookUpResult lookUp = LookUp();
  if (lookUp == LookUpResult::REFUSED) return false;
  if (lookUp == LookUpResult::FOUND) {
    if (Retry(Operation::SHARED_OPEN, wait, 0)) return true;
    if (mode != OpenMode::OPEN_EXISTING && lastError_ == platform::IO_ACCESS_DENIED) {
      ui::ShowError(access_.toolkit,
                    "\x03"
                    "Dostęp do pliku\x0d\x03"_pl +
                        name_ +
                        "\x0d\x03"
                        "Zabronony !(?)"_pl);
    }
    return false;
  }
  if (mode == OpenMode::OPEN_EXISTING) return false;
  if (mode == OpenMode::OPEN_OR_ASK &&
      ui::MessageBox(access_.toolkit, ui::MB_CONFIRMATION | ui::MB_YES | ui::MB_NO,
                     "\x03Nie odnaleziono pliku:\x0d\x03"_pl + name_ + "\x0d"_pl + CreateQuestion(),
                     10, 40, 10, 20) != ui::CM_YES) {
    return false;
  }
  return Create();
}

bool RecordFile::Create() {
  int result = IO_OK;
  file_ = access_.files.Open(name_, platform::Access::READ_WRITE, platform::Share::DENY_NONE,
                             platform::Disposition::CREATE_ALWAYS, result);
  if (!Fail(result)) return false;
  state_ = FileState::CREATED;
  return true;
}

// Opens with the object's own open code; a sharing violation is tried again
// 30 times, 50 ms apart.
bool RecordFile::SharedOpen() {
  for (int retries = 0;; ++retries) {
    int result = IO_OK;
    file_ = FileModes::OpenExisting(access_.files, name_, openCode_, result);
    lastError_ = result;
    if (result != platform::IO_SHARING_VIOLATION || retries >= RETRY_COUNT) break;
    access_.clock.Sleep(RETRY_DELAY_MS);
  }
  if (lastError_ != IO_OK) return false;
  state_ = FileState::OPENED;
  return true;
}

RecordFile::LookUpResult RecordFile::LookUp() {
  int failures = 0;
  for (;;) {
    std::vector<platform::DirEntry> found;
    const int result = access_.files.Search(name_, platform::ATTR_FILES, found);
    lastError_ = result;
    if (result == IO_OK) return found.empty() ? LookUpResult::ABSENT : LookUpResult::FOUND;
    switch (result) {
      case platform::IO_ACCESS_DENIED:
      case platform::IO_SHARING_VIOLATION:
      case platform::IO_LOCK_VIOLATION:
        // The first question comes at the fifth refusal, later ones at every fourth.
        if (failures >= 4) {
          const std::uint16_t answer = ui::ShowMessage(
              access_.toolkit, ui::MB_WARNING | ui::MB_YES | ui::MB_NO,
              "\x03"
              "Dostęp do pliku\x0d\x03"_pl +
                  name_ + "\x0d\x03niemożliwy/zabroniony !\x0d\x03Ponowić próbę ?"_pl);
          if (answer == ui::CM_NO) return LookUpResult::REFUSED;
          failures = 0;
        }
        ++failures;
        access_.clock.Sleep(ACCESS_RETRY_DELAY_MS);
        break;
      case 10:
      case platform::IO_BAD_NAME:
        ui::ShowError(access_.toolkit, "\x03Niepoprawny format nazwy\x0d\x03"_pl + name_);
        return LookUpResult::REFUSED;
      case platform::IO_FILE_NOT_FOUND:
      case platform::IO_PATH_NOT_FOUND:
      case platform::IO_NO_MORE_FILES:
        return LookUpResult::ABSENT;
      default:
        return LookUpResult::REFUSED;
    }
  }
}

bool RecordFile::Close() {
  lastError_ = IO_OK;
  if (!file_) return Fail(platform::IO_NOT_OPEN);
  const int result = file_->Close();
  file_.reset();
  locked_ = false;
  if (!Fail(result)) return false;
  state_ = FileState::CLOSED;
  return true;
}

bool RecordFile::SeekBytes(std::uint64_t offset) {
  if (!file_) return Fail(platform::IO_NOT_OPEN);
  return Fail(file_->Seek(offset));
}

bool RecordFile::Seek(std::int32_t index) {
  lastError_ = IO_OK;
  if (index < 0) return Fail(platform::IO_READ_FAULT);
  return SeekBytes(static_cast<std::uint64_t>(index) * static_cast<std::uint64_t>(recordSize_));
}

bool RecordFile::SeekEnd(std::int32_t& count) {
  lastError_ = IO_OK;
  count = -1;
  std::uint64_t size = 0;
  if (!file_) return Fail(platform::IO_NOT_OPEN);
  if (!Fail(file_->Size(size))) return false;
  const std::uint64_t records = size / static_cast<std::uint64_t>(recordSize_);
  if (!SeekBytes(records * static_cast<std::uint64_t>(recordSize_))) return false;
  count = static_cast<std::int32_t>(std::min<std::uint64_t>(records, INT32_MAX));
  return true;
}

bool RecordFile::ReadRecord(RecordBuffer buffer) {
  const auto size = static_cast<std::size_t>(recordSize_);
  std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
  transferCount_ = 0;
  if (!file_) return Fail(platform::IO_NOT_OPEN);
  if (buffer.size() < size) return Fail(platform::IO_READ_FAULT);
  std::size_t done = 0;
  if (!Fail(file_->Read(buffer.data(), size, done)) || done != size) {
    std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
    return false;
  }
  transferCount_ = 1;
  return true;
}

bool RecordFile::WriteRecord(RecordView buffer) {
  const auto size = static_cast<std::size_t>(recordSize_);
  transferCount_ = 0;
  if (!file_) return Fail(platform::IO_NOT_OPEN);
  if (buffer.size() < size) return Fail(platform::IO_WRITE_FAULT);
  std::size_t done = 0;
  if (!Fail(file_->Write(buffer.data(), size, done)) || done != size) return false;
  transferCount_ = 1;
  return true;
}

bool RecordFile::ReadAt(std::int32_t index, RecordBuffer buffer) {
  if (Seek(index) && ReadRecord(buffer)) return true;
  std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
  return false;
}

bool RecordFile::WriteAt(std::int32_t index, RecordView buffer) {
  return Seek(index) && WriteRecord(buffer);
}

bool RecordFile::Append(RecordView buffer) {
  std::int32_t count = 0;
  return SeekEnd(count) && WriteRecord(buffer);
}

bool RecordFile::Flush() {
  lastError_ = IO_OK;
  if (!file_) return Fail(platform::IO_NOT_OPEN);
  return Fail(file_->Flush());
}

bool RecordFile::LockRecord(std::int32_t index) {
  return Retry(Operation::LOCK_RECORD, WaitMode::ASK, index);
}

bool RecordFile::LockWholeFile(WaitMode wait) {
  locked_ = Retry(Operation::LOCK_WHOLE_FILE, wait, 0);
  return locked_;
}

bool RecordFile::UnlockWholeFile() {
  if (!locked_) return true;
  if (!Retry(Operation::UNLOCK_WHOLE_FILE, WaitMode::ASK, 0)) return false;
  locked_ = false;
  return true;
}

bool RecordFile::Perform(Operation operation, std::int32_t argument) {
  lastError_ = IO_OK;
  if (operation == Operation::SHARED_OPEN) return SharedOpen();
  if (!file_) return Fail(platform::IO_NOT_OPEN);
  const auto size = static_cast<std::uint64_t>(recordSize_);
  switch (operation) {
    case Operation::LOCK_RECORD:
      if (argument < 0) return Fail(platform::IO_LOCK_VIOLATION);
      if (!Fail(file_->Lock(static_cast<std::uint64_t>(argument) * size, size))) return false;
      locked_ = true;
      return true;
    case Operation::LOCK_WHOLE_FILE:
      return Fail(file_->Lock(0, WHOLE_FILE_LENGTH));
    case Operation::UNLOCK_WHOLE_FILE:
      return Fail(file_->Unlock(0, WHOLE_FILE_LENGTH));
    case Operation::SHARED_OPEN:
      break;
  }
  return false;
}

bool RecordFile::Retry(Operation operation, WaitMode wait, std::int32_t argument) {
  ui::WaitBox queueBox(access_.toolkit);
  bool queueBoxOpen = false;
  int attempt = 1;
  bool done = false;
  for (;;) {
    done = Perform(operation, argument);
    // The shared open retries sharing violations itself.
    if (done || operation == Operation::SHARED_OPEN) break;
    ++attempt;
    switch (wait) {
      case WaitMode::NO_WAIT:
        break;
      case WaitMode::ASK:
        if (attempt > RETRY_COUNT) {
          if (ui::ShowMessage(access_.toolkit, ui::MB_INFORMATION | ui::MB_YES | ui::MB_NO,
                              NET_INFO) == ui::CM_YES) {
            attempt = 1;
          }
        } else {
          access_.clock.Sleep(RETRY_DELAY_MS);
        }
        break;
      case WaitMode::QUEUE:
        if (attempt > RETRY_COUNT) {
          attempt = 1;
          if (queueBoxOpen) {
            queueBox.WaitBoxReset();
          } else {
            queueBoxOpen = queueBox.WaitBoxOpen(QUEUE_BOX_TOTAL, "Sieciowa KOLEJKA "_pl, ""_pl);
          }
        } else {
          if (queueBoxOpen) queueBox.WaitBoxStep(1);
          access_.clock.Sleep(RETRY_DELAY_MS);
        }
        break;
    }
    if (attempt > RETRY_COUNT) break;
  }
  queueBox.WaitBoxClose();
  access_.toolkit.events.FlushKeys();
  return done;
}

void RecordFile::FatalIOError(std::string_view what) {
  const std::uint16_t answer =
      ui::ShowMessage(access_.toolkit, ui::MB_ERROR | ui::MB_YES | ui::MB_NO,
                      "\x03Poważny BŁĄD I/O.\x0d\x03"_pl + what +
                          "\x0d\x0d\x03"
                          "Czy KONTYNUOWAĆ PRACĘ ?"_pl);
  if (answer != ui::CM_YES) throw platform::ProgramExit{255};
}

// Records first .. first + count - 1 into `block`. When the run cannot be
// read in one go, each record is read on its own, so that every record that
// cannot be read is reported and reads as zeros, as record by record.
void RecordFile::ReadRecords(std::int32_t first, std::int32_t count,
                             std::vector<std::uint8_t>& block) {
  const auto size = static_cast<std::size_t>(recordSize_);
  block.assign(static_cast<std::size_t>(count) * size, 0);
  std::size_t done = 0;
  if (Seek(first) && Fail(file_->Read(block.data(), block.size(), done)) && done == block.size())
    return;
  for (std::int32_t i = 0; i < count; ++i) {
    const RecordBuffer record(block.data() + static_cast<std::size_t>(i) * size, size);
    if (!ReadAt(first + i, record)) FatalIOError("odczytu"_pl + " danych"_pl);
  }
}

// Writes `count` records of `data` one record higher than `first`. When the
// run cannot be written in one go, the records are written one by one from
// the top, each failure reported, as record by record.
void RecordFile::MoveUp(std::int32_t first, const std::uint8_t* data, std::int32_t count) {
  const auto size = static_cast<std::size_t>(recordSize_);
  const std::size_t bytes = static_cast<std::size_t>(count) * size;
  std::size_t done = 0;
  if (Seek(first + 1) && Fail(file_->Write(data, bytes, done)) && done == bytes) return;
  for (std::int32_t i = count - 1; i >= 0; --i) {
    const RecordView record(data + static_cast<std::size_t>(i) * size, size);
    if (!WriteAt(first + 1 + i, record)) FatalIOError("zapisu"_pl + " danych"_pl);
  }
}

// Moves every record after which `record` belongs up by one, last block
// first, so that nothing is overwritten before it has been read; answers
// the index where the record belongs. `count` includes the appended record.
std::int32_t RecordFile::OpenPlaceFor(RecordView record, std::int32_t count, ui::WaitBox& box) {
  const auto size = static_cast<std::size_t>(recordSize_);
  const auto blockRecords =
      static_cast<std::int32_t>(std::max<std::size_t>(1, INSERT_BLOCK_BYTES / size));
  std::vector<std::uint8_t> block;
  for (std::int32_t last = count - 2; last >= 0;) {
    const std::int32_t first = std::max(0, last - blockRecords + 1);
    ReadRecords(first, last - first + 1, block);
    std::int32_t index = last;
    for (; index >= first; --index) {
      position_ = index;
      box.WaitBoxStep(1);
      const RecordView existing(block.data() + static_cast<std::size_t>(index - first) * size,
                                size);
      if (Compare(record, existing) >= 0) break;
    }
    const std::int32_t moveFrom = index + 1;  // records moveFrom .. last move up by one
    if (moveFrom <= last) {
      MoveUp(moveFrom, block.data() + static_cast<std::size_t>(moveFrom - first) * size,
             last - moveFrom + 1);
    }
    if (index >= first) return moveFrom;
    last = first - 1;
  }
  return 0;
}

// The result on disk is that of inserting record by record from the end:
// every record from the insertion point on moves up by one, and the new one
// takes its place.
bool RecordFile::InsertSorted(RecordView record) {
  if (!LockWholeFile(WaitMode::ASK)) return false;
  const bool appended = Append(record);
  if (!appended) FatalIOError("dopisania do "_pl + " pliku"_pl);
  std::int32_t count = 0;
  const bool counted = SeekEnd(count);
  if (!counted) FatalIOError("ustawienia końca"_pl + " pliku"_pl);

  ui::WaitBox insertBox(access_.toolkit);
  if (count > INSERT_BOX_THRESHOLD) insertBox.WaitBoxOpen(count, "Wstawianie..."_pl, ""_pl);
  bool inserted = false;
  // Records move only when the new one stands at the end: after a failed
  // append, moving them would overwrite the last record, and the insertion
  // fails instead.
  if (appended && counted) {
    position_ = count > 1 ? OpenPlaceFor(record, count, insertBox) : 0;
    inserted = count == 1 || WriteAt(position_, record);
  }
  insertBox.WaitBoxClose();
  // On the disk before another station may read it: a crash or a dropped
  // network drive after the unlock loses nothing. Its result does not change
  // the insertion's.
  Flush();
  if (!UnlockWholeFile()) FatalIOError("odblokowania"_pl + " pliku"_pl);
  if (!inserted) FatalIOError("wstawienia do"_pl + " pliku"_pl);
  return inserted;
}

}  // namespace zq::fileaccess
