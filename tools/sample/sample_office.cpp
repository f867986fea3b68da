#include "sample/sample_office.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "conversion/company_paths.h"
#include "fileaccess/record_fields.h"
#include "platform/pascal_random.h"
#include "platform/text_literal.h"
#include "sample/record_builders.h"

namespace zq::sample {
namespace {

constexpr char SEPARATOR = platform::PATH_SEPARATOR;

// The companies every office starts with; larger offices go on with
// generated names.
struct NamedCompany {
  ShortString name;
  ShortString directory;
  ShortString info;
};
constexpr std::array<NamedCompany, 12> NAMED_COMPANIES = {{
    {"Piekarnia Złoty Kłos s.c."_pl, "PIEKARN"_pl, "pełna księgowość, VAT miesięcznie"_pl},
    {"Zakład Stolarski Dąb"_pl, "STOLARZ"_pl, "KPiR, ryczałt ZUS"_pl},
    {"Hurtownia Śrubka Sp. z o.o."_pl, "SRUBKA"_pl, "przeniesiona wcześniej"_pl},
    {"Usługi Transportowe Żuraw"_pl, "ŻURAW"_pl, "KPiR, VAT kwartalnie"_pl},
    {"Kwiaciarnia Róża"_pl, "ROZA"_pl, "ryczałt ewidencjonowany"_pl},
    {"Biuro Podróży Wędrowiec"_pl, "WEDROW"_pl, "katalog usunięty w 2020"_pl},
    {"Apteka Pod Łabędziem"_pl, "APTEKA"_pl, "KPiR, proporcja VAT"_pl},
    {"Gabinet Stomatologiczny Ząbek"_pl, "ZABEK"_pl, "zwolniony z VAT"_pl},
    {"Sklep Spożywczy Groszek"_pl, "GROSZEK"_pl, "KPiR, kasa fiskalna"_pl},
    {"Warsztat Samochodowy Tłok"_pl, "TLOK"_pl, "KPiR, kilometrówka"_pl},
    {"Pracownia Krawiecka Igiełka"_pl, "IGIELKA"_pl, "ryczałt, 2 pracownice"_pl},
    {"Gospodarstwo Ogrodnicze Jabłoń"_pl, "JABLON"_pl, "rolnik ryczałtowy"_pl},
}};
constexpr int ALREADY_TARGET_COMPANY = 3;
constexpr int MISSING_COMPANY = 6;

constexpr std::array<ShortString, 6> TRADES = {"Sklep"_pl,     "Zakład Usługowy"_pl, "Hurtownia"_pl,
                                               "Pracownia"_pl, "Biuro"_pl,           "Firma"_pl};
constexpr std::array<ShortString, 10> SURNAMES = {
    "Nowak"_pl,       "Kowalska"_pl,  "Wiśniewski"_pl, "Wójcik"_pl,  "Kamińska"_pl,
    "Lewandowski"_pl, "Zieliński"_pl, "Szymańska"_pl,  "Woźniak"_pl, "Dąbrowski"_pl};
constexpr std::array<ShortString, 10> FIRST_NAMES = {
    "Jan"_pl,   "Anna"_pl,   "Piotr"_pl,     "Małgorzata"_pl, "Krzysztof"_pl,
    "Łucja"_pl, "Tomasz"_pl, "Agnieszka"_pl, "Michał"_pl,     "Żaneta"_pl};
constexpr std::array<ShortString, 4> CHILD_NAMES = {"Zosia"_pl, "Jaś"_pl, "Staś"_pl, "Ola"_pl};
constexpr std::array<ShortString, 4> DOCUMENT_KINDS = {
    "Sprzedaż towarów"_pl, "Zakup materiałów"_pl, "Usługa transportowa"_pl, "Opłata za prąd"_pl};

ShortString Number(long long value) {
  return ShortString(std::to_string(value));
}

// Two digits, with a leading zero.
ShortString TwoDigits(int value) {
  return ShortString(value < 10 ? "0" + std::to_string(value) : std::to_string(value));
}

bool IsMainAssetBase(const ShortString& name) {
  ShortString upper = name;
  for (char& c : upper) c = platform::UpCasePL(c);
  return upper.view() == "SRODKI";
}

// Lines of a text file, each ended with CR LF.
std::string TextLines(std::initializer_list<ShortString> lines) {
  std::string text;
  for (const ShortString& line : lines) {
    text += line.view();
    text += "\r\n";
  }
  return text;
}

// Builds the tree and stops at the first file that cannot be written.
class TreeWriter {
 public:
  explicit TreeWriter(platform::FileSystem& files) : files_(files) {}

