#pragma once
// The copy engine: every file carried from the source tree to the target tree
// goes through it, as a text copy line by line, a whole-file copy, a record
// copy with an optional filter or a record conversion from one record size to
// another. All four share the overwrite policy, which asks the operator in the
// progress log what to do with a target that exists already, and report what
// they do as lines of the log. Failures are log lines; no failure ends the
// run.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "platform/files.h"
#include "platform/short_string.h"
#include "transfer/copy_tally.h"
#include "transfer/progress_log.h"
#include "transfer/record_stream.h"

namespace zq::transfer {

// May change the line; false drops it.
using LineFilter = std::function<bool(std::string& line)>;
// May change the record in place; false drops it.
using RecordFilter = std::function<bool(std::span<std::uint8_t> record)>;
// Fills the target record from the source record (which it may change in
// place); false drops the record.
using RecordConverter =
    std::function<bool(std::span<std::uint8_t> source, std::span<std::uint8_t> target)>;

// The operator's standing answer to the overwrite question.
inline constexpr std::int16_t POLICY_ASK = 0;
inline constexpr std::int16_t POLICY_REPLACE_ALL = -1;
inline constexpr std::int16_t POLICY_KEEP_ALL = 1;

class CopyEngine {
 public:
  CopyEngine(platform::FileSystem& files, ProgressLog& log) : files_(files), log_(log) {}

  // True keeps the existing target (skip the copy), false copies over it. Asks
  // the operator unless an earlier answer holds for every file.
  bool AskKeepExisting(std::string_view target);

  void CopyTextFile(std::string_view source, std::string_view target, const LineFilter& filter);
  bool CopyWholeFile(std::string_view source, std::string_view target);
  bool CopyRecordFile(std::string_view source, std::string_view target, std::uint16_t recordSize,
                      const RecordFilter& filter);
  bool ConvertRecordFile(std::string_view source, std::string_view target, std::uint16_t sourceSize,
                         std::uint16_t targetSize, const RecordConverter& converter);

  std::int16_t OverwritePolicy() const { return overwritePolicy_; }
  // While set, an existing target of a record copy or conversion is extended
  // at its end, without a question.
  void SetAppendToExisting(bool append) { appendToExisting_ = append; }
  bool AppendToExisting() const { return appendToExisting_; }
  // Set to 1 by every record copy and raised by one for each record read
  // (the read that finds the end included) and each record written.
  const std::int32_t& RecordCopyCounter() const { return recordCopyCounter_; }

  // What every copy since the engine was made has carried.
  const CopyTally& Tally() const { return tally_; }
  // The notes of the copies made since the last call, handed over.
  CopyNotes TakeNotes() { return std::exchange(notes_, {}); }

 private:
  enum class Ending { FINISHED, READ_ERROR, WRITE_ERROR, SHORT_WRITE };
  struct OpenFiles {
    std::unique_ptr<platform::File> source;
    std::unique_ptr<platform::File> target;
    std::uint64_t sourceRecords = 0;  // as the source's size counts them, a short last one too
  };

  std::unique_ptr<platform::File> OpenSource(std::string_view source);
  // Creates the target, or opens it at its end to append.
  std::unique_ptr<platform::File> OpenTarget(std::string_view target, bool append);
  // The common start of a record copy: the checks, the opens and the headline.
  // The copy's result when it ends there; nothing when both files are open.
  std::optional<bool> StartRecordCopy(std::string_view source, std::string_view target,
                                      std::size_t recordSize, std::uint16_t targetSize,
                                      bool pauseAfterHeadline, OpenFiles& opened);

  // The copy loops. `counter` rises by one for each record read (the read
  // that finds the end or fails included) and each record written, and ends
  // where it would stand had every record been read and written by itself.
  // Every record as it was read, many at a time:
  static Ending CopyRuns(RecordReader& reader, RecordWriter& writer, std::int32_t& counter);
  Ending CopyWholeContent(platform::File& input, platform::File& output);
  // Record by record; `step` (record, bytes read, output) decides whether a
  // record is written and what is written for it.
  template <typename Step>
  Ending CopyEach(RecordReader& reader, RecordWriter& writer, std::int32_t& counter, Step step);
  static Ending AfterReadFailure(RecordWriter& writer, std::int32_t& counter);
  static Ending AtEnd(RecordWriter& writer, std::int32_t& counter);
  static Ending AfterWriteFailure(const RecordWriter& writer, std::int32_t& counter);
  // Notes a copy whose data are about to move.
  void NoteCopy(std::string_view target, std::uint64_t sourceRecords, std::uint64_t targetStart,
                std::uint16_t targetSize);
  // Counts a copy that went through: the file, and the records its note
  // says were written.
  void CountFinished(bool finished, bool records);
  // Logs how a copy ended and closes both files; true when the target closed.
  bool FinishCopy(Ending ending, std::unique_ptr<platform::File> source,
                  std::string_view sourceName, std::unique_ptr<platform::File> target,
                  std::string_view targetName);
  void ReportFailure(std::string_view text);

  platform::FileSystem& files_;
  ProgressLog& log_;
  std::int16_t overwritePolicy_ = POLICY_ASK;
  bool appendToExisting_ = false;
  std::int32_t recordCopyCounter_ = 0;
  CopyTally tally_;
  CopyNotes notes_;
  BlockStorage readBlocks_;
  BlockStorage writeBlocks_;
};

}  // namespace zq::transfer
