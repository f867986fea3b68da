#include "support/temp_tree.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zq::testing {

TempTree::TempTree(const std::filesystem::path& base) {
  std::string pattern = (base / "zq-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
}

std::filesystem::path TempTree::InMemory() {
  const std::filesystem::path shared = "/dev/shm";
  std::error_code ignored;
  return std::filesystem::is_directory(shared, ignored) && access(shared.c_str(), W_OK) == 0
             ? shared
             : std::filesystem::temp_directory_path();
}

TempTree::~TempTree() {
  std::error_code ignored;
  // Read-only entries left by a test must not stop the removal.
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(root_, ignored);
}

void TempTree::MakeDirectory(std::string_view relative) const {
  std::filesystem::create_directories(Path(relative));
}

void TempTree::WriteFile(std::string_view relative, std::string_view content) const {
  std::ofstream out(Path(relative), std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + Path(relative));
}

std::string TempTree::ReadFile(std::string_view relative) const {
  std::ifstream in(Path(relative), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool TempTree::Exists(std::string_view relative) const {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(Path(relative), ignored));
}

std::map<std::string, std::string> TempTree::Snapshot(std::string_view relative) const {
  std::map<std::string, std::string> entries;
  const std::filesystem::path top = Path(relative);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(top)) {
    const std::string name = entry.path().lexically_relative(top).string();
    entries[name] =
        entry.is_directory() ? "<directory>" : ReadFile(std::string(relative) + "/" + name);
  }
  return entries;
}

}  // namespace zq::testing
