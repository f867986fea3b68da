#pragma once
// The running process as the program sees it: the wide-character command
// line, paths and environment of the system turned into CP852 (a character
// the code page lacks becomes '?', which no file name accepts).

#include <vector>

#include "platform/process.h"

namespace zq::platform {

class WindowsProcess final : public Process {
 public:
  WindowsProcess();

  const std::vector<ShortString>& Arguments() const override { return arguments_; }
  ShortString ExecutablePath() const override;
  ShortString CurrentDirectory() const override;
  std::optional<ShortString> GetEnv(std::string_view name) const override;

 private:
  std::vector<ShortString> arguments_;
};

}  // namespace zq::platform
