#pragma once
// Files of fixed-size records shared with other stations on a network
// drive: opened for shared use and retried while another station holds
// them, read and written by record index, locked by byte ranges through a
// retry engine that asks the operator when a lock stays refused, and kept in
// key order by sorted insertion under a whole-file lock.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "fileaccess/record_fields.h"
#include "fileaccess/shared_file_access.h"
#include "platform/files.h"
#include "platform/short_string.h"
#include "ui/wait_box.h"

namespace zq::fileaccess {

inline constexpr int RETRY_COUNT = 30;
inline constexpr int RETRY_DELAY_MS = 50;
inline constexpr int ACCESS_RETRY_DELAY_MS = 500;
// The whole-file lock covers the bytes 0 .. 0x7FFFFFFE.
inline constexpr std::uint64_t WHOLE_FILE_LENGTH = 0x7FFFFFFF;

enum class WaitMode : std::uint8_t {
  NO_WAIT = 0,  // 30 attempts without pause
  ASK = 1,      // cycles of 30 attempts 50 ms apart; after each the operator chooses
  QUEUE = 2,    // never gives up; a wait box shows the cycles
};

enum class OpenMode : std::uint8_t {
  OPEN_OR_CREATE = 0,
  OPEN_EXISTING = 1,
  CREATE = 2,
  CREATE_TEMPORARY = 3,  // the name is a directory; a new temporary file is made in it
  OPEN_OR_ASK = 4,       // a missing file is created only when the operator agrees
};

enum class FileState : std::uint8_t { CLOSED = 0, OPENED = 1, CREATED = 2, TEMPORARY = 3 };

class RecordFile {
 public:
  // Init: a record size of 0 counts as 1.
  RecordFile(SharedFileAccess& access, const ShortString& name, std::uint16_t recordSize);
  // Done: releases a held whole-file lock and closes the file.
  virtual ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  bool Open(WaitMode wait, OpenMode mode);
  bool Close();
  bool Seek(std::int32_t index);
  // The file size in records (a short record at the end does not count), and
  // the file positioned there; -1 and false when the size cannot be read.
  bool SeekEnd(std::int32_t& count);
  // A failed read leaves the buffer zero-filled, never with stale data.
  bool ReadAt(std::int32_t index, RecordBuffer buffer);
  bool WriteAt(std::int32_t index, RecordView buffer);
  bool Append(RecordView buffer);
  bool LockRecord(std::int32_t index);
  bool LockWholeFile(WaitMode wait);
  bool UnlockWholeFile();
  bool Flush();
  // Inserts the record at its place in the order of Compare: after every
  // record whose key is not greater. The whole file stays locked from before
  // the new record is appended to after the last record is moved, so another
  // station never sees it half-shifted.
  bool InsertSorted(RecordView record);
  // "Poważny BŁĄD I/O": the program goes on only when the operator says so,
  // otherwise it ends with exit code 255.
  void FatalIOError(std::string_view what);
  // Existence check with the operator's retry dialogue when the file is
  // refused (access denied, shared or locked elsewhere).
  bool CheckAccess() { return LookUp() == LookUpResult::FOUND; }

  const ShortString& GetName() const { return name_; }
  FileState State() const { return state_; }
  bool Locked() const { return locked_; }
  int LastError() const { return lastError_; }
  std::int32_t Position() const { return position_; }
  std::int32_t RecordSize() const { return recordSize_; }

  // The question added to the box about a missing file in OPEN_OR_ASK.
  virtual ShortString CreateQuestion() const;
  // Negative exactly when `existingRecord` sorts after `newRecord`.
  virtual int Compare(RecordView newRecord, RecordView existingRecord) const = 0;
  // The text that Compare orders by.
  virtual ShortString KeyText(RecordView record) const = 0;

 protected:
  virtual bool ReadRecord(RecordBuffer buffer);
  virtual bool WriteRecord(RecordView buffer);

 private:
  enum class Operation : std::uint8_t {
    SHARED_OPEN,
    LOCK_RECORD,
    LOCK_WHOLE_FILE,
    UNLOCK_WHOLE_FILE
  };

  enum class LookUpResult : std::uint8_t {
    FOUND,
    ABSENT,   // no such file or path: the only answer that lets an open create it
    REFUSED,  // refused and given up, a bad name, or any other failure
  };
  // CheckAccess, telling a file that is really absent from one that could
  // not be looked at.
  LookUpResult LookUp();
  bool Retry(Operation operation, WaitMode wait, std::int32_t argument);
  bool Perform(Operation operation, std::int32_t argument);
  bool SharedOpen();
  bool Create();
  bool SeekBytes(std::uint64_t offset);
  // InsertSorted's steps: whole runs of records in one call each.
  void ReadRecords(std::int32_t first, std::int32_t count, std::vector<std::uint8_t>& block);
  void MoveUp(std::int32_t first, const std::uint8_t* data, std::int32_t count);
  std::int32_t OpenPlaceFor(RecordView record, std::int32_t count, ui::WaitBox& box);
  bool Fail(int result);

  SharedFileAccess& access_;
  ShortString name_;
  std::uint8_t openCode_ = SHARED_READ_WRITE;
  FileState state_ = FileState::CLOSED;
  std::int32_t transferCount_ = 0;
  std::int32_t recordSize_ = 1;
  bool locked_ = false;
  int lastError_ = platform::IO_OK;
  std::int32_t position_ = 0;
  std::unique_ptr<platform::File> file_;
};

}  // namespace zq::fileaccess
