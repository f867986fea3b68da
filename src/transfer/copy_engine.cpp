#include "transfer/copy_engine.h"

#include <vector>

#include "platform/text_file.h"
#include "platform/text_literal.h"
#include "transfer/file_queries.h"
#include "transfer/record_stream.h"
#include "ui/polish_text.h"

namespace zq::transfer {
namespace {

using platform::IO_OK;

// A whole-file copy moves its data in chunks of this size; a read or write
// failure loses at most the chunk it happens in.
constexpr std::size_t WHOLE_FILE_CHUNK = 2048;

// The counter wraps instead of overflowing on an absurdly long file.
void Advance(std::int32_t& counter) {
  counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) + 1u);
}

}  // namespace

void CopyEngine::ReportFailure(std::string_view text) {
  log_.SetLogColour(LOG_ERROR);
  log_.LogWriteLn(text);
  log_.SetLogColour(LOG_NORMAL);
  log_.WaitForKey();
}

bool CopyEngine::AskKeepExisting(std::string_view target) {
  if (overwritePolicy_ == POLICY_KEEP_ALL) return true;
  if (overwritePolicy_ == POLICY_REPLACE_ALL) return false;
  log_.SetLogColour(LOG_ERROR);
  log_.LogWriteLn("Stwierdzono obecność pliku "_pl + target);
  log_.SetLogColour(LOG_NOTICE);
  log_.LogWriteLn(" W-wykonaj kopiownie (zastępując) [A-i wszystkie następne]  "_pl);
  log_.SetLogColour(LOG_NOTICE);
  log_.LogWriteLn(" Z-zostaw plik                    [N-i wszystkie następne] ?"_pl);
  log_.SetLogColour(LOG_EMPHASIS);
  log_.LogWrite("---->  Z(n)/W(a)"_pl);
  char answer = 0;
  while (answer != 'A' && answer != 'N' && answer != 'W' && answer != 'Z') {
    answer = ui::UpCasePL(log_.WaitForKey());
  }
  log_.RecordAnswer(std::string_view(&answer, 1));
  log_.SetLogColour(LOG_NORMAL);
  log_.LogWriteLn();
  switch (answer) {
    case 'A':
      overwritePolicy_ = POLICY_REPLACE_ALL;
      return false;
    case 'N':
      overwritePolicy_ = POLICY_KEEP_ALL;
      return true;
    case 'W':
      return false;
    default:  // 'Z'
      return true;
  }
}

std::unique_ptr<platform::File> CopyEngine::OpenSource(std::string_view source) {
  int result = IO_OK;
  return files_.Open(ShortString(source), platform::Access::READ, platform::Share::DENY_NONE,
                     platform::Disposition::OPEN_EXISTING, result);
}

std::unique_ptr<platform::File> CopyEngine::OpenTarget(std::string_view target, bool append) {
  int result = IO_OK;
  auto file = files_.Open(
      ShortString(target), platform::Access::WRITE, platform::Share::DENY_NONE,
      append ? platform::Disposition::OPEN_EXISTING : platform::Disposition::CREATE_ALWAYS, result);
  if (file && append) {
    std::uint64_t size = 0;
    if (file->Size(size) != IO_OK || file->Seek(size) != IO_OK) return nullptr;
  }
  return file;
}

