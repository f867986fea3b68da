#pragma once
// A fresh directory tree for one test, removed with everything in it when the
// test ends. Names given to it are UTF-8 host names relative to its root.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace zq::testing {

class TempTree {
 public:
  // The tree is made in `base`: the system's temporary directory unless a
  // test needs another (InMemory() for many quick runs).
  explicit TempTree(const std::filesystem::path& base = std::filesystem::temp_directory_path());
  // A directory in memory when the system has one, else the temporary one.
  static std::filesystem::path InMemory();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& Root() const { return root_; }  // UTF-8, '/' separating, no trailing one
  std::string Path(std::string_view relative) const { return root_ + "/" + std::string(relative); }

  void MakeDirectory(std::string_view relative) const;  // with its parents
  void WriteFile(std::string_view relative, std::string_view content) const;
  std::string ReadFile(std::string_view relative) const;
  bool Exists(std::string_view relative) const;
  // Every entry under `relative`, by its path relative to it, with its bytes;
  // a directory is listed with the marker "<directory>" in place of bytes.
  std::map<std::string, std::string> Snapshot(std::string_view relative) const;

 private:
  std::string root_;
};

}  // namespace zq::testing
