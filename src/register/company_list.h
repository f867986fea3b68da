#pragma once
// The companies that the recognition found convertible, in register order,
// each with the operator's mark. The list lives from the recognition to the
// end of the company loop, which releases it.

#include <array>
#include <cstdint>
#include <vector>

#include "fileaccess/record_fields.h"
#include "platform/short_string.h"
#include "register/company_record.h"

namespace zq::registry {

inline constexpr std::int32_t MAX_COMPANIES = 2048;

struct CompanyEntry {
  // The record as read from the source register; it goes unchanged into the
  // target register.
  std::array<std::uint8_t, COMPANY_RECORD_SIZE> record{};
  bool Selected = true;  // the company is to be converted
  // What the mark of an unfinished run says (its time and station); empty
  // for a company not converted before.
  ShortString unfinished;

  ShortString Name() const { return CompanyName(record); }
  ShortString Directory() const { return CompanyDirectory(record); }
  ShortString Info() const { return CompanyInfo(record); }
};

class CompanyList {
 public:
  std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
  // Indexed from 1; nothing outside 1..Count(). An entry stays where it is
  // until the list is released.
  CompanyEntry* Entry(std::int32_t index);
  const CompanyEntry* Entry(std::int32_t index) const;
  // A new selected entry with a copy of the record (a shorter record is
  // completed with zeros). False when the list is full.
  bool Add(fileaccess::RecordView record);
  void Release() { entries_ = {}; }

 private:
  std::vector<CompanyEntry> entries_;
};

}  // namespace zq::registry
