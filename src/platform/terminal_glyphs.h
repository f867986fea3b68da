#pragma once
// What a terminal shows for each CP852 byte of the screen: the code page's
// own character, except where that would not give one visible cell.

namespace zq::platform {

// The Unicode character drawn for a screen byte: the classic PC glyphs for
// the control bytes (0x01..0x1F, 0x7F), a blank for 0x00, and a visible
// one-cell stand-in for the soft hyphen (0xF0), which terminals may draw
// with no width at all.
char32_t TerminalGlyph(unsigned char byte);

}  // namespace zq::platform
