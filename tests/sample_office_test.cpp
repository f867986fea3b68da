#include "sample/sample_office.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "host_world.h"
#include "platform/cp852.h"
#include "platform/text_literal.h"
#include "register/company_record.h"

namespace zq::sample {
namespace {

using fileaccess::RecordView;

RecordView Bytes(const std::string& content) {
  return {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()};
}

std::vector<std::string> Entries(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SampleOfficeTest, AnOfficeOfTwelveCompaniesWithEveryKindOfData) {
  testing::HostWorld world;
  world.tree.MakeDirectory("office");
  const std::vector<CompanyPlan> companies =
      WriteSampleOffice(world.files, world.Name("office"), SampleOfficeOptions{});
  ASSERT_EQ(companies.size(), 12u);
  const auto& tree = world.tree;

  // The register names every company, Polish letters in CP852.
  const std::string companyRegister = tree.ReadFile("office/DAZ_2020/SPISFIRM.DAT");
  ASSERT_EQ(companyRegister.size(), 12u * registry::COMPANY_RECORD_SIZE);
  const RecordView first = Bytes(companyRegister).first(registry::COMPANY_RECORD_SIZE);
  EXPECT_EQ(registry::CompanyName(first), "Piekarnia Złoty Kłos s.c."_pl);
  EXPECT_EQ(registry::CompanyDirectory(first), "PIEKARN"_pl);
  EXPECT_EQ(companies[3].directory, "ŻURAW"_pl);
  EXPECT_TRUE(tree.Exists("office/DAZ_2020/ŻURAW/DANE_PR8.REK"));

  // One company was converted earlier, one lost its directory.
  EXPECT_EQ(companies[2].place, CompanyPlace::ALREADY_TARGET);
  EXPECT_EQ(companies[5].place, CompanyPlace::MISSING);
  EXPECT_EQ(Entries(tree.Path("office/DAZ_2021")), std::vector<std::string>{"SRUBKA"});
  EXPECT_FALSE(tree.Exists("office/DAZ_2020/WEDROW"));
  EXPECT_EQ(Entries(tree.Path("office/DAZ_2020")).size(), 1u + 1u + 11u);

  EXPECT_EQ(
      Entries(tree.Path("office/DAZ_2020/#BIN020")),
      (std::vector<std::string>{"2020_BR.REK", "2020_lp2.cc", "2020spd.ini", "2021_lp2.cc",
                                "DAZ_ZQ.INI", "KOLORY.ZQ", "OPERATOR.REK", "UMOWY.INI",
                                "ZUS_PEL.INI", "baza_ad8.rek", "baza_ff.txt", "daz_2020.ini"}));

  // Every record file of every company holds whole records.
  const std::vector<std::pair<std::string, std::size_t>> recordSizes = {
      {"_zq_daz.rek", 256},    {"2020_ROK.REK", 512},     {"2021_ROK.REK", 512},
      {"2021KOL2.REK", 2688},  {"2021ZAL.REK", 1024},     {"FIRMA_A8.REK", 224},
      {"DANE_PR8.REK", 2048},  {"DANE_PF8.REK", 352},     {"2020P5.REK", 13952},
      {"2021P5.REK", 13952},   {"2020_P28.REK", 13952},   {"2021_P28.REK", 13952},
      {"baza_ad8.rek", 480},   {"baza_sp9.rek", 512},     {"BAZA_PP8.REK", 432},
      {"2020_lp2.cc", 2048},   {"ESTUJ.REK", 768},        {"BAZA_DW8.REK", 784},
      {"ODS_ZOB.REK", 200},    {"AUTOV26.REK", 320},      {"2021K990.1", 1024},
      {"2021SP.1", 48},        {"2021WP5.REK", 26624},    {"2021UZ5.REK", 1024},
      {"2021UZ3.REK", 552},    {"2021_NK8.REK", 848},     {"srodki.rek", 39771},
      {"Budynki.REK", 39771},  {"st.cnf", 3837},          {"stbazy.rek", 367},
      {"km.cnf", 2395},        {"adresy.rek", 557},       {"samochod.rek", 704},
      {"_2021/LUTY.kst", 572}, {"_2021/WYJAZDY.wyj", 128}};
  int protectedEmployees = 0;
  int dismissedEmployees = 0;
  int with2021 = 0;
  for (const CompanyPlan& company : companies) {
    if (company.place == CompanyPlace::MISSING) continue;
    const std::string directory = "office/DAZ_2020/" + platform::Cp852ToUtf8(company.directory);
    for (const auto& [name, size] : recordSizes) {
      if (!tree.Exists(directory + "/" + name)) continue;
      const std::size_t length = tree.ReadFile(directory + "/" + name).size();
      EXPECT_TRUE(length > 0 && length % size == 0) << directory << "/" << name << " " << length;
    }
    with2021 += tree.Exists(directory + "/2021_ROK.REK") ? 1 : 0;
    const std::string employees = tree.ReadFile(directory + "/DANE_PR8.REK");
    for (std::size_t offset = 0; offset < employees.size(); offset += 2048) {
      const RecordView employee = Bytes(employees).subspan(offset, 2048);
      if (fileaccess::ReadU8(employee, 8) == 2) {
        ++protectedEmployees;
      } else if (fileaccess::ReadDate(employee, 213).year == 2020) {
        ++dismissedEmployees;
      }
    }
  }
  EXPECT_GE(with2021, 2);
  EXPECT_GE(protectedEmployees, 11);
  EXPECT_GE(dismissedEmployees, 11);
}

TEST(SampleOfficeTest, TheSameOptionsMakeTheSameBytesAndASeedOtherOnes) {
  testing::HostWorld world;
  for (const char* root : {"a", "b", "c"}) world.tree.MakeDirectory(root);
  const SampleOfficeOptions options{.companies = 2, .records = 2, .seed = 7};
  WriteSampleOffice(world.files, world.Name("a"), options);
  WriteSampleOffice(world.files, world.Name("b"), options);
  WriteSampleOffice(world.files, world.Name("c"), {.companies = 2, .records = 2, .seed = 8});
  for (const char* file : {"PIEKARN/DANE_PR8.REK", "STOLARZ/2021K990.1", "SPISFIRM.DAT"}) {
    const std::string a = world.tree.ReadFile("a/DAZ_2020/" + std::string(file));
    EXPECT_EQ(a, world.tree.ReadFile("b/DAZ_2020/" + std::string(file))) << file;
    if (std::string(file) != "SPISFIRM.DAT") {
      EXPECT_NE(a, world.tree.ReadFile("c/DAZ_2020/" + std::string(file))) << file;
    }
  }
}

}  // namespace
}  // namespace zq::sample
