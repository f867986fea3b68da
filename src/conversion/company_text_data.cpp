#include "conversion/company_text_data.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <variant>

#include "conversion/run_flags.h"
#include "fileaccess/ini_file.h"
#include "platform/process.h"
#include "platform/text_literal.h"
#include "ui/message_box.h"
#include "ui/polish_text.h"

namespace zq::conversion {
namespace {

using fileaccess::IniFile;
using Field = ShortString CompanyText::*;

// The kinds of value, each with where it lies in the record and what a
// missing or unreadable key gives.
struct TextKey {  // a longer value is cut to `length` characters
  Field field;
  std::size_t length = ShortString::MAX_LENGTH;
};
struct CharacterKey {  // one character; empty reads, and zero writes, as a blank
  char CompanyText::*field;
};
struct NumberKey {  // decimal
  std::uint16_t CompanyText::*field;
  std::uint16_t defaultValue = 0;
};
struct BooleanKey {  // "TAK" / "NIE"
  bool CompanyText::*field;
  bool defaultValue = false;
};
struct DateKey {  // "dd.mm.yyyy", "-" for no date
  ui::Date CompanyText::*field;
};
struct MonthSetKey {  // "$" and four hexadecimal digits a month
  MonthSet CompanyText::*field;
};
struct AddressKeys {  // the keys of ADDRESS_KEYS
  CompanyAddress CompanyText::*address;
};
using KeyKind =
    std::variant<TextKey, CharacterKey, NumberKey, BooleanKey, DateKey, MonthSetKey, AddressKeys>;

struct Key {
  std::string_view section;
  std::string_view key;
  KeyKind kind;
};

struct AddressKey {
  std::string_view key;
  ShortString CompanyAddress::*field;
  std::size_t length;
};

constexpr std::size_t INFO_LENGTH = 66;
constexpr std::size_t DATA_PATH_LENGTH = PREVIOUS_DATA_PATH_LENGTH;
// A social-insurance bank of 31 stands for "the default bank".
constexpr std::uint16_t ZUS_BANK_AS_DEFAULT = 31;

using C = CompanyText;

// Every key of the file, in the order of the walk. A section named again
// (DAZ) takes its keys into the same section. The keys that carry a year are
// those of the conversion into 2021: the data paths of the seven years before
// it, the pension rates of 2020 and 2021, the DRA month set of 2021.
const Key KEYS[] = {
    {"DAZ", "NAZWA_ZUS", TextKey{&C::zusName}},
    {"DAZ", "INFO1", TextKey{&C::info1, INFO_LENGTH}},
    {"DAZ", "INFO2", TextKey{&C::info2, INFO_LENGTH}},
    {"DAZ", "INFO3", TextKey{&C::info3, INFO_LENGTH}},
    {"DAZ", "INFO4", TextKey{&C::info4, INFO_LENGTH}},
    {"DAZ", "INFO5", TextKey{&C::info5, INFO_LENGTH}},
    {"URZEDY_SKARBOWE", "VAT-7", TextKey{&C::officeVat7}},
    {"URZEDY_SKARBOWE", "PIT-4R", TextKey{&C::officePit4r}},
    {"URZEDY_SKARBOWE", "PIT-8AR", TextKey{&C::officePit8ar}},
    {"URZEDY_SKARBOWE", "PIT-XX", TextKey{&C::officePitXx}},
    {"URZEDY_SKARBOWE_EKOD", "VAT-7", TextKey{&C::officeCodeVat7}},
    {"URZEDY_SKARBOWE_EKOD", "PIT-4R", TextKey{&C::officeCodePit4r}},
    {"URZEDY_SKARBOWE_EKOD", "PIT-8AR", TextKey{&C::officeCodePit8ar}},
    {"URZEDY_SKARBOWE_EKOD", "PIT-XX", TextKey{&C::officeCodePitXx}},
    {"DAZ", "PATHXML", TextKey{&C::xmlPath}},
    {"DAZ", "PRZEXML", TextKey{&C::xmlTransferPath}},
    {"FIRMA", "TYP", NumberKey{&C::companyType, 0}},
    {"FIRMA", "NIP", TextKey{&C::nip}},
    {"FIRMA", "REGON", TextKey{&C::regon}},
    {"PATH", "DAZ2020", TextKey{&C::dataPath2020, DATA_PATH_LENGTH}},
    {"PATH", "DAZ2019", TextKey{&C::dataPath2019, DATA_PATH_LENGTH}},
    {"PATH", "DAZ2018", TextKey{&C::dataPath2018, DATA_PATH_LENGTH}},
    {"PATH", "DAZ2017", TextKey{&C::dataPath2017, DATA_PATH_LENGTH}},
    {"PATH", "DAZ2016", TextKey{&C::dataPath2016, DATA_PATH_LENGTH}},
    {"PATH", "DAZ2015", TextKey{&C::dataPath2015, DATA_PATH_LENGTH}},
    {"PATH", "DAZ2014", TextKey{&C::dataPath2014, DATA_PATH_LENGTH}},
    {"BANKI", "DEF", NumberKey{&C::defaultBank, 0}},
    {"BANKI", "DEF_ZUS", NumberKey{&C::zusBank, ZUS_BANK_AS_DEFAULT}},
    {"BANKI", "NAZWA1", TextKey{&C::bankName1}},
    {"BANKI", "NRB1", TextKey{&C::bankAccount1}},
    {"BANKI", "NAZWA2", TextKey{&C::bankName2}},
    {"BANKI", "NRB2", TextKey{&C::bankAccount2}},
    {"BANKI", "NAZWA3", TextKey{&C::bankName3}},
    {"BANKI", "NRB3", TextKey{&C::bankAccount3}},
    {"BANKI", "NAZWA4", TextKey{&C::bankName4}},
    {"BANKI", "NRB4", TextKey{&C::bankAccount4}},
    {"BANKI", "NAZWA5", TextKey{&C::bankName5}},
    {"BANKI", "NRB5", TextKey{&C::bankAccount5}},
    {"BANKI", "IRKwZUS", TextKey{&C::irkInZus}},
    {"BANKI", "DATA_ZBA", DateKey{&C::zbaDate}},
    {"BANKI", "Mikro", TextKey{&C::micro}},
    {"PPK", "TOW", TextKey{&C::ppkFund}},
    {"PPK", "UMO", TextKey{&C::ppkAgreement}},
    {"PPK", "KON", TextKey{&C::ppkAccount}},
    {"OSOBA_FIZYCZNA", "PESEL", TextKey{&C::personPesel}},
    {"OSOBA_FIZYCZNA", "NIP", TextKey{&C::personNip}},
    {"OSOBA_FIZYCZNA", "NAZWISKO", TextKey{&C::personSurname}},
    {"OSOBA_FIZYCZNA", "IMIE1", TextKey{&C::personFirstName}},
    {"OSOBA_FIZYCZNA", "IMIE2", TextKey{&C::personSecondName}},
    {"OSOBA_FIZYCZNA", "TATA", TextKey{&C::personFather}},
    {"OSOBA_FIZYCZNA", "MAMA", TextKey{&C::personMother}},
    {"OSOBA_FIZYCZNA", "DATA_URODZENIA", DateKey{&C::personBirthDate}},
    {"OSOBA_FIZYCZNA", "MIEJSCE_URODZENIA", TextKey{&C::personBirthPlace}},
    {"OSOBA_FIZYCZNA", "OBYWATELSTWO", TextKey{&C::personCitizenship}},
    {"OSOBA_FIZYCZNA", "INNY_RODZAJ", CharacterKey{&C::personOtherIdKind}},
    {"OSOBA_FIZYCZNA", "INNY_NUMER", TextKey{&C::personOtherIdNumber}},
    {"OSOBA_PRAWNA", "NAZWA_PELNA1", TextKey{&C::fullName1}},
    {"OSOBA_PRAWNA", "NAZWA_PELNA2", TextKey{&C::fullName2}},
    {"OSOBA_PRAWNA", "NAZWA_SKROCONA", TextKey{&C::shortName}},
    {"OSOBA_PRAWNA", "DATA_ROZPOCZECIA", DateKey{&C::startDate}},
    {"ORGAN_REJESTROWY", "ORGAN", TextKey{&C::registryAuthority}},
    {"ORGAN_REJESTROWY", "REJESTR", TextKey{&C::registryName}},
    {"ORGAN_REJESTROWY", "DATA", DateKey{&C::registryDate}},
    {"ORGAN_REJESTROWY", "NUMER", TextKey{&C::registryNumber}},
    {"ORGAN_REJESTROWY", "KOD", TextKey{&C::registryCode}},
    {"ORGAN_REJESTROWY", "ORZAL", TextKey{&C::registryOrzal}},
    {"ADRES_SIEDZIBY", {}, AddressKeys{&C::seat}},
    {"ADRES_SIEDZIBY", "KODGMINY", TextKey{&C::seatCommuneCode}},
    {"ADRES_SIEDZIBY", "IAP", BooleanKey{&C::seatIap, false}},
    {"ADRES_KOREPONDENCJA", {}, AddressKeys{&C::correspondence}},
    {"ADRES_KOREPONDENCJA", "EMAIL", TextKey{&C::correspondenceEmail}},
    {"ADRES_KOREPONDENCJA", "FAKS", TextKey{&C::correspondenceFax}},
    {"ADRES_ZAMIESZKANIA", {}, AddressKeys{&C::residence}},
    {"ADRES_DOKUMENTACJI", {}, AddressKeys{&C::records}},
    {"DZIALALNOSC", "OPIS1", TextKey{&C::activity1}},
    {"DZIALALNOSC", "KGN1", TextKey{&C::activity1Kgn}},
    {"DZIALALNOSC", "EKD1", TextKey{&C::activity1Ekd}},
    {"DZIALALNOSC", "OPIS2", TextKey{&C::activity2}},
    {"DZIALALNOSC", "KGN2", TextKey{&C::activity2Kgn}},
    {"DZIALALNOSC", "EKD2", TextKey{&C::activity2Ekd}},
    {"UPOWAZNIONY", "NAZWISKO", TextKey{&C::agentSurname}},
    {"UPOWAZNIONY", "IMIE", TextKey{&C::agentFirstName}},
    {"UPOWAZNIONY", "TELEFON", TextKey{&C::agentTelephone}},
    {"UPOWAZNIONY", "EMAIL", TextKey{&C::agentEmail}},
    {"UPOWAZNIONY", "ST-KO", TextKey{&C::agentStKo}},
    {"RODO", "iod_nazwisko", TextKey{&C::dpoSurname}},
    {"RODO", "iod_imie", TextKey{&C::dpoFirstName}},
    {"RODO", "iod_email", TextKey{&C::dpoEmail}},
    {"RODO", "fpd_nazwa", TextKey{&C::processorName}},
    {"RODO", "fpd_adres", TextKey{&C::processorAddress}},
    {"RODO", "fpd_NIP", TextKey{&C::processorNip}},
    {"RODO", "fpd_email", TextKey{&C::processorEmail}},
    {"BR", "NAZWA", TextKey{&C::officeName}},
    {"BR", "NIP", TextKey{&C::officeNip}},
    {"BR", "REGON", TextKey{&C::officeRegon}},
    {"BR", "UMOWA", TextKey{&C::officeAgreement}},
    {"ZUS_ZxA", "DATAPOSK", DateKey{&C::zusSubmitted}},
    {"ZUS_ZxA", "WYPELNIONO", DateKey{&C::zusFilledIn}},
    {"ZUS_ZxA", "ZWPA_KOD", TextKey{&C::zwpaCode}},
    {"ZUS_ZxA", "ZWPA_DATA", DateKey{&C::zwpaDate}},
    {"ZUS_ZxA", "ZPWA_KOR", BooleanKey{&C::zpwaCorrection, false}},
    {"ZUS_ZxA", "PPPATH", TextKey{&C::ppPath}},
    {"ZUS_ZxA", "DRAI01", CharacterKey{&C::drai01}},
    {"ZUS_ZxA", "RENT2020", NumberKey{&C::pensionPreviousYear, 0}},
    {"ZUS_ZxA", "RENT2021", NumberKey{&C::pensionYear, 0}},
    {"ZUS_ZxA", "RxA", NumberKey{&C::rxa, 0}},
    {"ZUS_ZxA", "zwFGSP", NumberKey{&C::zwFgsp, 0}},
    {"ZUS_ZxA", "DRAIX02_2021", MonthSetKey{&C::draix02}},
    {"ZIPA", "I", NumberKey{&C::zipaI, 0}},
    {"ZIPA", "01", TextKey{&C::zipa01}},
    {"ZIPA", "02", TextKey{&C::zipa02}},
    {"ZIPA", "03", TextKey{&C::zipa03}},
    {"ZIPA", "04", CharacterKey{&C::zipa04}},
    {"ZIPA", "05", TextKey{&C::zipa05}},
    {"ZIPA", "06", TextKey{&C::zipa06}},
    {"ZIPA", "07", TextKey{&C::zipa07}},
    {"ZIPA", "08", TextKey{&C::zipa08}},
    {"ZIPA", "09", DateKey{&C::zipa09}},
    {"ZIPA", "IV09", DateKey{&C::zipaIv09}},
    {"DAZ", "FAS", BooleanKey{&C::fas, true}},
};

// The keys of an address, in their order in each address section.
constexpr AddressKey ADDRESS_KEYS[] = {
    {"KRAJ", &CompanyAddress::country, 12},
    {"WOJEWODZTWO", &CompanyAddress::province, 22},
    {"GMINA", &CompanyAddress::commune, 26},
    {"ULICA", &CompanyAddress::street, 30},
    {"DOM", &CompanyAddress::house, 7},
    {"LOKAL", &CompanyAddress::flat, 7},
    {"MIEJSCOWOSC", &CompanyAddress::town, 26},
    {"KOD", &CompanyAddress::postalCode, 6},
    {"POCZTA", &CompanyAddress::postOffice, 26},
    {"SKRYTKA", &CompanyAddress::postBox, 5},
    {"TELEFON", &CompanyAddress::telephone, 12},
    {"POWIAT", &CompanyAddress::county, 18},
    {"KODUE", &CompanyAddress::euCode, ShortString::MAX_LENGTH},
};

constexpr char MONTH_MARK = '$';
constexpr std::size_t MONTH_DIGITS = 4;
constexpr std::string_view HEX_DIGITS = "0123456789ABCDEF";

ShortString MonthSetText(const MonthSet& months) {
  ShortString text;
  for (std::uint16_t value : months) {
    text += MONTH_MARK;
    for (std::size_t digit = MONTH_DIGITS; digit-- > 0;) {
      text += HEX_DIGITS[(value >> (4 * digit)) & 0xF];
    }
  }
  return text;
}

// A month whose group is not "$" and four hexadecimal digits reads as 0.
MonthSet ParseMonthSet(std::string_view text) {
  MonthSet months{};
  for (std::size_t month = 0; month < months.size(); ++month) {
    const std::string_view group =
        text.substr(std::min(text.size(), month * (MONTH_DIGITS + 1)), MONTH_DIGITS + 1);
    if (group.size() != MONTH_DIGITS + 1 || group.front() != MONTH_MARK) continue;
    unsigned value = 0;
    bool valid = true;
    for (char c : group.substr(1)) {
      const std::size_t digit = HEX_DIGITS.find(ui::UpCasePL(c));
      valid = valid && digit != std::string_view::npos;
      value = value * 16 + static_cast<unsigned>(digit & 0xF);
    }
    if (valid) months[month] = static_cast<std::uint16_t>(value);
  }
  return months;
}

class Loader {
 public:
  Loader(const IniFile& ini, CompanyText& record) : ini_(ini), record_(record) {}