  void Directory(const ShortString& path) {
    if (files_.MakeDirectory(path) != platform::IO_OK) Fail(path);
  }

  void File(const ShortString& path, std::string_view bytes) {
    int result = platform::IO_OK;
    auto file = files_.Open(path, platform::Access::WRITE, platform::Share::DENY_NONE,
                            platform::Disposition::CREATE_ALWAYS, result);
    if (!file) Fail(path);
    std::size_t done = 0;
    if (file->Write(bytes.data(), bytes.size(), done) != platform::IO_OK || done != bytes.size() ||
        file->Close() != platform::IO_OK) {
      Fail(path);
    }
  }

  void File(const ShortString& path, const Record& bytes) {
    File(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }

 private:
  [[noreturn]] static void Fail(const ShortString& path) {
    throw SampleWriteError("cannot write " + path.str());
  }

  platform::FileSystem& files_;
};

// Appends records to one file's bytes.
struct RecordFile {
  Record bytes;
  void Add(const Record& record) { bytes.insert(bytes.end(), record.begin(), record.end()); }
};

// `count` records of a file whose layout the converter never looks into:
// each numbered at offset 0 and filled with its own pattern.
Record OpaqueRecords(std::size_t size, int count, std::uint8_t filler) {
  RecordFile file;
  for (int i = 1; i <= count; ++i) {
    Record record = PatternRecord(size, static_cast<std::uint8_t>(filler + i));
    if (size >= 8) fileaccess::WriteI64(record, 0, i);
    file.Add(record);
  }
  return file.bytes;
}

// What one company's files are made of: its plan, the size options and a
// generator seeded for that company.
class CompanyWriter {
 public:
  CompanyWriter(TreeWriter& tree, const ShortString& directory, const CompanyPlan& company,
                const SampleOfficeOptions& options)
      : tree_(tree),
        directory_(directory),
        company_(company),
        count_(std::max(1, options.records)) {
    random_.Seed(options.seed * 7919u + static_cast<std::uint32_t>(company.number));
  }

  void Write() {
    tree_.Directory(directory_);
    Put("_zq_daz.rek"_pl, YearMarkerRecord{.year = 2020, .kind = 1, .filler = Filler()}.Build());
    Put("2019_ROK.REK"_pl, AnnualSettings(2019));
    if (company_.annual2020) Put("2020_ROK.REK"_pl, AnnualSettings(2020));
    if (company_.annual2021) WriteYear2021();
    WriteCompanyText();
    WriteStaff();
    WriteTaxForms();
    WriteBasesAndNotes();
    WriteSettings();
    WriteEntered2021();
    WriteAssets();
    if (company_.kilometres410) WriteKilometres410();
    if (company_.kilometres510) WriteKilometres510();
    Put("daz_import.xml"_pl,
        TextLines({"<?xml version=\"1.0\" encoding=\"IBM852\"?>"_pl,
                   "<daz_import firma=\""_pl + company_.directory + "\"/>"_pl}));
  }

 private:
  void Put(std::string_view name, std::string_view bytes) {
    tree_.File(ShortString(directory_) + SEPARATOR + name, bytes);
  }
  void Put(std::string_view name, const Record& bytes) {
    tree_.File(ShortString(directory_) + SEPARATOR + name, bytes);
  }
  void Put(std::string_view name, std::size_t size, int count) {
    Put(name, OpaqueRecords(size, count, Filler()));
  }
  std::uint8_t Filler() { return static_cast<std::uint8_t>(1 + random_.Next(250)); }
  double Amount(std::uint32_t maximum) {
    return static_cast<double>(random_.Next(maximum * 100)) / 100.0;
  }
  ShortString PersonName(int person) {
    return SURNAMES[static_cast<std::size_t>(person * 3 + company_.number) % SURNAMES.size()];
  }
  ShortString PersonFirstName(int person) {
    return FIRST_NAMES[static_cast<std::size_t>(person + company_.number) % FIRST_NAMES.size()];
  }

