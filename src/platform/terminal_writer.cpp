#include "platform/terminal_writer.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/cp852.h"
#include "platform/terminal_glyphs.h"
#include "platform/text_literal.h"

namespace zq::platform {
namespace {

void AppendNumber(std::string& out, int number) {
  out += std::to_string(number);
}

void AppendMoveTo(std::string& out, int column, int row) {
  out += "\x1B[";
  AppendNumber(out, row + 1);
  out += ';';
  AppendNumber(out, column + 1);
  out += 'H';
}

int AnsiColour(int pcColour) {
  return (pcColour & 2) | (pcColour & 1) << 2 | (pcColour & 4) >> 2;
}

void AppendCursorVisible(std::string& out, bool visible) {
  out += visible ? "\x1B[?25h" : "\x1B[?25l";
}

// An underline for the usual small cursor, a block from half the cell
// upwards: DECSCUSR (both blinking, as on a PC), or the Linux console's own
// cursor sequence.
void AppendCursorShape(std::string& out, int percent, TerminalFamily family) {
  if (family == TerminalFamily::LINUX_CONSOLE) {
    out += percent >= 50 ? "\x1B[?6c" : "\x1B[?2c";
  } else {
    out += percent >= 50 ? "\x1B[1 q" : "\x1B[3 q";
  }
}

void AppendTitle(std::string& out, std::string_view cp852Title) {
  std::string printable;
  for (char c : cp852Title) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) printable += c;  // no control bytes inside the OSC
  }
  out += "\x1B]2;";
  out += Cp852ToUtf8(printable);
  out += '\a';
}

// Splits a text into lines of at most `width` bytes at blanks (a word longer
// than a line is cut).
std::vector<std::string_view> WrapWords(std::string_view text, std::size_t width) {
  std::vector<std::string_view> lines;
  while (!text.empty() && width > 0) {
    std::size_t length = std::min(text.size(), width);
    if (length < text.size()) {
      const std::size_t blank = text.substr(0, length + 1).rfind(' ');
      if (blank != std::string_view::npos && blank > 0) length = blank;
    }
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  }
  return lines;
}

bool SameRow(const TerminalScreen& a, int rowA, const TerminalScreen& b, int rowB) {
  const auto cells = [](const TerminalScreen& screen, int row) {
    return screen.cells.begin() + row * SCREEN_WIDTH;
  };
  return std::equal(cells(a, rowA), cells(a, rowA) + SCREEN_WIDTH, cells(b, rowB));
}

// The longest run of rows first..last of `wanted` that stand one row lower in
// `sent` (the progress log scrolling its body), when it is worth a scroll.
bool FindScrolledRun(const TerminalScreen& wanted, const TerminalScreen& sent, int& first,
                     int& last) {
  constexpr int WORTH_SCROLLING = 3;
  int bestLength = 0;
  for (int row = 0; row < SCREEN_HEIGHT - 1;) {
    int end = row;
    while (end < SCREEN_HEIGHT - 1 && !SameRow(wanted, end, sent, end) &&
           SameRow(wanted, end, sent, end + 1)) {
      ++end;
    }
    if (end - row > bestLength) {
      bestLength = end - row;
      first = row;
      last = end - 1;
    }
    row = end + 1;
  }
  return bestLength >= WORTH_SCROLLING;
}

}  // namespace

std::string EnterSequence(TerminalFamily family) {
  if (family == TerminalFamily::LINUX_CONSOLE) return "\x1B[?7l";
  return "\x1B[22;0t\x1B[?1049h\x1B[?7l\x1B[?1000h\x1B[?1006h\x1B[?2004h\x1B[>4;2m";
}

std::string LeaveSequence(TerminalFamily family) {
  if (family == TerminalFamily::LINUX_CONSOLE) {
    return "\x1B[0m\x1B[?0c\x1B[?25h\x1B[?7h\x1B[H\x1B[2J";
  }
  return "\x1B[>4m\x1B[?2004l\x1B[?1006l\x1B[?1000l\x1B[0m\x1B[0 q\x1B[?25h\x1B[?7h\x1B[?1049l"
         "\x1B[23;0t";
}

std::string SizeRequest(int columns, int rows) {
  std::string out = "\x1B[8;";
  AppendNumber(out, rows);
  out += ';';
  AppendNumber(out, columns);
  out += 't';
  return out;
}

std::string AttributeSequence(unsigned char attribute, TerminalFamily family) {
  const int foreground = attribute & 0x0F;
  const int background = attribute >> 4;
  std::string out = "\x1B[0;";
  if (family == TerminalFamily::LINUX_CONSOLE) {
    if (foreground & 8) out += "1;";
    if (background & 8) out += "5;";
    AppendNumber(out, 30 + AnsiColour(foreground & 7));
    out += ';';
    AppendNumber(out, 40 + AnsiColour(background & 7));
  } else {
    AppendNumber(out, (foreground & 8 ? 90 : 30) + AnsiColour(foreground));
    out += ';';
    AppendNumber(out, (background & 8 ? 100 : 40) + AnsiColour(background));
  }
  out += 'm';
  return out;
}

