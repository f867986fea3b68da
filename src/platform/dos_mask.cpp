#include "platform/dos_mask.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/cp852.h"

namespace zq::platform {
namespace {

enum class Token : char {
  LITERAL,
  ANY_RUN,          // '*'
  RUN_TO_LAST_DOT,  // '*' before a '.'
  OPTIONAL_CHAR,    // '?'
  DOT_OR_END,       // '.' before a wildcard or at the end of the mask
};

struct MaskPart {
  Token token;
  char literal;
};

std::vector<MaskPart> Compile(std::string_view mask) {
  std::vector<MaskPart> parts;
  parts.reserve(mask.size());
  for (std::size_t i = 0; i < mask.size(); ++i) {
    const char c = mask[i];
    const char next = i + 1 < mask.size() ? mask[i + 1] : '\0';
    const bool atEnd = i + 1 == mask.size();
    if (c == '?') {
      parts.push_back({Token::OPTIONAL_CHAR, c});
    } else if (c == '*') {
      parts.push_back({next == '.' ? Token::RUN_TO_LAST_DOT : Token::ANY_RUN, c});
    } else if (c == '.' && (atEnd || next == '*' || next == '?')) {
      parts.push_back({Token::DOT_OR_END, c});
    } else {
      parts.push_back({Token::LITERAL, UpCasePL(c)});
    }
  }
  return parts;
}

}  // namespace

bool HasWildcards(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

bool MatchesDosMask(std::string_view name, std::string_view mask) {
  if (mask == "*.*") return !name.empty();
  if (mask.empty() || name.empty()) return false;
  const std::vector<MaskPart> parts = Compile(mask);
  const std::size_t lastDot = name.rfind('.');
  const std::size_t runLimit = lastDot == std::string_view::npos ? name.size() : lastDot;

  // The mask runs as a set of positions in it, advanced over the name one
  // character at a time.
  std::string current(parts.size() + 1, '\0');
  std::string next(parts.size() + 1, '\0');
  const auto closeOver = [&](std::string& states, std::size_t position) {
    const bool atEnd = position == name.size();
    const bool atDot = !atEnd && name[position] == '.';
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (!states[i]) continue;
      const Token token = parts[i].token;
      const bool canBeEmpty = token == Token::ANY_RUN || token == Token::RUN_TO_LAST_DOT ||
                              (token == Token::OPTIONAL_CHAR && (atEnd || atDot)) ||
                              (token == Token::DOT_OR_END && atEnd);
      if (canBeEmpty) states[i + 1] = 1;
    }
  };

  current[0] = 1;
  closeOver(current, 0);
  for (std::size_t position = 0; position < name.size(); ++position) {
    const char c = name[position];
    std::fill(next.begin(), next.end(), '\0');
    bool alive = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (!current[i]) continue;
      switch (parts[i].token) {
        case Token::LITERAL:
          if (UpCasePL(c) == parts[i].literal) next[i + 1] = 1;
          break;
        case Token::ANY_RUN:
          next[i] = 1;
          break;
        case Token::RUN_TO_LAST_DOT:
          if (position < runLimit) next[i] = 1;
          break;
        case Token::OPTIONAL_CHAR:
          if (c != '.') next[i + 1] = 1;
          break;
        case Token::DOT_OR_END:
          if (c == '.') next[i + 1] = 1;
          break;
      }
    }
    closeOver(next, position + 1);
    for (char state : next) alive = alive || state != 0;
    if (!alive) return false;
    current.swap(next);
  }
  return current[parts.size()] != 0;
}

}  // namespace zq::platform
