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
// O_NONBLOCK keeps an open of a pipe from waiting; regular files ignore it.
constexpr int COMMON_FLAGS = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

int AccessFlags(Access access) {
  switch (access) {
    case Access::READ:
      return O_RDONLY;
    case Access::WRITE:
      return O_WRONLY;
    case Access::READ_WRITE:
      return O_RDWR;
    case Access::APPEND:
      return O_WRONLY | O_APPEND;  // the kernel puts each write at the end
  }
  return O_RDONLY;
}

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

int PosixFileSystem::LockDescriptor(int fd, const std::string& host, Access access,
                                    const struct stat& status, bool& writable) {
  writable = AccessWrites(access);
  if (AccessReads(access) && writable) return fd;
  const int companion = syscalls_.Open(host.c_str(), O_RDWR | COMMON_FLAGS, 0);
  if (companion < 0) return fd;
  struct stat companionStatus {};
  if (syscalls_.FileStatus(companion, companionStatus) < 0 ||
      companionStatus.st_dev != status.st_dev || companionStatus.st_ino != status.st_ino) {
    syscalls_.Close(companion);  // the name moved to another file meanwhile
    return fd;
  }
  writable = true;
  return companion;
}

std::unique_ptr<File> PosixFileSystem::Open(const ShortString& name, Access access, Share share,
                                            Disposition disposition, int& result) {
  std::string host;
  result = mapper_.ToHost(name, host);
  if (result != IO_OK) return nullptr;
  // An existing file is emptied only after the sharing check let this handle
  // in, so a refused open leaves another station's file whole; an appending
  // handle never empties it.
  const int createFlag = disposition == Disposition::CREATE_ALWAYS ? O_CREAT : 0;
  const int fd =
      syscalls_.Open(host.c_str(), AccessFlags(access) | createFlag | COMMON_FLAGS, NEW_FILE_MODE);
  if (fd < 0) {
    result = NameResult(-fd, host);
    return nullptr;
  }
  struct stat status {};
  const int statResult = syscalls_.FileStatus(fd, status);
  if (statResult < 0 || !S_ISREG(status.st_mode)) {
    result = statResult < 0 ? IoResultOf(-statResult, IoStep::NAME) : IO_ACCESS_DENIED;
    syscalls_.Close(fd);
    return nullptr;
  }
  bool lockFdWritable = false;
  const int lockFd = LockDescriptor(fd, host, access, status, lockFdWritable);
  auto file =
      std::make_unique<PosixFile>(syscalls_, fd, lockFd, lockFdWritable, access == Access::APPEND);
  // A write-only handle without a companion cannot carry the (shared)
  // sharing locks; it goes without them.
  if (AccessReads(access) || lockFd != fd) {
    result = TakeShareLocks(syscalls_, lockFd, access, share);
  }
  // A new or empty file is not truncated: a file system may take a file
  // emptied and written again as a replacement and flush it on close, which
  // would make every copy to a new target wait for the disk.
  if (result == IO_OK && disposition == Disposition::CREATE_ALWAYS && status.st_size > 0 &&
      access != Access::APPEND) {
    const int truncated = syscalls_.Truncate(lockFdWritable ? lockFd : fd, 0);
    if (truncated < 0) result = IoResultOf(-truncated, IoStep::WRITE);
  }
  if (result != IO_OK) return nullptr;  // the handle closes itself
  return file;
}

int PosixFileSystem::Describe(const std::string& host, std::string_view diskName, DirEntry& entry) {
  struct stat status {};
  const int linkResult = syscalls_.PathStatus(host.c_str(), status, false);
  if (linkResult < 0) return -linkResult;
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
  return 0;
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
    int result = mapper_.ToHost(pattern.view(), host);
    if (result != IO_OK) return result;
    DirEntry entry;
    const int error = Describe(host, LastComponentOf(host), entry);
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
  const int result = mapper_.ToHost(name, host);
  if (result != IO_OK) return result;
  const int made = syscalls_.MakeDirectory(host.c_str(), NEW_DIRECTORY_MODE);
  return made < 0 ? NameResult(-made, host) : IO_OK;
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
