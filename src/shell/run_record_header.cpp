#include "shell/run_record_header.h"

#include <cstdio>
#include <string>

#include "platform/text_literal.h"

namespace zq::shell {
namespace {

std::string Hex(std::uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "$%04X", value);
  return text;
}

}  // namespace

void WriteRunHeader(transfer::LogRecorder& record, const conversion::RunSettings& settings) {
  const conversion::ConversionOptions& options = settings.Options;
  record.RecordLine("zq20-21 1.02 - konwersja danych z roku 2020 na 2021"_pl);
  record.RecordLine("Dane 2020: "_pl + settings.SourcePath);
  record.RecordLine("Dane 2021: "_pl + settings.TargetPath);
  const std::string items = "Opcje: globalne " + Hex(options.GlobalItems) + ", firmowe " +
                            Hex(options.CompanyItems) + ", z 2021 " +
                            Hex(options.Entered2021Items) + ", DLL " +
                            Hex(options.DllProgramItems) + ", start " + Hex(options.StartItems);
  record.RecordLine(items);
  const std::string modes = "Opcje: pracownicy " + std::to_string(options.StaffTransferMode) +
                            ", PIT-D " + std::to_string(options.PitDTransferMode) +
                            ", stop co firme " + std::to_string(options.StopAfterEachCompany) +
                            ", powoli " + std::to_string(options.ShowSlowly) + ", zaslon " +
                            std::to_string(options.HideConvertedFiles) + ", grudzien " +
                            std::to_string(options.WarnOpenDecember) + ", katalog globalny " +
                            options.SourceGlobalDir.str();
  record.RecordLine(modes);
}

}  // namespace zq::shell