void CopyEngine::CopyTextFile(std::string_view source, std::string_view target,
                              const LineFilter& filter) {
  if (FileSizeByName(files_, source) == 0) return;
  const auto input = OpenSource(source);
  if (!input) {
    ReportFailure("Błąd otwarcia pliku "_pl + source);
    return;
  }
  if (FileSizeByName(files_, target) > 0 && AskKeepExisting(target)) return;
  const auto output = OpenTarget(target, false);
  if (!output) {
    ReportFailure("Błąd utworzenia pliku "_pl + target);
    return;
  }
  log_.SetLogColour(LOG_COPY);
  log_.LogWriteLn("Kopiuję plik "_pl + source);
  log_.SetLogColour(LOG_NORMAL);

  // These failures are shown without a key wait: the copy goes on with the
  // next file at once.
  const auto reportQuietly = [this](std::string_view text) {
    log_.SetLogColour(LOG_ERROR);
    log_.LogWriteLn(text);
  };
  platform::TextReader reader(*input);
  platform::TextWriter writer(*output);
  std::string line;
  bool written = true;
  while (reader.ReadLine(line)) {
    if (filter && !filter(line)) continue;
    if (writer.WriteLine(line) != IO_OK) {
      written = false;
      break;
    }
  }
  // Lines wait in the writer's buffer: they reach the file before a read
  // failure is reported, as they would have if each line went out by itself.
  if (written && writer.Flush() != IO_OK) written = false;
  if (!written) {
    reportQuietly("Błąd zapisu do pliku "_pl + target);
  } else if (reader.Result() != IO_OK) {
    reportQuietly("Błąd odczytu z pliku "_pl + source);
  } else {
    ++tally_.files;
  }
  // Both files close when they go out of scope; errors of that close are not
  // reported.
}

bool CopyEngine::CopyWholeFile(std::string_view source, std::string_view target) {
  const std::uint64_t sourceSize = FileSizeByName(files_, source);
  if (sourceSize == 0) return true;
  if (FileSizeByName(files_, target) > 0 && AskKeepExisting(target)) return true;
  auto input = OpenSource(source);
  if (!input) {
    ReportFailure("Błąd otwarcia pliku "_pl + source);
    return false;
  }
  auto output = OpenTarget(target, false);
  if (!output) {
    ReportFailure("Błąd Utworzenia pliku "_pl + target);
    return false;
  }
  log_.SetLogColour(LOG_COPY);
  log_.LogWriteLn("Kopiuję "_pl + source + "  " + ui::IntToStr(static_cast<long long>(sourceSize)) +
                  " bytów..."_pl);
  log_.SetLogColour(LOG_NORMAL);
  NoteCopy(target, sourceSize, 0, 1);
  const Ending ending = CopyWholeContent(*input, *output);
  const bool result = FinishCopy(ending, std::move(input), source, std::move(output), target);
  CountFinished(result && ending == Ending::FINISHED, false);
  log_.PauseIfSlow();
  return result;
}

// Inside the system where it can (as cp does), else through the program's
// own blocks.
CopyEngine::Ending CopyEngine::CopyWholeContent(platform::File& input, platform::File& output) {
  std::uint64_t copied = 0;
  bool targetFailed = false;
  const int result = input.CopyTo(output, copied, targetFailed);
  if (result == IO_OK) return Ending::FINISHED;
  if (result != platform::IO_NOT_SUPPORTED)
    return targetFailed ? Ending::WRITE_ERROR : Ending::READ_ERROR;
  RecordReader reader(input, WHOLE_FILE_CHUNK, readBlocks_);
  RecordWriter writer(output, WHOLE_FILE_CHUNK, writeBlocks_);
  std::int32_t chunks = 0;
  return CopyRuns(reader, writer, chunks);
}

