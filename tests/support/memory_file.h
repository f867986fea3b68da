#pragma once
// A file in memory for the tests and the fuzz targets, with the faults a disk
// or a network drive can answer: a read that fails once a given byte is reached, a write
// that fails there, a write that takes fewer bytes without a word, and a
// write that takes every byte and still reports failure.

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/files.h"

namespace zq::testing {

struct MemoryFile final : platform::File {
  std::string content;
  std::size_t position = 0;
  std::size_t readFailsAt = SIZE_MAX;   // the byte at which a read breaks off
  std::size_t writeFailsAt = SIZE_MAX;  // the byte at which a write breaks off
  bool silentShortWrite = false;        // ... with IO_OK instead of an error
  int failingWholeWrite = 0;            // this write call (1 = the first) takes all and fails
  int writes = 0;
  int reads = 0;

  int Read(void* buffer, std::size_t size, std::size_t& done) override {
    ++reads;
    const std::size_t available = content.size() - std::min(position, content.size());
    done = std::min(size, available);
    const bool breaks = position + done > readFailsAt;
    if (breaks) done = readFailsAt > position ? readFailsAt - position : 0;
    std::copy_n(content.data() + position, done, static_cast<char*>(buffer));
    position += done;
    return breaks ? platform::IO_READ_FAULT : platform::IO_OK;
  }
  int Write(const void* buffer, std::size_t size, std::size_t& done) override {
    ++writes;
    done = size;
    const bool breaks = position + size > writeFailsAt;
    if (breaks) done = writeFailsAt > position ? writeFailsAt - position : 0;
    if (content.size() < position + done) content.resize(position + done);
    std::copy_n(static_cast<const char*>(buffer), done, content.data() + position);
    position += done;
    if (breaks) return silentShortWrite ? platform::IO_OK : platform::IO_WRITE_FAULT;
    return writes == failingWholeWrite ? platform::IO_WRITE_FAULT : platform::IO_OK;
  }
  int Seek(std::uint64_t offset) override {
    position = static_cast<std::size_t>(offset);
    return platform::IO_OK;
  }
  int Size(std::uint64_t& size) override {
    size = content.size();
    return platform::IO_OK;
  }
  int Flush() override { return platform::IO_OK; }
  int Lock(std::uint64_t, std::uint64_t) override { return platform::IO_OK; }
  int Unlock(std::uint64_t, std::uint64_t) override { return platform::IO_OK; }
  int Close() override { return platform::IO_OK; }
};

}  // namespace zq::testing
