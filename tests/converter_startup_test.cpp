#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/host_system.h"
#include "platform/text_literal.h"
#include "sample/record_builders.h"
#include "shell/command_line_answer.h"
#include "shell/converter.h"
#include "support/headless_platform.h"
#include "ui/key_codes.h"

namespace zq::shell {
namespace {

// A converter installed in "Księgowość biuro/" of a fresh tree.
struct ConverterRun : ::testing::Test {
  testing::HeadlessPlatform p;
  const std::string programFolder = "Księgowość biuro/";

  ConverterRun() {
    p.world.tree.MakeDirectory(programFolder);
    p.world.process.SetExecutablePath(p.world.Name(programFolder + "zq20-21"));
    p.world.process.SetCurrentDirectory(p.world.Name(""));
  }
  void Beside(const std::string& name, const std::string& content) {
    p.world.tree.WriteFile(programFolder + name, content);
  }
  // Leaves the wizard through its cancel question ("Tak").
  void CancelTheWizard() {
    p.console.PushKey(ui::KB_ESC);
    p.console.PushKey(ui::KB_SMALL_T);
  }
  // Runs the converter to its end through the cancel question; the final
  // key is scripted here.
  int CancelToEnd(Converter& converter) {
    CancelTheWizard();
    return RunToEnd(converter);
  }
  int RunToEnd(Converter& converter) {
    p.console.PushKey(ui::KB_ENTER);
    return converter.Run();
  }
};

TEST_F(ConverterRun, ShowsTheHeaderWritesTheClosingLinesAndEndsOnAnyKey) {
  Converter converter(p.platform);
  CancelTheWizard();
  p.console.PushKey(0x3B00);  // F1: any key ends the run
  EXPECT_EQ(converter.Run(), 0);
  EXPECT_EQ(p.console.Title(), "zqTarvo - Konwerter 2020 - 2021"_pl);
  // After the key the log is cleared whole.
  EXPECT_EQ(p.Row(1), std::string(80, ' '));
  EXPECT_TRUE(p.console.ScriptDone());
}

TEST_F(ConverterRun, HeaderAndClosingLinesAsTheOperatorSeesThemBeforeTheKey) {
  // Trees the path page accepts; a start with nothing chosen converts nothing.
  p.world.tree.MakeDirectory("DAZ_2020");
  p.world.tree.WriteFile("DAZ_2020/SPISFIRM.DAT", std::string(103, ' '));
  Beside("zq20-21.PTH", "DAZ_2020=" + p.world.tree.Path("DAZ_2020") + "\r\n");
  // PgDn x 3; Up, Up, Space, Down, Space: both items off; F5.
  const std::uint16_t keys[] = {0x5100, 0x5100, 0x5100, 0x4800, 0x4800,
                                0x3920, 0x5000, 0x3920, 0x3F00};
  for (std::uint16_t key : keys) p.console.PushKey(key);
  Converter converter(p.platform);
  EXPECT_THROW(converter.Run(), platform::HeadlessInputExhausted);  // stops at the final key wait
  EXPECT_EQ(p.Text(1, 1, 70),
            " PROGRAM DO PRZEPCHNIĘCIA DANYCH DAZ_ZQ Z ROKU 2020 NA 2021 1.02(x86) ");
  EXPECT_EQ(p.Attribute(2, 1), 0x0A);
  std::string rule;
  for (int i = 0; i < 79; ++i) rule += "─";
  EXPECT_EQ(p.Row(2), rule + " ");
  EXPECT_EQ(p.Attribute(1, 2), 0x0F);
  EXPECT_EQ(p.Text(1, 5, 46), "Koniec pracy kopiera danych DAZ_ZQ na rok 2021");
  EXPECT_EQ(p.Attribute(1, 5), 0x07);
  EXPECT_EQ(p.Text(1, 6, 15), "Nacisnij Enter ");
  EXPECT_TRUE(p.console.CursorVisible());
}

TEST_F(ConverterRun, EveryGlobalItemClearedSkipsTheGlobalCopyAndEscOnTheListConvertsNobody) {
  p.world.tree.MakeDirectory("DAZ_2020/#BIN020");
  p.world.tree.MakeDirectory("DAZ_2020/FIRMA");
  const auto record = sample::CompanyRecord{"Firma"_pl, "FIRMA"_pl, ""_pl}.Build();
  p.world.tree.WriteFile("DAZ_2020/SPISFIRM.DAT", std::string(record.begin(), record.end()));
  Beside("zq20-21.PTH", "DAZ_2020=" + p.world.tree.Path("DAZ_2020") + "\r\n");
  p.console.PushKey(0x5100);  // PgDn
  p.console.PushKey(0x0B30);  // "0" clears each of the eleven items
  for (int item = 2; item <= 11; ++item) {
    p.console.PushKey(0x5000);
    p.console.PushKey(0x0B30);
  }
  for (std::uint16_t key : {std::uint16_t{0x5100}, std::uint16_t{0x5100}, std::uint16_t{0x3F00}})
    p.console.PushKey(key);       // PgDn, PgDn, F5
  p.console.PushKey(ui::KB_ESC);  // on the company list
  Converter converter(p.platform);
  RunToEnd(converter);
  EXPECT_EQ(converter.Settings().Options.GlobalItems, 0);
  EXPECT_FALSE(p.world.tree.Exists(programFolder + "#BIN021"));
  EXPECT_NE(p.console.Transcript().find("BAZA FIRM"), std::string::npos);
  EXPECT_FALSE(p.world.tree.Exists(programFolder + "FIRMA"));
  EXPECT_NE(p.console.Transcript().find("Koniec pracy kopiera danych DAZ_ZQ na rok 2021"),
            std::string::npos);
  // The saved record in the target tree: the run's head, then every line shown.
  const std::string saved = p.world.tree.ReadFile(programFolder + "zq20-21.log");
  for (const char* line :
       {" zq20-21 1.02 - konwersja danych z roku 2020 na 2021\r\n",
        " Opcje: globalne $0000, firmowe $FFFF,", " ROZPOZNANIE ŚRODOWISKA PRACY DAZ 2020\r\n",
        " Koniec pracy kopiera danych DAZ_ZQ na rok 2021\r\n"}) {
    EXPECT_NE(saved.find(line), std::string::npos) << line << " is not in\n" << saved;
  }
}

std::vector<ShortString> Arguments(std::initializer_list<const char*> texts) {
  std::vector<ShortString> arguments;
  for (const char* text : texts) arguments.emplace_back(std::string_view(text));
  return arguments;
}

TEST(CommandLine, HelpGivesItsTwelveLinesTheSwitchAndTheEnvironmentWithExitCodeZero) {
  for (const auto& arguments : {Arguments({"/?"}), Arguments({"-?"}), Arguments({"?"}),
                                Arguments({"--help"}), Arguments({"/data", "-h"})}) {
    SCOPED_TRACE(arguments.back().str());
    const auto answer = AnswerTo(RequestOf(arguments));
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->exitCode, 0);
    EXPECT_FALSE(answer->onStandardError);
    const std::vector<ShortString>& lines = answer->lines;
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Program do kopiowania wybranych danych do nowego DAZ_ZQ."_pl);
    EXPECT_EQ(lines[2], ShortString(std::string(70, '\xC4')));
    EXPECT_EQ(lines[3], ""_pl);
    EXPECT_EQ(lines[6], "Katalog danych - lokalizacja istniejącego katalogu na rok 2021"_pl);
    EXPECT_EQ(lines[10], "danych firmy na rok nastepny"_pl);
    EXPECT_EQ(lines[11], ""_pl);
    std::string rest;
    for (std::size_t i = 12; i < lines.size(); ++i) rest += lines[i].str() + "\n";
    for (const char* named : {"/kprspis:NAZWA", "--version", "KPRSPIS", "ZQSOUND=OFF", "zqTEMP",
                              "KPRBOX", "TEMP", "TMP"}) {
      EXPECT_NE(rest.find(named), std::string::npos) << named << " is not named in\n" << rest;
    }
    // Drive letters and the terminal are the system's own on Windows.
    for (const char* posixOnly : {"ZQ_DRIVE_X", "TERM "}) {
      EXPECT_EQ(rest.find(posixOnly) != std::string::npos, platform::HOST_IS_POSIX)
          << posixOnly << " in\n"
          << rest;
    }
  }
}

TEST(CommandLine, VersionAndRefusedOptionsAreAnsweredAQuestionMarkInANameIsNot) {
  const auto version = AnswerTo(RequestOf(Arguments({"--version"})));
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(version->exitCode, 0);
  EXPECT_EQ(version->lines, std::vector{"zq20-21 1.02"_pl});

  // The first option decides.
  const struct {
    std::vector<ShortString> arguments;
    ShortString refused;
  } refusals[] = {
      {Arguments({"--bogus"}), "--bogus"_pl},
      {Arguments({"/data", "--HELP"}), "--HELP"_pl},
      {Arguments({"--", "--help"}), "--"_pl},
      {Arguments({"--kprspis:X.DAT"}), "--kprspis:X.DAT"_pl},
  };
  for (const auto& refusal : refusals) {
    const auto answer = AnswerTo(RequestOf(refusal.arguments));
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->exitCode, 2);
    EXPECT_TRUE(answer->onStandardError);
    EXPECT_EQ(answer->lines,
              (std::vector{"zq20-21: nieznana opcja "_pl + refusal.refused.view(),
                           "Użycie: zq20-21 [Katalog_danych_,2021] [/kprspis:NAZWA]"_pl,
                           "Opis programu: zq20-21 --help"_pl}));
  }

