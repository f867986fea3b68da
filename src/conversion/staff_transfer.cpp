#include "conversion/staff_transfer.h"

#include <algorithm>
#include <limits>

#include "conversion/conversion_options.h"
#include "conversion/employee_scrambling.h"
#include "conversion/key_choice.h"
#include "conversion/old_contract_format.h"
#include "platform/text_literal.h"

namespace zq::conversion {
namespace {

using fileaccess::ReadDate;
using fileaccess::ReadI64;
using fileaccess::ReadShortString;
using fileaccess::ReadU32;
using fileaccess::ReadU8;
using fileaccess::RecordBuffer;
using fileaccess::RecordView;
using fileaccess::WriteU8;

// Every record of these files starts with the identifier of its person;
// a negative one marks a deleted record.
constexpr std::size_t PERSON = 0;

// Employee record (2048 bytes).
constexpr std::size_t EMPLOYEE_PROTECTION = 8;
constexpr std::uint8_t PROTECTION_PLAIN = 1;
constexpr std::uint8_t PROTECTION_SCRAMBLED = 2;
constexpr std::size_t EMPLOYEE_FIRST_NAME = 40;
constexpr std::size_t EMPLOYEE_SECOND_NAME = 72;
constexpr std::size_t EMPLOYEE_LEAVING_DATE = 213;  // 0 = still employed

// Family member record (352 bytes).
constexpr std::size_t FAMILY_FIRST_NAME = 56;
constexpr std::size_t FAMILY_SECOND_NAME = 88;

constexpr std::size_t NAME_WIDTH = 32;

constexpr ui::Date YEAR_END{31, 12, 2020};

constexpr ShortString PERSON_INDEX_WARNING = "Upss... Wskaźnik osoby > max ilość osob !"_pl;

constexpr std::uint32_t Chronological(const ui::Date& date) {
  return (std::uint32_t{date.year} << 16) | (std::uint32_t{date.month} << 8) | date.day;
}

bool Deleted(RecordView record) {
  return ReadI64(record, PERSON) < 0;
}

}  // namespace

StaffTransfer::StaffTransfer(transfer::ProgressLog& log, platform::Clock& clock)
    : log_(log), clock_(clock) {}

void StaffTransfer::Reset(std::uint16_t staffTransferMode) {
  workingMode_ = staffTransferMode;
  transferredCount_ = 0;
  droppedCount_ = 0;
  persons_.fill(0);
}

bool StaffTransfer::IsTransferred(std::int64_t person) const {
  const std::size_t known = std::min<std::size_t>(transferredCount_, PERSON_TABLE_SIZE);
  const auto end = persons_.begin() + static_cast<std::ptrdiff_t>(known);
  return std::find(persons_.begin(), end, person) != end;
}

bool StaffTransfer::ConvertEmployee(RecordView source, RecordBuffer target) {
  // The record is worked on plain in the target and scrambled again at the
  // end, so a protected record comes out exactly as it came in.
  fileaccess::CopyRecord(source, target);
  const bool wasProtected = ReadU8(target, EMPLOYEE_PROTECTION) == PROTECTION_SCRAMBLED;
  if (wasProtected) {
    ScrambleEmployeeRecord(target);
    WriteU8(target, EMPLOYEE_PROTECTION, PROTECTION_PLAIN);
  }
  if (Deleted(target)) return false;

  log_.SetLogColour(transfer::LOG_LABEL);
  log_.LogWrite("osoba: "_pl);
  log_.SetLogColour(transfer::LOG_EMPHASIS);
  log_.LogWrite(ReadShortString(target, EMPLOYEE_FIRST_NAME, NAME_WIDTH) + " " +
                ReadShortString(target, EMPLOYEE_SECOND_NAME, NAME_WIDTH).view());
  log_.SetLogColour(transfer::LOG_NORMAL);
  bool transferred = true;
  if (workingMode_ == STAFF_EMPLOYED_AT_YEAR_END) {
    transferred = EmployedAtYearEnd(target);
  } else if (workingMode_ == STAFF_ASK_EACH) {
    transferred = AskTransfer();
  }
  log_.LogWriteLn();
  if (!transferred) {
    ++droppedCount_;
    return false;
  }

  RememberPerson(ReadI64(target, PERSON));
  if (wasProtected) {
    ScrambleEmployeeRecord(target);
    WriteU8(target, EMPLOYEE_PROTECTION, PROTECTION_SCRAMBLED);
  }
  return true;
}

bool StaffTransfer::EmployedAtYearEnd(RecordView employee) {
  const bool left =
      ReadU32(employee, EMPLOYEE_LEAVING_DATE) != 0 &&
      Chronological(ReadDate(employee, EMPLOYEE_LEAVING_DATE)) < Chronological(YEAR_END);
  if (!left) return true;
  log_.LogWrite(" - zwolniony"_pl);
  clock_.Sleep(DISMISSED_PAUSE_MS);
  return false;
}

bool StaffTransfer::AskTransfer() {
  log_.SetLogColour(transfer::LOG_QUESTION);
  log_.LogWrite(" Przenieść T/N /W  ? "_pl);
  log_.SetLogColour(transfer::LOG_NORMAL);
  const char answer = WaitForChoice(log_, "TNW");
  // W: this one and every later employee of the company, without asking.
  if (answer == 'W') workingMode_ = STAFF_ALL;
  return answer != 'N';
}

void StaffTransfer::RememberPerson(std::int64_t person) {
  if (transferredCount_ == std::numeric_limits<std::uint16_t>::max()) return;
  ++transferredCount_;
  if (transferredCount_ <= PERSON_TABLE_SIZE) persons_[transferredCount_ - 1u] = person;
  if (transferredCount_ == PERSON_TABLE_SIZE) {
    log_.LogWriteLn("Upss... za dużo pracowników, nie połapię się w rodzinach !"_pl);
    log_.WaitForKey();
  }
}

bool StaffTransfer::FindPerson(std::int64_t person, std::string_view overflowWarning) {
  if (transferredCount_ > PERSON_TABLE_SIZE) {
    log_.LogWriteLn(overflowWarning);
    log_.WaitForKey();
  }
  return IsTransferred(person);
}

bool StaffTransfer::ConvertFamilyMember(RecordView source, RecordBuffer target) {
  fileaccess::ClearRecord(target);
  if (Deleted(source)) return false;
  if (!FindPerson(ReadI64(source, PERSON), PERSON_INDEX_WARNING)) {
    log_.LogWriteLn("Nie odnaleziono osoby związanej z członkiem rodziny !"_pl);
    log_.WaitForKey();
    return false;
  }
  fileaccess::CopyRecord(source, target);
  log_.LogWriteLn("  "_pl + ReadShortString(source, FAMILY_FIRST_NAME, NAME_WIDTH).view() + " " +
                  ReadShortString(source, FAMILY_SECOND_NAME, NAME_WIDTH).view());
  return true;
}

bool StaffTransfer::ContractPersonTransferred(RecordView contract) {
  if (Deleted(contract)) return false;
  if (FindPerson(ReadI64(contract, PERSON), "Upss... za duża ilość pracownikow !"_pl)) return true;
  log_.LogWriteLn("Upss... nie odnaleziono osoby związanej z odczytną umową/zlecenia !"_pl);
  log_.WaitForKey();
  return false;
}

bool StaffTransfer::ConvertContract(RecordView source, RecordBuffer target) {
  if (!ContractPersonTransferred(source)) return false;
  fileaccess::ClearRecord(target);
  fileaccess::CopyRecord(source, target);
  return true;
}

bool StaffTransfer::ConvertOldContract(RecordView source, RecordBuffer target) {
  if (!ContractPersonTransferred(source)) return false;
  ConvertOldContractLayout(source, target);
  return true;
}

bool StaffTransfer::FilterWage(RecordBuffer record) {
  if (Deleted(record)) return false;
  if (!FindPerson(ReadI64(record, PERSON), PERSON_INDEX_WARNING)) {
    return false;
  }
  log_.LogWriteLn("Wynagrodzenie idx = "_pl);
  return true;
}

}  // namespace zq::conversion
