#pragma once
// A process for tests: arguments, paths and environment set by the test.

#include <map>
#include <string>

#include "platform/process.h"

namespace zq::testing {

class FakeProcess final : public platform::Process {
 public:
  void SetEnv(const std::string& name, const ShortString& value) { environment_[name] = value; }
  void UnsetEnv(const std::string& name) { environment_.erase(name); }
  void SetCurrentDirectory(const ShortString& directory) { currentDirectory_ = directory; }
  void SetExecutablePath(const ShortString& path) { executablePath_ = path; }
  void SetArguments(std::vector<ShortString> arguments) { arguments_ = std::move(arguments); }

  const std::vector<ShortString>& Arguments() const override { return arguments_; }
  ShortString ExecutablePath() const override { return executablePath_; }
  ShortString CurrentDirectory() const override { return currentDirectory_; }
  std::optional<ShortString> GetEnv(std::string_view name) const override {
    const auto found = environment_.find(std::string(name));
    if (found == environment_.end()) return std::nullopt;
    return found->second;
  }

 private:
  std::vector<ShortString> arguments_;
  ShortString executablePath_;
  ShortString currentDirectory_;
  std::map<std::string, ShortString> environment_;
};

}  // namespace zq::testing
