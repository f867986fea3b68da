// The converter on the system it was built for: the command line's answers
// that need no screen, the real platform, the run, and the one place where
// the program ends.

#include <exception>
#include <string>

#include "platform/cp852.h"
#include "platform/native_platform.h"
#include "shell/command_line_answer.h"
#include "shell/converter.h"

namespace {

int Print(const zq::shell::CommandLineAnswer& answer) {
  for (const zq::ShortString& line : answer.lines) {
    zq::platform::PrintNativeLine(answer.onStandardError, zq::platform::Cp852ToUtf8(line));
  }
  return answer.exitCode;
}

int RunConverter(zq::platform::Process& process) {
  // The console is given back as it was when the platform goes, on every
  // way out, before main reports anything.
  zq::platform::NativePlatform platform(process);
  zq::shell::Converter converter(platform.Bundle());
  return converter.Run();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const auto process = zq::platform::MakeNativeProcess(argc, argv);
    if (const auto answer = zq::shell::AnswerTo(zq::shell::RequestOf(process->Arguments()))) {
      return Print(*answer);
    }
    return RunConverter(*process);
  } catch (const zq::platform::ProgramExit& exit) {
    return exit.code;
  } catch (const std::exception& error) {
    zq::platform::PrintNativeLine(true, std::string("zq20-21: ") + error.what());
    return 1;
  }
}
