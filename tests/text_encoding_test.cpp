#include <gtest/gtest.h>

#include "platform/cp852.h"
#include "platform/text_literal.h"

namespace zq::platform {
namespace {

TEST(Cp852, EveryByteSurvivesTheRoundTripThroughUtf8) {
  for (int value = 0; value < 256; ++value) {
    const std::string byte(1, static_cast<char>(value));
    const std::string utf8 = Cp852ToUtf8(byte);
    EXPECT_EQ(Utf8ToCp852(utf8), byte) << "byte " << value;
    EXPECT_TRUE(FitsCp852(utf8));
  }
}

TEST(Cp852, PolishLettersHaveTheirCodePageBytes) {
  EXPECT_EQ(Utf8ToCp852("ąćęłńóśżź"), "\xA5\x86\xA9\x88\xE4\xA2\x98\xBE\xAB");
  EXPECT_EQ(Utf8ToCp852("ĄĆĘŁŃÓŚŻŹ"), "\xA4\x8F\xA8\x9D\xE3\xE0\x97\xBD\x8D");
  EXPECT_EQ(Utf8ToCp852("─│┌┐└┘■░▒█▄▀"), "\xC4\xB3\xDA\xBF\xC0\xD9\xFE\xB0\xB1\xDB\xDC\xDF");
  EXPECT_EQ(Utf8ToCp852("·"), "\xFA");
}

TEST(Cp852, CharactersOutsideTheCodePageAndBrokenUtf8BecomeTheReplacement) {
  EXPECT_EQ(Utf8ToCp852("a€b"), "a?b");
  EXPECT_EQ(Utf8ToCp852("a\xC3"), "a?");        // cut inside a sequence
  EXPECT_EQ(Utf8ToCp852("\xC0\x80x"), "?x");    // overlong form of NUL
  EXPECT_EQ(Utf8ToCp852("\xED\xA0\x80"), "?");  // a surrogate
  EXPECT_FALSE(FitsCp852("€"));
}

TEST(TextLiteral, TurnsPolishSourceTextIntoCodePageBytesAtCompileTime) {
  constexpr ShortString text = "Błąd \x03zapisu\x0d"_pl;
  static_assert(text.size() == 13);
  EXPECT_EQ(text.view(),
            "B\x88\xA5"
            "d \x03zapisu\x0d");
}

TEST(ShortStringTest, IsCutAt255Bytes) {
  ShortString text(std::string(300, 'x'));
  EXPECT_EQ(text.size(), 255u);
  text += "more"_pl;
  EXPECT_EQ(text.size(), 255u);
  ShortString shorter = "ab"_pl;
  shorter.Resize(4, ' ');
  EXPECT_EQ(shorter, "ab  "_pl);
  shorter.Truncate(1);
  EXPECT_EQ(shorter.view(), "a");
}

}  // namespace
}  // namespace zq::platform
