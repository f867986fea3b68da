#include "platform/ofd_locks.h"

#include <array>
#include <cerrno>

#include "platform/posix_errors.h"

namespace zq::platform {
namespace {

enum ShareByte : std::uint64_t { READ_ACCESS, WRITE_ACCESS, READ_DENIED, WRITE_DENIED };

struct flock Range(short type, std::uint64_t offset, std::uint64_t length) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = static_cast<off_t>(offset);
  lock.l_len = static_cast<off_t>(length);
  return lock;
}

bool InsideRecordArea(std::uint64_t offset, std::uint64_t length) {
  return offset < SHARE_BYTES_START && length <= SHARE_BYTES_START - offset;
}

// 0 or a negated errno.
int SetLock(Syscalls& syscalls, int fd, short type, std::uint64_t offset, std::uint64_t length) {
  struct flock lock = Range(type, offset, length);
  return syscalls.Lock(fd, F_OFD_SETLK, lock);
}

int LockResult(int result) {
  return result < 0 ? IoResultOf(-result, IoStep::LOCK) : IO_OK;
}

// A failure of the sharing locks is a failed open: a conflict is a sharing
// violation, anything else is reported as the open would report it.
int OpenResult(int result) {
  if (result >= 0) return IO_OK;
  return result == -EAGAIN || result == -EACCES ? IO_SHARING_VIOLATION
                                                : IoResultOf(-result, IoStep::NAME);
}

// 1 when another description holds a lock on the sharing byte, 0 when none
// does, or a negated errno.
int HeldElsewhere(Syscalls& syscalls, int fd, ShareByte byte) {
  struct flock lock = Range(F_WRLCK, SHARE_BYTES_START + byte, 1);
  const int result = syscalls.Lock(fd, F_OFD_GETLK, lock);
  if (result < 0) return result;
  return lock.l_type == F_UNLCK ? 0 : 1;
}

}  // namespace

int LockRange(Syscalls& syscalls, int fd, std::uint64_t offset, std::uint64_t length,
              bool exclusive) {
  if (length == 0) return IO_OK;  // POSIX would read a zero length as "to the end"
  if (!InsideRecordArea(offset, length)) return IO_LOCK_VIOLATION;
  return LockResult(SetLock(syscalls, fd, exclusive ? F_WRLCK : F_RDLCK, offset, length));
}

int UnlockRange(Syscalls& syscalls, int fd, std::uint64_t offset, std::uint64_t length) {
  if (length == 0) return IO_OK;
  if (!InsideRecordArea(offset, length)) return IO_LOCK_VIOLATION;
  return LockResult(SetLock(syscalls, fd, F_UNLCK, offset, length));
}

int TakeShareLocks(Syscalls& syscalls, int fd, Access access, Share share) {
  const bool reads = AccessReads(access);
  const bool writes = AccessWrites(access);  // an appending handle writes
  const bool deniesRead = share == Share::DENY_READ || share == Share::DENY_ALL;
  const bool deniesWrite = share == Share::DENY_WRITE || share == Share::DENY_ALL;

  struct Rule {
    bool applies;
    ShareByte held;     // the byte this handle holds
    ShareByte refusal;  // the byte whose holders refuse it
  };
  const std::array<Rule, 4> rules = {{
      {reads, READ_ACCESS, READ_DENIED},
      {writes, WRITE_ACCESS, WRITE_DENIED},
      {deniesRead, READ_DENIED, READ_ACCESS},
      {deniesWrite, WRITE_DENIED, WRITE_ACCESS},
  }};
  for (const Rule& rule : rules) {
    if (!rule.applies) continue;
    const int result = OpenResult(SetLock(syscalls, fd, F_RDLCK, SHARE_BYTES_START + rule.held, 1));
    if (result != IO_OK) return result;
  }
  for (const Rule& rule : rules) {
    if (!rule.applies) continue;
    const int held = HeldElsewhere(syscalls, fd, rule.refusal);
    if (held != 0) return held > 0 ? IO_SHARING_VIOLATION : OpenResult(held);
  }
  return IO_OK;
}

}  // namespace zq::platform
