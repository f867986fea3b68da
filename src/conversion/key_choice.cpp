#include "conversion/key_choice.h"

#include "ui/polish_text.h"

namespace zq::conversion {

char WaitForChoice(transfer::ProgressLog& log, std::string_view choices) {
  for (;;) {
    const char answer = ui::UpCasePL(log.WaitForKey());
    if (answer != '\0' && choices.find(answer) != std::string_view::npos) {
      log.RecordAnswer(std::string_view(&answer, 1));
      return answer;
    }
  }
}

}  // namespace zq::conversion
