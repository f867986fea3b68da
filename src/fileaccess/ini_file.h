#pragma once
// Text settings files of the accounting system: section headers in square
// brackets and lines of key "=" value. The whole file is loaded into memory,
// read and changed there, and written back when the object is released. An
// object open for writing holds a lock on the first byte of the file for its
// whole life, so two stations cannot update the same file at once.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/short_string.h"

namespace zq::fileaccess {

class IniFile {
 public:
  // Opens the file (a writable object creates a missing one and locks its
  // first byte); nothing when the file cannot be looked up, opened, created
  // or locked, or, read-only, read to its end.
  // A read-only object over a missing file is empty.
  static std::unique_ptr<IniFile> Init(platform::FileSystem& files, const ShortString& name,
                                       bool writable);
  // Writes the file back when it was changed and is writable, then unlocks;
  // an error of that late write is lost (call Save first to know of it).
  ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // The value after the first "=" of the key's line, or the default when the
  // section or the key is missing. Sections and keys match whatever their
  // case (Polish letters included); blanks around the key are part of it.
  ShortString ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Adds the section and the line as needed; an equal value changes nothing.
  // False, and nothing changed, when the file could not give the line back
  // as written (see Storable). Blanks at the end of a value are written but,
  // as in every file of the system, do not survive a reload.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  char ReadChar(std::string_view section, std::string_view key, char defaultValue) const;
  bool WriteChar(std::string_view section, std::string_view key, char value);
  std::uint16_t ReadInteger(std::string_view section, std::string_view key,
                            std::uint16_t defaultValue) const;
  bool WriteInteger(std::string_view section, std::string_view key, std::uint16_t value);
  // "TAK" is true and "NIE" false, whatever their case; anything else gives
  // the default.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  bool WriteBool(std::string_view section, std::string_view key, bool value);

  // True when a section header and a key line made of these texts read back
  // as the same section, key and value: no line break in any of them, no "="
  // in the key, no blank at the start of the key, and no line that would
  // read as a section header.
  static bool Storable(std::string_view section, std::string_view key, std::string_view value);

  // Writes the file back now when it was changed. False when the changes are
  // not on the disk whole: the file could not be opened, written or closed,
  // or it could not be read to its end (then it is never written back).
  bool Save();

  bool Existed() const { return existed_; }
  bool Modified() const { return modified_; }

 private:
  struct Section {
    std::optional<std::string> name;  // none for the lines before the first header; kept whole
    std::vector<std::string> lines;   // kept whole, however long
  };

  IniFile(platform::FileSystem& files, const ShortString& name, bool writable)
      : files_(files), name_(name), readOnly_(!writable) {}
  void Load();
  bool WriteBack();
  // The index of the named section, or -1; the head section never matches.
  int FindSection(std::string_view name) const;
  // The index of the key's line in the section, or -1.
  static int FindKey(const Section& section, std::string_view key);

  platform::FileSystem& files_;
  ShortString name_;
  bool readOnly_;
  bool existed_ = false;
  bool modified_ = false;
  bool complete_ = true;  // the whole file was read
  std::unique_ptr<platform::File> file_;
  std::vector<Section> sections_{Section{}};
};

}  // namespace zq::fileaccess