  // The three records of an annual settings file; the third the converter
  // carries as it stands.
  Record AnnualSettings(std::uint16_t year) {
    AnnualSettingsRecord1 first;
    const bool closed = year < 2020 || !company_.decemberOpen;
    first.monthCounter = year == 2021 ? 2 : 12;
    first.openMonth = year == 2021 ? 2 : (closed ? 13 : 12);
    first.byteAt4 = 3;
    for (auto& counters : first.monthlyCounters) {
      counters = {static_cast<std::uint16_t>(1 + random_.Next(40)),
                  static_cast<std::uint16_t>(1 + random_.Next(40))};
    }
    first.vatProportional = company_.vatProportional;
    first.vatProportion = company_.vatProportional ? 75 : 0;
    first.nextVatProportion = company_.vatProportional && company_.number % 2 == 0 ? 80 : 0;
    first.byteAt131 = 3;
    double balance = Amount(50000);
    for (double& entry : first.balances) {
      entry = balance;
      balance += Amount(5000);
    }
    // A company at work in 2021 opened the year with 2020's closing state.
    if (year == 2020) closing2020_ = first.balances.back();
    if (year == 2021 && company_.annual2020) first.balances.front() = closing2020_;
    for (double& entry : first.secondMonthly) entry = Amount(20000);
    first.valueAt416 = 1;
    first.filler = Filler();

    AnnualSettingsRecord2 second;
    constexpr std::array<ShortString, 10> PREFIXES = {"FV"_pl, "FK"_pl, "RK"_pl, "WB"_pl, "PK"_pl,
                                                      "DW"_pl, "KP"_pl, "KW"_pl, "NK"_pl, "RZ"_pl};
    for (std::size_t i = 0; i < second.numberings.size(); ++i) {
      second.numberings[i] = {PREFIXES[i], static_cast<std::uint16_t>(1 + random_.Next(300)),
                              "/"_pl + Number(year)};
    }
    second.filler = Filler();

    RecordFile file;
    file.Add(first.Build());
    file.Add(second.Build());
    file.Add(PatternRecord(512, Filler()));
    return file.bytes;
  }

  void WriteYear2021() {
    Put("2021_ROK.REK"_pl, AnnualSettings(2021));
    Put("2021vJ17.REK"_pl, 1024, count_);
    Put("2021UE01.REK"_pl, 256, count_);
    Put("2021UE02.REK"_pl, 256, 1);
    Put("2020VXX.REK"_pl, 512, count_);
    RecordFile sums;
    for (int i = 1; i <= count_; ++i) {
      OldColumnSumsRecord record;
      record.kind = static_cast<std::uint8_t>(i);
      for (auto& month : record.amounts) {
        for (double& amount : month) amount = Amount(9000);
      }
      record.title = "Kolumny księgi "_pl + Number(i);
      record.filler = Filler();
      sums.Add(record.Build());
    }
    Put("2021KOL2.REK"_pl, sums.bytes);
    Put("2021ZAL.REK"_pl, 1024, count_);
  }

