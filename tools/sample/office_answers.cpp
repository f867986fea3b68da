#include "sample/office_answers.h"

namespace zq::sample {
namespace {

constexpr std::uint16_t PAGE_DOWN = 0x5100;
constexpr std::uint16_t F5 = 0x3F00;
constexpr std::uint16_t ENTER = 0x1C0D;
constexpr std::uint16_t KEY_B = 0x3062;
constexpr std::uint16_t KEY_N = 0x316E;
constexpr std::uint16_t KEY_W = 0x1177;

}  // namespace

std::vector<OperatorKey> DefaultOfficeAnswers() {
  return {
      // The wizard's three pages with their defaults, then start.
      {PAGE_DOWN, false},
      {PAGE_DOWN, false},
      {PAGE_DOWN, false},
      {F5, false},
      // The global copy finds 2021_lp2.cc, just copied from 2020_lp2.cc: the
      // 2021 settings replace it.
      {KEY_W},
      // Recognition names the company found converted and the one without a
      // directory, and waits.
      {ENTER},
      // Every company of the list as it is marked.
      {F5},
      // Piekarnia has annual data of both years: 2020's. Its 2021 tax forms
      // are there already, both replaced; so are the 2021 wage settings that
      // follow the 2020 ones just copied.
      {KEY_B},
      {KEY_W},
      {KEY_W},
      {KEY_W},
      // Żuraw left December 2020 open.
      {ENTER},
      // Kwiaciarnia: both years again, 2021's this time; the wage settings
      // as before.
      {KEY_N},
      {KEY_W},
      // Groszek: 2020's; it settled VAT in proportion and its 2021
      // proportion is confirmed as 0; December is open; its 2021 tax forms
      // and wage settings are replaced.
      {KEY_B},
      {ENTER},
      {ENTER},
      {ENTER},
      {KEY_W},
      {KEY_W},
      {KEY_W},
      // The summary box.
      {ENTER},
      // The closing "Nacisnij Enter".
      {ENTER},
  };
}

void ScriptAnswers(platform::HeadlessConsole& console, const std::vector<OperatorKey>& keys) {
  for (const OperatorKey& key : keys) {
    if (key.answersQuestion) console.PushPause();
    console.PushKey(key.code);
  }
}

}  // namespace zq::sample
