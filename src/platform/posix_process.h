#pragma once
#include <vector>

#include "platform/process.h"

namespace zq::platform {

// The running process as the program sees it: UTF-8 values of the system
// turned into CP852.
class PosixProcess : public Process {
 public:
  PosixProcess(int argc, const char* const* argv);

  const std::vector<ShortString>& Arguments() const override { return arguments_; }
  ShortString ExecutablePath() const override;
  ShortString CurrentDirectory() const override;
  std::optional<ShortString> GetEnv(std::string_view name) const override;

 private:
  std::vector<ShortString> arguments_;
};

}  // namespace zq::platform
