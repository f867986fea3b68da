#include <gtest/gtest.h>

#include <string>

#include "conversion/document_converters.h"
#include "fileaccess/record_fields.h"
#include "platform/text_literal.h"
#include "sample/record_builders.h"
#include "support/headless_log.h"
#include "ui/key_codes.h"

namespace zq::conversion {
namespace {

using sample::DazDocumentRecord;
using sample::Record;
using sample::RepaymentRecord;

struct DocumentFixture : ::testing::Test {
  testing::HeadlessLog h;
  ConversionOptions options;
  std::int32_t recordCopyCounter = 0;
  DocumentConverters converters{h.log, options, recordCopyCounter};

  bool Document(const Record& source, Record& target) {
    target.assign(DAZ_DOCUMENT_SIZE, 0xEE);
    return converters.ConvertDazDocument(source, target);
  }
};

DazDocumentRecord Invoice(ShortString number, std::uint16_t status) {
  DazDocumentRecord document;
  document.sequence = 99;
  document.date = {15, 1, 2021};
  document.status = status;
  document.number = number;
  document.description = "Sprzedaż towaru"_pl;
  document.state = 1;
  document.filler = 0x21;
  return document;
}

TEST_F(DocumentFixture, DocumentsTakeTheCounterAndTheTakenOverStateAndStruckOnesAreDropped) {
  recordCopyCounter = 7;
  DazDocumentRecord invoice = Invoice("FV/1"_pl, 0x0001);
  Record target;
  EXPECT_TRUE(Document(invoice.Build(), target));
  invoice.sequence = 7;
  invoice.state = 3;
  EXPECT_EQ(target, invoice.Build());

  recordCopyCounter = 8;  // read at every document
  DazDocumentRecord longNumber = Invoice("FV/2021/01/0001"_pl, 0);
  EXPECT_TRUE(Document(longNumber.Build(), target));
  EXPECT_EQ(fileaccess::ReadU32(target, 0), 8u);

  EXPECT_FALSE(Document(Invoice("FV/3"_pl, 0x0003).Build(), target));
  // Struck out with a stop after each company: the operator sees it.
  options.StopAfterEachCompany = 1;
  h.s.console.PushKey(ui::KB_ENTER);
  EXPECT_FALSE(Document(Invoice("FV/4"_pl, 0x0002).Build(), target));
  EXPECT_TRUE(h.s.console.ScriptDone());
  // Showing slowly pauses instead of waiting.
  options.ShowSlowly = 1;
  h.showSlowly = 1;
  EXPECT_FALSE(Document(Invoice("FV/5"_pl, 0x0002).Build(), target));
  EXPECT_EQ(h.s.clock.Elapsed(), 1000u);

  const std::string description = ("Sprzedaż towaru"_pl).str();
  const std::string struck = (" SKREŚLONY"_pl).str();
  EXPECT_EQ(h.Lines(),
            (std::vector<std::string>{"DAZ=15.01.2021 FV/1       " + description + ".ok",
                                      "DAZ=15.01.2021 FV/2021/01/0001 " + description + ".ok",
                                      "DAZ=15.01.2021 FV/3       " + description + struck,
                                      "DAZ=15.01.2021 FV/4       " + description + struck,
                                      "DAZ=15.01.2021 FV/5       " + description + struck}));
}

TEST_F(DocumentFixture, EachRepaymentIsCopiedWithItsOwnLine) {
  RepaymentRecord first{{3, 2, 2021}, "FV/12/2020"_pl, 0x44};
  RepaymentRecord second{{10, 3, 2021}, "R/7"_pl, 0x45};
  for (const RepaymentRecord& repayment : {first, second}) {
    Record target(REPAYMENT_SIZE, 0xEE);
    EXPECT_TRUE(converters.ConvertRepayment(repayment.Build(), target));
    EXPECT_EQ(target, repayment.Build());
  }
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SP= dnia:03.02.2021 dok:FV/12/2020",
                                                 "SP= dnia:10.03.2021 dok:R/7"}));
}

TEST_F(DocumentFixture, RecordsOfFFBytesGiveAnInvalidDateAndWholeFields) {
  Record target;
  EXPECT_FALSE(Document(Record(DAZ_DOCUMENT_SIZE, 0xFF), target));  // status has bit 2
  Record repaymentTarget(REPAYMENT_SIZE, 0);
  EXPECT_TRUE(converters.ConvertRepayment(Record(REPAYMENT_SIZE, 0xFF), repaymentTarget));
  EXPECT_EQ(h.Line(1), "DAZ=- " + std::string(73, '\xFF'));  // the row ends at column 79
  EXPECT_EQ(h.Line(2), "SP= dnia:- dok:" + std::string(30, '\xFF'));
}

}  // namespace
}  // namespace zq::conversion
