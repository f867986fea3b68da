#pragma once
// An operator who takes the defaults, for runs of the converter over a sample
// office on the headless console: F5 on the company list, 2021's data for
// every company with both years, every file there replaced, giving up when
// the wizard will not go on, trying a blocked or refused file again three
// times in all and then no more, each other box and key wait confirmed with
// Enter. After `mostAnswers` answers the operator stops answering, so a
// program that asks for ever ends with the console's HeadlessInputExhausted.

#include <string>
#include <string_view>

#include "platform/headless_console.h"

namespace zq::sample {

class OfficeOperator {
 public:
  OfficeOperator(platform::HeadlessConsole& console, int mostAnswers)
      : console_(console), mostAnswers_(mostAnswers) {}
  OfficeOperator(const OfficeOperator&) = delete;
  OfficeOperator& operator=(const OfficeOperator&) = delete;

  // Scripts the wizard's three pages with their defaults and the start, then
  // answers from there on.
  void Start();
  int Answers() const { return answers_; }

 private:
  bool Shows(std::string_view text) const;
  std::string LastLine() const;
  void Answer();
  void Decide();

  platform::HeadlessConsole& console_;
  int mostAnswers_;
  int answers_ = 0;
  int retries_ = 0;
  bool started_ = false;
};

}  // namespace zq::sample
