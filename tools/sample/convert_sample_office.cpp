// Writes the default sample office into a folder and converts it with the
// converter's default choices, the operator's keys scripted through the
// headless console and the clock fixed, on the system's real file layer. Two
// builds of the program (one for each system) must leave the same bytes.
//
//   convert_sample_office FOLDER

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "platform/bell_sound.h"
#include "platform/console_clipboard.h"
#include "platform/headless_console.h"
#include "platform/manual_clock.h"
#include "platform/native_platform.h"
#include "sample/office_answers.h"
#include "sample/sample_office.h"
#include "shell/converter.h"

namespace {

using namespace zq;

// The converter installed in the office's 2021 tree and started in the
// office folder, with no arguments and no environment.
class OfficeProcess final : public platform::Process {
 public:
  explicit OfficeProcess(ShortString office) : office_(office) {}
  const std::vector<ShortString>& Arguments() const override { return arguments_; }
  ShortString ExecutablePath() const override { return Join(Join(office_, "DAZ_2021"), "zq20-21"); }
  ShortString CurrentDirectory() const override { return office_; }
  std::optional<ShortString> GetEnv(std::string_view) const override { return std::nullopt; }

  static ShortString Join(const ShortString& folder, std::string_view name) {
    return ShortString(folder.str() + platform::PATH_SEPARATOR + std::string(name));
  }

 private:
  ShortString office_;
  std::vector<ShortString> arguments_;
};

// The path settings beside the program name the trees relative to the
// office folder, as `make demo` writes them.
void WritePathSettings(platform::FileSystem& files, const ShortString& office) {
  constexpr std::string_view SETTINGS = "[PATHS]\r\nDAZ_2020=DAZ_2020\r\nDAZ_2021=DAZ_2021\r\n";
  int result = platform::IO_OK;
  const auto file =
      files.Open(OfficeProcess::Join(OfficeProcess::Join(office, "DAZ_2021"), "zq20-21.PTH"),
                 platform::Access::WRITE, platform::Share::DENY_NONE,
                 platform::Disposition::CREATE_ALWAYS, result);
  std::size_t written = 0;
  if (file) result = file->Write(SETTINGS.data(), SETTINGS.size(), written);
  if (file && result == platform::IO_OK) result = file->Close();
  if (result != platform::IO_OK)
    throw std::runtime_error("cannot write zq20-21.PTH: " + std::to_string(result));
}

int Convert(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  const auto native = platform::MakeNativeProcess(0, nullptr);
  OfficeProcess process(native->CurrentDirectory());
  platform::NativeFiles files(process);
  sample::WriteSampleOffice(files.Files(), process.CurrentDirectory(),
                            sample::SampleOfficeOptions{});
  WritePathSettings(files.Files(), process.CurrentDirectory());

  platform::ManualClock clock;
  platform::HeadlessConsole console{clock};
  platform::BellSound sound{console, clock};
  platform::ConsoleClipboard clipboard{console};
  platform::Platform platform{console, files.Files(), clock, sound, process, clipboard};
  sample::ScriptAnswers(console, sample::DefaultOfficeAnswers());
  shell::Converter converter(platform);
  const int code = converter.Run();
  if (!console.ScriptDone())
    throw std::runtime_error("the conversion asked fewer questions than scripted");
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: convert_sample_office FOLDER\n", stderr);
    return 2;
  }
  try {
    return Convert(argv[1]);
  } catch (const zq::platform::ProgramExit& exit) {
    return exit.code;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "convert_sample_office: %s\n", error.what());
    return 1;
  }
}
