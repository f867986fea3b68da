#pragma once
// The lines a text file holds, as the system reads them: split at LF, a CR
// before the LF dropped, a lone CR kept, and a Ctrl+Z that is the very last
// byte not part of the last line. With a read failure at `readFailsAt`, only
// the lines that ended before it.

#include <cstdint>
#include <string>
#include <vector>

namespace zq::fuzz {

inline std::vector<std::string> ModelLines(const std::string& bytes,
                                           std::size_t readFailsAt = SIZE_MAX) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos || end >= readFailsAt) break;
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  if (readFailsAt < bytes.size()) return lines;
  std::string last = bytes.substr(start);
  if (!last.empty() && last.back() == '\x1A') last.pop_back();
  if (!last.empty()) lines.push_back(last);
  return lines;
}

}  // namespace zq::fuzz