std::optional<bool> CopyEngine::StartRecordCopy(std::string_view source, std::string_view target,
                                                std::size_t recordSize, std::uint16_t targetSize,
                                                bool pauseAfterHeadline, OpenFiles& opened) {
  const std::uint64_t sourceSize = FileSizeByName(files_, source);
  if (sourceSize == 0) {
    log_.SetLogColour(LOG_NOTICE);
    log_.LogWriteLn("Brak pliku źródłowego "_pl + source);
    log_.SetLogColour(LOG_NORMAL);
    log_.PauseIfSlow();
    return true;
  }
  bool append = false;
  const std::uint64_t existing = FileSizeByName(files_, target);
  if (existing > 0) {
    if (appendToExisting_) {
      append = true;
    } else if (AskKeepExisting(target)) {
      return false;
    }
  }
  opened.source = OpenSource(source);
  if (!opened.source) {
    ReportFailure("Błąd otwarcia pliku "_pl + source);
    return false;
  }
  opened.target = OpenTarget(target, append);
  if (!opened.target) {
    ReportFailure("Błąd Utworzenia pliku "_pl + target);
    return false;
  }
  // A record size of 0 cannot come from the system's own tables; it counts as
  // a file of no records rather than a division by zero.
  const std::uint64_t records = recordSize == 0 ? 0 : sourceSize / recordSize;
  // A short last record is carried too.
  opened.sourceRecords = recordSize == 0 ? 0 : (sourceSize + recordSize - 1) / recordSize;
  NoteCopy(target, opened.sourceRecords, append ? existing : 0, targetSize);
  log_.SetLogColour(LOG_COPY);
  log_.LogWriteLn("Kopiuje "_pl + source + "  " + ui::IntToStr(static_cast<long long>(records)) +
                  " pozycji ..."_pl);
  if (pauseAfterHeadline) log_.PauseIfSlow();
  log_.SetLogColour(LOG_NORMAL);
  return std::nullopt;
}

bool CopyEngine::CopyRecordFile(std::string_view source, std::string_view target,
                                std::uint16_t recordSize, const RecordFilter& filter) {
  recordCopyCounter_ = 1;
  OpenFiles opened;
  if (const auto early = StartRecordCopy(source, target, recordSize, recordSize, false, opened))
    return *early;
  const std::uint64_t bytes = opened.sourceRecords * recordSize;
  RecordReader reader(*opened.source, recordSize, readBlocks_, bytes);
  RecordWriter writer(*opened.target, recordSize, writeBlocks_, bytes);
  const auto keepFiltered = [&filter](std::span<std::uint8_t> record, std::size_t done,
                                      std::span<const std::uint8_t>& output) {
    if (!filter(record)) return false;
    output = record.first(done);
    return true;
  };
  const Ending ending = filter ? CopyEach(reader, writer, recordCopyCounter_, keepFiltered)
                               : CopyRuns(reader, writer, recordCopyCounter_);
  const bool result =
      FinishCopy(ending, std::move(opened.source), source, std::move(opened.target), target);
  CountFinished(result && ending == Ending::FINISHED, true);
  log_.PauseIfSlow();
  return result;
}

bool CopyEngine::ConvertRecordFile(std::string_view source, std::string_view target,
                                   std::uint16_t sourceSize, std::uint16_t targetSize,
                                   const RecordConverter& converter) {
  OpenFiles opened;
  if (const auto early = StartRecordCopy(source, target, sourceSize, targetSize, true, opened))
    return *early;
  // Kept from record to record: a converter that fills only part of it
  // leaves the rest of the previous record in place.
  std::vector<std::uint8_t> targetRecord(targetSize);
  const auto convert = [&](std::span<std::uint8_t> record, std::size_t,
                           std::span<const std::uint8_t>& output) {
    if (!converter || !converter(record, targetRecord)) return false;
    output = targetRecord;
    return true;
  };
  RecordReader reader(*opened.source, sourceSize, readBlocks_, opened.sourceRecords * sourceSize);
  RecordWriter writer(*opened.target, targetSize, writeBlocks_, opened.sourceRecords * targetSize);
  std::int32_t records = 0;
  const Ending ending = CopyEach(reader, writer, records, convert);
  const bool result =
      FinishCopy(ending, std::move(opened.source), source, std::move(opened.target), target);
  CountFinished(result && ending == Ending::FINISHED, true);
  log_.PauseIfSlow();
  return result;
}