  for (const auto& arguments : {Arguments({}), Arguments({"x?y"}), Arguments({"/data/a?b", "-x"}),
                                Arguments({"/kprspis:X.DAT"}), Arguments({"-"})}) {
    EXPECT_FALSE(AnswerTo(RequestOf(arguments)).has_value());
  }
}

TEST_F(ConverterRun, AQuestionMarkInsideTheFirstParameterIsADirectoryName) {
  p.world.process.SetArguments({"x?y"_pl});
  Converter converter(p.platform);
  EXPECT_EQ(CancelToEnd(converter), 0);
  EXPECT_EQ(converter.Settings().TargetPath, "x?y"_pl);
}

TEST_F(ConverterRun, PathSettingsFileWinsOverTheCommandLineByItsExactKeys) {
  p.world.process.SetArguments({"/data/2021x"_pl});
  Beside("zq20-21.PTH",
         "[PATHS]\r\n"
         "daz_2020=/ignored/lower/case\r\n"
         " DAZ_2021=/ignored/blank\r\n"
         "DAZ_2020=C:\\DAZ_2020\\\r\n"  // written by hand with its closing backslash
         "DAZ_2021=/first\r\n"
         "DAZ_2021=/data/2021\r\n");  // a later line wins
  Converter converter(p.platform);
  CancelToEnd(converter);
  EXPECT_EQ(converter.Settings().SourcePath, "C:\\DAZ_2020\\/"_pl);
  EXPECT_EQ(converter.Settings().TargetPath, "/data/2021/"_pl);
}

