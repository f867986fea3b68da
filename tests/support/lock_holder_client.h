#pragma once
// Starts the lock_holder program as a second station and talks to it one
// command line at a time (see tests/programs/lock_holder.cpp).

#include <memory>
#include <string>

namespace zq::testing {

class LockHolder {
 public:
  // `access` and `share` as the program takes them: "read-write", "deny-none".
  explicit LockHolder(const std::string& file, const std::string& access = "read-write",
                      const std::string& share = "deny-none");
  ~LockHolder();  // ends the program and waits for it
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

  // "READY", or "ERROR n" when the first open failed.
  const std::string& Greeting() const { return greeting_; }
  // Sends one command and answers the reply line ("EOF" if the program died).
  std::string Send(const std::string& command);

 private:
  std::string ReadLine();
  // Up to `size` bytes the program wrote, waiting for some; 0 at its end.
  std::size_t ReadSome(char* buffer, std::size_t size);

  // The running program and the two ends of the talk with it; each system
  // has its own (lock_holder_client.cpp in the platform's test folder).
  struct Channel;
  std::unique_ptr<Channel> channel_;
  std::string pending_;
  std::string greeting_;
};

}  // namespace zq::testing
