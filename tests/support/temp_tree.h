#pragma once
// A fresh directory tree for one test, removed with everything in it when the
// test ends. Names given to it are UTF-8 host names relative to its root.

#include <string>
#include <string_view>

namespace zq::testing {

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& Root() const { return root_; }  // UTF-8, '/' separating, no trailing one
  std::string Path(std::string_view relative) const { return root_ + "/" + std::string(relative); }

  void MakeDirectory(std::string_view relative) const;  // with its parents
  void WriteFile(std::string_view relative, std::string_view content) const;
  std::string ReadFile(std::string_view relative) const;
  bool Exists(std::string_view relative) const;

 private:
  std::string root_;
};

}  // namespace zq::testing
