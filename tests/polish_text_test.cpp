#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_literal.h"
#include "ui/dates.h"
#include "ui/polish_text.h"
#include "ui/prefix_search.h"

namespace zq::ui {
namespace {

TEST(PolishCase, MapsAllSixteenLetterPairsBothWaysAndNothingElse) {
  const ShortString small = "ąćęłńóśżźüëäöőčš"_pl;
  const ShortString capital = "ĄĆĘŁŃÓŚŻŹÜËÄÖŐČŠ"_pl;
  ASSERT_EQ(small.size(), 16u);
  EXPECT_EQ(UpperCasePL(small), capital);
  EXPECT_EQ(LowerCasePL(capital), small);
  EXPECT_EQ(UpperCasePL("zażółć gęślą jaźń 09!"_pl), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ 09!"_pl);
  // Characters outside the table stay as they are: ß, digits, ů (not a pair).
  EXPECT_EQ(UpperCasePL("ß1ů"_pl), "ß1ů"_pl);
  EXPECT_EQ(LowerCasePL("ß1Ů"_pl), "ß1Ů"_pl);
}

TEST(PolishCollation, OrdersLettersAsThePolishAlphabet) {
  EXPECT_EQ(ComparePL("Zebra"_pl, "Żaba"_pl), 1);   // Z before Ż
  EXPECT_EQ(ComparePL("żaba"_pl, "źrebię"_pl), 1);  // ż before ź
  EXPECT_EQ(ComparePL("Źrebię"_pl, "żaba"_pl), -1);
  EXPECT_EQ(ComparePL("a"_pl, "B"_pl), 1);  // case never outweighs letters
  EXPECT_EQ(ComparePL("A"_pl, "a"_pl), 1);  // a capital right before its small letter
  EXPECT_EQ(ComparePL("Łódź"_pl, "Lublin"_pl), -1);
  EXPECT_EQ(ComparePL("ab"_pl, "abc"_pl), 1);  // a prefix sorts first
  EXPECT_EQ(ComparePL("abc"_pl, "ab"_pl), -1);
  EXPECT_EQ(ComparePL("Kraków"_pl, "Kraków"_pl), 0);
  EXPECT_EQ(ComparePL(""_pl, ""_pl), 0);
  EXPECT_EQ(ComparePL("_"_pl, " "_pl), 1);  // "_" comes before the blank
  EXPECT_EQ(ComparePL("9"_pl, "A"_pl), 1);
  EXPECT_EQ(ComparePL("z"_pl, "["_pl), 1);
  // Characters outside the collation all rank last and alike.
  EXPECT_EQ(ComparePL("~"_pl, "é"_pl), 1);
  EXPECT_EQ(ComparePL("é"_pl, "ô"_pl), 0);
}

TEST(PolishText, PaddingNumbersAndBitSets) {
  EXPECT_EQ(PadRight(5, "ab"_pl), "ab   "_pl);
  EXPECT_EQ(PadRight(2, "abcd"_pl), "ab"_pl);
  EXPECT_EQ(PadLeft(5, "ab"_pl), "   ab"_pl);
  EXPECT_EQ(PadLeft(2, "abcd"_pl), "abcd"_pl);
  EXPECT_EQ(Spaces(3), "   "_pl);
  EXPECT_EQ(PadRight(300, ""_pl).size(), 255u);
  EXPECT_EQ(IntToStr(0), "0"_pl);
  EXPECT_EQ(IntToStr(2048), "2048"_pl);
  EXPECT_EQ(IntToStr(-17), "-17"_pl);
  EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), "-9223372036854775808"_pl);
  EXPECT_TRUE(BitsSet(0x0006, 0x06D7));
  EXPECT_FALSE(BitsSet(0x0008, 0x06D7));
  EXPECT_TRUE(BitsSet(0, 0));
}

TEST(Dates, CalendarRules) {
  EXPECT_TRUE(IsLeapYear(2020));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2021));
  EXPECT_EQ(DaysInMonth({1, 2, 2020}), 29);
  EXPECT_EQ(DaysInMonth({1, 2, 2021}), 28);
  EXPECT_EQ(DaysInMonth({1, 13, 2021}), 0);

  Date date{1, 3, 2020};
  PrevDay(date);
  EXPECT_EQ(date, (Date{29, 2, 2020}));
  date = {31, 12, 2020};
  NextDay(date);
  EXPECT_EQ(date, (Date{1, 1, 2021}));
  date = {1, 1, 2021};
  PrevDay(date);
  EXPECT_EQ(date, (Date{31, 12, 2020}));
  date = {15, 12, 2020};
  NextMonth(date);
  EXPECT_EQ(date, (Date{15, 1, 2021}));
}

