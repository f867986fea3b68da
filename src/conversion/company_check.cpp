#include "conversion/company_check.h"

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <string>

#include "conversion/annual_records.h"
#include "fileaccess/record_fields.h"
#include "platform/text_literal.h"
#include "transfer/file_queries.h"
#include "ui/polish_text.h"

namespace zq::conversion {
namespace {

using platform::IO_OK;
using AnnualRecord = std::array<std::uint8_t, ANNUAL_RECORD_SIZE>;

// Balances are amounts in zloty: they agree when they agree to the grosz.
constexpr double GROSZ = 0.005;

void Mismatch(transfer::ProgressLog& log, std::string_view text) {
  log.SetLogColour(transfer::LOG_ERROR);
  log.LogWriteLn("KONTROLA: "_pl + text);
}

std::optional<AnnualRecord> FirstAnnualRecord(platform::FileSystem& files,
                                              const std::optional<ShortString>& path) {
  if (!path) return std::nullopt;
  int result = IO_OK;
  const auto file = files.Open(*path, platform::Access::READ, platform::Share::DENY_NONE,
                               platform::Disposition::OPEN_EXISTING, result);
  if (!file) return std::nullopt;
  AnnualRecord record{};
  std::size_t done = 0;
  const bool read =
      file->Read(record.data(), record.size(), done) == IO_OK && done == record.size();
  file->Close();
  if (!read) return std::nullopt;
  return record;
}

// The records a file of `recordSize` bytes holds in `bytes`, a short last one
// included.
std::uint64_t Records(std::uint64_t bytes, std::uint16_t recordSize) {
  return (bytes + recordSize - 1) / recordSize;
}

std::uint32_t CheckCopies(platform::FileSystem& files, transfer::ProgressLog& log,
                          const transfer::CopyNotes& notes) {
  // A target written twice (the wage settings) holds what the last copy gave.
  std::map<std::string, const transfer::CopyNote*> last;
  for (const transfer::CopyNote& note : notes) last[note.target.str()] = &note;
  std::uint32_t mismatches = 0;
  for (const transfer::CopyNote& note : notes) {
    if (last[note.target.str()] != &note || note.targetSize == 0) continue;
    const std::uint64_t size = transfer::FileSizeByName(files, note.target);
    const std::uint64_t expected = note.sourceRecords - note.dropped;
    const std::uint64_t found =
        size < note.targetStart ? 0 : Records(size - note.targetStart, note.targetSize);
    if (found == expected && size >= note.targetStart) continue;
    ++mismatches;
    const bool bytes = note.targetSize == 1;
    Mismatch(log, note.target + (bytes ? " ma bajtów "_pl : " ma pozycji "_pl) +
                      ui::IntToStr(static_cast<long long>(found)) + ", powinien "_pl +
                      ui::IntToStr(static_cast<long long>(expected)));
  }
  return mismatches;
}

std::uint32_t CheckBalance(platform::FileSystem& files, transfer::ProgressLog& log,
                           const CompanyPaths& company) {
  const auto closed = FirstAnnualRecord(files, company.SourceFile(ANNUAL_FILE_2020));
  // A company without 2020 settings has no closing balance to carry.
  if (!closed) return 0;
  const auto target = company.TargetFile(ANNUAL_FILE_2021);
  const auto opened = FirstAnnualRecord(files, target);
  if (!opened) {
    Mismatch(log, "brak ustawień rocznych "_pl + target.value_or(ShortString()));
    return 1;
  }
  if (fileaccess::ReadU64(*closed, ANNUAL_CLOSING_BALANCE) ==
      fileaccess::ReadU64(*opened, ANNUAL_OPENING_BALANCE)) {
    return 0;
  }
  const double closing = fileaccess::ReadDouble(*closed, ANNUAL_CLOSING_BALANCE);
  const double opening = fileaccess::ReadDouble(*opened, ANNUAL_OPENING_BALANCE);
  if (std::fabs(closing - opening) < GROSZ) return 0;
  Mismatch(log, "BO 2021 różny od BZ 2020 w "_pl + *target);
  return 1;
}

}  // namespace

std::uint32_t CheckCompany(platform::FileSystem& files, transfer::ProgressLog& log,
                           const transfer::CopyNotes& notes, const CompanyPaths& company) {
  const std::uint32_t mismatches =
      CheckCopies(files, log, notes) + CheckBalance(files, log, company);
  if (mismatches == 0) log.LogWriteLn("Kontrola danych firmy: zgodne"_pl);
  return mismatches;
}

}  // namespace zq::conversion
