#pragma once
// The company's descriptive data as the accounting system keeps it in
// FIRMATXT.INI: names, tax identifiers, addresses, banks, registration,
// data-protection contacts and social-insurance settings. A cleared record
// (all zeros) is the data of a company that has none.

#include <array>
#include <cstdint>

#include "platform/short_string.h"
#include "ui/dates.h"

namespace zq::conversion {

// Twelve 16-bit values, January first.
using MonthSet = std::array<std::uint16_t, 12>;

struct CompanyAddress {
  ShortString country;
  ShortString province;
  ShortString commune;
  ShortString street;
  ShortString house;
  ShortString flat;
  ShortString town;
  ShortString postalCode;
  ShortString postOffice;
  ShortString postBox;
  ShortString telephone;
  ShortString county;
  ShortString euCode;
};

struct CompanyText {
  // The name for the social insurance and five lines of description.
  ShortString zusName;
  ShortString info1, info2, info3, info4, info5;
  // Tax offices, and their codes, for each return.
  ShortString officeVat7, officePit4r, officePit8ar, officePitXx;
  ShortString officeCodeVat7, officeCodePit4r, officeCodePit8ar, officeCodePitXx;
  ShortString xmlPath, xmlTransferPath;
  std::uint16_t companyType = 0;
  ShortString nip, regon;
  // Where the company's data of each earlier year lie.
  ShortString dataPath2020, dataPath2019, dataPath2018, dataPath2017, dataPath2016, dataPath2015,
      dataPath2014;
  // Banks: the default one, the one for social insurance, five names with
  // their account numbers.
  std::uint16_t defaultBank = 0;
  std::uint16_t zusBank = 0;
  ShortString bankName1, bankAccount1, bankName2, bankAccount2, bankName3, bankAccount3, bankName4,
      bankAccount4, bankName5, bankAccount5;
  ShortString irkInZus;
  ui::Date zbaDate;
  ShortString micro;
  // Employee capital plans: fund company, agreement, account.
  ShortString ppkFund, ppkAgreement, ppkAccount;
  // The owner, when the company is a natural person.
  ShortString personPesel, personNip, personSurname, personFirstName, personSecondName,
      personFather, personMother;
  ui::Date personBirthDate;
  ShortString personBirthPlace, personCitizenship;
  char personOtherIdKind = 0;
  ShortString personOtherIdNumber;
  // The company, when it is a legal person.
  ShortString fullName1, fullName2, shortName;
  ui::Date startDate;
  // The registration.
  ShortString registryAuthority, registryName;
  ui::Date registryDate;
  ShortString registryNumber, registryCode, registryOrzal;
  CompanyAddress seat;
  ShortString seatCommuneCode;
  bool seatIap = false;
  CompanyAddress correspondence;
  ShortString correspondenceEmail, correspondenceFax;
  CompanyAddress residence;
  CompanyAddress records;
  // Two lines of business activity, each with its classification codes.
  ShortString activity1, activity1Kgn, activity1Ekd, activity2, activity2Kgn, activity2Ekd;
  // The person authorised to act for the company.
  ShortString agentSurname, agentFirstName, agentTelephone, agentEmail, agentStKo;
  // Data protection: the officer, and the firm that processes the data.
  ShortString dpoSurname, dpoFirstName, dpoEmail, processorName, processorAddress, processorNip,
      processorEmail;
  // The accounting office that keeps the books.
  ShortString officeName, officeNip, officeRegon, officeAgreement;
  // Social-insurance declarations.
  ui::Date zusSubmitted, zusFilledIn;
  ShortString zwpaCode;
  ui::Date zwpaDate;
  bool zpwaCorrection = false;
  ShortString ppPath;
  char drai01 = 0;
  std::uint16_t pensionPreviousYear = 0, pensionYear = 0;
  std::uint16_t rxa = 0, zwFgsp = 0;
  MonthSet draix02{};
  // The ZIPA form.
  std::uint16_t zipaI = 0;
  ShortString zipa01, zipa02, zipa03;
  char zipa04 = 0;
  ShortString zipa05, zipa06, zipa07, zipa08;
  ui::Date zipa09, zipaIv09;
  bool fas = false;
};

}  // namespace zq::conversion