TEST(Dates, TextForm) {
  EXPECT_EQ(DateToStr({5, 1, 2021}), "05.01.2021"_pl);
  EXPECT_EQ(DateToStr({0, 1, 2021}), "-"_pl);
  EXPECT_EQ(DateToStr({1, 13, 2021}), "-"_pl);
  EXPECT_EQ(DateToStr({1, 1, 3000}), "-"_pl);
  EXPECT_EQ(DateToStr({9, 9, 987}), "09.09.0987"_pl);
  EXPECT_EQ(StrToDate("31.02.2021"_pl), (Date{31, 2, 2021}));  // not checked against February
  EXPECT_EQ(StrToDate("05.01.2021"_pl), (Date{5, 1, 2021}));
  EXPECT_EQ(StrToDate("5.1.2021"_pl), ZERO_DATE);
  EXPECT_EQ(StrToDate("-"_pl), ZERO_DATE);
  EXPECT_EQ(StrToDate("32.01.2021"_pl), ZERO_DATE);
  EXPECT_EQ(StrToDate("ab.01.2021"_pl), ZERO_DATE);
  EXPECT_EQ(StrToDate(DateToStr({28, 2, 2021})), (Date{28, 2, 2021}));
}

TEST(Dates, MonthNamesAndRunDates) {
  EXPECT_EQ(MonthName(1), "Styczeń    "_pl);
  EXPECT_EQ(MonthName(10), "Październik"_pl);
  EXPECT_EQ(MonthName(13), "Zestawienie"_pl);
  EXPECT_EQ(MonthName(0), "-          "_pl);
  EXPECT_EQ(MonthName(99), "-          "_pl);
  const RunDates dates = RunDates::FromLocalTime({2021, 3, 1, 10, 0, 0, 1, 0});
  EXPECT_EQ(dates.yesterday, (Date{28, 2, 2021}));
  EXPECT_EQ(dates.tomorrow, (Date{2, 3, 2021}));
  EXPECT_EQ(dates.dayOfWeek, 1);
}

TEST(PrefixSearch, FindsTheFirstItemStartingWithTheTextInPolishOrder) {
  const std::vector<ShortString> keys = {"Adam"_pl,  "ala"_pl,    "Ąbc"_pl,
                                         "Lech"_pl,  "Łukasz"_pl, "łza"_pl,
                                         "Zenon"_pl, "Żaneta"_pl, "źdźbło"_pl};
  auto keyOf = [&](std::int32_t index) { return keys[static_cast<std::size_t>(index)]; };
  const auto last = static_cast<std::int32_t>(keys.size()) - 1;
  EXPECT_EQ(FindPrefix("a"_pl, 0, last, keyOf), 0);
  EXPECT_EQ(FindPrefix("AL"_pl, 0, last, keyOf), 1);
  EXPECT_EQ(FindPrefix("ą"_pl, 0, last, keyOf), 2);
  EXPECT_EQ(FindPrefix("ł"_pl, 0, last, keyOf), 4);
  EXPECT_EQ(FindPrefix("ŁZ"_pl, 0, last, keyOf), 5);
  EXPECT_EQ(FindPrefix("ż"_pl, 0, last, keyOf), 7);
  EXPECT_EQ(FindPrefix("Ź"_pl, 0, last, keyOf), 8);
  EXPECT_EQ(FindPrefix("b"_pl, 0, last, keyOf), -1);
  EXPECT_EQ(FindPrefix("zz"_pl, 0, last, keyOf), -1);
  EXPECT_EQ(FindPrefix("L"_pl, 4, last, keyOf), -1);  // a longer search starts at the last match
  EXPECT_EQ(FindPrefix("x"_pl, 0, -1, keyOf), -1);    // an empty list
}

TEST(PrefixSearch, ScanFindsTheFirstMatchInKeysOfAnyOrder) {
  const std::vector<ShortString> keys = {"ZZ"_pl, "ab"_pl, "Żak"_pl, "AB2"_pl, "żal"_pl};
  auto keyOf = [&](std::int32_t index) { return keys[static_cast<std::size_t>(index)]; };
  const auto last = static_cast<std::int32_t>(keys.size()) - 1;
  EXPECT_EQ(ScanForPrefix("z"_pl, 0, last, keyOf), 0);
  EXPECT_EQ(ScanForPrefix("AB"_pl, 0, last, keyOf), 1);
  EXPECT_EQ(ScanForPrefix("ab"_pl, 2, last, keyOf), 3);  // from the item given
  EXPECT_EQ(ScanForPrefix("ŻA"_pl, 0, last, keyOf), 2);
  EXPECT_EQ(ScanForPrefix("żal"_pl, 0, last, keyOf), 4);
  EXPECT_EQ(ScanForPrefix("ź"_pl, 0, last, keyOf), -1);
  EXPECT_EQ(ScanForPrefix("x"_pl, 0, -1, keyOf), -1);  // an empty list
}

}  // namespace
}  // namespace zq::ui
