// The recognition over any source company register: records of any bytes,
// their directory fields often naming directories that exist in one tree, in
// both or in neither (in any case), or names that would lead out of the
// trees. Listed are exactly the companies whose directory is one plain name
// found in the source tree and not in the target tree, in register order and
// with their records unchanged; neither tree is written.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "fileaccess/shared_file_access.h"
#include "platform/headless_console.h"
#include "platform/process.h"
#include "register/company_list.h"
#include "register/recognition.h"
#include "support/fuzz_world.h"
#include "support/headless_toolkit.h"
#include "ui/key_codes.h"

namespace {

using zq::registry::COMPANY_DIRECTORY;
using zq::registry::COMPANY_RECORD_SIZE;

// Directory names the records choose from; the first three may exist.
const std::array<std::string, 8> NAMES = {"FIRMA", "ABC", "ZZ", "firma", "..", "A/B", "C:X", ""};

void MakeTree(const std::string& tree, FuzzedDataProvider& data) {
  auto& world = zq::fuzz::World();
  std::filesystem::remove_all(world.tree.Path(tree));
  world.tree.MakeDirectory(tree);
  for (std::size_t i = 0; i < 3; ++i) {
    if (data.ConsumeBool()) world.tree.MakeDirectory(tree + "/" + NAMES[i]);
  }
}

bool IsDirectory(const std::string& tree, const std::string& name) {
  std::error_code ignored;
  for (const auto& entry :
       std::filesystem::directory_iterator(zq::fuzz::World().tree.Path(tree), ignored)) {
    std::string found = entry.path().filename().string();
    std::string wanted = name;
    for (char& c : found) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : wanted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (found == wanted && entry.is_directory()) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  auto& world = zq::fuzz::World();
  MakeTree("DAZ_2020", data);
  MakeTree("DAZ_2021", data);
  std::vector<std::string> records;
  std::string registerBytes;
  const int count = data.ConsumeIntegralInRange(0, 12);
  for (int i = 0; i < count; ++i) {
    std::string record = data.ConsumeBytesAsString(COMPANY_RECORD_SIZE);
    record.resize(COMPANY_RECORD_SIZE, '\0');
    if (data.ConsumeBool()) {
      const std::string& name =
          NAMES[data.ConsumeIntegralInRange<std::size_t>(0, NAMES.size() - 1)];
      record[COMPANY_DIRECTORY] = static_cast<char>(name.size());
      record.replace(COMPANY_DIRECTORY + 1, name.size(), name);
    }
    records.push_back(record);
    registerBytes += record;
  }
  registerBytes += data.ConsumeRemainingBytesAsString().substr(0, COMPANY_RECORD_SIZE - 1);
  world.tree.WriteFile("DAZ_2020/SPISFIRM.DAT", registerBytes);
  const auto sourceBefore = world.tree.Snapshot("DAZ_2020");
  const auto targetBefore = world.tree.Snapshot("DAZ_2021");

  zq::testing::HeadlessToolkit t;
  for (int i = 0; i < 4; ++i) {
    t.console.PushPause();
    t.console.PushKey(zq::ui::KB_ENTER);
  }
  zq::platform::PascalRandom random;
  zq::fileaccess::TempFiles tempFiles{world.files, world.process, t.clock, random};
  zq::fileaccess::SharedFileAccess access{world.files, t.toolkit, t.clock, tempFiles, {}};
  std::uint8_t showSlowly = 0;
  zq::transfer::ProgressLog log{t.screen, t.colours, t.clock, showSlowly};
  zq::conversion::RunSettings settings;
  settings.SourcePath = world.Name("DAZ_2020/");
  settings.TargetPath = world.Name("DAZ_2021/");
  zq::registry::CompanyList list;
  bool stopped = false;
  try {
    zq::registry::Recognition(access, log, settings).Recognise(list);
  } catch (const zq::platform::ProgramExit&) {
    stopped = true;
  }
  if (stopped != records.empty()) std::abort();

  std::size_t next = 0;
  for (const std::string& record : records) {
    const std::string directory = record.substr(
        COMPANY_DIRECTORY + 1,
        std::min<std::size_t>(static_cast<std::uint8_t>(record[COMPANY_DIRECTORY]), 8));
    const bool plain = static_cast<std::uint8_t>(record[COMPANY_DIRECTORY]) <= 8 &&
                       directory.find_first_of("/\\:.") == std::string::npos &&
                       !directory.empty() && directory.find('\0') == std::string::npos;
    const bool convertible =
        plain && IsDirectory("DAZ_2020", directory) && !IsDirectory("DAZ_2021", directory);
    if (!convertible) continue;
    ++next;
    const auto* entry = list.Entry(static_cast<std::int32_t>(next));
    if (entry == nullptr || std::string(entry->record.begin(), entry->record.end()) != record)
      std::abort();
  }
  if (static_cast<std::size_t>(list.Count()) != next) std::abort();
  if (world.tree.Snapshot("DAZ_2020") != sourceBefore) std::abort();
  if (world.tree.Snapshot("DAZ_2021") != targetBefore) std::abort();
  return 0;
}