  void Walk(const Key& key) {
    section_ = key.section;
    key_ = key.key;
    std::visit(*this, key.kind);
  }
  void operator()(const TextKey& kind) { ReadText(record_.*kind.field, kind.length); }
  void operator()(const CharacterKey& kind) {
    record_.*kind.field = ini_.ReadChar(section_, key_, ' ');
  }
  void operator()(const NumberKey& kind) {
    record_.*kind.field = ini_.ReadInteger(section_, key_, kind.defaultValue);
  }
  void operator()(const BooleanKey& kind) {
    record_.*kind.field = ini_.ReadBool(section_, key_, kind.defaultValue);
  }
  void operator()(const DateKey& kind) {
    record_.*kind.field = ui::StrToDate(ini_.ReadString(section_, key_, {}).view().substr(0, 10));
  }
  void operator()(const MonthSetKey& kind) {
    record_.*kind.field = ParseMonthSet(ini_.ReadString(section_, key_, {}));
  }
  void operator()(const AddressKeys& kind) {
    for (const AddressKey& address : ADDRESS_KEYS) {
      key_ = address.key;
      ReadText(record_.*kind.address.*address.field, address.length);
    }
  }

 private:
  void ReadText(ShortString& value, std::size_t length) {
    value = ini_.ReadString(section_, key_, {});
    value.Truncate(length);
  }

