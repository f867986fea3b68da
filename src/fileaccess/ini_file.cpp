#include "fileaccess/ini_file.h"

#include "fileaccess/shared_files.h"
#include "platform/text_file.h"
#include "platform/text_literal.h"
#include "ui/polish_text.h"

namespace zq::fileaccess {
namespace {

constexpr ShortString TRUE_TEXT = "TAK"_pl;
constexpr ShortString FALSE_TEXT = "NIE"_pl;

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

// Without the characters up to and including the blank (codes 0 to 32) at
// both ends.
std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line;
}

bool IsSectionHeader(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Names of any length are compared whole: two keys that differ only after
// their 255th byte are two keys.
bool SameName(std::string_view a, std::string_view b) {
  return platform::SameUpperCasePL(a, b);
}

}  // namespace

std::unique_ptr<IniFile> IniFile::Init(platform::FileSystem& files, const ShortString& name,
                                       bool writable) {
  std::unique_ptr<IniFile> ini(new IniFile(files, name, writable));
  // A file that could not be looked up may exist: read as missing it would
  // give defaults for its values, and created it would be emptied.
  const std::optional<bool> exists = FileExistsByName(files, name);
  if (!exists) return nullptr;
  ini->existed_ = *exists;
  int result = platform::IO_OK;
  if (ini->existed_) {
    ini->file_ = files.Open(name, platform::Access::READ, platform::Share::DENY_NONE,
                            platform::Disposition::OPEN_EXISTING, result);
  } else if (writable) {
    ini->file_ = files.Open(name, platform::Access::READ_WRITE, platform::Share::DENY_NONE,
                            platform::Disposition::CREATE_ALWAYS, result);
  } else {
    return ini;
  }
  if (!ini->file_) return nullptr;
  if (writable && !LockFirstByte(*ini->file_)) {
    ini->file_->Close();
    ini->file_.reset();
    return nullptr;
  }
  if (ini->existed_) ini->Load();
  // What a file that could not be read to its end gives is not what it holds:
  // read, it would answer defaults for the lost keys.
  if (!ini->complete_ && !writable) return nullptr;
  return ini;
}

void IniFile::Load() {
  platform::TextReader reader(*file_);
  std::string text;
  while (reader.ReadLine(text)) {
    const std::string_view line = Trimmed(text);
    if (line.empty()) continue;
    if (IsSectionHeader(line)) {
      sections_.push_back({std::string(line.substr(1, line.size() - 2)), {}});
    } else {
      sections_.back().lines.emplace_back(line);
    }
  }
  // Writing back what was loaded of a file that could not be read to its end
  // would cut the rest off.
  complete_ = reader.Result() == platform::IO_OK;
}

IniFile::~IniFile() {
  if (modified_ && !readOnly_ && complete_) WriteBack();
  if (file_) {
    if (!readOnly_) UnlockFirstByte(*file_);
    file_->Close();
  }
}

bool IniFile::Save() {
  if (!modified_ || readOnly_) return true;
  if (!complete_ || !WriteBack()) return false;
  modified_ = false;
  return true;
}

// The file is written through a handle of its own while the first-byte lock
// is still held, so no other station slips in between.
bool IniFile::WriteBack() {
  int result = platform::IO_OK;
  auto out = files_.Open(name_, platform::Access::WRITE, platform::Share::DENY_NONE,
                         platform::Disposition::CREATE_ALWAYS, result);
  if (!out) return false;
  {
    platform::TextWriter writer(*out);
    for (const Section& section : sections_) {
      if (section.name) writer.WriteLine("[" + *section.name + "]");
      for (const std::string& line : section.lines) writer.WriteLine(line);
      if (!section.lines.empty()) writer.WriteLine({});
    }
    result = writer.Flush();
  }
  const int closed = out->Close();
  return result == platform::IO_OK && closed == platform::IO_OK;
}

int IniFile::FindSection(std::string_view name) const {
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (sections_[i].name && SameName(*sections_[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

int IniFile::FindKey(const Section& section, std::string_view key) {
  for (std::size_t i = 0; i < section.lines.size(); ++i) {
    const std::string_view line = section.lines[i];
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && SameName(line.substr(0, equals), key)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

ShortString IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  const int sectionIndex = FindSection(section);
  if (sectionIndex < 0) return ShortString(defaultValue);
  const Section& found = sections_[static_cast<std::size_t>(sectionIndex)];
  const int index = FindKey(found, key);
  if (index < 0) return ShortString(defaultValue);
  const std::string_view line = found.lines[static_cast<std::size_t>(index)];
  return ShortString(line.substr(line.find('=') + 1));
}

bool IniFile::Storable(std::string_view section, std::string_view key, std::string_view value) {
  const auto hasLineFeed = [](std::string_view text) { return text.find('\n') != text.npos; };
  if (hasLineFeed(section) || hasLineFeed(key) || hasLineFeed(value)) return false;
  if (key.find('=') != key.npos || (!key.empty() && IsBlank(key.front()))) return false;
  const std::string line = std::string(key) + "=" + std::string(value);
  return !IsSectionHeader(Trimmed(line));
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (!Storable(section, key, value)) return false;
  int sectionIndex = FindSection(section);
  if (sectionIndex < 0) {
    sections_.push_back({std::string(section), {}});
    sectionIndex = static_cast<int>(sections_.size()) - 1;
  }
  Section& found = sections_[static_cast<std::size_t>(sectionIndex)];
  const std::string line = std::string(key) + "=" + std::string(value);
  const int index = FindKey(found, key);
  if (index < 0) {
    found.lines.push_back(line);
    modified_ = true;
    return true;
  }
  std::string& existing = found.lines[static_cast<std::size_t>(index)];
  if (std::string_view(existing).substr(existing.find('=') + 1) == value) return true;
  existing = line;
  modified_ = true;
  return true;
}

char IniFile::ReadChar(std::string_view section, std::string_view key, char defaultValue) const {
  const ShortString value = ReadString(section, key, {});
  return value.empty() ? defaultValue : value[0];
}

bool IniFile::WriteChar(std::string_view section, std::string_view key, char value) {
  return WriteString(section, key, std::string_view(&value, 1));
}

std::uint16_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                   std::uint16_t defaultValue) const {
  const ShortString text = ReadString(section, key, "!"_pl);
  if (text.empty()) return defaultValue;
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return defaultValue;
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > 0xFFFF) return defaultValue;  // not a 16-bit number
  }
  return static_cast<std::uint16_t>(value);
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, std::uint16_t value) {
  return WriteString(section, key, ui::IntToStr(value));
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  const ShortString value = ui::UpperCasePL(ReadString(section, key, {}));
  if (value == FALSE_TEXT) return false;
  if (value == TRUE_TEXT) return true;
  return defaultValue;
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? TRUE_TEXT : FALSE_TEXT);
}

}  // namespace zq::fileaccess
