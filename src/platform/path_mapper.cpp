#include "platform/path_mapper.h"

#include <climits>
#include <cstddef>
#include <vector>

#include "platform/cp852.h"
#include "platform/dos_mask.h"
#include "platform/files.h"

namespace zq::platform {
namespace {

bool HasDrive(std::string_view name) {
  if (name.size() < 2 || name[1] != ':') return false;
  const char letter = name[0];
  return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

void AppendComponent(std::string& path, std::string_view component) {
  if (!path.empty() && path.back() != '/') path.push_back('/');
  path += component;
}

// The components of `name` with "." and ".." resolved as Windows resolves
// them, before anything is looked up: ".." takes back the component before
// it and never climbs above the root of a rooted name (a drive's directory or
// "/"). Only a relative name keeps its leading "..", which climbs from the
// current directory as the operator meant.
std::vector<std::string_view> ResolvedComponents(std::string_view name, bool rooted) {
  std::vector<std::string_view> components;
  std::size_t leadingParents = 0;
  std::size_t start = 0;
  while (start < name.size()) {
    std::size_t end = start;
    while (end < name.size() && !IsPathSeparator(name[end])) ++end;
    const std::string_view component = name.substr(start, end - start);
    start = end + 1;
    if (component.empty() || component == ".") continue;
    if (component != "..") {
      components.push_back(component);
    } else if (components.size() > leadingParents) {
      components.pop_back();
    } else if (!rooted) {
      components.push_back(component);
      ++leadingParents;
    }
  }
  return components;
}

}  // namespace

void PathMapper::Split(std::string_view name, std::string_view& directory, std::string_view& last) {
  std::size_t start = HasDrive(name) ? 2 : 0;
  for (std::size_t i = start; i < name.size(); ++i) {
    if (IsPathSeparator(name[i])) start = i + 1;
  }
  directory = name.substr(0, start);
  last = name.substr(start);
}

std::string PathMapper::DriveRoot(char letter) const {
  std::string variable = "ZQ_DRIVE_";
  variable.push_back(UpCasePL(letter));
  const auto value = process_.GetEnv(variable);
  if (!value || value->empty()) return "/";
  return Cp852ToUtf8(value->view());
}

bool PathMapper::FindEntry(const std::string& parent, const std::string& component,
                           std::string& found) const {
  found.clear();
  std::vector<std::string> names;
  if (syscalls_.ListDirectory(parent.empty() ? "." : parent.c_str(), names) < 0) return false;
  const std::string wanted = Utf8ToCp852(component);
  const std::string* best = nullptr;
  for (const std::string& candidate : names) {
    if (!FitsCp852(candidate) || !SameUpperCasePL(Utf8ToCp852(candidate), wanted)) continue;
    if (best == nullptr || candidate < *best) best = &candidate;
  }
  if (best != nullptr) found = *best;
  return true;
}

std::string PathMapper::Walk(std::string host, const std::vector<std::string>& components) const {
  // Once a component is missing, nothing below it can exist: the rest is
  // taken as given.
  bool lookingUp = true;
  for (const std::string& component : components) {
    if (!lookingUp || component == "..") {
      AppendComponent(host, component);
      continue;
    }
    const std::string parent = host;
    AppendComponent(host, component);
    struct stat status {};
    if (syscalls_.PathStatus(host.c_str(), status, false) == 0) continue;
    std::string found;
    FindEntry(parent, component, found);
    if (found.empty()) {
      lookingUp = false;
      continue;
    }
    host = parent;
    AppendComponent(host, found);
  }
  return host;
}

std::string PathMapper::LookUp(const std::string& root,
                               const std::vector<std::string>& components) const {
  // Names mostly stand on disk as the program writes them, and a new file's
  // directory mostly exists already: the spelling as given is tried whole,
  // then its directory, before the components are walked one by one.
  std::string parent = root;
  for (std::size_t i = 0; i + 1 < components.size(); ++i) AppendComponent(parent, components[i]);
  if (components.empty()) return parent;
  const std::string& last = components.back();
  std::string given = parent;
  AppendComponent(given, last);
  struct stat status {};
  if (syscalls_.PathStatus(given.c_str(), status, false) == 0) return given;
  if (last == "..") return Walk(root, components);
  // A directory that can be read exists as given.
  std::string found;
  if (!FindEntry(parent, last, found)) return Walk(root, components);
  if (found.empty()) return given;
  AppendComponent(parent, found);
  return parent;
}

int PathMapper::ToHost(std::string_view name, std::string& host) const {
  host.clear();
  if (name.find('\0') != std::string_view::npos || HasWildcards(name)) return IO_BAD_NAME;
  const bool rooted = HasDrive(name) || (!name.empty() && IsPathSeparator(name[0]));
  std::string root;
  if (HasDrive(name)) {
    root = DriveRoot(name[0]);
    name.remove_prefix(2);
  } else if (rooted) {
    root = "/";
  }
  const bool endsWithSeparator = !name.empty() && IsPathSeparator(name.back());
  std::vector<std::string> components;
  for (const std::string_view component : ResolvedComponents(name, rooted)) {
    components.push_back(Cp852ToUtf8(component));
    if (components.back().size() > NAME_MAX) return IO_BAD_NAME;
  }
  host = LookUp(root, components);
  // A relative name that resolves to nothing names the current directory.
  if (host.empty() && !name.empty()) host.push_back('.');
  if (endsWithSeparator && !host.empty() && host.back() != '/') host.push_back('/');
  if (host.size() >= PATH_MAX) return IO_BAD_NAME;
  return IO_OK;
}

}  // namespace zq::platform
