#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "support/lock_holder_client.h"
#include "support/office_run.h"
#include "ui/key_codes.h"

namespace zq::shell {
namespace {

using namespace testing;  // the office's keys and helpers

// The program stops dead where the staged disk says: a power cut.
struct PowerCut {};

// A file whose writes reach the disk by half while it says they all did, as a
// failing network drive may.
class HalfWrittenFile final : public platform::File {
 public:
  explicit HalfWrittenFile(std::unique_ptr<platform::File> file) : file_(std::move(file)) {}
  int Read(void* buffer, std::size_t size, std::size_t& done) override {
    return file_->Read(buffer, size, done);
  }
  int Write(const void* buffer, std::size_t size, std::size_t& done) override {
    const int result = file_->Write(buffer, size / 2, done);
    done = size;
    return result;
  }
  int Seek(std::uint64_t offset) override { return file_->Seek(offset); }
  int Size(std::uint64_t& size) override { return file_->Size(size); }
  int Flush() override { return file_->Flush(); }
  int Lock(std::uint64_t offset, std::uint64_t length) override {
    return file_->Lock(offset, length);
  }
  int Unlock(std::uint64_t offset, std::uint64_t length) override {
    return file_->Unlock(offset, length);
  }
  int Close() override { return file_->Close(); }

 private:
  std::unique_ptr<platform::File> file_;
};

// The office's disk with a mishap staged on the file whose path ends as
// given.
class StagedDisk final : public platform::FileSystem {
 public:
  explicit StagedDisk(platform::FileSystem& disk) : disk_(disk) {}

  std::string cutAt;   // opening it cuts the power
  std::string halfAt;  // it keeps half of what is written

  std::unique_ptr<platform::File> Open(const ShortString& name, platform::Access access,
                                       platform::Share share, platform::Disposition disposition,
                                       int& result) override {
    if (EndsWith(name, cutAt)) throw PowerCut{};
    auto file = disk_.Open(name, access, share, disposition, result);
    if (file && EndsWith(name, halfAt)) return std::make_unique<HalfWrittenFile>(std::move(file));
    return file;
  }
  int Search(const ShortString& pattern, std::uint8_t attributes,
             std::vector<platform::DirEntry>& found) override {
    return disk_.Search(pattern, attributes, found);
  }
  int MakeDirectory(const ShortString& name) override { return disk_.MakeDirectory(name); }
  int Rename(const ShortString& from, const ShortString& to) override {
    return disk_.Rename(from, to);
  }
  int Erase(const ShortString& name) override { return disk_.Erase(name); }

 private:
  // `end` is written with '/'; the program's names have the platform's
  // separator.
  static bool EndsWith(const ShortString& name, const std::string& end) {
    std::string written = name.str();
    std::replace(written.begin(), written.end(), platform::PATH_SEPARATOR, '/');
    return !end.empty() && written.ends_with(end);
  }
  platform::FileSystem& disk_;
};

struct RunRecord : ::testing::Test, OfficeRun {
  StagedDisk disk{p.world.files};
  platform::Platform staged{p.console, disk, p.clock, p.sound, p.world.process, p.clipboard};

