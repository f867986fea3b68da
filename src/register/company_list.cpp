#include "register/company_list.h"

namespace zq::registry {

CompanyEntry* CompanyList::Entry(std::int32_t index) {
  if (index < 1 || index > Count()) return nullptr;
  return &entries_[static_cast<std::size_t>(index - 1)];
}

const CompanyEntry* CompanyList::Entry(std::int32_t index) const {
  if (index < 1 || index > Count()) return nullptr;
  return &entries_[static_cast<std::size_t>(index - 1)];
}

bool CompanyList::Add(fileaccess::RecordView record) {
  if (Count() >= MAX_COMPANIES) return false;
  // Room for the whole list at once, so that no entry ever moves.
  if (entries_.empty()) entries_.reserve(MAX_COMPANIES);
  CompanyEntry& entry = entries_.emplace_back();
  fileaccess::CopyRecord(record, entry.record);
  return true;
}

}  // namespace zq::registry
