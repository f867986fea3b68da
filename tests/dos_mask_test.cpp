#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/dos_mask.h"
#include "platform/text_literal.h"

namespace zq::platform {
namespace {

std::vector<std::string> Matching(std::string_view mask, const std::vector<std::string>& names) {
  std::vector<std::string> matched;
  for (const std::string& name : names) {
    if (MatchesDosMask(name, mask)) matched.push_back(name);
  }
  return matched;
}

using Names = std::vector<std::string>;

TEST(DosMask, MonthlyFileMasksOfTheCompanyRun) {
  const Names names = {"2021D501.REK", "2021d512.rek", "2021D5.REK", "2021D5123.REK",
                       "2021D51",      "2021D601.REK", "2021UE.DAT", "2021UE01.REK",
                       "2021UE",       "2020UE01.REK", "x2021UE.REK"};
  EXPECT_EQ(Matching("2021D5??.*", names),
            (Names{"2021D501.REK", "2021d512.rek", "2021D5.REK", "2021D51"}));
  EXPECT_EQ(Matching("2021UE*.*", names), (Names{"2021UE.DAT", "2021UE01.REK", "2021UE"}));
}

TEST(DosMask, StarDotStarTakesEveryNameAndStarDotOnlyNamesWithoutExtension) {
  const Names names = {"A", "B.TXT", ".hidden", "a.b.c", "name."};
  EXPECT_EQ(Matching("*.*", names), names);
  EXPECT_EQ(Matching("*", names), names);
  EXPECT_EQ(Matching("*.", names), (Names{"A", "name."}));
  EXPECT_EQ(Matching("*.c", names), (Names{"a.b.c"}));
}

TEST(DosMask, UnderscoresAndBracketsAreLiteralAndLettersIgnoreCase) {
  const Names names = {"km__1.rek", "KM__Trasa.REK", "km_x1.rek", "km__1.rekx",
                       "[a]+b.txt", "a+b.txt",       "CEL.CEL",   "plik.cel.bak"};
  EXPECT_EQ(Matching("km__*.rek", names), (Names{"km__1.rek", "KM__Trasa.REK"}));
  EXPECT_EQ(Matching("[A]+B.*", names), (Names{"[a]+b.txt"}));
  EXPECT_EQ(Matching("*.cel", names), (Names{"CEL.CEL"}));
}

TEST(DosMask, PolishLettersMatchTheirCapitals) {
  EXPECT_TRUE(MatchesDosMask("ZAŻÓŁĆ.TXT"_pl, "zażółć.*"_pl));
  EXPECT_TRUE(MatchesDosMask("źdźbło.txt"_pl, "ŹDŹ*.TXT"_pl));
  EXPECT_FALSE(MatchesDosMask("zazolc.txt"_pl, "zażółć.*"_pl));
}

TEST(DosMask, QuestionMarksAndTrailingDots) {
  EXPECT_TRUE(MatchesDosMask("ABC", "ABC.???"));
  EXPECT_TRUE(MatchesDosMask("ABC.D", "ABC.???"));
  EXPECT_FALSE(MatchesDosMask("ABC.DEFG", "ABC.???"));
  EXPECT_TRUE(MatchesDosMask("ABC", "ABC."));
  EXPECT_FALSE(MatchesDosMask("ABC.TXT", "ABC."));
  EXPECT_FALSE(MatchesDosMask("AC", "A?C"));  // a '?' inside a name needs its character
  EXPECT_TRUE(MatchesDosMask("ABC", "A?C"));
  EXPECT_FALSE(MatchesDosMask("ABC", ""));
  EXPECT_FALSE(MatchesDosMask("ABC", "ABCD"));
}

}  // namespace
}  // namespace zq::platform