std::string TerminalWriter::Update(const TerminalScreen& wanted) {
  std::string out;
  const bool full = !valid_;
  if (full) out += "\x1B[0m\x1B[2J";
  bool cellsSent = false;
  // A scrolled block is moved by the terminal itself (a line feed at the foot
  // of a scroll region, which every family knows); only the row it uncovers
  // and the rows that really changed are then drawn.
  int scrolledFirst = 0;
  int scrolledLast = -1;
  if (!full && FindScrolledRun(wanted, sent_, scrolledFirst, scrolledLast)) {
    AppendCursorVisible(out, false);
    cellsSent = true;
    out += "\x1B[0m\x1B[";
    AppendNumber(out, scrolledFirst + 1);
    out += ';';
    AppendNumber(out, scrolledLast + 2);
    out += 'r';
    AppendMoveTo(out, 0, scrolledLast + 1);
    out += "\x1B\x44\x1B[r";  // IND (ESC D) at the region's foot, then the region reset
    std::copy_n(sent_.cells.begin() + (scrolledFirst + 1) * SCREEN_WIDTH,
                (scrolledLast - scrolledFirst + 1) * SCREEN_WIDTH,
                sent_.cells.begin() + scrolledFirst * SCREEN_WIDTH);
  }
  // The row a scroll uncovers is blank in the terminal's own colours: drawn anew.
  const int uncoveredRow = scrolledLast >= scrolledFirst ? scrolledLast + 1 : -1;
  int attribute = -1;  // unknown until this update sets one
  int atColumn = -1;   // where the terminal's cursor stands, -1 unknown
  int atRow = -1;
  for (int row = 0; row < SCREEN_HEIGHT; ++row) {
    for (int column = 0; column < SCREEN_WIDTH; ++column) {
      const auto index = static_cast<std::size_t>(row * SCREEN_WIDTH + column);
      const Cell& cell = wanted.cells[index];
      if (!full && row != uncoveredRow && cell == sent_.cells[index]) continue;
      if (!cellsSent) AppendCursorVisible(out, false);  // no flicker while drawing
      cellsSent = true;
      if (column != atColumn || row != atRow) AppendMoveTo(out, column, row);
      if (cell.attribute != attribute) {
        out += AttributeSequence(cell.attribute, family_);
        attribute = cell.attribute;
      }
      AppendUtf8(out, TerminalGlyph(cell.character));
      // Without autowrap the cursor stays on the last column; move anew.
      atColumn = column + 1 < SCREEN_WIDTH ? column + 1 : -1;
      atRow = row;
    }
  }
  const int cursorColumn = std::clamp(wanted.cursorColumn, 0, SCREEN_WIDTH - 1);
  const int cursorRow = std::clamp(wanted.cursorRow, 0, SCREEN_HEIGHT - 1);
  if (full || cellsSent || cursorColumn != sent_.cursorColumn || cursorRow != sent_.cursorRow) {
    AppendMoveTo(out, cursorColumn, cursorRow);
  }
  if (full || cellsSent || wanted.cursorVisible != sent_.cursorVisible) {
    AppendCursorVisible(out, wanted.cursorVisible);
  }
  if (full || (wanted.cursorSize >= 50) != (sent_.cursorSize >= 50)) {
    AppendCursorShape(out, wanted.cursorSize, family_);
  }
  const bool hasTitle = family_ != TerminalFamily::LINUX_CONSOLE;
  if (hasTitle && (full || wanted.title != sent_.title)) AppendTitle(out, wanted.title);
  sent_ = wanted;
  sent_.cursorColumn = cursorColumn;
  sent_.cursorRow = cursorRow;
  valid_ = true;
  return out;
}

std::string TooSmallSequence(int width, int height) {
  // Each paragraph begins a line; lines break between the phrases first, so
  // that "80 x 25" and "Ctrl+C" stay whole.
  const std::vector<std::string> paragraphs[] = {
      {"Okno terminala jest za małe:"_pl.str(), "potrzeba 80 x 25 znaków,"_pl.str(),
       "jest " + std::to_string(width) + " x " + std::to_string(height) + "."},
      {"Powiększ okno"_pl.str(), "albo naciśnij Ctrl+C,"_pl.str(), "aby zakończyć."_pl.str()},
  };
  const auto lineWidth = static_cast<std::size_t>(std::max(width, 1));
  std::vector<std::string> phraseLines;
  for (const std::vector<std::string>& phrases : paragraphs) {
    phraseLines.emplace_back();
    for (const std::string& phrase : phrases) {
      std::string& line = phraseLines.back();
      if (line.empty()) {
        line = phrase;
      } else if (line.size() + 1 + phrase.size() <= lineWidth) {
        line += ' ' + phrase;
      } else {
        phraseLines.push_back(phrase);
      }
    }
  }
  std::vector<std::string_view> lines;
  for (const std::string& line : phraseLines) {
    for (std::string_view part : WrapWords(line, lineWidth)) lines.push_back(part);
  }
  std::string out = "\x1B[0m\x1B[2J\x1B[?25l";
  const int shown = std::min(static_cast<int>(lines.size()), std::max(height, 1));
  const int top = std::max(0, (height - shown) / 2);
  for (int i = 0; i < shown; ++i) {
    const std::string_view line = lines[static_cast<std::size_t>(i)];
    AppendMoveTo(out, std::max(0, (width - static_cast<int>(line.size())) / 2), top + i);
    out += Cp852ToUtf8(line);
  }
  return out;
}

std::string ClipboardSequence(std::string_view cp852) {
  static constexpr std::string_view DIGITS =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const std::string utf8 = Cp852ToUtf8(cp852);
  std::string out = "\x1B]52;c;";
  for (std::size_t i = 0; i < utf8.size(); i += 3) {
    const std::size_t count = std::min<std::size_t>(3, utf8.size() - i);
    unsigned group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = group << 8 | (k < count ? static_cast<unsigned char>(utf8[i + k]) : 0u);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= count ? DIGITS[group >> (18 - 6 * k) & 0x3F] : '=';
    }
  }
  out += '\a';
  return out;
}

}  // namespace zq::platform
