#include "shell/command_line.h"

#include <algorithm>
#include <array>

#include "ui/polish_text.h"

namespace zq::shell {
namespace {

constexpr std::array<std::string_view, 5> HELP_OPTIONS = {"/?", "-?", "?", "--help", "-h"};
constexpr std::string_view VERSION_OPTION = "--version";
constexpr std::string_view DOUBLE_DASH = "--";

std::string_view WithoutSign(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '/')) text.remove_prefix(1);
  return text;
}

Request RequestOfOne(std::string_view argument) {
  if (std::find(HELP_OPTIONS.begin(), HELP_OPTIONS.end(), argument) != HELP_OPTIONS.end()) {
    return Request::HELP;
  }
  if (argument == VERSION_OPTION) return Request::VERSION;
  if (argument.starts_with(DOUBLE_DASH)) return Request::UNKNOWN_OPTION;
  return Request::RUN;
}

}  // namespace

CommandLineRequest RequestOf(const std::vector<ShortString>& arguments) {
  for (const ShortString& argument : arguments) {
    const Request request = RequestOfOne(argument.view());
    if (request != Request::RUN) return {request, argument};
  }
  return {};
}

std::optional<ShortString> SwitchValue(const std::vector<ShortString>& arguments,
                                       std::string_view switchText) {
  const ShortString wanted = ui::UpperCasePL(WithoutSign(switchText));
  for (const ShortString& argument : arguments) {
    const std::string_view parameter = WithoutSign(argument);
    if (parameter.size() < wanted.size()) continue;
    if (ui::UpperCasePL(parameter.substr(0, wanted.size())) == wanted) {
      return ShortString(parameter.substr(wanted.size()));
    }
  }
  return std::nullopt;
}

}  // namespace zq::shell
