#include "platform/posix_file_system.h"

#include <cerrno>

#include "platform/cp852.h"
#include "platform/dir_listing.h"
#include "platform/dos_mask.h"
#include "platform/ofd_locks.h"
#include "platform/posix_errors.h"
#include "platform/posix_file.h"

namespace zq::platform {
namespace {

constexpr mode_t NEW_FILE_MODE = 0666;  // narrowed by the umask
constexpr mode_t NEW_DIRECTORY_MODE = 0777;

std::string ParentOf(const std::string& host) {
  std::string parent = host;
  while (!parent.empty() && parent.back() == '/') parent.pop_back();
  const std::size_t slash = parent.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : parent.substr(0, slash);
}

std::string LastComponentOf(const std::string& host) {
  const std::size_t slash = host.rfind('/');
  return slash == std::string::npos ? host : host.substr(slash + 1);
}

}  // namespace

int PosixFileSystem::NameResult(int error, const std::string& host) {
  if (error != ENOENT) return IoResultOf(error, IoStep::NAME);
  return IsDirectory(ParentOf(host)) ? IO_FILE_NOT_FOUND : IO_PATH_NOT_FOUND;
}

bool PosixFileSystem::IsDirectory(const std::string& host) {
  struct stat status {};
  return syscalls_.PathStatus(host.empty() ? "." : host.c_str(), status, true) == 0 &&
         S_ISDIR(status.st_mode);
}

std::unique_ptr<File> PosixFileSystem::Open(const ShortString& name, Access access, Share share,
                                            Disposition disposition, int& result) {
  // A file to open mostly stands on disk as the program spells it: it is
  // opened so at once, and looked up only when it is not there. A file to
  // create is looked up first, so that it never stands beside another
  // spelling of its name.
  const bool create = disposition == Disposition::CREATE_ALWAYS;
  std::string host;
  HostEntry known;
  result = create ? mapper_.ToHost(name, host, known) : mapper_.AsGiven(name, host);
  if (result != IO_OK) return nullptr;
  // An existing file is emptied only after the sharing check let this handle
  // in, so a refused open leaves another station's file whole; an appending
  // handle never empties it. A file the look-up found missing is created
  // exclusively, so that the mapper knows it new; one that appeared
  // meanwhile is opened as it is.
  bool exclusive = create && known.state == HostEntry::State::ABSENT;
  const auto open = [&](int accessFlags) {
    for (;;) {
      const int createFlags = !create ? 0 : exclusive ? O_CREAT | O_EXCL : O_CREAT;
      const int opened = syscalls_.Open(host.c_str(), accessFlags | createFlags | COMMON_OPEN_FLAGS,
                                        NEW_FILE_MODE);
      if (opened != -EEXIST || !exclusive) return opened;
      exclusive = false;
    }
  };
  // A handle that writes is opened for reading as well, so that it can carry
  // the sharing locks; a file nobody may read is written without them. The
  // kernel puts each write of an appending handle at the end.
  const bool append = access == Access::APPEND;
  const int appendFlag = append ? O_APPEND : 0;
  bool readable = true;
  const auto openForAccess = [&] {
    const int fd = open((access == Access::READ ? O_RDONLY : O_RDWR) | appendFlag);
    readable = AccessReads(access) || fd != -EACCES;
    return readable ? fd : open(O_WRONLY | appendFlag);
  };
  int fd = openForAccess();
  if (!create && (fd == -ENOENT || fd == -ENOTDIR)) {
    std::string found;
    result = mapper_.ToHost(name, found);
    if (result != IO_OK) return nullptr;
    if (found != host) {
      host = std::move(found);
      fd = openForAccess();
    }
  }
  if (fd >= 0 && exclusive) mapper_.NoteCreated(host);
  if (fd < 0) {
    result = NameResult(-fd, host);
    return nullptr;
  }
  // A file this open created exclusively is surely a new, empty regular
  // file; a handle that writes never needs its identity.
  struct stat status {};
  status.st_mode = S_IFREG;
  const bool createdNew = exclusive && AccessWrites(access);
  const int statResult = createdNew ? 0 : syscalls_.FileStatus(fd, status);
  if (statResult < 0 || !S_ISREG(status.st_mode)) {
    result = statResult < 0 ? IoResultOf(-statResult, IoStep::NAME) : IO_ACCESS_DENIED;
    syscalls_.Close(fd);
    return nullptr;
  }
  auto file =
      std::make_unique<PosixFile>(syscalls_, fd, AccessWrites(access), host, status, append);
  if (readable) result = TakeShareLocks(syscalls_, fd, access, share);
  // A new or empty file is not truncated: a file system may take a file
  // emptied and written again as a replacement and flush it on close, which
  // would make every copy to a new target wait for the disk.
  if (result == IO_OK && disposition == Disposition::CREATE_ALWAYS && status.st_size > 0 &&
      !append) {
    const int truncated = syscalls_.Truncate(fd, 0);
    if (truncated < 0) result = IoResultOf(-truncated, IoStep::WRITE);
  }
  if (result != IO_OK) return nullptr;  // the handle closes itself
  return file;
}

int PosixFileSystem::Describe(const std::string& host, std::string_view diskName, DirEntry& entry) {
  struct stat status {};
  const int linkResult = syscalls_.PathStatus(host.c_str(), status, false);
  if (linkResult < 0) return -linkResult;
  Describe(host, diskName, status, entry);
  return 0;
}

void PosixFileSystem::Describe(const std::string& host, std::string_view diskName,
                               struct stat status, DirEntry& entry) {
  // A link is described by what it leads to; a broken one by itself.
  const bool link = S_ISLNK(status.st_mode);
  if (link) {
    struct stat target {};
    if (syscalls_.PathStatus(host.c_str(), target, true) == 0) status = target;
  }
  entry.name = ShortString(Utf8ToCp852(diskName));
  entry.attributes = 0;
  entry.size = 0;
  entry.link = link;
  if (!diskName.empty() && diskName[0] == '.') entry.attributes |= ATTR_HIDDEN;
  if (S_ISDIR(status.st_mode)) {
    entry.attributes |= ATTR_DIRECTORY;
  } else if (S_ISREG(status.st_mode)) {
    entry.attributes |= ATTR_ARCHIVE;
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) entry.attributes |= ATTR_READ_ONLY;
    entry.size = static_cast<std::uint64_t>(status.st_size);
  } else {
    entry.attributes |= ATTR_SYSTEM;
  }
}

