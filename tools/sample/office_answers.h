#pragma once
// The operator's keys that take the default sample office through a whole
// conversion with the converter's default choices: the tests drive the
// program with them through the headless console, and so does the program
// that converts a sample office for comparing two builds.

#include <cstdint>
#include <vector>

#include "platform/headless_console.h"

namespace zq::sample {

struct OperatorKey {
  std::uint16_t code = 0;
  // The program may look for a key while it works; a key that answers a
  // question waits for the program to ask it.
  bool answersQuestion = true;
};

std::vector<OperatorKey> DefaultOfficeAnswers();

// Scripts the keys on a headless console in their order.
void ScriptAnswers(platform::HeadlessConsole& console, const std::vector<OperatorKey>& keys);

}  // namespace zq::sample
