#include "support/lock_holder_client.h"

namespace zq::testing {

std::string LockHolder::ReadLine() {
  for (;;) {
    const std::size_t newline = pending_.find('\n');
    if (newline != std::string::npos) {
      std::string line = pending_.substr(0, newline);
      pending_.erase(0, newline + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();  // a Windows line break
      return line;
    }
    char buffer[256];
    const std::size_t count = ReadSome(buffer, sizeof buffer);
    if (count == 0) return "EOF";
    pending_.append(buffer, count);
  }
}

}  // namespace zq::testing
