#include "shell/command_line.h"

#include "ui/polish_text.h"

namespace zq::shell {
namespace {

std::string_view WithoutSign(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '/')) text.remove_prefix(1);
  return text;
}

}  // namespace

bool AsksForHelp(const std::vector<ShortString>& arguments) {
  return !arguments.empty() && arguments.front().view().find('?') != std::string_view::npos;
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
