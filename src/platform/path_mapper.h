#pragma once
// The host path of a program file name. Program names are CP852 texts in
// which '\' and '/' both separate; a leading drive "X:" stands for the
// directory of the environment variable ZQ_DRIVE_X (X upper-cased) or, when it
// is not set or empty, for the root "/"; "X:NAME" is NAME in that directory. A
// name without a drive is absolute when it starts with a separator and
// relative to the current directory otherwise. "." and ".." are resolved in
// the name as Windows resolves them, never above a drive's root ("C:\..\X"
// is "C:\X").
//
// Each component is looked up as Windows looks it up: the exact name first,
// otherwise an entry of the directory that differs only in letter case
// (compared in CP852 through UpCasePL; when several do, the first in byte
// order). A disk name that is not valid UTF-8 or does not fit CP852 never
// matches a different spelling. Components that do not exist are kept as
// given, so a new file gets the name the program wrote. Host paths are UTF-8.
//
// A name missing as given makes the mapper read its directory for another
// spelling. The same missing name is mostly looked up again at once (asked
// for its size, then created), so the last few directories read are kept,
// and each is used again while its status (identity, size, links, change
// times) stands as it was when it was read: any entry made, renamed or
// removed in it since moves its change time. While the names looked up in a
// kept directory are missing (the program is filling it with new files), its
// listing answers first. A file the program has just created in such a
// directory (exclusively, so it is surely new) joins the kept listing, with
// the directory's status taken right after: a change another station made in
// the moment between the look-up and that status goes unseen, as one made
// between a directory's reading and a create always has.

#include <sys/stat.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/posix_syscalls.h"
#include "platform/process.h"

namespace zq::platform {

// What a look-up learnt of the entry a name leads to.
struct HostEntry {
  enum class State : std::uint8_t {
    UNKNOWN,
    PRESENT,  // `status` describes it (a link itself, not followed)
    ABSENT,   // its directory exists and holds no spelling of it
  };
  State state = State::UNKNOWN;
  struct stat status {};
};

class PathMapper {
 public:
  PathMapper(Syscalls& syscalls, const Process& process) : syscalls_(syscalls), process_(process) {}

  // IO_OK, or IO_BAD_NAME for a name no disk can hold: a NUL or a wildcard in
  // it, a component over NAME_MAX bytes, a path over PATH_MAX bytes. A name
  // that ends with a separator gives a host path that ends with '/'.
  int ToHost(std::string_view name, std::string& host) const {
    HostEntry entry;
    return ToHost(name, host, entry);
  }
  int ToHost(std::string_view name, std::string& host, HostEntry& entry) const {
    return Map(name, host, &entry);
  }
  // The host path of the name spelt exactly as given, nothing looked up: for
  // a caller that tries that spelling itself first. The same results.
  int AsGiven(std::string_view name, std::string& host) const { return Map(name, host, nullptr); }

  // Tells the mapper that the file or directory `host`, which a look-up found
  // ABSENT just before, was created exclusively by this process.
  void NoteCreated(const std::string& host) const;

  // The last component of a program name and the directory part before it
  // (with its separator, or the bare drive "X:"; empty for a plain name).
  static void Split(std::string_view name, std::string_view& directory, std::string_view& last);

 private:
  std::string DriveRoot(char letter) const;
  // Puts in `found` the disk spelling of `component` (UTF-8) in `parent`, or
  // empty when no entry matches. False when `parent` cannot be read.
  bool FindEntry(const std::string& parent, const std::string& component, std::string& found) const;
  // ToHost, or AsGiven without `entry`.
  int Map(std::string_view name, std::string& host, HostEntry* entry) const;
  // The disk spelling of `components` (UTF-8) below `root`.
  std::string LookUp(const std::string& root, const std::vector<std::string>& components,
                     HostEntry& entry) const;
  // The same, each component looked up in turn.
  std::string Walk(std::string host, const std::vector<std::string>& components) const;

  // A directory read for a missing name: its entries by their upper-cased
  // CP852 names, and its status when it was read.
  struct Listing {
    std::string directory;
    struct stat status {};
    std::unordered_map<std::string, std::string> byUpperName;
    bool lastFoundNothing = false;  // the last name looked up in it was missing
  };
  // A company's folders in both trees and the trees themselves.
  static constexpr std::size_t KEPT_LISTINGS = 4;
  // The entries of `directory`, read anew unless a kept listing still holds;
  // null when it cannot be read.
  Listing* List(const std::string& directory) const;
  // True when `directory` has a kept listing in which the last name looked
  // up was missing.
  bool BeingFilled(const std::string& directory) const;

  Syscalls& syscalls_;
  const Process& process_;
  // The listings read last, the latest first: a cache, the mapping is the
  // same without it.
  mutable std::vector<Listing> listings_;
};

}  // namespace zq::platform
