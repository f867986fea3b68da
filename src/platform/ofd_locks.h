#pragma once
// Byte-range locks and sharing modes over open file description locks
// (F_OFD_SETLK, never waiting). They hold between processes and between two
// descriptions of one process; a description never conflicts with itself.
//
// POSIX has no sharing modes, so they are built from locks on four bytes far
// beyond any record (from SHARE_BYTES_START on), which every opener of the
// file sees:
//
//   byte             held (shared) by a handle that    refused to an opener that
//   READ_ACCESS      reads                             denies reading
//   WRITE_ACCESS     writes (or appends)               denies writing
//   READ_DENIED      denies reading (DENY_READ/ALL)    reads
//   WRITE_DENIED     denies writing (DENY_WRITE/ALL)   writes
//
// An opener first takes shared locks on the bytes that describe it, then looks
// whether another description holds a byte that refuses it. Taking before
// looking means two openers that race can both be refused, never both let in.
// So a deny-all open is refused while another station has the file open, and
// every open is refused while a deny-all handle is open, as on Windows; two
// readers that both deny writing get along.

#include <cstdint>

#include "platform/files.h"
#include "platform/posix_syscalls.h"

namespace zq::platform {

inline constexpr std::uint64_t SHARE_BYTES_START = 0x4000000000000000;

// A byte-range lock of the handle's lock descriptor; `exclusive` false takes
// a shared lock (the only kind a read-only descriptor can carry). IO_OK,
// IO_LOCK_VIOLATION when the range is held elsewhere, or when it reaches the
// sharing bytes; a zero length locks nothing.
int LockRange(Syscalls& syscalls, int fd, std::uint64_t offset, std::uint64_t length,
              bool exclusive);
int UnlockRange(Syscalls& syscalls, int fd, std::uint64_t offset, std::uint64_t length);

// Takes the sharing locks of a handle on `fd` (which must be readable).
// IO_OK, IO_SHARING_VIOLATION, or another IO_ result of a failed call.
int TakeShareLocks(Syscalls& syscalls, int fd, Access access, Share share);

}  // namespace zq::platform
