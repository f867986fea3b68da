#include "conversion/annual_settings.h"

#include <algorithm>

#include "conversion/key_choice.h"
#include "platform/text_literal.h"
#include "transfer/file_queries.h"
#include "ui/input_box.h"
#include "ui/polish_text.h"

namespace zq::conversion {
namespace {

using transfer::LOG_COPY;
using transfer::LOG_ERROR;
using transfer::LOG_NORMAL;
using transfer::LOG_QUESTION;

constexpr int PROPORTION_ANSWER_LENGTH = 3;
constexpr std::uint16_t LARGEST_PROPORTION = 100;

using RecordBuilder = void (*)(fileaccess::RecordView, AnnualSourceYear, fileaccess::RecordBuffer);
constexpr RecordBuilder RECORD_BUILDERS[ANNUAL_RECORD_COUNT] = {
    BuildAnnualRecord1, BuildAnnualRecord2, BuildAnnualRecord3};

// A record is read or written whole, or not at all.
bool ReadRecord(platform::File& file, std::span<std::uint8_t> record) {
  std::size_t done = 0;
  return file.Read(record.data(), record.size(), done) == platform::IO_OK && done == record.size();
}

bool WriteRecord(platform::File& file, std::span<const std::uint8_t> record) {
  std::size_t done = 0;
  return file.Write(record.data(), record.size(), done) == platform::IO_OK && done == record.size();
}

}  // namespace

std::optional<std::uint16_t> ParseVatProportion(std::string_view answer) {
  const std::size_t first = answer.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  answer = answer.substr(first, answer.find_last_not_of(' ') + 1 - first);
  // Three digits at most: the box takes no more, and nothing longer can be
  // a percentage.
  if (answer.size() > 3 ||
      !std::all_of(answer.begin(), answer.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  std::uint16_t value = 0;
  for (const char digit : answer) value = static_cast<std::uint16_t>(value * 10 + (digit - '0'));
  if (value > LARGEST_PROPORTION) return std::nullopt;
  return value;
}

AnnualSettings::AnnualSettings(platform::FileSystem& files, transfer::ProgressLog& log,
                               ui::Toolkit& toolkit, const RunSettings& settings, RunFlags& flags)
    : files_(files), log_(log), toolkit_(toolkit), settings_(settings), flags_(flags) {}

void AnnualSettings::ReportFailure(std::string_view text) {
  log_.SetLogColour(LOG_ERROR);
  log_.LogWriteLn(text);
  log_.SetLogColour(LOG_NORMAL);
  log_.WaitForKey();
}

void AnnualSettings::Convert(const CompanyPaths& company) {
  flags_.PreviousDataPath.clear();
  log_.SetLogColour(LOG_COPY);
  log_.LogWriteLn("Konwersja danych ROCZNYCH ustawień firmy "_pl);
  log_.SetLogColour(LOG_NORMAL);

  // The company's paths hold every name of the company run, so these are
  // never empty; an empty name would only find no file.
  const ShortString source2020 = company.SourceFile(ANNUAL_FILE_2020).value_or(ShortString());
  const ShortString source2021 = company.SourceFile(ANNUAL_FILE_2021).value_or(ShortString());
  const ShortString targetName = company.TargetFile(ANNUAL_FILE_2021).value_or(ShortString());

  const auto year = ChooseSource(transfer::FileSizeByName(files_, source2020) > 0,
                                 transfer::FileSizeByName(files_, source2021) > 0);
  if (!year) {
    ReportFailure("Brak danych nnnnROK.REK danych za 2020 i 2021 !"_pl);
    return;
  }
  if (*year == AnnualSourceYear::YEAR_2021) flags_.AnnualFrom2021 = true;

  int result = platform::IO_OK;
  auto source = files_.Open(*year == AnnualSourceYear::YEAR_2021 ? source2021 : source2020,
                            platform::Access::READ, platform::Share::DENY_NONE,
                            platform::Disposition::OPEN_EXISTING, result);
  if (!source) {
    ReportFailure("brak dostępu do danych za FirmaREK !"_pl);
    return;
  }
  auto target = files_.Open(targetName, platform::Access::WRITE, platform::Share::DENY_NONE,
                            platform::Disposition::CREATE_ALWAYS, result);
  if (!target) {
    source.reset();
    ReportFailure("brak dostępu do danych FirmaREK za 2021 !"_pl);
    return;
  }

  const Outcome outcome = WriteRecords(*source, *target, *year, company);
  source.reset();
  // A target that does not close cleanly may not hold what was written: it
  // counts as a failed write, so no half-written file is left for 2021.
  const bool closed = target->Close() == platform::IO_OK;
  target.reset();
  if (outcome != Outcome::WRITTEN || !closed) {
    files_.Erase(targetName);
    ReportFailure(outcome == Outcome::READ_FAILED ? "Błąd odczytu danych z 2020"_pl
                                                  : "Błąd zapisu danych do 2021"_pl);
    return;
  }
  log_.PauseIfSlow();
  log_.LogWriteLn("Utworzono dane w 2021"_pl);
}

std::optional<AnnualSourceYear> AnnualSettings::ChooseSource(bool have2020, bool have2021) {
  if (have2020 && have2021) {
    return flags_.AlwaysTake2021 ? AnnualSourceYear::YEAR_2021 : AskWhichYear();
  }
  if (have2021) return AnnualSourceYear::YEAR_2021;
  if (have2020) return AnnualSourceYear::YEAR_2020;
  return std::nullopt;
}

AnnualSourceYear AnnualSettings::AskWhichYear() {
  log_.SetLogColour(LOG_ERROR);
  log_.LogWriteLn("Występują dane ROCZNE za rok 2020 i 2021 !"_pl);
  log_.SetLogColour(LOG_ERROR);
  log_.LogWriteLn("Wybierz z których skrzystać :"_pl);
  log_.SetLogColour(LOG_QUESTION);
  log_.LogWrite(" B-2020 N-2021, A-wszyskie następne na N  (B/N/A) ? "_pl);
  const char answer = WaitForChoice(log_, "ABN");
  log_.LogWriteLn();
  log_.LogWriteLn(" - wybrano: "_pl + answer);
  log_.SetLogColour(LOG_NORMAL);
  log_.LogWriteLn();
  if (answer == 'B') return AnnualSourceYear::YEAR_2020;
  if (answer == 'A') flags_.AlwaysTake2021 = true;
  return AnnualSourceYear::YEAR_2021;
}

AnnualSettings::Outcome AnnualSettings::WriteRecords(platform::File& source, platform::File& target,
                                                     AnnualSourceYear year,
                                                     const CompanyPaths& company) {
  for (std::size_t index = 0; index < ANNUAL_RECORD_COUNT; ++index) {
    AnnualRecord old{};
    AnnualRecord built{};
    if (!ReadRecord(source, old)) return Outcome::READ_FAILED;
    RECORD_BUILDERS[index](old, year, built);
    if (index == 0) {
      flags_.SetPreviousDataPath(company.SourceDirectory());
      AskVatProportion(old, year, built);
      if (year == AnnualSourceYear::YEAR_2020) WarnOpenDecember(old);
    }
    if (!WriteRecord(target, built)) return Outcome::WRITE_FAILED;
  }
  return Outcome::WRITTEN;
}

void AnnualSettings::AskVatProportion(const AnnualRecord& source, AnnualSourceYear year,
                                      AnnualRecord& target) {
  if (fileaccess::ReadU8(target, ANNUAL_VAT_PROPORTIONAL) == 0 ||
      fileaccess::ReadU16(target, ANNUAL_VAT_PROPORTION) != 0) {
    return;
  }
  ShortString text = "Firma rozliczała  VAT w proporcji "_pl;
  if (year == AnnualSourceYear::YEAR_2020) {
    text += ui::IntToStr(fileaccess::ReadU16(source, ANNUAL_VAT_PROPORTION));
    text += '%';
  }
  text +=
      "\x0d"
      "a zakładana na 2021 wynosi 0% ?\x0d"
      "Podaj właściwą:"_pl;
  for (;;) {
    ShortString answer = "0"_pl;
    ui::SetInputBoxLength(toolkit_, PROPORTION_ANSWER_LENGTH);
    ui::InputBox(toolkit_, answer, text);  // Esc gives back "0", which is an answer
    log_.RecordAnswer("VAT "_pl + answer);
    if (const auto proportion = ParseVatProportion(answer)) {
      fileaccess::WriteU16(target, ANNUAL_VAT_PROPORTION, *proportion);
      return;
    }
    toolkit_.sound.Beep();
  }
}

void AnnualSettings::WarnOpenDecember(const AnnualRecord& source) {
  if (fileaccess::ReadU8(source, ANNUAL_OPEN_MONTH) == DECEMBER_CLOSED ||
      !settings_.Options.WarnOpenDecember) {
    return;
  }
  log_.LogWriteLn("Nie zatwierdzono miesiąca GRUDNIA.2020"_pl);
  toolkit_.sound.Beep();
  log_.LogWriteLn("mogę przenieść niepoprawny stan BZ.2020 jako BO.2021"_pl);
  toolkit_.sound.Beep();
  log_.WaitForKey();
}

}  // namespace zq::conversion
