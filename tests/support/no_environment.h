#pragma once
// A process with no arguments, paths or environment, for helper programs.

#include "platform/process.h"

namespace zq::testing {

class NoEnvironment final : public platform::Process {
 public:
  const std::vector<ShortString>& Arguments() const override { return arguments_; }
  ShortString ExecutablePath() const override { return {}; }
  ShortString CurrentDirectory() const override { return {}; }
  std::optional<ShortString> GetEnv(std::string_view) const override { return std::nullopt; }

 private:
  std::vector<ShortString> arguments_;
};

}  // namespace zq::testing
