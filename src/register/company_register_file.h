#pragma once
// The company register as a record file: kept in ascending order of its
// company key (name, directory, info) in Polish alphabetical order, so that
// the accounting system lists the companies sorted.

#include "fileaccess/record_file.h"

namespace zq::registry {

class CompanyRegisterFile : public fileaccess::RecordFile {
 public:
  CompanyRegisterFile(fileaccess::SharedFileAccess& access, const ShortString& name);

  // A record whose key equals an existing one goes after it.
  int Compare(fileaccess::RecordView newRecord,
              fileaccess::RecordView existingRecord) const override;
  // The name in 31 characters, a blank, the directory in 8, a blank, the
  // info in 25.
  ShortString KeyText(fileaccess::RecordView record) const override;
};

}  // namespace zq::registry