  void WriteCompanyText() {
    const ShortString nip =
        Number(500 + company_.number) + "-"_pl + Number(100 + random_.Next(900)) + "-12-34"_pl;
    Put("FIRMATXT.INI"_pl,
        TextLines(
            {"[DAZ]"_pl,
             "NAZWA_ZUS="_pl + company_.name,
             "INFO1="_pl + company_.info,
             "UWAGI=Dokumenty odbiera pani Halina we wtorki"_pl,
             "FAS=TAK"_pl,
             "[URZEDY_SKARBOWE]"_pl,
             "VAT-7=Urząd Skarbowy w Łodzi-Bałutach"_pl,
             "PIT-4R=Urząd Skarbowy w Łodzi-Bałutach"_pl,
             "[FIRMA]"_pl,
             "TYP=1"_pl,
             "NIP="_pl + nip,
             "REGON=47"_pl + Number(1000000 + random_.Next(8999999)),
             "[PATH]"_pl,
             "DAZ2019=C:\\DAZ_2019\\"_pl + company_.directory,
             "DAZ2018=C:\\DAZ_2018\\"_pl + company_.directory,
             "DAZ2012=C:\\DAZ_2012\\"_pl + company_.directory,
             "[BANKI]"_pl,
             "DEF=1"_pl,
             "DEF_ZUS=31"_pl,
             "NAZWA1=Bank Spółdzielczy w Zgierzu"_pl,
             "NRB1=12 8783 0004 0012 3456 7890 0001"_pl,
             "DATA_ZBA=15.03.2019"_pl,
             "[ADRES_SIEDZIBY]"_pl,
             "KRAJ=POLSKA"_pl,
             "WOJEWODZTWO=ŁÓDZKIE"_pl,
             "GMINA=Zgierz"_pl,
             "ULICA=Łąkowa"_pl,
             "DOM="_pl + Number(1 + company_.number),
             "MIEJSCOWOSC=Zgierz"_pl,
             "KOD=95-100"_pl,
             "POCZTA=Zgierz"_pl,
             "IAP=tak"_pl,
             "[ZUS_ZxA]"_pl,
             "DRAI01=N"_pl,
             "RENT2020=1"_pl,
             "DRAIX02_2020=$0001$0001$0001$0001$0001$0001$0001$0001$0001$0001$0001$0001"_pl}));
    Put("FIRMA_A8.REK"_pl, 224, 1);
  }

  void WriteStaff() {
    RecordFile employees, families, contracts, wages;
    for (int person = 1; person <= count_; ++person) {
      EmployeeRecord employee{.person = person,
                              .firstName = PersonName(person),
                              .secondName = PersonFirstName(person),
                              .protectedRecord = person % 3 == 1,
                              .filler = Filler()};
      if (person % 4 == 2) {
        employee.leaving = {static_cast<std::uint8_t>(1 + random_.Next(28)),
                            static_cast<std::uint8_t>(1 + person % 11), 2020};
      } else if (person % 4 == 3) {
        employee.leaving = {31, 12, 2020};
      }
      // A record the accounting system deleted keeps its place, negated.
      const bool deleted = person % 5 == 0;
      if (deleted) employee.person = -person;
      employees.Add(employee.Build());
      if (deleted) continue;
      if (person % 2 == 1) {
        families.Add(FamilyMemberRecord{
            .person = person,
            .firstName = employee.firstName,
            .secondName = CHILD_NAMES[static_cast<std::size_t>(person) % CHILD_NAMES.size()],
            .filler = Filler()}
                         .Build());
      }
      ContractTexts texts{
          .firstText = "Umowa zlecenia"_pl,
          .secondText = "nr "_pl + Number(person) + "/2021"_pl,
          .lines = {"Prowadzenie strony internetowej"_pl, "w okresie styczeń - marzec 2021"_pl,
                    "wynagrodzenie 1200 zł"_pl},
          .typeKind = static_cast<std::uint8_t>(1 + person % 2),
          .typeCode = "123456789ABCDR"[static_cast<std::size_t>(person) % 14]};
      if (company_.oldFormatContracts) {
        contracts.Add(
            OldContractRecord{.person = person, .texts = texts, .filler = Filler()}.Build());
      } else {
        contracts.Add(ContractRecord{.person = person, .texts = texts, .filler = Filler()}.Build());
      }
      wages.Add(WageRecord{.person = person, .filler = Filler()}.Build());
    }
    Put("DANE_PR8.REK"_pl, employees.bytes);
    Put("DANE_PF8.REK"_pl, families.bytes);
    Put(company_.oldFormatContracts ? "2021UZ3.REK"_pl : "2021UZ5.REK"_pl, contracts.bytes);
    Put("2021WP5.REK"_pl, wages.bytes);
    Put("DANE_PZ.DAT"_pl, 600, count_);
    Put("2021PITS.REK"_pl, 1200, count_);
    Put("UMOWY.INI"_pl, TextLines({"[UMOWY]"_pl, "OKRES_PROBNY=3 miesiące"_pl,
                                   "WYMIAR=pełny etat"_pl, "STAWKA_GODZINOWA=18,30"_pl}));
  }

