#pragma once
// `cp`, which the copy benchmarks measure against, run as a child process.

#include <spawn.h>
#include <sys/wait.h>

#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace zq::bench {

// Copies `from` to `to` with /bin/cp, with -a (the tree, with its times and
// modes) when `archive`; throws when cp fails.
inline void RunCp(const std::string& from, const std::string& to, bool archive) {
  std::string cp = "/bin/cp";
  std::string archiveOption = "-a";
  std::vector<char*> argv{cp.data()};
  if (archive) argv.push_back(archiveOption.data());
  argv.push_back(const_cast<char*>(from.c_str()));
  argv.push_back(const_cast<char*>(to.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  int status = 0;
  if (posix_spawn(&child, cp.c_str(), nullptr, nullptr, argv.data(), environ) != 0 ||
      waitpid(child, &status, 0) != child || status != 0) {
    throw std::runtime_error("cp failed");
  }
}

}  // namespace zq::bench