  const IniFile& ini_;
  CompanyText& record_;
  std::string_view section_;
  std::string_view key_;
};

class Saver {
 public:
  Saver(IniFile& ini, const CompanyText& record) : ini_(ini), record_(record) {}

  void Walk(const Key& key) {
    section_ = key.section;
    key_ = key.key;
    std::visit(*this, key.kind);
  }
  void operator()(const TextKey& kind) { ini_.WriteString(section_, key_, record_.*kind.field); }
  void operator()(const CharacterKey& kind) {
    const char value = record_.*kind.field;
    ini_.WriteChar(section_, key_, value == '\0' ? ' ' : value);
  }
  void operator()(const NumberKey& kind) { ini_.WriteInteger(section_, key_, record_.*kind.field); }
  void operator()(const BooleanKey& kind) { ini_.WriteBool(section_, key_, record_.*kind.field); }
  void operator()(const DateKey& kind) {
    ini_.WriteString(section_, key_, ui::DateToStr(record_.*kind.field));
  }
  void operator()(const MonthSetKey& kind) {
    ini_.WriteString(section_, key_, MonthSetText(record_.*kind.field));
  }
  void operator()(const AddressKeys& kind) {
    for (const AddressKey& address : ADDRESS_KEYS) {
      ini_.WriteString(section_, address.key, record_.*kind.address.*address.field);
    }
  }

