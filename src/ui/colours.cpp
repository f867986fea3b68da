#include "ui/colours.h"

#include <algorithm>

namespace zq::ui {

std::optional<std::uint8_t> MakeAttr(int background, int foreground) {
  const int attribute = background * 16 + foreground;
  if (background < 0 || foreground < 0 || attribute > 255) return std::nullopt;
  return static_cast<std::uint8_t>(attribute);
}

void Colours::InitColours(const ShortString& programDirectory) {
  baseDirectory_ = programDirectory;
  const ColourTable defaults = table_;
  ColourTable loaded{};
  table_ = LoadColours(loaded) ? loaded : defaults;
}

bool Colours::LoadColours(ColourTable& record) const {
  int result = platform::IO_OK;
  auto file = files_.Open(baseDirectory_ + FILE_NAME, platform::Access::READ,
                          platform::Share::DENY_NONE, platform::Disposition::OPEN_EXISTING, result);
  if (!file) return false;
  std::size_t done = 0;
  if (file->Read(record.data(), record.size(), done) != platform::IO_OK || done != record.size()) {
    record = DEFAULT_COLOURS;
  }
  file->Close();
  return true;
}

void Colours::RestoreColourTable(const ColourTable& record) {
  if (std::all_of(record.begin(), record.begin() + 4, [](std::uint8_t b) { return b == 0; }))
    return;
  table_ = record;
}

void Colours::ApplyControlColours() {
  palette_ = {table_[CLR_NORMAL], table_[CLR_HIGHLIGHT], table_[CLR_FIELD],
              table_[CLR_FIELD_ACTIVE]};
}

}  // namespace zq::ui