TEST_F(ConverterRun, DefaultPathsComeFromTheCommandLineOrTheProgramFolder) {
  {
    Converter converter(p.platform);
    CancelToEnd(converter);
    EXPECT_EQ(converter.Settings().SourcePath, "/DAZ_2020/"_pl);
    EXPECT_EQ(converter.Settings().TargetPath, p.world.Name(programFolder));
    EXPECT_EQ(converter.Settings().RegisterFileName, "SPISFIRM.DAT"_pl);
  }
  p.world.process.SetArguments({"D:\\2021"_pl});
  Converter converter(p.platform);
  CancelToEnd(converter);
  EXPECT_EQ(converter.Settings().TargetPath, "D:\\2021"_pl);  // taken literally
}

TEST_F(ConverterRun, RegisterNameFromTheSwitchAtAnyPositionElseTheEnvironment) {
  p.world.process.SetEnv("KPRSPIS", "FROMENV.DAT"_pl);
  p.world.process.SetArguments({"/kprspis:X.DAT"_pl});
  {
    Converter converter(p.platform);
    CancelToEnd(converter);
    EXPECT_EQ(converter.Settings().RegisterFileName, "X.DAT"_pl);
    EXPECT_EQ(converter.Settings().TargetPath, "/kprspis:X.DAT"_pl);  // also the first parameter
  }
  p.world.process.SetArguments({"/data"_pl, "-KPRSPIS:averylongregistername.dat"_pl});
  {
    Converter converter(p.platform);
    CancelToEnd(converter);
    EXPECT_EQ(converter.Settings().RegisterFileName, "averylongreg"_pl);  // cut to 12
  }
  p.world.process.SetArguments({"/kprspis:"_pl});  // empty: the environment decides
  Converter converter(p.platform);
  CancelToEnd(converter);
  EXPECT_EQ(converter.Settings().RegisterFileName, "FROMENV.DAT"_pl);
}

