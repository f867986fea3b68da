#include "support/lock_holder_client.h"

#include <windows.h>

#include <stdexcept>

#include "platform/cp852.h"
#include "platform/windows/wide_text.h"

namespace zq::testing {
namespace {

// The folder of the running test program, where the helper programs lie.
std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring Quoted(const std::string& utf8) {
  return L"\"" + platform::Utf8ToWide(utf8) + L"\"";
}

}  // namespace

struct LockHolder::Channel {
  PROCESS_INFORMATION process{};
  HANDLE toProgram = nullptr;
  HANDLE fromProgram = nullptr;

  ~Channel() {
    if (toProgram) CloseHandle(toProgram);
    if (fromProgram) CloseHandle(fromProgram);
    if (process.hProcess) {
      WaitForSingleObject(process.hProcess, 10000);
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    }
  }
};

LockHolder::LockHolder(const std::string& file, const std::string& access, const std::string& share)
    : channel_(std::make_unique<Channel>()) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE programInput = nullptr;
  HANDLE programOutput = nullptr;
  if (!CreatePipe(&programInput, &channel_->toProgram, &inherited, 0) ||
      !CreatePipe(&channel_->fromProgram, &programOutput, &inherited, 0)) {
    throw std::runtime_error("CreatePipe failed");
  }
  // The test's own ends stay in the test.
  SetHandleInformation(channel_->toProgram, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(channel_->fromProgram, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = programInput;
  startup.hStdOutput = programOutput;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  const std::wstring program = ProgramFolder() + L"lock_holder.exe";
  std::wstring commandLine =
      L"\"" + program + L"\" " + Quoted(file) + L" " + Quoted(access) + L" " + Quoted(share);
  const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      0, nullptr, nullptr, &startup, &channel_->process);
  CloseHandle(programInput);
  CloseHandle(programOutput);
  if (!started) throw std::runtime_error("cannot start lock_holder.exe");
  greeting_ = ReadLine();
}

LockHolder::~LockHolder() {
  Send("quit");
}

std::string LockHolder::Send(const std::string& command) {
  const std::string line = command + "\n";
  DWORD written = 0;
  if (!WriteFile(channel_->toProgram, line.data(), static_cast<DWORD>(line.size()), &written,
                 nullptr) ||
      written != line.size()) {
    return "EOF";
  }
  return ReadLine();
}

std::size_t LockHolder::ReadSome(char* buffer, std::size_t size) {
  DWORD count = 0;
  if (!ReadFile(channel_->fromProgram, buffer, static_cast<DWORD>(size), &count, nullptr)) return 0;
  return count;
}

}  // namespace zq::testing