  void WriteTaxForms() {
    const auto forms = [this](bool pit28, std::uint16_t year) {
      RecordFile file;
      for (int person = 1; person <= count_; ++person) {
        TaxFormRecord form{.person = person,
                           .formDate = {1, 1, year},
                           .headValue = random_.Next(1000),
                           .firstName = PersonName(person),
                           .secondName = PersonFirstName(person),
                           .switches = {0, 1, static_cast<std::uint8_t>(person % 2)},
                           .filler = Filler()};
        if (pit28) {
          form.monthWord = static_cast<std::uint16_t>(random_.Next(500));
          for (auto& month : form.months) {
            month = {Amount(3000), Amount(3000), random_.Next(100), Amount(500)};
          }
        } else {
          for (double& amount : form.closingAmounts) amount = Amount(4000);
        }
        file.Add(form.Build());
      }
      return file.bytes;
    };
    Put("2020P5.REK"_pl, forms(false, 2020));
    Put("2020_P28.REK"_pl, forms(true, 2020));
    if (company_.currentTaxForms) {
      Put("2021P5.REK"_pl, forms(false, 2021));
      Put("2021_P28.REK"_pl, forms(true, 2021));
    }
  }

  void WriteBasesAndNotes() {
    Put("baza_ad8.rek"_pl, 480, count_);
    Put("baza_sp9.rek"_pl, 512, count_);
    Put("baza_za9.rek"_pl, 512, count_);
    Put("baza_ff.txt"_pl, TextLines({"F2=Usługa księgowa"_pl, "F3=Sprzedaż towarów handlowych"_pl,
                                     "F4=Zakup materiałów biurowych"_pl}));
    Put("Notatnik.txt"_pl, TextLines({"Zadzwonić do ZUS w sprawie korekty za listopad."_pl,
                                      "Faktura od dostawcy prądu przyjdzie w styczniu."_pl}));
    Put("Notatka.txt"_pl, TextLines({"Właściciel prosi o zestawienie kosztów za 2020."_pl}));
    Put("Notes.txt"_pl,
        TextLines({"Spis z natury sporządzony 31.12.2020."_pl, ""_pl,
                   "Wartość remanentu: "_pl + Number(10000 + random_.Next(90000)) + " zł"_pl}));
    Put("BAZA_PP8.REK"_pl, 432, count_);
    Put("BAZA_PP8.INI"_pl,
        TextLines({"[PRZELEWY]"_pl, "RACHUNEK=12 8783 0004 0012 3456 7890 0001"_pl,
                   "TYTUŁ=Zapłata za fakturę"_pl}));
  }

  void WriteSettings() {
    Put("2020_lp2.cc"_pl,
        WageSettingsRecord{.year = 2020,
                           .workingDays = {20, 20, 22, 21, 20, 21, 23, 21, 22, 22, 20, 21},
                           .filler = Filler()}
            .Build());
    if (company_.wageSettings2021) {
      Put("2021_lp2.cc"_pl,
          WageSettingsRecord{.year = 2021,
                             .workingDays = {19, 20, 23, 21, 19, 21, 22, 22, 22, 21, 20, 22},
                             .filler = Filler()}
              .Build());
    }
    Put("ZUS_PEL.INI"_pl,
        TextLines({"[ZUS]"_pl, "KOD_TYTULU=0510"_pl, "PELNOMOCNIK=Jan Nowak"_pl}));
    Put("ESTUJ.REK"_pl, 768, count_);
    Put("BAZA_DW8.REK"_pl, 784, count_);
    Put("ODS_ZOB.REK"_pl, 200, count_);
    Put("AUTOV26.REK"_pl, 320, count_);
  }

