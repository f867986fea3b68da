#include "sample/office_operator.h"

#include <cstdint>

#include "ui/key_codes.h"

namespace zq::sample {
namespace {

using ui::KB_ENTER;
using ui::KB_F5;
using ui::KB_PGDN;
constexpr int MOST_RETRIES = 3;

}  // namespace

void OfficeOperator::Start() {
  for (std::uint16_t key : {KB_PGDN, KB_PGDN, KB_PGDN, KB_F5}) console_.PushKey(key);
  console_.PushAction([this] { Answer(); });
}

bool OfficeOperator::Shows(std::string_view text) const {
  for (int row = 0; row < platform::SCREEN_HEIGHT; ++row) {
    if (console_.RowText(row).find(text) != std::string::npos) return true;
  }
  return false;
}

std::string OfficeOperator::LastLine() const {
  std::string last;
  for (int row = 2; row < platform::SCREEN_HEIGHT - 1; ++row) {
    const std::string text = console_.RowText(row);
    if (text.find_first_not_of(' ') != std::string::npos) last = text;
  }
  return last;
}

// The key is chosen once the program has really waited for one (the pause is
// over), so the screen shows what it asks; looks for a key while it works,
// which pass a pause by, come too early for that.
void OfficeOperator::Answer() {
  if (++answers_ > mostAnswers_) return;  // the run then stops: input exhausted
  console_.PushPause();
  console_.PushAction([this] { Decide(); });
}

void OfficeOperator::Decide() {
  std::uint16_t key = KB_ENTER;
  const std::string last = LastLine();
  if (!started_ && Shows("BAZA F")) {
    key = KB_F5;
    started_ = true;
  } else if (last.find("(B/N/A)") != std::string::npos ||
             last.find("Z(n)/W(a)") != std::string::npos) {
    key = ui::KB_SMALL_A;
  } else if (Shows("Czy czekamy ?") || Shows("Ponowić próbę ?")) {
    // A file blocked or refused: tried again a few times, then given up.
    if (++retries_ > MOST_RETRIES) key = ui::KB_SMALL_N;
  } else if (Shows("Rezygnujesz z konwersji")) {
    // Asked only when the wizard's pages were left: the paths were refused.
    key = ui::KB_SMALL_T;
  }
  console_.PushKey(key);
  console_.PushAction([this] { Answer(); });
}

}  // namespace zq::sample