CopyEngine::Ending CopyEngine::CopyRuns(RecordReader& reader, RecordWriter& writer,
                                        std::int32_t& counter) {
  for (;;) {
    std::span<std::uint8_t> run;
    std::size_t done = 0;
    const int readResult = reader.NextRun(run, done);
    if (readResult != IO_OK || done == 0) {
      Advance(counter);
      return readResult != IO_OK ? AfterReadFailure(writer, counter) : AtEnd(writer, counter);
    }
    // Each record is read, then written: the first one written leaves the
    // counter 2 higher, each further one 2 more.
    const std::size_t recordSize = reader.RecordSize();
    const std::size_t records = (done + recordSize - 1) / recordSize;
    std::int32_t firstTag = counter;
    Advance(firstTag);
    Advance(firstTag);
    if (!writer.WriteRun(run.first(done), recordSize, firstTag, 2)) {
      return AfterWriteFailure(writer, counter);
    }
    for (std::size_t i = 0; i < 2 * records; ++i) Advance(counter);
  }
}

template <typename Step>
CopyEngine::Ending CopyEngine::CopyEach(RecordReader& reader, RecordWriter& writer,
                                        std::int32_t& counter, Step step) {
  for (;;) {
    std::span<std::uint8_t> record;
    std::size_t done = 0;
    const int readResult = reader.Next(record, done);
    Advance(counter);
    if (readResult != IO_OK) return AfterReadFailure(writer, counter);
    if (done == 0) return AtEnd(writer, counter);
    std::span<const std::uint8_t> output;
    const std::uint64_t activity = log_.Activity();
    const bool keep = step(record, done, output);
    if (keep) {
      Advance(counter);
      if (!writer.Put(output, counter)) return AfterWriteFailure(writer, counter);
    } else {
      ++notes_.back().dropped;
    }
    // A record whose filter or converter showed something or asked the
    // operator reaches the file before the next one is looked at, so nothing
    // is shown or asked for records after a failed write. Silent ones go in
    // blocks.
    if (log_.Activity() != activity && !writer.Flush()) return AfterWriteFailure(writer, counter);
  }
}

// Records read before a read failure were written before it.
CopyEngine::Ending CopyEngine::AfterReadFailure(RecordWriter& writer, std::int32_t& counter) {
  return writer.Flush() ? Ending::READ_ERROR : AfterWriteFailure(writer, counter);
}

CopyEngine::Ending CopyEngine::AtEnd(RecordWriter& writer, std::int32_t& counter) {
  return writer.Flush() ? Ending::FINISHED : AfterWriteFailure(writer, counter);
}

// A failed block write stops the copy at the record it failed in; the counter
// goes back to what it held after that record's write.
CopyEngine::Ending CopyEngine::AfterWriteFailure(const RecordWriter& writer,
                                                 std::int32_t& counter) {
  counter = writer.FailedTag();
  return writer.Result() != IO_OK ? Ending::WRITE_ERROR : Ending::SHORT_WRITE;
}

void CopyEngine::NoteCopy(std::string_view target, std::uint64_t sourceRecords,
                          std::uint64_t targetStart, std::uint16_t targetSize) {
  notes_.push_back(CopyNote{ShortString(target), sourceRecords, 0, targetStart, targetSize});
}

void CopyEngine::CountFinished(bool finished, bool records) {
  if (!finished) return;
  const CopyNote& note = notes_.back();
  ++tally_.files;
  if (!records) return;
  tally_.recordsWritten += note.sourceRecords - note.dropped;
  tally_.recordsDropped += note.dropped;
}

bool CopyEngine::FinishCopy(Ending ending, std::unique_ptr<platform::File> source,
                            std::string_view sourceName, std::unique_ptr<platform::File> target,
                            std::string_view targetName) {
  if (ending == Ending::READ_ERROR) ReportFailure("Błąd odczytu danych"_pl);
  if (ending == Ending::WRITE_ERROR) ReportFailure("Błąd zapisu danych"_pl);
  if (source->Close() != IO_OK) ReportFailure("Błąd zamknięcia zbioru "_pl + sourceName);
  if (target->Close() != IO_OK) {
    ReportFailure("Błąd zamknięcia zbioru "_pl + targetName);
    return false;
  }
  return true;
}

}  // namespace zq::transfer