  void WriteEntered2021() {
    for (int month = 1; month <= company_.documentMonths; ++month) {
      RecordFile documents;
      for (int i = 1; i <= count_; ++i) {
        DazDocumentRecord document{
            .sequence = static_cast<std::uint32_t>(i),
            .date = {static_cast<std::uint8_t>(1 + random_.Next(28)),
                     static_cast<std::uint8_t>(month), 2021},
            .number = "FV "_pl + Number(i) + "/"_pl + TwoDigits(month) + "/21"_pl,
            .description =
                DOCUMENT_KINDS[static_cast<std::size_t>(i + month) % DOCUMENT_KINDS.size()],
            .state = 1,
            .filler = Filler()};
        // The last document of February was struck out.
        if (month == 2 && i == count_) document.status = 2;
        documents.Add(document.Build());
      }
      Put("2021K990."_pl + Number(month), documents.bytes);
    }
    for (int month = 1; month <= company_.repaymentMonths; ++month) {
      RecordFile repayments;
      for (int i = 1; i <= count_; ++i) {
        repayments.Add(
            RepaymentRecord{.date = {static_cast<std::uint8_t>(10 + i % 18),
                                     static_cast<std::uint8_t>(month), 2021},
                            .document = "FV "_pl + Number(i) + "/"_pl + TwoDigits(month) + "/21"_pl,
                            .filler = Filler()}
                .Build());
      }
      Put("2021SP."_pl + Number(month), repayments.bytes);
    }
    Put("2021IDX.REK"_pl, 64, count_);
    Put("2021_NK8.REK"_pl, 848, count_);
    for (int i = 1; i <= company_.draFiles; ++i) {
      Put("2021D5"_pl + TwoDigits(i) + ".KED"_pl,
          TextLines({"<?xml version=\"1.0\" encoding=\"IBM852\"?>"_pl,
                     "<KEDU><ZUSDRA okres=\"2021-"_pl + TwoDigits(i) + "\"/></KEDU>"_pl}));
    }
  }

  void WriteAssets() {
    if (company_.assetBases.empty()) return;
    Put("dokument.rek"_pl, TextLines({"OT 1/2020 Przyjęcie środka trwałego"_pl,
                                      "LT 1/2020 Likwidacja wyposażenia"_pl}));
    Put("srodki.rek"_pl, 39771, count_);
    Put("wyposaz.rek"_pl, 39771, count_);
    Put("st.cnf"_pl, 3837, 1);
    RecordFile list;
    for (const ShortString& base : company_.assetBases) {
      list.Add(AssetBaseRecord{.name = base, .filler = Filler()}.Build());
      // srodki.rek above is the base of that name.
      // A name that is no file name (a test's bad data) gets no file.
      const std::string file = base.str() + ".REK";
      if (!IsMainAssetBase(base) && conversion::IsPlainName(file) && file.size() <= 40) {
        Put(file, 39771, count_);
      }
    }
    Put("stbazy.rek"_pl, list.bytes);
  }

  void WriteKilometres410() {
    Put("PRACA.cel"_pl, 96, count_);
    Put("cel2021.rek"_pl, 96, count_);
    Put("DOM.trs"_pl, 160, count_);
    Put("tras2021.rek"_pl, 160, count_);
    Put("km.cnf"_pl, 2395, 1);
    Put("adresy.rek"_pl, 557, count_);
    Put("samochod.rek"_pl, 704, 1);
    if (!company_.kstFiles && !company_.wyjFiles) return;
    const ShortString folder = ShortString(directory_) + SEPARATOR + "_2021"_pl;
    tree_.Directory(folder);
    if (company_.kstFiles) {
      tree_.File(folder + SEPARATOR + "STYCZEŃ.kst"_pl, OpaqueRecords(572, count_, Filler()));
      tree_.File(folder + SEPARATOR + "LUTY.kst"_pl, OpaqueRecords(572, 1, Filler()));
    }
    if (company_.wyjFiles) {
      tree_.File(folder + SEPARATOR + "WYJAZDY.wyj"_pl, OpaqueRecords(128, count_, Filler()));
    }
  }

