#include "register/recognition.h"

#include "conversion/company_marker.h"
#include "conversion/company_paths.h"
#include "platform/process.h"
#include "platform/text_literal.h"
#include "register/company_record.h"
#include "transfer/file_queries.h"
#include "transfer/record_stream.h"
#include "ui/message_box.h"
#include "ui/polish_text.h"

namespace zq::registry {
namespace {

using platform::IO_OK;

// The register is read alone: no other station changes it meanwhile.
constexpr std::uint8_t REGISTER_MODE = fileaccess::ACCESS_READ | fileaccess::SHARE_DENY_ALL;

// Followed by the register's path.
constexpr ShortString NO_ACCESS_BOX =
    "\x03"
    "Brak dostępu do pliku\x0d\x03"_pl;

// The longest directory name the accounting system keeps; a longer length
// byte marks a broken record.
constexpr std::uint8_t LONGEST_DIRECTORY = COMPANY_DIRECTORY_WIDTH - 1;

}  // namespace

Recognition::Recognition(fileaccess::SharedFileAccess& access, transfer::ProgressLog& log,
                         const conversion::RunSettings& settings)
    : access_(access), log_(log), settings_(settings) {}

void Recognition::WriteLine(std::uint8_t colour, std::string_view text) {
  log_.SetLogColour(colour);
  log_.LogWriteLn(text);
}

void Recognition::Stop(std::string_view text) {
  WriteLine(transfer::LOG_ERROR, text);
  log_.WaitForKey();
  throw platform::ProgramExit{0};
}

std::int32_t Recognition::Recognise(CompanyList& list) {
  list.Release();
  log_.ClearLog(false);
  // The two header rows stay; the body begins below them.
  log_.LogWriteLn();
  log_.LogWriteLn();
  WriteLine(transfer::LOG_EMPHASIS, "ROZPOZNANIE ŚRODOWISKA PRACY DAZ 2020"_pl);
  log_.LogWriteLn();

  const ShortString& registerName = settings_.RegisterFileName;
  const ShortString registerPath = settings_.SourcePath + registerName;
  int result = IO_OK;
  access_.modes.SetFileMode(REGISTER_MODE);
  const auto file = access_.modes.OpenExisting(access_.files, registerPath, result);
  access_.modes.RestoreFileMode();
  if (!file) {
    WriteLine(transfer::LOG_ERROR, "Błąd otwarcia/dostępu do pliku "_pl + registerPath);
    ui::ShowError(access_.toolkit, NO_ACCESS_BOX + registerPath);
    throw platform::ProgramExit{0};
  }
  std::uint64_t size = 0;
  if (file->Size(size) != IO_OK) {
    file->Close();
    Stop("Błąd okreslenia długości pliku "_pl + registerName);
  }
  const std::uint64_t records = size / COMPANY_RECORD_SIZE;
  if (records == 0) {
    file->Close();
    Stop("Zerowa długość pliku "_pl + registerName);
  }

  bool needsRepair = false;
  transfer::BlockStorage blocks;
  transfer::RecordReader reader(*file, COMPANY_RECORD_SIZE, blocks);
  for (std::uint64_t i = 0; i < records; ++i) {
    if (list.Count() >= MAX_COMPANIES) {
      WriteLine(transfer::LOG_ERROR,
                "Przekroczona maksymalna ilość firm "_pl + ui::IntToStr(MAX_COMPANIES));
      break;
    }
    std::span<std::uint8_t> record;
    std::size_t done = 0;
    // A record that cannot be read is passed over in silence.
    if (reader.Next(record, done) != IO_OK || done != COMPANY_RECORD_SIZE) continue;
    if (!Consider(record, list)) needsRepair = true;
  }
  file->Close();

  if (list.Count() == 0) {
    WriteLine(transfer::LOG_NOTICE, "Zerowa ilość odczytanych firm"_pl);
    log_.WaitForKey();
  }
  if (needsRepair) {
    WriteLine(transfer::LOG_ERROR, "Napraw plik "_pl + registerName + " !"_pl);
    log_.WaitForKey();
  }
  return list.Count();
}

bool Recognition::Consider(fileaccess::RecordView record, CompanyList& list) {
  const ShortString name = CompanyName(record);
  const ShortString directory = CompanyDirectory(record);
  // A directory that is not one plain name inside the tree ("..", a path, a
  // drive) would lead the conversion outside the two trees.
  const auto paths = record[COMPANY_DIRECTORY] <= LONGEST_DIRECTORY
                         ? conversion::CompanyPaths::For(settings_, directory)
                         : std::nullopt;
  if (!paths) {
    WriteLine(transfer::LOG_ERROR,
              "Błędna nazwa katalogu "_pl + directory + " dla firmy "_pl + name);
    return false;
  }
  if (transfer::DirectoryExists(access_.files, paths->TargetDirectory())) {
    const conversion::MarkerLook marker =
        conversion::LookAtMarker(access_.files, paths->TargetDirectory());
    switch (marker.state) {
      case conversion::MarkerState::ABSENT:
        WriteLine(transfer::LOG_NOTICE,
                  "Odnaleziono katalog docelowy "_pl + directory + " dla firmy "_pl + name);
        break;
      case conversion::MarkerState::HELD:
        WriteLine(transfer::LOG_ERROR,
                  "Firmę "_pl + directory + " konwertuje teraz: "_pl + marker.text);
        break;
      case conversion::MarkerState::UNFINISHED:
        // Offered again, to be converted anew.
        WriteLine(transfer::LOG_NOTICE,
                  "Niedokończona konwersja firmy "_pl + directory + " z "_pl + marker.text);
        if (list.Add(record)) list.Entry(list.Count())->unfinished = marker.text;
        break;
    }
    return true;
  }
  if (transfer::DirectoryExists(access_.files, paths->SourceDirectory())) {
    list.Add(record);
    return true;
  }
  WriteLine(transfer::LOG_ERROR,
            "Brak katalogu zródłowego    "_pl + directory + " dla firmy "_pl + name);
  return false;
}

}  // namespace zq::registry
