// The files beside the program: the path settings (.PTH), the extra file
// list (.LST) and the colours (kolory.zq), read from any content against a
// model, and the path settings written from any paths read back as written
// (or refused, with the file left as it was).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "shell/path_settings.h"
#include "support/fuzz_world.h"
#include "support/line_model.h"
#include "ui/colours.h"

namespace {

using zq::ShortString;
using zq::fuzz::ModelLines;

void CheckPathFileRead(const std::string& content) {
  auto& world = zq::fuzz::World();
  world.tree.WriteFile("zq20-21.PTH", content);
  ShortString source(std::string_view("unchanged")), target(std::string_view("unchanged"));
  zq::shell::ReadPathSettings(world.files, world.Name("zq20-21"), source, target);
  std::string expectedSource = "unchanged", expectedTarget = "unchanged";
  for (const std::string& line : ModelLines(content)) {
    const std::string value = line.substr(std::min<std::size_t>(9, line.size()));
    if (value.size() >= ShortString::MAX_LENGTH) continue;
    if (line.starts_with("DAZ_2020=")) expectedSource = value + zq::platform::PATH_SEPARATOR;
    if (line.starts_with("DAZ_2021=")) expectedTarget = value + zq::platform::PATH_SEPARATOR;
  }
  if (source.str() != expectedSource || target.str() != expectedTarget) std::abort();
}

void CheckPathFileWrite(const ShortString& source, const ShortString& target) {
  auto& world = zq::fuzz::World();
  world.tree.WriteFile("zq20-21.PTH", "before");
  const bool written =
      zq::shell::WritePathSettings(world.files, world.Name("zq20-21"), source, target);
  if (!written) {
    if (world.tree.ReadFile("zq20-21.PTH") != "before") std::abort();
    return;
  }
  ShortString readSource, readTarget;
  zq::shell::ReadPathSettings(world.files, world.Name("zq20-21"), readSource, readTarget);
  // What was given, closed by the platform's separator (the file leaves the
  // closing separator out and reading puts the platform's back).
  const auto expected = [](const ShortString& path) {
    ShortString closed = path;
    if (!closed.empty() && zq::platform::IsPathSeparator(closed.back())) {
      closed.Truncate(closed.size() - 1);
    }
    return closed + zq::platform::PATH_SEPARATOR;
  };
  if (readSource != expected(source) || readTarget != expected(target)) std::abort();
}

void CheckExtraFileList(const std::string& content) {
  auto& world = zq::fuzz::World();
  world.tree.WriteFile("zq20-21.LST", content);
  std::vector<ShortString> names;
  zq::shell::ReadExtraFileList(world.files, world.Name("zq20-21"), names);
  const std::vector<std::string> lines = ModelLines(content);
  if (names.size() != lines.size()) std::abort();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (names[i].str() != lines[i].substr(0, 25)) std::abort();
  }
}

void CheckColours(const std::string& content) {
  auto& world = zq::fuzz::World();
  world.tree.WriteFile("kolory.zq", content);
  zq::ui::Colours colours(world.files);
  colours.InitColours(world.Name(""));
  zq::ui::ColourTable expected = zq::ui::DEFAULT_COLOURS;
  if (content.size() >= expected.size())
    std::copy_n(content.begin(), expected.size(), expected.begin());
  for (std::size_t role = 0; role < expected.size(); ++role) {
    if (colours[static_cast<zq::ui::ColourRole>(role)] != expected[role]) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
      CheckPathFileRead(data.ConsumeRemainingBytesAsString());
      break;
    case 1: {
      const ShortString source(data.ConsumeRandomLengthString(300));
      CheckPathFileWrite(source, ShortString(data.ConsumeRemainingBytesAsString()));
      break;
    }
    case 2:
      CheckExtraFileList(data.ConsumeRemainingBytesAsString());
      break;
    default:
      CheckColours(data.ConsumeRemainingBytesAsString());
      break;
  }
  return 0;
}
