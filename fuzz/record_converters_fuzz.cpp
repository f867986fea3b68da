// The record converters over any record: each reads only its source record
// and writes only its target record (the sanitizers watch the bounds), whatever
// options, flags and answers of the operator. A record taken over unchanged,
// and an employee carried over whole, come out byte for byte as they came in.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include "conversion/conversion_options.h"
#include "conversion/document_converters.h"
#include "conversion/old_contract_format.h"
#include "conversion/run_flags.h"
#include "conversion/settings_converters.h"
#include "conversion/staff_transfer.h"
#include "conversion/tax_form_converters.h"
#include "support/headless_log.h"

namespace {

using namespace zq::conversion;
using zq::fileaccess::RecordBuffer;
using zq::fileaccess::RecordView;

// Keys the operator may press at a question or a key wait.
constexpr std::uint16_t ANSWERS[] = {0x1454, 0x314E, 0x1157, 0x1C0D, 0x1E41, 0x011B};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  zq::testing::HeadlessLog h;
  ConversionOptions options;
  options.StaffTransferMode = data.ConsumeIntegralInRange<std::uint16_t>(0, 2);
  options.PitDTransferMode = data.ConsumeIntegralInRange<std::uint16_t>(0, 1);
  options.Entered2021Items = data.ConsumeIntegral<std::uint16_t>();
  RunFlags flags;
  flags.AnnualFrom2021 = data.ConsumeBool();
  flags.FromPreviousYear = data.ConsumeBool();
  std::int32_t counter = data.ConsumeIntegral<std::int32_t>();
  for (int i = 0; i < 8; ++i) h.s.console.PushKey(data.PickValueInArray(ANSWERS));

  StaffTransfer staff(h.log, h.s.clock);
  staff.Reset(options.StaffTransferMode);
  DocumentConverters documents(h.log, options, counter);
  TaxFormConverters forms(h.log, options, flags);
  using Converter = std::function<bool(RecordView, RecordBuffer)>;
  struct Kind {
    std::size_t sourceSize;
    std::size_t targetSize;
    Converter convert;
  };
  const Kind kinds[] = {
      {EMPLOYEE_SIZE, EMPLOYEE_SIZE,
       [&](RecordView s, RecordBuffer t) { return staff.ConvertEmployee(s, t); }},
      {FAMILY_MEMBER_SIZE, FAMILY_MEMBER_SIZE,
       [&](RecordView s, RecordBuffer t) { return staff.ConvertFamilyMember(s, t); }},
      {CONTRACT_SIZE, CONTRACT_SIZE,
       [&](RecordView s, RecordBuffer t) { return staff.ConvertContract(s, t); }},
      {OLD_CONTRACT_SIZE, CONTRACT_SIZE,
       [&](RecordView s, RecordBuffer t) { return staff.ConvertOldContract(s, t); }},
      {WAGE_SIZE, WAGE_SIZE,
       [&](RecordView s, RecordBuffer t) {
         std::copy(s.begin(), s.end(), t.begin());
         return staff.FilterWage(t);
       }},
      {DAZ_DOCUMENT_SIZE, DAZ_DOCUMENT_SIZE,
       [&](RecordView s, RecordBuffer t) { return documents.ConvertDazDocument(s, t); }},
      {REPAYMENT_SIZE, REPAYMENT_SIZE,
       [&](RecordView s, RecordBuffer t) { return documents.ConvertRepayment(s, t); }},
      {TAX_FORM_SIZE, TAX_FORM_SIZE,
       [&](RecordView s, RecordBuffer t) { return forms.ConvertPid5(s, t); }},
      {TAX_FORM_SIZE, TAX_FORM_SIZE,
       [&](RecordView s, RecordBuffer t) { return forms.ConvertPit28(s, t); }},
      {OLD_COLUMN_SUMS_SIZE, COLUMN_SUMS_SIZE, ConvertColumnSums},
      {WAGE_SETTINGS_SIZE, WAGE_SETTINGS_SIZE,
       [](RecordView s, RecordBuffer t) {
         std::copy(s.begin(), s.end(), t.begin());
         return FilterWageSettings(t);
       }},
      {REPAYMENT_SIZE, REPAYMENT_SIZE, CopyUnchanged},
  };
  const std::size_t which = data.ConsumeIntegralInRange<std::size_t>(0, std::size(kinds) - 1);
  const Kind& kind = kinds[which];
  const auto leftover = data.ConsumeIntegral<std::uint8_t>();
  // Records come one after another, as from a file; the target keeps what
  // the converter left of the one before.
  std::vector<std::uint8_t> target(kind.targetSize, leftover);
  try {
    while (data.remaining_bytes() > 0) {
      std::vector<std::uint8_t> source = data.ConsumeBytes<std::uint8_t>(kind.sourceSize);
      source.resize(kind.sourceSize);  // a short last record arrives zero-filled
      const bool kept = kind.convert(source, target);
      if (target.size() != kind.targetSize) std::abort();
      const bool unchanged =
          which == std::size(kinds) - 1 || (which == 0 && options.StaffTransferMode == STAFF_ALL);
      if (kept && unchanged && target != source) std::abort();
    }
  } catch (const zq::platform::HeadlessInputExhausted&) {
    // The operator of the script has no more answers: the run ends here.
  }
  return 0;
}