int PosixFileSystem::Search(const ShortString& pattern, std::uint8_t attributes,
                            std::vector<DirEntry>& found) {
  found.clear();
  std::string_view directory;
  std::string_view mask;
  PathMapper::Split(pattern.view(), directory, mask);
  if (mask.empty() || mask.find('\0') != std::string_view::npos) {
    return mask.empty() ? IO_NO_MORE_FILES : IO_BAD_NAME;
  }
  if (Cp852ToUtf8(mask).size() > NAME_MAX) return IO_BAD_NAME;
  if (mask == "." || mask == "..") return IO_NO_MORE_FILES;

  std::string hostDirectory;
  // A plain name is looked up directly rather than by reading the directory.
  if (!HasWildcards(mask) && mask.back() != '.') {
    std::string host;
    HostEntry known;
    int result = mapper_.ToHost(pattern.view(), host, known);
    if (result != IO_OK) return result;
    if (known.state == HostEntry::State::ABSENT) return IO_NO_MORE_FILES;
    DirEntry entry;
    int error = 0;
    if (known.state == HostEntry::State::PRESENT) {
      Describe(host, LastComponentOf(host), known.status, entry);
    } else {
      error = Describe(host, LastComponentOf(host), entry);
    }
    if (error == ENOENT || error == ENOTDIR) {
      result = mapper_.ToHost(directory, hostDirectory);
      if (result != IO_OK) return result;
      return IsDirectory(hostDirectory) ? IO_NO_MORE_FILES : IO_PATH_NOT_FOUND;
    }
    // A name that is there but refused, or that the disk failed to describe,
    // is not a missing one: a caller would create it anew.
    if (error != 0) return IoResultOf(error, IoStep::NAME);
    if (!PassesAttributeFilter(entry.attributes, attributes)) return IO_NO_MORE_FILES;
    found.push_back(entry);
    return IO_OK;
  }

  const int result = mapper_.ToHost(directory, hostDirectory);
  if (result != IO_OK) return result;
  std::vector<std::string> names;
  const int listed =
      syscalls_.ListDirectory(hostDirectory.empty() ? "." : hostDirectory.c_str(), names);
  if (listed < 0) {
    return listed == -ENOENT || listed == -ENOTDIR ? IO_PATH_NOT_FOUND
                                                   : IoResultOf(-listed, IoStep::NAME);
  }
  std::string host = hostDirectory;
  if (!host.empty() && host.back() != '/') host.push_back('/');
  const std::size_t directoryLength = host.size();
  for (const std::string& diskName : names) {
    if (!MatchesDosMask(Utf8ToCp852(diskName), mask)) continue;
    host.resize(directoryLength);
    host += diskName;
    DirEntry entry;
    if (Describe(host, diskName, entry) == 0 &&
        PassesAttributeFilter(entry.attributes, attributes)) {
      found.push_back(entry);
    }
  }
  SortAsNtfsLists(found);
  return found.empty() ? IO_NO_MORE_FILES : IO_OK;
}

int PosixFileSystem::MakeDirectory(const ShortString& name) {
  std::string host;
  HostEntry known;
  const int result = mapper_.ToHost(name, host, known);
  if (result != IO_OK) return result;
  const int made = syscalls_.MakeDirectory(host.c_str(), NEW_DIRECTORY_MODE);
  if (made < 0) return NameResult(-made, host);
  if (known.state == HostEntry::State::ABSENT) mapper_.NoteCreated(host);
  return IO_OK;
}

int PosixFileSystem::Rename(const ShortString& from, const ShortString& to) {
  std::string hostFrom;
  std::string hostTo;
  int result = mapper_.ToHost(from, hostFrom);
  if (result == IO_OK) result = mapper_.ToHost(to, hostTo);
  if (result != IO_OK) return result;
  if (hostTo == hostFrom) {
    // The new name differs only in letter case: it keeps the spelling given.
    std::string_view directory;
    std::string_view last;
    PathMapper::Split(to.view(), directory, last);
    hostTo = ParentOf(hostFrom) + '/' + Cp852ToUtf8(last);
  }
  const int renamed = syscalls_.Rename(hostFrom.c_str(), hostTo.c_str());
  if (renamed >= 0) return IO_OK;
  // A missing entry is the old name's, unless that exists and the new
  // name's directory is what is missing.
  struct stat status {};
  const bool fromExists = syscalls_.PathStatus(hostFrom.c_str(), status, false) == 0;
  return NameResult(-renamed, fromExists ? hostTo : hostFrom);
}

int PosixFileSystem::Erase(const ShortString& name) {
  std::string host;
  const int result = mapper_.ToHost(name, host);
  if (result != IO_OK) return result;
  const int erased = syscalls_.Unlink(host.c_str());
  return erased < 0 ? NameResult(-erased, host) : IO_OK;
}

}  // namespace zq::platform