  void WriteKilometres510() {
    Put("km__auto.rek"_pl, 256, count_);
    Put("km21_01.rek"_pl, 128, count_);
  }

  TreeWriter& tree_;
  const ShortString directory_;
  const CompanyPlan& company_;
  const int count_;
  platform::PascalRandom random_;
  double closing2020_ = 0;  // BZ of the 2020 settings, once they are written
};

CompanyPlan PlanCompany(int number, platform::PascalRandom& random) {
  CompanyPlan company;
  company.number = number;
  if (number <= static_cast<int>(NAMED_COMPANIES.size())) {
    const NamedCompany& named = NAMED_COMPANIES[static_cast<std::size_t>(number - 1)];
    company.name = named.name;
    company.directory = named.directory;
    company.info = named.info;
  } else {
    company.name = TRADES[random.Next(static_cast<std::uint32_t>(TRADES.size()))] + " "_pl +
                   SURNAMES[random.Next(static_cast<std::uint32_t>(SURNAMES.size()))] + " "_pl +
                   Number(number);
    company.directory = "F"_pl + Number(10000 + number).view().substr(1);
    company.info = "klient od "_pl + Number(2000 + random.Next(20));
  }
  if (number == ALREADY_TARGET_COMPANY) company.place = CompanyPlace::ALREADY_TARGET;
  if (number == MISSING_COMPANY) company.place = CompanyPlace::MISSING;

  company.annual2021 = number % 4 == 1;
  company.currentTaxForms = company.annual2021;
  company.wageSettings2021 = company.annual2021;
  company.vatProportional = number % 3 == 0;
  company.decemberOpen = number % 5 == 4;
  company.oldFormatContracts = number % 2 == 0;
  company.documentMonths = 1 + number % 3;
  company.repaymentMonths = 1 + number % 2;
  company.draFiles = number % 3 == 1 ? 2 : 0;
  if (number % 3 != 2) company.assetBases = {"Srodki"_pl, "Budynki"_pl, "Maszyny"_pl};
  company.kilometres410 = number % 2 == 0;
  company.kstFiles = company.kilometres410;
  company.wyjFiles = number % 4 == 0;
  company.kilometres510 = number % 3 == 0;
  return company;
}

}  // namespace

std::vector<CompanyPlan> PlanOffice(const SampleOfficeOptions& options) {
  platform::PascalRandom random;
  random.Seed(options.seed);
  std::vector<CompanyPlan> companies;
  for (int number = 1; number <= options.companies; ++number) {
    companies.push_back(PlanCompany(number, random));
  }
  return companies;
}

void WriteRegister(platform::FileSystem& files, const ShortString& path,
                   const std::vector<CompanyPlan>& companies) {
  RecordFile records;
  for (const CompanyPlan& company : companies) {
    records.Add(CompanyRecord{.name = company.name,
                              .directory = company.directory,
                              .info = company.info,
                              .filler = static_cast<std::uint8_t>(company.number)}
                    .Build());
  }
  TreeWriter(files).File(path, records.bytes);
}

void WriteGlobalData(platform::FileSystem& files, const ShortString& directory,
                     const SampleOfficeOptions& options) {
  TreeWriter tree(files);
  const int count = std::max(1, options.records);
  const auto put = [&](std::string_view name, std::string_view bytes) {
    tree.File(directory + SEPARATOR + name, bytes);
  };
  const auto putRecords = [&](std::string_view name, const Record& bytes) {
    tree.File(directory + SEPARATOR + name, bytes);
  };
  putRecords("baza_ad8.rek"_pl, OpaqueRecords(480, count, 0x31));
  put("daz_2020.ini"_pl, TextLines({"[DAZ]"_pl, "ROK=2020"_pl, "WERSJA=VI020"_pl,
                                    "BIURO=Biuro Rachunkowe Bilans"_pl, "DRUKARKA=LPT1"_pl}));
  put("baza_ff.txt"_pl, TextLines({"F2=Usługi księgowe"_pl, "F3=Przelew do ZUS"_pl,
                                   "F4=Przelew do Urzędu Skarbowego"_pl}));
  RecordFile office;
  for (int i = 1; i <= count; ++i) {
    OfficeDataRecord record{
        .lines = {"Biuro Rachunkowe Bilans"_pl, "ul. Łąkowa 7"_pl, "95-100 Zgierz"_pl},
        .identifier = "732-100-20-30"_pl,
        .firstText = "Halina Świątek"_pl,
        .numberings = {{{57, "/2020"_pl}, {12, "/2020"_pl}, {3, "/2020"_pl}, {140, "/2020"_pl}}},
        .textAt204 = "Licencja nr 12345/98"_pl,
        // Every second record has no service text of its own.
        .service = i % 2 == 1 ? "Prowadzenie księgi - grudzień"_pl : ShortString(),
        .flag = 1,
        .secondText = "tel. 42 716 00 00"_pl,
        .valueAt349 = static_cast<std::uint16_t>(i),
        .filler = static_cast<std::uint8_t>(0x40 + i)};
    office.Add(record.Build());
  }
  putRecords("2020_BR.REK"_pl, office.bytes);
  put("DAZ_ZQ.INI"_pl, TextLines({"[DLL]"_pl, "ST=TAK"_pl, "KM410=TAK"_pl, "KM510=NIE"_pl}));
  put("2020spd.ini"_pl, TextLines({"[PODATEK]"_pl, "PROG1=85528"_pl, "STAWKA1=17"_pl,
                                   "STAWKA2=32"_pl, "KWOTA_WOLNA=8000"_pl}));
  putRecords("2020_lp2.cc"_pl, WageSettingsRecord{.year = 2020, .filler = 0x51}.Build());
  putRecords("2021_lp2.cc"_pl, WageSettingsRecord{.year = 2021, .filler = 0x52}.Build());
  put("KOLORY.ZQ"_pl, std::string_view("\x07\x0F\x1F\x70\x07\x02\x0F\x0F\x4F\x0F\x70", 11));
  putRecords("OPERATOR.REK"_pl, OpaqueRecords(512, count, 0x61));
  put("ZUS_PEL.INI"_pl, TextLines({"[ZUS]"_pl, "PLATNIK=Biuro Rachunkowe Bilans"_pl}));
  put("UMOWY.INI"_pl, TextLines({"[UMOWY]"_pl, "WZOR=umowa_zlecenia.txt"_pl}));
}

void WriteCompany(platform::FileSystem& files, const ShortString& directory,
                  const CompanyPlan& company, const SampleOfficeOptions& options) {
  TreeWriter tree(files);
  CompanyWriter(tree, directory, company, options).Write();
}

std::vector<CompanyPlan> WriteSampleOffice(platform::FileSystem& files, const ShortString& root,
                                           const SampleOfficeOptions& options) {
  const std::vector<CompanyPlan> companies = PlanOffice(options);
  TreeWriter tree(files);
  const ShortString source = root + SEPARATOR + "DAZ_2020"_pl;
  const ShortString target = root + SEPARATOR + "DAZ_2021"_pl;
  tree.Directory(source);
  tree.Directory(target);
  tree.Directory(source + SEPARATOR + "#BIN020"_pl);
  WriteGlobalData(files, source + SEPARATOR + "#BIN020"_pl, options);
  WriteRegister(files, source + SEPARATOR + "SPISFIRM.DAT"_pl, companies);
  for (const CompanyPlan& company : companies) {
    if (company.place == CompanyPlace::MISSING) continue;
    WriteCompany(files, source + SEPARATOR + company.directory, company, options);
    if (company.place == CompanyPlace::ALREADY_TARGET) {
      // What an earlier run left of it: the directory and its year marker.
      const ShortString converted = target + SEPARATOR + company.directory;
      tree.Directory(converted);
      tree.File(converted + SEPARATOR + "_zq_daz.rek"_pl,
                YearMarkerRecord{.year = 2021, .kind = 1, .converted = 1, .filler = 0x21}.Build());
    }
  }
  return companies;
}

}  // namespace zq::sample
