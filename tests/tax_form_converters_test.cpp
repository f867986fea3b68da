#include <gtest/gtest.h>

#include <string>

#include "conversion/tax_form_converters.h"
#include "fileaccess/record_fields.h"
#include "platform/text_literal.h"
#include "sample/record_builders.h"
#include "support/headless_log.h"
#include "ui/key_codes.h"

namespace zq::conversion {
namespace {

using fileaccess::WriteDate;
using fileaccess::WriteDouble;
using fileaccess::WriteI64;
using fileaccess::WriteU16;
using sample::Record;
using sample::TaxFormRecord;

constexpr std::uint16_t KEY_T = 0x1454;
constexpr std::uint16_t KEY_Q = 0x1071;

void CopyRange(const Record& from, Record& to, std::size_t first, std::size_t last) {
  std::copy(from.begin() + static_cast<std::ptrdiff_t>(first),
            from.begin() + static_cast<std::ptrdiff_t>(last) + 1,
            to.begin() + static_cast<std::ptrdiff_t>(first));
}

TaxFormRecord Form(ui::Date formDate) {
  TaxFormRecord form;
  form.person = 42;
  form.formDate = formDate;
  form.headValue = 0x01020304;
  form.firstName = "Jan"_pl;
  form.secondName = "Kowalski"_pl;
  form.switches = {0, 7, 0};
  for (std::size_t block = 0; block < form.closingAmounts.size(); ++block) {
    form.closingAmounts[block] = 100.25 * static_cast<double>(block + 1);
  }
  form.monthWord = 0x0BB8;
  for (std::size_t month = 0; month < 12; ++month) {
    const auto m = static_cast<double>(month + 1);
    form.months[month] = {1000 * m, 200 * m, static_cast<std::uint32_t>(30 + month), 4 * m};
  }
  form.filler = 0x33;
  return form;
}

// The head of every new form: the person, 1.1.2021, 0 at 16, and the
// person's data at 20..387.
Record NewFormHead(const Record& source) {
  Record expected(TAX_FORM_SIZE, 0);
  WriteI64(expected, 0, 42);
  WriteDate(expected, 12, {1, 1, 2021});
  CopyRange(source, expected, 20, 387);
  return expected;
}

// What PID-5 keeps of the old form in both cases.
void KeepPid5Parts(const Record& source, Record& expected) {
  CopyRange(source, expected, 388, 388 + 8 * 103 - 1);
  CopyRange(source, expected, 4604, 4604 + 8 * 103 - 1);
  CopyRange(source, expected, 8820, 8989 + 169 - 1);
  for (std::size_t offset : {13884u, 13929u, 13943u}) expected[offset] = source[offset];
  for (std::size_t offset : {13886u, 13899u, 13903u})
    CopyRange(source, expected, offset, offset + 1);
  expected[13888] = 1;
  expected[13889] = 7;
  expected[13890] = 1;
}

// A new PID-5 form opens each amount block with the old block's closing amount.
void PutClosingAmounts(const TaxFormRecord& values, Record& expected) {
  for (std::size_t k = 0; k < 8; ++k) {
    WriteDouble(expected, 1212 + 424 * k, values.closingAmounts[k]);
    WriteDouble(expected, 5428 + 424 * k, values.closingAmounts[8 + k]);
  }
  WriteDouble(expected, 9158, values.closingAmounts[16]);
  WriteDouble(expected, 9158 + 522, values.closingAmounts[17]);
}

struct TaxFormFixture : ::testing::Test {
  testing::HeadlessLog h;
  ConversionOptions options;
  RunFlags flags;
  TaxFormConverters converters{h.log, options, flags};