  RunRecord() {
    p.world.process.SetEnv("COMPUTERNAME", "BIURO1"_pl);
    p.world.process.SetEnv("USERNAME", "ania"_pl);
  }
  // The questions of the default office once the global copy has been told
  // to replace every file (A): the year of Piekarnia's annual data, Żuraw's
  // open December, Kwiaciarnia's year and Groszek's year, VAT proportion and
  // open December.
  void AnswerPiekarnia() { Answer(ui::KB_SMALL_B); }
  void AnswerTheRest(std::uint16_t beforeGroszek = 0) {
    Answer(ui::KB_ENTER);
    Answer(ui::KB_SMALL_N);
    if (beforeGroszek != 0) Answer(beforeGroszek);
    Answer(ui::KB_SMALL_B);
    Answer(ui::KB_ENTER);
    Answer(ui::KB_ENTER);
  }
  void CloseRun() {
    Answer(ui::KB_ENTER);  // the summary
    Answer(ui::KB_ENTER);  // "Nacisnij Enter"
  }
  // The selection screen's row of a company (its name cut to 31 columns).
  std::string SelectionRow(const std::string& directory) const {
    for (int row = 9; row <= 18; ++row) {
      if (p.Text(46, row, static_cast<int>(directory.size())) == directory)
        return p.Text(13, row, 52);
    }
    return {};
  }
};

TEST_F(RunRecord, ACompanyCutOffHalfWayIsOfferedAgainAndEndsAsIfNeverInterrupted) {
  // The same office converted in one go.
  OfficeRun reference;
  reference.PassWizard();
  reference.Answer(ui::KB_SMALL_A);
  reference.Answer(ui::KB_ENTER);
  reference.Answer(ui::KB_F5);
  reference.Answer(ui::KB_SMALL_B);
  for (std::uint16_t key : {ui::KB_ENTER, ui::KB_SMALL_N, ui::KB_SMALL_B, ui::KB_ENTER,
                            ui::KB_ENTER, ui::KB_ENTER, ui::KB_ENTER})
    reference.Answer(key);
  reference.Convert();
  ASSERT_TRUE(reference.p.console.ScriptDone());

  // The power goes while Piekarnia's staff is being converted.
  disk.cutAt = "DAZ_2021/PIEKARN/DANE_PR8.REK";
  PassWizard();
  Answer(ui::KB_SMALL_A);
  Answer(ui::KB_ENTER);
  Answer(ui::KB_F5);
  AnswerPiekarnia();
  {
    shell::Converter converter(staged);
    WorkingDirectory office(p.world.tree.Root());
    EXPECT_THROW(converter.Run(), PowerCut);
  }
  ASSERT_TRUE(p.console.ScriptDone());
  const std::string marker = p.world.tree.ReadFile("DAZ_2021/PIEKARN/ZQ20-21.NKN");
  EXPECT_EQ(marker.substr(0, 50), "2021-01-04 12:00:02 stacja BIURO1, operator ania  ");
  EXPECT_TRUE(p.world.tree.Exists("DAZ_2021/PIEKARN/2021_ROK.REK"));
  EXPECT_EQ(p.world.tree.ReadFile("DAZ_2021/SPISFIRM.DAT"), "");
  // What the half-done company holds now goes before it starts over, links
  // as links: what they lead to outside the company stays.
  p.world.tree.MakeDirectory("outside");
  p.world.tree.WriteFile("outside/kept.txt", "poza firmą");
  std::filesystem::create_directory_symlink(p.world.tree.Path("outside"),
                                            p.world.tree.Path("DAZ_2021/PIEKARN/_2021"));
  std::filesystem::create_symlink(p.world.tree.Path("outside/kept.txt"),
                                  p.world.tree.Path("DAZ_2021/PIEKARN/notatka.txt"));

  // The next run: the global files are there already, and the wizard leaves
  // them be.
  PassWizard();
  Answer(ui::KB_ENTER);
  p.console.PushPause();
  p.console.PushAction([&] {
    EXPECT_EQ(SelectionRow("PIEKARN"), "Piekarnia Złoty Kłos s.c.      ■!PIEKARN  2021-01-04");
  });
  Answer(ui::KB_F5);
  p.console.PushPause();
  p.console.PushAction([&] {
    const std::string box = Screen();
    EXPECT_NE(box.find("│    Niedokończona konwersja firmy     │"), std::string::npos) << box;
    EXPECT_NE(box.find("│    PIEKARN z 2021-01-04 12:00:02     │"), std::string::npos) << box;
  });
  p.console.PushKey(ui::KB_SMALL_T);
  AnswerPiekarnia();
  Answer(ui::KB_SMALL_A);  // its 2021 tax forms, and every file after them, replaced
  AnswerTheRest();
  CloseRun();
  Convert();
  EXPECT_TRUE(p.console.ScriptDone());

  const std::string log = Log();
  EXPECT_NE(log.find(" Niedokończona konwersja firmy PIEKARN z 2021-01-04 12:00:02 stacja "
                     "BIURO1, operator ania\r\n"),
            std::string::npos);
  EXPECT_NE(log.find(" Piekarnia Złoty  PIEKARN  przeniesiona "), std::string::npos);
  EXPECT_EQ(p.world.tree.ReadFile("outside/kept.txt"), "poza firmą");
  auto resumed = Snapshot(p.world.tree, "DAZ_2021");
  auto whole = Snapshot(reference.p.world.tree, "DAZ_2021");
  EXPECT_NE(resumed.at("zq20-21.log"), whole.at("zq20-21.log"));
  resumed.erase("zq20-21.log");
  whole.erase("zq20-21.log");
  EXPECT_EQ(resumed.size(), whole.size());
  for (const auto& [name, bytes] : whole) {
    const auto found = resumed.find(name);
    EXPECT_TRUE(found != resumed.end() && found->second == bytes) << name;
  }
}

TEST_F(RunRecord, TheCheckAnotherConverterAndAnOldMarkAreAllToldApart) {
  // Piekarnia's address base lands on the disk by half, silently.
  disk.halfAt = "DAZ_2021/PIEKARN/baza_ad8.rek";
  // Another station is converting Stolarz right now.
  const std::string held = "2021-01-04 11:58:00 stacja BIURO2, operator ewa";
  p.world.tree.MakeDirectory("DAZ_2021/STOLARZ");
  p.world.tree.WriteFile("DAZ_2021/STOLARZ/ZQ20-21.NKN", held + "\r\n");
  LockHolder station(p.world.tree.Path("DAZ_2021/STOLARZ/ZQ20-21.NKN"));
  ASSERT_EQ(station.Send("lock 1048576 1"), "OK");
  // Ząbek's conversion stopped long ago; the operator leaves it so.
  const std::string old = "2019-03-01 08:00:00 stacja STARY, operator jan";
  p.world.tree.MakeDirectory("DAZ_2021/ZABEK");
  p.world.tree.WriteFile("DAZ_2021/ZABEK/ZQ20-21.NKN", old + "\r\n");
  p.world.tree.WriteFile("DAZ_2021/ZABEK/2021_ROK.REK", "połowa");

  PassWizard();
  Answer(ui::KB_SMALL_A);
  Answer(ui::KB_ENTER);
  p.console.PushPause();
  p.console.PushAction([&] {
    EXPECT_EQ(SelectionRow("ZABEK"), "Gabinet Stomatologiczny Ząbek  ■!ZABEK    2019-03-01");
    EXPECT_EQ(SelectionRow("STOLARZ"), "");
  });
  Answer(ui::KB_F5);
  AnswerPiekarnia();
  AnswerTheRest(ui::KB_SMALL_N);  // not Ząbek
  CloseRun();
  Convert(staged);
  EXPECT_TRUE(p.console.ScriptDone());

  const std::string log = Log();
  EXPECT_NE(log.find(" Firmę STOLARZ konwertuje teraz: " + held + "\r\n"), std::string::npos);
  const std::string checked = std::string("DAZ_2021") + platform::PATH_SEPARATOR + "PIEKARN" +
                              platform::PATH_SEPARATOR + "baza_ad8.rek";
  EXPECT_NE(log.find(" KONTROLA: " + checked + " ma pozycji 2, powinien 3\r\n"), std::string::npos);
  const std::size_t summary = log.find(" PODSUMOWANIE KONWERSJI\r\n");
  ASSERT_NE(summary, std::string::npos);
  for (const char* row : {" Piekarnia Złoty  PIEKARN  BŁĄD KONTROLI ",
                          "                  niezgodności w kontroli: 1\r\n",
                          " Gabinet Stomatol ZABEK    niedokończona\r\n",
                          "                  Konwersja z 2019-03-01 08:00:00 stacja STARY, "
                          "operator jan\r\n",
                          " Przeniesiono firm: 8 z wybranych 9\r\n"}) {
    EXPECT_NE(log.find(row, summary), std::string::npos) << row;
  }
  // The other station's and the old run's files are as they were.
  EXPECT_EQ(p.world.tree.ReadFile("DAZ_2021/STOLARZ/ZQ20-21.NKN"), held + "\r\n");
  EXPECT_EQ(Snapshot(p.world.tree, "DAZ_2021/STOLARZ").size(), 1u);
  EXPECT_EQ(p.world.tree.ReadFile("DAZ_2021/ZABEK/2021_ROK.REK"), "połowa");
  EXPECT_EQ(p.world.tree.ReadFile("DAZ_2021/SPISFIRM.DAT").size(), 8u * 103u);
}

}  // namespace
}  // namespace zq::shell
