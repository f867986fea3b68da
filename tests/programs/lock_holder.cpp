// A second station for the lock tests: holds a file open with locks and
// sharing modes while the test process tries the same file.
//
//   lock_holder FILE [ACCESS [SHARE]]
//
// ACCESS is read, write, read-write (the default) or append, SHARE deny-all,
// deny-write, deny-read or deny-none (the default). The file is opened at
// start and the first line says "READY", or "ERROR n" with the I/O result.
// Then every line on stdin is a command, answered with one line ("OK",
// "ERROR n" or "BYE"):
//
//   open ACCESS SHARE     closes the file if open, opens it again
//   open-deny-all         open read-write deny-all
//   lock OFFSET LENGTH    takes a byte-range lock (offsets in decimal or 0x hex)
//   unlock OFFSET LENGTH
//   write LINE            writes "LINE\n" in one Write (at the end for append)
//   write-lines N LINE    N such writes of "LINE i\n", i from 1 to N
//   close
//   quit                  answers "BYE" and ends (so does the end of stdin)

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "platform/files.h"
#include "platform/native_platform.h"
#include "support/no_environment.h"

namespace {

using namespace zq::platform;

std::optional<Access> AccessNamed(const std::string& name) {
  if (name == "read") return Access::READ;
  if (name == "write") return Access::WRITE;
  if (name == "read-write") return Access::READ_WRITE;
  if (name == "append") return Access::APPEND;
  return std::nullopt;
}

std::optional<Share> ShareNamed(const std::string& name) {
  if (name == "deny-all") return Share::DENY_ALL;
  if (name == "deny-write") return Share::DENY_WRITE;
  if (name == "deny-read") return Share::DENY_READ;
  if (name == "deny-none") return Share::DENY_NONE;
  return std::nullopt;
}

std::string Answer(int result) {
  return result == IO_OK ? "OK" : "ERROR " + std::to_string(result);
}

class Holder {
 public:
  explicit Holder(std::string name) : name_(std::move(name)) {}

  std::string Open(const std::string& accessName, const std::string& shareName) {
    const auto access = AccessNamed(accessName);
    const auto share = ShareNamed(shareName);
    if (!access || !share) return "ERROR bad mode";
    file_.reset();
    int result = IO_OK;
    file_ =
        files_.Open(zq::ShortString(name_), *access, *share, Disposition::OPEN_EXISTING, result);
    return Answer(result);
  }

  std::string Run(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "open") {
      std::string access;
      std::string share;
      words >> access >> share;
      return Open(access, share);
    }
    if (command == "open-deny-all") return Open("read-write", "deny-all");
    if (command == "close") {
      if (!file_) return Answer(IO_NOT_OPEN);
      const int result = file_->Close();
      file_.reset();
      return Answer(result);
    }
    if (command == "lock" || command == "unlock") {
      std::string offsetText;
      std::string lengthText;
      words >> offsetText >> lengthText;
      const std::uint64_t offset = std::strtoull(offsetText.c_str(), nullptr, 0);
      const std::uint64_t length = std::strtoull(lengthText.c_str(), nullptr, 0);
      if (!file_) return Answer(IO_NOT_OPEN);
      return Answer(command == "lock" ? file_->Lock(offset, length)
                                      : file_->Unlock(offset, length));
    }
    if (command == "write" || command == "write-lines") {
      int count = 1;
      if (command == "write-lines") words >> count;
      std::string text;
      words >> text;
      if (!file_) return Answer(IO_NOT_OPEN);
      for (int number = 1; number <= count; ++number) {
        const std::string written =
            text + (command == "write-lines" ? " " + std::to_string(number) : "") + "\n";
        std::size_t done = 0;
        const int result = file_->Write(written.data(), written.size(), done);
        if (result != IO_OK) return Answer(result);
      }
      return "OK";
    }
    return "ERROR unknown command";
  }

 private:
  zq::testing::NoEnvironment process_;
  NativeFiles host_{process_};
  FileSystem& files_ = host_.Files();
  std::string name_;
  std::unique_ptr<File> file_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: lock_holder FILE [ACCESS [SHARE]]\n";
    return 2;
  }
  Holder holder(argv[1]);
  const std::string opened =
      holder.Open(argc > 2 ? argv[2] : "read-write", argc > 3 ? argv[3] : "deny-none");
  std::cout << (opened == "OK" ? "READY" : opened) << std::endl;
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line == "quit") break;
    std::cout << holder.Run(line) << std::endl;
  }
  std::cout << "BYE" << std::endl;
  return 0;
}
