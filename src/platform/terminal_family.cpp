#include "platform/terminal_family.h"

#include <algorithm>
#include <array>

namespace zq::platform {
namespace {

struct NamedFamily {
  std::string_view name;  // TERM is this name, or this name, '-' and a variant
  TerminalFamily family;
};

// clang-format off
constexpr std::array<NamedFamily, 27> KNOWN_TERMINALS = {{
    {"xterm", TerminalFamily::XTERM},      {"rxvt", TerminalFamily::XTERM},
    {"vte", TerminalFamily::XTERM},        {"gnome", TerminalFamily::XTERM},
    {"konsole", TerminalFamily::XTERM},    {"putty", TerminalFamily::XTERM},
    {"st", TerminalFamily::XTERM},         {"alacritty", TerminalFamily::XTERM},
    {"kitty", TerminalFamily::XTERM},      {"foot", TerminalFamily::XTERM},
    {"wezterm", TerminalFamily::XTERM},    {"iterm", TerminalFamily::XTERM},
    {"iterm2", TerminalFamily::XTERM},     {"mintty", TerminalFamily::XTERM},
    {"ms-terminal", TerminalFamily::XTERM}, {"contour", TerminalFamily::XTERM},
    {"eterm", TerminalFamily::XTERM},      {"mlterm", TerminalFamily::XTERM},
    {"terminator", TerminalFamily::XTERM}, {"ghostty", TerminalFamily::XTERM},
    {"ansi", TerminalFamily::XTERM},       {"vt100", TerminalFamily::XTERM},
    {"vt102", TerminalFamily::XTERM},      {"vt220", TerminalFamily::XTERM},
    {"screen", TerminalFamily::MULTIPLEXER}, {"tmux", TerminalFamily::MULTIPLEXER},
    {"linux", TerminalFamily::LINUX_CONSOLE},
}};
// clang-format on

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "xterm", "xterm-256color" and "Eterm-color" name the families "xterm" and
// "eterm"; "xtermish" names none.
bool Names(std::string_view term, std::string_view name) {
  if (term.size() < name.size()) return false;
  if (term.size() > name.size() && term[name.size()] != '-' && term[name.size()] != '.') {
    return false;
  }
  return std::equal(name.begin(), name.end(), term.begin(),
                    [](char wanted, char given) { return wanted == Lower(given); });
}

}  // namespace

std::optional<TerminalFamily> FamilyOf(std::string_view term) {
  for (const NamedFamily& known : KNOWN_TERMINALS) {
    if (Names(term, known.name)) return known.family;
  }
  return std::nullopt;
}

std::string RefusalOf(std::string_view term) {
  if (term.empty() || term == "dumb") {
    return "Terminal " +
           (term.empty() ? std::string("bez zmiennej TERM") : "TERM=" + std::string(term)) +
           " nie umie ustawiać kursora, a program rysuje pełny ekran 80 x 25 znaków. "
           "Uruchom go w oknie terminala (xterm, konsola linux, screen, tmux).";
  }
  return "Nieznany rodzaj terminala TERM=" + std::string(term) +
         ". Program zna xterm i terminale zgodne z nim, konsolę linux, screen i tmux; "
         "jeśli ten terminal rozumie sekwencje xterm, uruchom program z TERM=xterm-256color.";
}

}  // namespace zq::platform
