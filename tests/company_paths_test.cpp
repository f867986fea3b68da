#include <gtest/gtest.h>

#include "conversion/company_paths.h"
#include "platform/files.h"
#include "platform/text_literal.h"

namespace zq::conversion {
namespace {

TEST(CompanyPaths, OnlyOnePlainComponentBecomesPartOfAPath) {
  for (std::string_view name : {"FIRMA1", "Kowal_08", "2021K990.12", ".ukryty", "a.b.c"}) {
    EXPECT_TRUE(IsPlainName(name)) << name;
  }
  for (std::string_view name : {"", ".", "..", "...", "a/b", "a\\b", "C:", "C:X", "*.REK", "a?",
                                "a\tb", "/ETC", "..\\.."}) {
    EXPECT_FALSE(IsPlainName(name)) << name;
  }
}

TEST(CompanyPaths, FilesLieDirectlyInTheCompanyDirectoryOfEachTree) {
  const std::string separator(1, platform::PATH_SEPARATOR);
  const auto path = [&](std::initializer_list<std::string_view> parts) {
    std::string joined;
    for (std::string_view part : parts) joined += separator + std::string(part);
    return ShortString(joined);
  };
  RunSettings settings;
  settings.SourcePath = ShortString(path({"DAZ_2020"}).str() + separator);
  settings.TargetPath = ShortString(path({"DAZ_2021"}).str() + separator);
  const auto paths = CompanyPaths::For(settings, "KOWAL");
  ASSERT_TRUE(paths);
  EXPECT_EQ(paths->SourceDirectory(), path({"DAZ_2020", "KOWAL"}));
  EXPECT_EQ(paths->TargetDirectory(), path({"DAZ_2021", "KOWAL"}));
  EXPECT_EQ(paths->SourceFile("2020_ROK.REK"), path({"DAZ_2020", "KOWAL", "2020_ROK.REK"}));
  EXPECT_EQ(paths->TargetFile("2021_ROK.REK"), path({"DAZ_2021", "KOWAL", "2021_ROK.REK"}));
  EXPECT_FALSE(paths->SourceFile("..\\SPISFIRM.DAT"));
  EXPECT_FALSE(paths->TargetFile(std::string(250, 'A')));  // would be cut to another name

  EXPECT_FALSE(CompanyPaths::For(settings, ".."));
  settings.TargetPath = ShortString(std::string(220, 'T'));
  EXPECT_FALSE(CompanyPaths::For(settings, "KOWAL"));
}

}  // namespace
}  // namespace zq::conversion
