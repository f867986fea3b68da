#pragma once
// The colour table: eleven attributes by role, the only source of colours for
// windows, boxes and controls, loaded at start-up from "kolory.zq" beside the
// program; and the control palette derived from it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/files.h"
#include "platform/short_string.h"

namespace zq::ui {

enum ColourRole : std::size_t {
  CLR_NORMAL,
  CLR_HIGHLIGHT,
  CLR_FIELD,
  CLR_FIELD_ACTIVE,
  CLR_BOX_FRAME,
  CLR_BOX_TEXT,
  CLR_BOX_TITLE,
  CLR_PROMPT_TEXT,
  CLR_ERROR,
  CLR_HOTKEY,
  CLR_SELECTED,
  COLOUR_ROLE_COUNT
};

// The table in role order; this is also the byte layout of "kolory.zq".
using ColourTable = std::array<std::uint8_t, COLOUR_ROLE_COUNT>;

inline constexpr ColourTable DEFAULT_COLOURS = {0x07, 0x0F, 0x1F, 0x70, 0x07, 0x02,
                                                0x0F, 0x0F, 0x4F, 0x0F, 0x70};

// Entries 0..3: plain text, focused text, an input field, a focused field.
using ControlPalette = std::array<std::uint8_t, 4>;

// Colours that are not in the table.
inline constexpr std::uint8_t CLOCK_COLOUR = 0x0F;
inline constexpr std::uint8_t WAIT_COUNTER_COLOUR = 0x4F;

// background * 16 + foreground; nothing when the result does not fit a byte.
std::optional<std::uint8_t> MakeAttr(int background, int foreground);

class Colours {
 public:
  static constexpr std::string_view FILE_NAME = "kolory.zq";

  explicit Colours(platform::FileSystem& files) : files_(files) {}

  std::uint8_t operator[](ColourRole role) const { return table_[role]; }
  std::uint8_t Palette(std::size_t entry) const { return palette_[entry]; }

  // Start-up: the colour file of `programDirectory` wins over the built-in
  // table when it can be opened.
  void InitColours(const ShortString& programDirectory);
  // Reads the colour file into `record`. False, with the record untouched,
  // when the file cannot be opened; a file too short to hold the table gives
  // the built-in colours.
  bool LoadColours(ColourTable& record) const;
  void SaveColourTable(ColourTable& record) const { record = table_; }
  // Puts a saved table back; a record whose first four bytes are zero was
  // never saved and is ignored.
  void RestoreColourTable(const ColourTable& record);
  void SetColour(ColourRole role, std::uint8_t attribute) { table_[role] = attribute; }
  void ApplyControlColours();

 private:
  platform::FileSystem& files_;
  ShortString baseDirectory_;
  ColourTable table_ = DEFAULT_COLOURS;
  ControlPalette palette_{};
};

}  // namespace zq::ui
