#include "support/temp_tree.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

namespace zq::testing {

namespace {

// A host name given in UTF-8, whatever the system's narrow code page.
std::filesystem::path HostPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

TempTree::TempTree(const std::filesystem::path& base) {
  // A new directory with a random name, as mkdtemp makes one, on every system.
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate = base / ("zq-test-" + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      const std::u8string utf8 = candidate.generic_u8string();
      root_.assign(utf8.begin(), utf8.end());
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary directory");
}

std::filesystem::path TempTree::InMemory() {
  const std::filesystem::path shared = "/dev/shm";
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(shared, error);
  const bool writable =
      std::filesystem::is_directory(status) &&
      (status.permissions() & std::filesystem::perms::others_write) != std::filesystem::perms::none;
  return writable ? shared : std::filesystem::temp_directory_path();
}

TempTree::~TempTree() {
  std::error_code ignored;
  // Read-only entries left by a test must not stop the removal.
  std::filesystem::permissions(HostPath(root_), std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(HostPath(root_), ignored);
}

void TempTree::MakeDirectory(std::string_view relative) const {
  std::filesystem::create_directories(HostPath(Path(relative)));
}

void TempTree::WriteFile(std::string_view relative, std::string_view content) const {
  std::ofstream out(HostPath(Path(relative)), std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + Path(relative));
}

std::string TempTree::ReadFile(std::string_view relative) const {
  std::ifstream in(HostPath(Path(relative)), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool TempTree::Exists(std::string_view relative) const {
  std::error_code ignored;
  return std::filesystem::exists(
      std::filesystem::symlink_status(HostPath(Path(relative)), ignored));
}

std::map<std::string, std::string> TempTree::Snapshot(std::string_view relative) const {
  std::map<std::string, std::string> entries;
  const std::filesystem::path top = HostPath(Path(relative));
  for (const auto& entry : std::filesystem::recursive_directory_iterator(top)) {
    const std::u8string utf8 = entry.path().lexically_relative(top).generic_u8string();
    const std::string name(utf8.begin(), utf8.end());
    entries[name] =
        entry.is_directory() ? "<directory>" : ReadFile(std::string(relative) + "/" + name);
  }
  return entries;
}

}  // namespace zq::testing
