#include "support/lock_holder_client.h"

#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

extern char** environ;

namespace zq::testing {

struct LockHolder::Channel {
  pid_t pid = -1;
  int socket = -1;
};

LockHolder::LockHolder(const std::string& file, const std::string& access, const std::string& share)
    : channel_(std::make_unique<Channel>()) {
  int ends[2];
  // A socket rather than pipes: a write to a program that died fails with an
  // error (MSG_NOSIGNAL) instead of killing the test with SIGPIPE.
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    throw std::runtime_error("socketpair failed");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
  const std::string program = std::string(ZQ_TEST_PROGRAM_DIR) + "/lock_holder";
  std::vector<std::string> arguments = {program, file, access, share};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const int spawned =
      posix_spawn(&channel_->pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  channel_->socket = ends[0];
  if (spawned != 0) {
    close(channel_->socket);
    throw std::runtime_error("cannot start " + program);
  }
  greeting_ = ReadLine();
}

LockHolder::~LockHolder() {
  Send("quit");
  close(channel_->socket);
  int status = 0;
  waitpid(channel_->pid, &status, 0);
}

std::string LockHolder::Send(const std::string& command) {
  const std::string line = command + "\n";
  if (send(channel_->socket, line.data(), line.size(), MSG_NOSIGNAL) !=
      static_cast<ssize_t>(line.size())) {
    return "EOF";
  }
  return ReadLine();
}

std::size_t LockHolder::ReadSome(char* buffer, std::size_t size) {
  const ssize_t count = read(channel_->socket, buffer, size);
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

}  // namespace zq::testing
