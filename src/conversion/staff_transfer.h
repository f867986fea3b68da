#pragma once
// The transfer of a company's staff into the new year: employees and owners,
// then their families and the records that hang on a person (contracts of
// mandate, wages entered in 2021). The person table remembers who was
// transferred, so the dependent records of a person who stayed behind are
// dropped. The company run resets it before its staff items; the employees
// come before every dependent item.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fileaccess/record_fields.h"
#include "platform/clock.h"
#include "transfer/progress_log.h"

namespace zq::conversion {

inline constexpr std::size_t EMPLOYEE_SIZE = 2048;
inline constexpr std::size_t FAMILY_MEMBER_SIZE = 352;
inline constexpr std::size_t WAGE_SIZE = 26624;

class StaffTransfer {
 public:
  static constexpr std::size_t PERSON_TABLE_SIZE = 2048;
  static constexpr int DISMISSED_PAUSE_MS = 250;

  StaffTransfer(transfer::ProgressLog& log, platform::Clock& clock);

  // Starts a company: an empty person table and the operator's transfer mode
  // (STAFF_ALL, STAFF_EMPLOYED_AT_YEAR_END or STAFF_ASK_EACH).
  void Reset(std::uint16_t staffTransferMode);

  // Converters (source, target) and filters (record): true keeps the record.
  bool ConvertEmployee(fileaccess::RecordView source, fileaccess::RecordBuffer target);
  bool ConvertFamilyMember(fileaccess::RecordView source, fileaccess::RecordBuffer target);
  bool ConvertContract(fileaccess::RecordView source, fileaccess::RecordBuffer target);
  // An old-format contract (552 bytes) into the current format (1024 bytes).
  bool ConvertOldContract(fileaccess::RecordView source, fileaccess::RecordBuffer target);
  bool FilterWage(fileaccess::RecordBuffer record);

  std::uint16_t TransferredCount() const { return transferredCount_; }
  // Persons of the staff file left in 2020 since the last reset (deleted
  // records are not persons).
  std::uint32_t DroppedCount() const { return droppedCount_; }
  std::uint16_t WorkingTransferMode() const { return workingMode_; }
  bool IsTransferred(std::int64_t person) const;

 private:
  bool AskTransfer();
  bool EmployedAtYearEnd(fileaccess::RecordView employee);
  void RememberPerson(std::int64_t person);
  // Writes `overflowWarning` with a key wait when more persons were
  // transferred than the table holds, then looks the person up.
  bool FindPerson(std::int64_t person, std::string_view overflowWarning);
  bool ContractPersonTransferred(fileaccess::RecordView contract);

  transfer::ProgressLog& log_;
  platform::Clock& clock_;
  std::uint16_t workingMode_ = 0;
  std::uint16_t transferredCount_ = 0;
  std::uint32_t droppedCount_ = 0;
  std::array<std::int64_t, PERSON_TABLE_SIZE> persons_{};  // entry n at index n - 1
};

}  // namespace zq::conversion
