#pragma once
// Files and directories. Names are the program's own: CP852 texts whose
// separator is PATH_SEPARATOR; '\' and '/' both separate. On Windows the names
// are the system's (drive letters, network paths, letter case ignored). On
// POSIX a leading drive letter "X:" names the directory of the environment
// variable ZQ_DRIVE_X (the root when it is not set), each component is found
// as Windows finds it: an exact name first, otherwise one that differs only
// in letter case (Polish letters included), and names on disk are UTF-8.
//
// Every operation answers with a result numbered as the run-time library
// numbers its I/O results (IO_...), 0 for success.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/short_string.h"

namespace zq::platform {

// The separator the program writes into paths: the system's own.
#ifdef _WIN32
inline constexpr char PATH_SEPARATOR = '\\';
#else
inline constexpr char PATH_SEPARATOR = '/';
#endif
constexpr bool IsPathSeparator(char c) {
  return c == '/' || c == '\\';
}

inline constexpr int IO_OK = 0;
inline constexpr int IO_FILE_NOT_FOUND = 2;
inline constexpr int IO_PATH_NOT_FOUND = 3;
inline constexpr int IO_TOO_MANY_OPEN_FILES = 4;
inline constexpr int IO_ACCESS_DENIED = 5;
inline constexpr int IO_BAD_NAME = 11;
inline constexpr int IO_NO_MORE_FILES = 18;
inline constexpr int IO_SHARING_VIOLATION = 32;
inline constexpr int IO_LOCK_VIOLATION = 33;
inline constexpr int IO_NOT_SUPPORTED = 50;
inline constexpr int IO_READ_FAULT = 100;
inline constexpr int IO_WRITE_FAULT = 101;  // also a full disk
inline constexpr int IO_NOT_OPEN = 103;

enum class Access : std::uint8_t {
  READ,
  WRITE,
  READ_WRITE,
  // Write-only, for a file that several handles, processes or stations add
  // to (a log): every Write goes to the end of the file as it stands at that
  // moment, in one piece, in one system call for up to 1 GiB (O_APPEND on
  // POSIX, a handle with FILE_APPEND_DATA and without FILE_WRITE_DATA on
  // Windows), so it never lands over what another appender wrote meanwhile. It has no position:
  // Seek is refused (IO_NOT_SUPPORTED), and so are Lock and Unlock, which a
  // Windows handle without read or write access to the data cannot take.
  // Size answers as for any handle; Read fails. For the sharing modes it
  // writes, as WRITE does. CREATE_ALWAYS creates a missing file and keeps an
  // existing one whole: appending never empties a file. "In one piece" is the
  // system's promise for its appends: kept on a local disk; between stations
  // on a network drive only as far as its file system keeps appends whole
  // (NFS, for one, does not); not under Wine, which finds the end and writes
  // there in two calls.
  APPEND,
};

// Whether a handle of this access reads the file's data, whether it writes it.
constexpr bool AccessReads(Access access) {
  return access == Access::READ || access == Access::READ_WRITE;
}
constexpr bool AccessWrites(Access access) {
  return access != Access::READ;
}

// What other openers of the same file (other stations, other handles of this
// process) may do while this handle is open.
enum class Share : std::uint8_t { DENY_ALL, DENY_WRITE, DENY_READ, DENY_NONE };

enum class Disposition : std::uint8_t {
  OPEN_EXISTING,  // fails with IO_FILE_NOT_FOUND when the file is missing
  CREATE_ALWAYS,  // creates the file, or empties an existing one (not with APPEND)
};

// Attribute bits of a directory entry, as the DOS search knows them.
inline constexpr std::uint8_t ATTR_READ_ONLY = 0x01;
inline constexpr std::uint8_t ATTR_HIDDEN = 0x02;
inline constexpr std::uint8_t ATTR_SYSTEM = 0x04;
inline constexpr std::uint8_t ATTR_VOLUME = 0x08;
inline constexpr std::uint8_t ATTR_DIRECTORY = 0x10;
inline constexpr std::uint8_t ATTR_ARCHIVE = 0x20;
inline constexpr std::uint8_t ATTR_ANY = 0x3F;
// The filter of the file queries: plain files of every kind, no directories.
inline constexpr std::uint8_t ATTR_FILES =
    ATTR_READ_ONLY | ATTR_HIDDEN | ATTR_SYSTEM | ATTR_ARCHIVE;

struct DirEntry {
  ShortString name;  // the name alone, without its directory
  std::uint8_t attributes = 0;
  std::uint64_t size = 0;
  // A symbolic link (or reparse point): removing it never touches what it
  // leads to, and a walk through a tree does not follow it.
  bool link = false;
};

class File {
 public:
  virtual ~File() = default;  // closes the file; errors of that close are lost

  // Reads up to `size` bytes at the current position; `done` < `size` only at
  // the end of the file or on an error.
  virtual int Read(void* buffer, std::size_t size, std::size_t& done) = 0;
  virtual int Write(const void* buffer, std::size_t size, std::size_t& done) = 0;
  // Copies from this file's position to the end into `target` at its
  // position, inside the system where it can (no bytes pass through the
  // program). IO_NOT_SUPPORTED, before anything is copied, where it cannot;
  // the caller then reads and writes itself. On an error `targetFailed` says
  // whether writing the target failed rather than reading this file.
  virtual int CopyTo(File& /*target*/, std::uint64_t& done, bool& targetFailed) {
    done = 0;
    targetFailed = false;
    return IO_NOT_SUPPORTED;
  }
  virtual int Seek(std::uint64_t offset) = 0;
  virtual int Size(std::uint64_t& size) = 0;
  virtual int Flush() = 0;
  // Advisory byte-range locks that hold between processes and between two
  // handles of one process. They never wait: a range held elsewhere answers
  // IO_LOCK_VIOLATION. A handle does not block itself.
  virtual int Lock(std::uint64_t offset, std::uint64_t length) = 0;
  virtual int Unlock(std::uint64_t offset, std::uint64_t length) = 0;
  // Closes the file and reports the result; the handle is unusable afterwards.
  virtual int Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens or creates a file. A sharing conflict with another open handle
  // answers IO_SHARING_VIOLATION. On failure the result is set and the
  // pointer is empty.
  virtual std::unique_ptr<File> Open(const ShortString& name, Access access, Share share,
                                     Disposition disposition, int& result) = 0;

  // The entries of a directory whose names match the DOS mask of the last
  // component of `pattern` ('*', '?', "*.*"), in the order of the directory,
  // filtered by attributes as DOS filters them: entries that are hidden,
  // system or directories come only when the filter holds that bit. A pattern
  // that ends with a separator finds nothing. "." and ".." are never listed.
  virtual int Search(const ShortString& pattern, std::uint8_t attributes,
                     std::vector<DirEntry>& found) = 0;

  virtual int MakeDirectory(const ShortString& name) = 0;  // one level
  virtual int Rename(const ShortString& from, const ShortString& to) = 0;
  virtual int Erase(const ShortString& name) = 0;
};

}  // namespace zq::platform
