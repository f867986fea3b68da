#include "sample/office_answers.h"

#include "ui/key_codes.h"

namespace zq::sample {

std::vector<OperatorKey> DefaultOfficeAnswers() {
  return {
      // The wizard's three pages with their defaults, then start.
      {ui::KB_PGDN, false},
      {ui::KB_PGDN, false},
      {ui::KB_PGDN, false},
      {ui::KB_F5, false},
      // The global copy finds 2021_lp2.cc, just copied from 2020_lp2.cc: the
      // 2021 settings replace it.
      {ui::KB_SMALL_W},
      // Recognition names the company found converted and the one without a
      // directory, and waits.
      {ui::KB_ENTER},
      // Every company of the list as it is marked.
      {ui::KB_F5},
      // Piekarnia has annual data of both years: 2020's. Its 2021 tax forms
      // are there already, both replaced; so are the 2021 wage settings that
      // follow the 2020 ones just copied.
      {ui::KB_SMALL_B},
      {ui::KB_SMALL_W},
      {ui::KB_SMALL_W},
      {ui::KB_SMALL_W},
      // Żuraw left December 2020 open.
      {ui::KB_ENTER},
      // Kwiaciarnia: both years again, 2021's this time; the wage settings
      // as before.
      {ui::KB_SMALL_N},
      {ui::KB_SMALL_W},
      // Groszek: 2020's; it settled VAT in proportion and its 2021
      // proportion is confirmed as 0; December is open; its 2021 tax forms
      // and wage settings are replaced.
      {ui::KB_SMALL_B},
      {ui::KB_ENTER},
      {ui::KB_ENTER},
      {ui::KB_ENTER},
      {ui::KB_SMALL_W},
      {ui::KB_SMALL_W},
      {ui::KB_SMALL_W},
      // The summary box.
      {ui::KB_ENTER},
      // The closing "Nacisnij Enter".
      {ui::KB_ENTER},
  };
}

void ScriptAnswers(platform::HeadlessConsole& console, const std::vector<OperatorKey>& keys) {
  for (const OperatorKey& key : keys) {
    if (key.answersQuestion) console.PushPause();
    console.PushKey(key.code);
  }
}

}  // namespace zq::sample
