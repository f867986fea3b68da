// The path mapper never leads outside a drive's directory: a name with a
// drive maps inside that drive's directory, a name from the root inside the
// root, and ".." survives only at the start of a relative name.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/path_mapper.h"
#include "support/fuzz_world.h"

namespace {

bool HasDrive(std::string_view name) {
  if (name.size() < 2 || name[1] != ':') return false;
  const char letter = name[0];
  return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

// True when a ".." component stands after any other component.
bool ClimbsAfterAName(std::string_view host) {
  bool named = false;
  std::size_t start = 0;
  while (start <= host.size()) {
    std::size_t end = host.find('/', start);
    if (end == std::string_view::npos) end = host.size();
    const std::string_view component = host.substr(start, end - start);
    if (component == "..") {
      if (named) return true;
    } else if (!component.empty()) {
      named = true;
    }
    start = end + 1;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  auto& world = zq::fuzz::World();
  static const bool prepared = [&world] {
    world.tree.MakeDirectory("drive/DAZ/Firma");
    world.tree.WriteFile("drive/DAZ/Firma/SPISFIRM.DAT", "x");
    world.process.SetEnv("ZQ_DRIVE_C", zq::ShortString(world.tree.Path("drive")));
    return true;
  }();
  (void)prepared;
  static zq::platform::PathMapper mapper(world.syscalls, world.process);

  const std::string_view name(reinterpret_cast<const char*>(bytes), size);
  std::string host;
  if (mapper.ToHost(name, host) != zq::platform::IO_OK) return 0;
  std::string root;
  if (HasDrive(name)) {
    const char letter = static_cast<char>(name[0] & ~0x20);
    root = letter == 'C' ? world.tree.Path("drive") : "/";
  } else if (!name.empty() && (name[0] == '\\' || name[0] == '/')) {
    root = "/";
  }
  if (!root.empty()) {
    const bool inside = host == root || host.starts_with(root.back() == '/' ? root : root + "/");
    if (!inside || host.find("/../") != std::string::npos || host.ends_with("/..")) std::abort();
  }
  if (ClimbsAfterAName(host)) std::abort();
  return 0;
}