TEST_F(ConverterRun, ExtraFileListKeepsLineOrderCutsNamesAndKeepsEmptyLines) {
  Beside("zq20-21.LST",
         "first.dat\r\n\r\n" + std::string(40, 'n') + "\r\n  blanks kept .txt\nlast");
  Converter converter(p.platform);
  CancelToEnd(converter);
  const auto& names = converter.Settings().ExtraFiles;
  ASSERT_EQ(names.size(), 5u);
  EXPECT_EQ(names[0], "first.dat"_pl);
  EXPECT_EQ(names[1], ""_pl);
  EXPECT_EQ(names[2], ShortString(std::string(25, 'n')));
  EXPECT_EQ(names[3], "  blanks kept .txt"_pl);
  EXPECT_EQ(names[4], "last"_pl);
}

TEST_F(ConverterRun, BrokenSettingsFilesGiveADefinedResult) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>(i * 7 % 256));
  Beside("zq20-21.PTH", "DAZ_2021=" + std::string(300, 'x') + "\r\n" + garbage);
  std::string manyLines;
  for (int i = 0; i < 10000; ++i) manyLines += "file" + std::to_string(i) + "\r\n";
  Beside("zq20-21.LST", manyLines);
  Converter converter(p.platform);
  CancelToEnd(converter);
  // A path too long to hold with its separator is no path (cutting it would
  // name another directory): the default stays, as the path page shows it.
  EXPECT_EQ(converter.Settings().TargetPath,
            ShortString(p.world.Name(programFolder).view().substr(0, 50)));
  EXPECT_EQ(converter.Settings().ExtraFiles.size(), 10000u);
  EXPECT_EQ(converter.Settings().ExtraFiles.back(), "file9999"_pl);
}

TEST_F(ConverterRun, AProgramFolderThatCannotBeReadLeavesTheDefaults) {
  // A plain file where the program's folder should be: nothing beside the
  // program can be opened.
  p.world.tree.WriteFile("not-a-folder", "x");
  p.world.process.SetExecutablePath(p.world.Name("not-a-folder/zq20-21"));
  Converter converter(p.platform);
  CancelToEnd(converter);
  EXPECT_EQ(converter.Settings().SourcePath, "/DAZ_2020/"_pl);
  EXPECT_EQ(converter.Settings().TargetPath, p.world.Name("not-a-folder/"));
  EXPECT_TRUE(converter.Settings().ExtraFiles.empty());
}

TEST_F(ConverterRun, ColourFileBesideTheProgramSetsEveryRole) {
  Beside("kolory.zq", std::string(11, '\x1E'));
  Converter converter(p.platform);
  EXPECT_THROW(converter.Run(), platform::HeadlessInputExhausted);
  EXPECT_EQ(p.Attribute(1, 6), 0x1E);  // "Nacisnij Enter" in the log's normal colour
  EXPECT_EQ(p.Attribute(40, 20), 0x1E);
}

TEST_F(ConverterRun, ShortEmptyOrOversizedColourFilesAreHandled) {
  for (const std::string& content :
       {std::string(5, '\x1E'), std::string(), std::string(5000, '\x4E')}) {
    testing::HeadlessPlatform q;
    q.world.process.SetExecutablePath(q.world.Name("zq20-21"));
    q.world.tree.WriteFile("kolory.zq", content);
    Converter converter(q.platform);
    EXPECT_THROW(converter.Run(), platform::HeadlessInputExhausted);
    // Short files give the built-in colours; a long one its first record.
    EXPECT_EQ(q.Attribute(1, 6), content.size() >= 11 ? 0x4E : 0x07);
  }
}

}  // namespace
}  // namespace zq::shell
