#include "register/company_register_file.h"

#include "register/company_record.h"
#include "ui/polish_text.h"

namespace zq::registry {

CompanyRegisterFile::CompanyRegisterFile(fileaccess::SharedFileAccess& access,
                                         const ShortString& name)
    : RecordFile(access, name, COMPANY_RECORD_SIZE) {}

ShortString CompanyRegisterFile::KeyText(fileaccess::RecordView record) const {
  return ui::PadRight(31, CompanyName(record)) + ' ' + ui::PadRight(8, CompanyDirectory(record)) +
         ' ' + ui::PadRight(25, CompanyInfo(record));
}

int CompanyRegisterFile::Compare(fileaccess::RecordView newRecord,
                                 fileaccess::RecordView existingRecord) const {
  // +1 when the existing record sorts before the new one.
  return ui::ComparePL(ui::UpperCasePL(KeyText(existingRecord)),
                       ui::UpperCasePL(KeyText(newRecord)));
}

}  // namespace zq::registry
