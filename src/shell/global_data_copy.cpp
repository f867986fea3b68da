#include "shell/global_data_copy.h"

#include "conversion/company_paths.h"
#include "conversion/office_data_record.h"
#include "conversion/settings_converters.h"
#include "platform/process.h"
#include "platform/text_literal.h"
#include "transfer/file_queries.h"
#include "ui/message_box.h"
#include "ui/polish_text.h"

namespace zq::shell {
namespace {

constexpr ShortString TARGET_GLOBAL_DIRECTORY = "#BIN021"_pl;
// The plain output of the copy: columns 3 to 77, rows 3 to 20.
constexpr ui::Rect COPY_REGION = {3, 3, 77, 20};

constexpr std::uint16_t ADDRESS_RECORD_SIZE = 480;
constexpr std::uint16_t OPERATOR_RECORD_SIZE = 512;
constexpr std::uint16_t OFFICE_RECORD_SIZE = conversion::OFFICE_DATA_RECORD_SIZE;

enum class Operation {
  ADDRESS_BASE,  // records of 480 bytes taken as they are
  TEXT,          // every line
  WHOLE,         // the bytes unchanged
  OFFICE_DATA,   // office data records converted for the new year
  OPERATORS,     // records of 512 bytes, every one
};

struct GlobalCopy {
  std::uint16_t item;        // the bit of GlobalItems
  ShortString progressLine;  // written before the copy; none when empty
  std::string_view source;
  std::string_view target;
  Operation operation;
};

// In the order of the copy, not of the bits. An item of two copies has two
// rows, its progress line in the first.
constexpr GlobalCopy GLOBAL_COPIES[] = {
    {conversion::GI_ADDRESS_BASE, "Globalna baza adresów"_pl, "baza_ad8.rek", "baza_ad8.rek",
     Operation::ADDRESS_BASE},
    {conversion::GI_YEAR_INI, "Konfigurator daz_2020.ini"_pl, "daz_2020.ini", "daz_2021.ini",
     Operation::TEXT},
    {conversion::GI_FKEY_CONSTANTS, "Globale stale klawiszy F2..F10"_pl, "baza_ff.txt",
     "baza_ff.txt", Operation::WHOLE},
    {conversion::GI_OFFICE_DATA, "Dane biura do FRV"_pl, "2020_BR.REK", "2021_BR.REK",
     Operation::OFFICE_DATA},
    {conversion::GI_DLL_CONFIG, "Konfigurator DAZ_ZQ.INI"_pl, "DAZ_ZQ.INI", "DAZ_ZQ.INI",
     Operation::WHOLE},
    {conversion::GI_TAX_CONSTANTS, "Zeszloroczne stale podatkowe"_pl, "2020spd.ini", "2020spd.ini",
     Operation::WHOLE},
    {conversion::GI_WAGE_SETTINGS, "Globale ustawienia wynagrodzen"_pl, "2020_lp2.cc",
     "2021_lp2.cc", Operation::WHOLE},
    {conversion::GI_WAGE_SETTINGS, {}, "2021_lp2.cc", "2021_lp2.cc", Operation::WHOLE},
    {conversion::GI_COLOURS, "Ustawienia kolorów"_pl, "KOLORY.ZQ", "KOLORY.ZQ", Operation::WHOLE},
    {conversion::GI_OPERATOR_FILE, {}, "OPERATOR.REK", "OPERATOR.REK", Operation::OPERATORS},
    {conversion::GI_ZUS_PEL_FILES, {}, "ZUS_PEL.INI", "ZUS_PEL.INI", Operation::WHOLE},
    {conversion::GI_ZUS_PEL_FILES, {}, "UMOWY.INI", "UMOWY.INI", Operation::WHOLE},
};

// The longest name above: a global directory must leave room for it.
constexpr std::size_t LONGEST_GLOBAL_NAME = 12;

bool HoldsGlobalFiles(const ShortString& directory) {
  return directory.size() + 1 + LONGEST_GLOBAL_NAME <= ShortString::MAX_LENGTH;
}

}  // namespace

GlobalDataCopy::GlobalDataCopy(platform::FileSystem& files, transfer::CopyEngine& engine,
                               transfer::ProgressLog& log, ui::Toolkit& toolkit,
                               const conversion::RunSettings& settings)
    : files_(files), engine_(engine), log_(log), toolkit_(toolkit), settings_(settings) {}

void GlobalDataCopy::Stop(std::string_view text) {
  ui::ShowError(toolkit_, text);
  throw platform::ProgramExit{0};
}

ShortString GlobalDataCopy::SourceDirectory() {
  const ShortString& name = settings_.Options.SourceGlobalDir;
  // The name is typed on the start page: it must name a directory of the
  // source tree itself, never one above or beside it.
  if (!conversion::IsPlainName(name)) Stop("\x03Niepoprawna nazwa katalogu\x0d\x03"_pl + name);
  const ShortString directory = settings_.SourcePath + name;
  if (!HoldsGlobalFiles(directory) || !transfer::DirectoryExists(files_, directory)) {
    Stop(
        "\x03"
        "Brak katalogu zródłowego\x0d\x03"_pl +
        directory);
  }
  return directory;
}

ShortString GlobalDataCopy::TargetDirectory() {
  const ShortString directory = settings_.TargetPath + TARGET_GLOBAL_DIRECTORY;
  if (!HoldsGlobalFiles(directory) || (!transfer::DirectoryExists(files_, directory) &&
                                       files_.MakeDirectory(directory) != platform::IO_OK)) {
    Stop("\x03Utworzenia katalogu\x0d\x03"_pl + directory);
  }
  return directory;
}

void GlobalDataCopy::CopyGlobalData() {
  ui::Rect savedRegion;
  toolkit_.screen.SaveRegion(COPY_REGION, savedRegion);
  const ShortString sourceDirectory = SourceDirectory();
  const ShortString targetDirectory = TargetDirectory();
  const conversion::ConversionOptions& options = settings_.Options;

  for (const GlobalCopy& copy : GLOBAL_COPIES) {
    if (!ui::BitsSet(copy.item, options.GlobalItems)) continue;
    if (!copy.progressLine.empty()) log_.LogWriteLn(copy.progressLine);
    const ShortString source = sourceDirectory + platform::PATH_SEPARATOR + copy.source;
    const ShortString target = targetDirectory + platform::PATH_SEPARATOR + copy.target;
    // Each copy reports its own outcome; the next item follows whatever it was.
    switch (copy.operation) {
      case Operation::ADDRESS_BASE:
        engine_.ConvertRecordFile(source, target, ADDRESS_RECORD_SIZE, ADDRESS_RECORD_SIZE,
                                  conversion::CopyUnchanged);
        break;
      case Operation::TEXT:
        engine_.CopyTextFile(source, target, nullptr);
        break;
      case Operation::WHOLE:
        engine_.CopyWholeFile(source, target);
        break;
      case Operation::OFFICE_DATA:
        engine_.ConvertRecordFile(source, target, OFFICE_RECORD_SIZE, OFFICE_RECORD_SIZE,
                                  conversion::ConvertOfficeDataRecord);
        break;
      case Operation::OPERATORS:
        engine_.CopyRecordFile(source, target, OPERATOR_RECORD_SIZE, nullptr);
        break;
    }
  }

  if (options.StopAfterEachCompany) {
    log_.LogWriteLn("cdn - nacisnij dowolny klawisz."_pl);
    log_.WaitForKey();
  }
  log_.ClearLog(false);
  toolkit_.screen.RestoreRegion(savedRegion);
}

}  // namespace zq::shell
