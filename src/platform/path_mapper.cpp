#include "platform/path_mapper.h"

#include <algorithm>
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

std::string UpperCased(std::string cp852) {
  for (char& c : cp852) c = UpCasePL(c);
  return cp852;
}

bool SameTime(const timespec& left, const timespec& right) {
  return left.tv_sec == right.tv_sec && left.tv_nsec == right.tv_nsec;
}

// True when a directory's status shows no change between two looks at it.
bool Unchanged(const struct stat& before, const struct stat& now) {
  return before.st_dev == now.st_dev && before.st_ino == now.st_ino &&
         before.st_size == now.st_size && before.st_nlink == now.st_nlink &&
         SameTime(before.st_mtim, now.st_mtim) && SameTime(before.st_ctim, now.st_ctim);
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

PathMapper::Listing* PathMapper::List(const std::string& directory) const {
  const char* path = directory.empty() ? "." : directory.c_str();
  // The status is taken before the entries are read, so that a change made
  // while they are read shows at the next look.
  struct stat status {};
  if (syscalls_.PathStatus(path, status, true) < 0 || !S_ISDIR(status.st_mode)) return nullptr;
  const auto kept = std::find_if(listings_.begin(), listings_.end(),
                                 [&](const Listing& l) { return l.directory == directory; });
  if (kept != listings_.end() && Unchanged(kept->status, status)) {
    std::rotate(listings_.begin(), kept, kept + 1);
    return &listings_.front();
  }
  if (kept != listings_.end()) listings_.erase(kept);
  std::vector<std::string> names;
  if (syscalls_.ListDirectory(path, names) < 0) return nullptr;
  Listing listing{directory, status, {}, false};
  for (std::string& name : names) {
    if (!FitsCp852(name)) continue;
    auto [place, added] = listing.byUpperName.try_emplace(UpperCased(Utf8ToCp852(name)), name);
    if (!added && name < place->second) place->second = std::move(name);
  }
  if (listings_.size() == KEPT_LISTINGS) listings_.pop_back();
  listings_.push_back(std::move(listing));
  std::rotate(listings_.begin(), listings_.end() - 1, listings_.end());
  return &listings_.front();
}

void PathMapper::NoteCreated(const std::string& host) const {
  const std::size_t slash = host.rfind('/');
  const std::string directory =
      slash == std::string::npos ? std::string() : host.substr(0, std::max<std::size_t>(slash, 1));
  const std::string name = host.substr(slash == std::string::npos ? 0 : slash + 1);
  const auto kept = std::find_if(listings_.begin(), listings_.end(),
                                 [&](const Listing& l) { return l.directory == directory; });
  if (kept == listings_.end()) return;
  struct stat status {};
  if (!FitsCp852(name) ||
      syscalls_.PathStatus(directory.empty() ? "." : directory.c_str(), status, true) < 0) {
    listings_.erase(kept);
    return;
  }
  kept->byUpperName.try_emplace(UpperCased(Utf8ToCp852(name)), name);
  kept->status = status;
}

bool PathMapper::FindEntry(const std::string& parent, const std::string& component,
                           std::string& found) const {
  found.clear();
  Listing* listing = List(parent);
  if (listing == nullptr) return false;
  const auto place = listing->byUpperName.find(UpperCased(Utf8ToCp852(component)));
  if (place != listing->byUpperName.end()) found = place->second;
  listing->lastFoundNothing = found.empty();
  return true;
}

bool PathMapper::BeingFilled(const std::string& directory) const {
  return std::any_of(listings_.begin(), listings_.end(), [&](const Listing& l) {
    return l.lastFoundNothing && l.directory == directory;
  });
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

std::string PathMapper::LookUp(const std::string& root, const std::vector<std::string>& components,
                               HostEntry& entry) const {
  // Names mostly stand on disk as the program writes them, and a new file's
  // directory mostly exists already: the spelling as given is tried whole,
  // then its directory, before the components are walked one by one. In a
  // directory being filled with new files, whose kept listing found nothing
  // last time, the listing answers first: checking that it still holds takes
  // one call, as trying the name would, and mostly answers on its own.
  std::string parent = root;
  for (std::size_t i = 0; i + 1 < components.size(); ++i) AppendComponent(parent, components[i]);
  if (components.empty()) return parent;
  const std::string& last = components.back();
  std::string given = parent;
  AppendComponent(given, last);
  const bool listingFirst = last != ".." && BeingFilled(parent);
  if (!listingFirst && syscalls_.PathStatus(given.c_str(), entry.status, false) == 0) {
    entry.state = HostEntry::State::PRESENT;
    return given;
  }
  if (last == "..") return Walk(root, components);
  // A directory that can be read exists as given.
  std::string found;
  if (!FindEntry(parent, last, found)) return Walk(root, components);
  if (found.empty()) {
    entry.state = HostEntry::State::ABSENT;
    return given;
  }
  AppendComponent(parent, found);
  return parent;
}

int PathMapper::Map(std::string_view name, std::string& host, HostEntry* entry) const {
  host.clear();
  if (entry != nullptr) *entry = HostEntry{};
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
  if (entry != nullptr) {
    host = LookUp(root, components, *entry);
  } else {
    host = root;
    for (const std::string& component : components) AppendComponent(host, component);
  }
  // A relative name that resolves to nothing names the current directory.
  if (host.empty() && !name.empty()) host.push_back('.');
  if (endsWithSeparator && !host.empty() && host.back() != '/') host.push_back('/');
  if (host.size() >= PATH_MAX) return IO_BAD_NAME;
  return IO_OK;
}

}  // namespace zq::platform