  Record Pid5(const Record& source, bool expectKept = true) {
    Record target(TAX_FORM_SIZE, 0xEE);
    EXPECT_EQ(converters.ConvertPid5(source, target), expectKept);
    return target;
  }
  Record Pit28(const Record& source, bool expectKept = true) {
    Record target(TAX_FORM_SIZE, 0xEE);
    EXPECT_EQ(converters.ConvertPit28(source, target), expectKept);
    return target;
  }
};

TEST_F(TaxFormFixture, Pid5StartsANewFormWithTheClosingAmountsUnlessAlready2021) {
  const Record old = Form({31, 12, 2020}).Build();
  Record expected = NewFormHead(old);
  KeepPid5Parts(old, expected);
  const TaxFormRecord values = Form({31, 12, 2020});
  PutClosingAmounts(values, expected);
  EXPECT_EQ(Pid5(old), expected);

  // A 2021 form of a company that already works in 2021 is kept as it is,
  // apart from the switches that were off.
  flags.AnnualFrom2021 = true;
  const Record converted2021 = Form({1, 1, 2021}).Build();
  Record kept = converted2021;
  kept[13888] = 1;
  kept[13890] = 1;
  EXPECT_EQ(Pid5(converted2021), kept);
  // The same company's 2020 form, and a 2021 form of a company that starts
  // 2021 from its 2020 settings, become new forms.
  EXPECT_EQ(Pid5(old), expected);
  flags.AnnualFrom2021 = false;
  Record fromOldSettings = NewFormHead(converted2021);
  KeepPid5Parts(converted2021, fromOldSettings);
  PutClosingAmounts(values, fromOldSettings);
  EXPECT_EQ(Pid5(converted2021), fromOldSettings);

  EXPECT_EQ(h.Line(1), "Osoba: Jan Kowalski");
  EXPECT_EQ(h.s.Attribute(1, 1), transfer::LOG_LABEL);
  EXPECT_EQ(h.s.Attribute(8, 1), transfer::LOG_EMPHASIS);
}

TEST_F(TaxFormFixture, AskingEachFormTakesTAndDropsN) {
  options.PitDTransferMode = PITD_ASK_EACH;
  const Record form = Form({31, 12, 2020}).Build();
  h.s.console.PushKey(KEY_Q);  // ignored
  h.s.console.PushPause();
  h.s.console.PushKey(KEY_T);
  Pid5(form, true);
  h.s.console.PushKey(ui::KB_CAPITAL_N);
  Pit28(form, false);
  EXPECT_TRUE(h.s.console.ScriptDone());
  const std::string line = ("Osoba: Jan Kowalski Przenieść T/N ?"_pl).str();
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{line, line}));
  EXPECT_EQ(h.s.Attribute(21, 1), transfer::LOG_QUESTION);
}

TEST_F(TaxFormFixture, Pit28TakesTheMonthlyValuesOnlyFromTheCurrentYearFile) {
  const TaxFormRecord values = Form({31, 12, 2020});
  const Record source = values.Build();
  Record fromPreviousYear = NewFormHead(source);
  for (std::size_t k = 0; k < 12; ++k) {
    const std::size_t entry = 388 + 532 * k;
    fromPreviousYear[entry + 531] = 1;
    WriteU16(fromPreviousYear, entry + 5, values.monthWord);
  }
  fromPreviousYear[13943] = source[13943];
  Record fromCurrentYear = fromPreviousYear;
  for (std::size_t k = 0; k < 12; ++k) {
    const std::size_t entry = 388 + 532 * k;
    WriteDouble(fromCurrentYear, entry + 427, values.months[k].amountAt385);
    WriteDouble(fromCurrentYear, entry + 435, values.months[k].amountAt393);
    fileaccess::WriteU32(fromCurrentYear, entry + 451, values.months[k].valueAt409);
    WriteDouble(fromCurrentYear, entry + 455, values.months[k].amountAt413);
  }

  flags.FromPreviousYear = true;
  EXPECT_EQ(Pit28(source), fromPreviousYear);
  flags.FromPreviousYear = false;
  EXPECT_EQ(Pit28(source), fromCurrentYear);
  // Whatever AnnualFrom2021 says, a PIT-28 form is always a new one.
  flags.AnnualFrom2021 = true;
  EXPECT_EQ(Pit28(Form({5, 1, 2021}).Build())[12], 1);
}

TEST_F(TaxFormFixture, AFormOfFFBytesStaysInsideItsFields) {
  const Record broken(TAX_FORM_SIZE, 0xFF);
  const Record target = Pid5(broken);
  EXPECT_EQ(fileaccess::ReadI64(target, 0), -1);
  EXPECT_EQ(h.Line(1), "Osoba: " + std::string(31, '\xFF') + " " + std::string(31, '\xFF'));
  Pit28(broken);
}

}  // namespace
}  // namespace zq::conversion
