#include "shell/command_line_answer.h"

#include <iterator>

#include "platform/host_system.h"
#include "platform/text_literal.h"

namespace zq::shell {
namespace {

constexpr char RULE_CHARACTER = '\xC4';  // "─"
constexpr std::size_t HELP_RULE_LENGTH = 70;

// The program's own description of itself, line by line; the empty line
// after the first two stands for the rule.
constexpr ShortString HELP_LINES[] = {
    "Program do kopiowania wybranych danych do nowego DAZ_ZQ."_pl,
    "z wersji VI020 (2020) na RA021 (2021)"_pl,
    ""_pl,
    ""_pl,
    "Uruchom zq20-21 [Katalog_danych_,2021]"_pl,
    "gdzie:"_pl,
    "Katalog danych - lokalizacja istniejącego katalogu na rok 2021"_pl,
    "Katalogu w którym jest program zq20-21.EXE można umieścić"_pl,
    "plik o nazwie zq20-21.LST w którym można w kolejnych wierszach"_pl,
    "wpisać nazwy plików, jakie będą automatycznie kopiowane z katalogu"_pl,
    "danych firmy na rok nastepny"_pl,
    ""_pl,
};
constexpr std::size_t HELP_RULE_LINE = 2;

// The switches and the environment, as the program reads them.
constexpr ShortString SETTINGS_LINES[] = {
    "Przełączniki:"_pl,
    "  /kprspis:NAZWA  nazwa pliku spisu firm w obu drzewach (zwykle SPISFIRM.DAT)"_pl,
    "  --help, -h, /?  ten opis"_pl,
    "  --version       nazwa i wersja programu"_pl,
    "Zmienne środowiska:"_pl,
    "  KPRSPIS         nazwa pliku spisu firm, gdy nie podano /kprspis:"_pl,
    "  ZQSOUND=OFF     bez dźwięku"_pl,
    "  zqTEMP, KPRBOX, TEMP, TMP"_pl,
    "                  katalog plików tymczasowych (pierwsza ustawiona)"_pl,
};
// What only a POSIX system reads.
constexpr ShortString POSIX_SETTINGS_LINES[] = {
    "  ZQ_DRIVE_X      katalog dysku X: w ścieżkach (bez niej katalog główny)"_pl,
    "  TERM            rodzaj terminala: xterm i zgodne, linux, screen, tmux"_pl,
};

constexpr ShortString VERSION_LINE = "zq20-21 1.02"_pl;
constexpr ShortString USAGE_LINE = "Użycie: zq20-21 [Katalog_danych_,2021] [/kprspis:NAZWA]"_pl;
constexpr ShortString HELP_HINT_LINE = "Opis programu: zq20-21 --help"_pl;

std::vector<ShortString> HelpLines() {
  std::vector<ShortString> lines(std::begin(HELP_LINES), std::end(HELP_LINES));
  lines[HELP_RULE_LINE].Resize(HELP_RULE_LENGTH, RULE_CHARACTER);
  lines.insert(lines.end(), std::begin(SETTINGS_LINES), std::end(SETTINGS_LINES));
  if (platform::HOST_IS_POSIX) {
    lines.insert(lines.end(), std::begin(POSIX_SETTINGS_LINES), std::end(POSIX_SETTINGS_LINES));
  }
  return lines;
}

}  // namespace

std::optional<CommandLineAnswer> AnswerTo(const CommandLineRequest& request) {
  switch (request.request) {
    case Request::HELP:
      return CommandLineAnswer{0, false, HelpLines()};
    case Request::VERSION:
      return CommandLineAnswer{0, false, {VERSION_LINE}};
    case Request::UNKNOWN_OPTION:
      return CommandLineAnswer{
          EXIT_UNKNOWN_OPTION,
          true,
          {"zq20-21: nieznana opcja "_pl + request.option.view(), USAGE_LINE, HELP_HINT_LINE}};
    case Request::RUN:
      break;
  }
  return std::nullopt;
}

}  // namespace zq::shell