 private:
  IniFile& ini_;
  const CompanyText& record_;
  std::string_view section_;
  std::string_view key_;
};

[[noreturn]] void Fail(ui::Toolkit& toolkit) {
  ui::ShowError(toolkit,
                "\x03"
                "Błąd odczytu danych firmy"_pl);
  throw platform::ProgramExit{0};
}

}  // namespace

bool CompanyTextData(platform::FileSystem& files, CompanyText& record, TextDataDirection direction,
                     const ShortString& fileName) {
  const bool saving = direction == TextDataDirection::SAVE;
  const auto ini = IniFile::Init(files, fileName, saving);
  if (!ini) return false;
  if (saving) {
    Saver saver(*ini, record);
    for (const Key& key : KEYS) saver.Walk(key);
    return ini->Save();
  }
  record = CompanyText{};
  Loader loader(*ini, record);
  for (const Key& key : KEYS) loader.Walk(key);
  if (record.zusBank == ZUS_BANK_AS_DEFAULT) record.zusBank = record.defaultBank;
  return true;
}

void ConvertCompanyText(platform::FileSystem& files, ui::Toolkit& toolkit, std::string_view source,
                        std::string_view target, const ShortString& previousDataPath) {
  const auto record = std::make_unique<CompanyText>();
  if (!CompanyTextData(files, *record, TextDataDirection::LOAD, ShortString(source))) Fail(toolkit);
  record->dataPath2020 = previousDataPath;
  record->dataPath2020.Truncate(DATA_PATH_LENGTH);
  if (!CompanyTextData(files, *record, TextDataDirection::SAVE, ShortString(target))) Fail(toolkit);
}

}  // namespace zq::conversion
