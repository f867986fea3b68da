#include "platform/key_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace zq::platform {

void PrintTo(const InputRecord& record, std::ostream* out) {
  char text[32];
  if (record.kind == InputRecord::Kind::KEY) {
    std::snprintf(text, sizeof text, "KEY %04X %02X", record.key.code, record.key.state);
  } else {
    std::snprintf(text, sizeof text, "MOUSE %X %d %d", record.mouse.buttons, record.mouse.column,
                  record.mouse.row);
  }
  *out << text;
}

namespace {

constexpr std::uint8_t PLAIN = 0x20;  // Num Lock is always reported on
constexpr std::uint8_t SHIFT = 0x23;
constexpr std::uint8_t CTRL = 0x24;
constexpr std::uint8_t ALT = 0x28;
constexpr std::uint8_t ALT_SHIFT = 0x2B;

std::vector<InputRecord> DecodeAll(std::string_view bytes) {
  KeyDecoder decoder;
  decoder.Feed(bytes);
  return decoder.Take(true);
}

struct KeyCase {
  const char* name;
  std::string bytes;
  std::uint16_t code;
  std::uint8_t state;
};

void ExpectKeys(const std::vector<KeyCase>& cases) {
  for (const KeyCase& key : cases) {
    const std::vector<InputRecord> records = DecodeAll(key.bytes);
    ASSERT_EQ(records.size(), 1u) << key.name;
    EXPECT_EQ(records[0], InputRecord::Key(key.code, key.state))
        << key.name << ": got code " << std::hex << records[0].key.code << " state "
        << int{records[0].key.state};
  }
}

TEST(KeyDecoder, PlainKeysAndTypedCharactersGetPcKeyCodes) {
  ExpectKeys({
      {"Esc", "\x1B", 0x011B, PLAIN},
      {"Enter", "\r", 0x1C0D, PLAIN},
      {"Ctrl+Enter sends LF", "\n", 0x1C0A, CTRL},
      {"Space", " ", 0x3920, PLAIN},
      {"Tab", "\t", 0x0F09, PLAIN},
      {"Shift+Tab", "\x1B[Z", 0x0F00, SHIFT},
      {"Backspace DEL", "\x7F", 0x0E08, PLAIN},
      {"Backspace BS", "\x08", 0x0E08, PLAIN},
      {"a", "a", 0x1E61, PLAIN},
      {"A", "A", 0x1E41, SHIFT},
      {"z", "z", 0x2C7A, PLAIN},
      {"m", "m", 0x326D, PLAIN},
      {"1", "1", 0x0231, PLAIN},
      {"0", "0", 0x0B30, PLAIN},
      {"!", "!", 0x0221, SHIFT},
      {"+", "+", 0x0D2B, SHIFT},
      {"-", "-", 0x0C2D, PLAIN},
      {"/", "/", 0x352F, PLAIN},
      {"~", "~", 0x297E, SHIFT},
      {"ą", "ą", 0x1EA5, PLAIN},
      {"Ą", "Ą", 0x1EA4, SHIFT},
      {"ć", "ć", 0x2E86, PLAIN},
      {"ę", "ę", 0x12A9, PLAIN},
      {"ł", "ł", 0x2688, PLAIN},
      {"Ł", "Ł", 0x269D, SHIFT},
      {"ń", "ń", 0x31E4, PLAIN},
      {"ó", "ó", 0x18A2, PLAIN},
      {"ś", "ś", 0x1F98, PLAIN},
      {"ż", "ż", 0x2CBE, PLAIN},
      {"ź", "ź", 0x2CAB, PLAIN},
      {"Ź", "Ź", 0x2C8D, SHIFT},
      {"é has no key of its own", "é", 0x0082, PLAIN},
      {"keypad + in application mode", "\x1BOk", 0x4E2B, PLAIN},
      {"keypad - in application mode", "\x1BOm", 0x4A2D, PLAIN},
      {"keypad Enter", "\x1BOM", 0x1C0D, PLAIN},
      {"keypad 7", "\x1BOw", 0x4737, PLAIN},
  });
}

TEST(KeyDecoder, CursorAndFunctionKeysInEveryTerminalDialect) {
  ExpectKeys({
      {"Up", "\x1B[A", 0x4800, PLAIN},
      {"Down", "\x1B[B", 0x5000, PLAIN},
      {"Right", "\x1B[C", 0x4D00, PLAIN},
      {"Left", "\x1B[D", 0x4B00, PLAIN},
      {"Up SS3", "\x1BOA", 0x4800, PLAIN},
      {"Left SS3", "\x1BOD", 0x4B00, PLAIN},
      {"Home CSI H", "\x1B[H", 0x4700, PLAIN},
      {"End CSI F", "\x1B[F", 0x4F00, PLAIN},
      {"Home SS3", "\x1BOH", 0x4700, PLAIN},
      {"End SS3", "\x1BOF", 0x4F00, PLAIN},
      {"Home 1~", "\x1B[1~", 0x4700, PLAIN},
      {"Home 7~", "\x1B[7~", 0x4700, PLAIN},
      {"End 4~", "\x1B[4~", 0x4F00, PLAIN},
      {"End 8~", "\x1B[8~", 0x4F00, PLAIN},
      {"Insert", "\x1B[2~", 0x5200, PLAIN},
      {"Delete", "\x1B[3~", 0x5300, PLAIN},
      {"PgUp", "\x1B[5~", 0x4900, PLAIN},
      {"PgDn", "\x1B[6~", 0x5100, PLAIN},
      {"F1 SS3", "\x1BOP", 0x3B00, PLAIN},
      {"F4 SS3", "\x1BOS", 0x3E00, PLAIN},
      {"F1 11~", "\x1B[11~", 0x3B00, PLAIN},
      {"F5", "\x1B[15~", 0x3F00, PLAIN},
      {"F6", "\x1B[17~", 0x4000, PLAIN},
      {"F10", "\x1B[21~", 0x4400, PLAIN},
      {"F11", "\x1B[23~", 0x8500, PLAIN},
      {"F12", "\x1B[24~", 0x8600, PLAIN},
      {"F1 Linux console", "\x1B[[A", 0x3B00, PLAIN},
      {"F5 Linux console", "\x1B[[E", 0x3F00, PLAIN},
      {"Shift+F1", "\x1B[1;2P", 0x5400, SHIFT},
      {"Shift+F1 old xterm", "\x1BO2P", 0x5400, SHIFT},
      {"Ctrl+F1", "\x1B[1;5P", 0x5E00, CTRL},
      {"Alt+F1", "\x1B[1;3P", 0x6800, ALT},
      {"Shift+F5", "\x1B[15;2~", 0x5800, SHIFT},
      {"Ctrl+F10", "\x1B[21;5~", 0x6700, CTRL},
      {"Alt+F10", "\x1B[21;3~", 0x7100, ALT},
      {"Ctrl+Left", "\x1B[1;5D", 0x7300, CTRL},
      {"Ctrl+Right", "\x1B[1;5C", 0x7400, CTRL},
      {"Ctrl+Up", "\x1B[1;5A", 0x8D00, CTRL},
      {"Ctrl+Down", "\x1B[1;5B", 0x9100, CTRL},
      {"Ctrl+Home", "\x1B[1;5H", 0x7700, CTRL},
      {"Ctrl+End", "\x1B[1;5F", 0x7500, CTRL},
      {"Ctrl+PgUp", "\x1B[5;5~", 0x8400, CTRL},
      {"Ctrl+PgDn", "\x1B[6;5~", 0x7600, CTRL},
      {"Ctrl+Insert", "\x1B[2;5~", 0x9200, CTRL},
      {"Ctrl+Delete", "\x1B[3;5~", 0x9300, CTRL},
      {"Shift+Insert", "\x1B[2;2~", 0x5200, SHIFT},
      {"Shift+Delete", "\x1B[3;2~", 0x5300, SHIFT},
      {"Shift+Up", "\x1B[1;2A", 0x4800, SHIFT},
      {"Meta counts as Alt", "\x1B[1;9A", 0x9800, ALT},
      {"rxvt Shift+Insert", "\x1B[2$", 0x5200, SHIFT},
      {"rxvt Ctrl+Insert", "\x1B[2^", 0x9200, CTRL},
      {"rxvt Ctrl+Left", "\x1BOd", 0x7300, CTRL},
      {"rxvt Ctrl+Up", "\x1BOa", 0x8D00, CTRL},
      {"rxvt Shift+Right", "\x1B[c", 0x4D00, SHIFT},
      {"Alt+Up as ESC ESC [ A", "\x1B\x1B[A", 0x9800, ALT},
  });
}

TEST(KeyDecoder, LinuxConsoleKeysGetTheirPcKeyCodes) {
  ExpectKeys({
      {"F1", "\x1B[[A", 0x3B00, PLAIN},
      {"F2", "\x1B[[B", 0x3C00, PLAIN},
      {"F3", "\x1B[[C", 0x3D00, PLAIN},
      {"F4", "\x1B[[D", 0x3E00, PLAIN},
      {"F5", "\x1B[[E", 0x3F00, PLAIN},
      {"F6", "\x1B[17~", 0x4000, PLAIN},
      {"F10", "\x1B[21~", 0x4400, PLAIN},
      {"F11, also Shift+F1", "\x1B[23~", 0x8500, PLAIN},
      {"F12, also Shift+F2", "\x1B[24~", 0x8600, PLAIN},
      {"Shift+F3", "\x1B[25~", 0x5600, SHIFT},
      {"Shift+F4", "\x1B[26~", 0x5700, SHIFT},
      {"Shift+F5", "\x1B[28~", 0x5800, SHIFT},
      {"Shift+F6", "\x1B[29~", 0x5900, SHIFT},
      {"Shift+F7", "\x1B[31~", 0x5A00, SHIFT},
      {"Shift+F8", "\x1B[32~", 0x5B00, SHIFT},
      {"Shift+F9", "\x1B[33~", 0x5C00, SHIFT},
      {"Shift+F10", "\x1B[34~", 0x5D00, SHIFT},
      {"Home", "\x1B[1~", 0x4700, PLAIN},
      {"End", "\x1B[4~", 0x4F00, PLAIN},
      {"Insert", "\x1B[2~", 0x5200, PLAIN},
      {"Delete", "\x1B[3~", 0x5300, PLAIN},
      {"PgUp", "\x1B[5~", 0x4900, PLAIN},
      {"PgDn", "\x1B[6~", 0x5100, PLAIN},
      {"Up", "\x1B[A", 0x4800, PLAIN},
      {"Left", "\x1B[D", 0x4B00, PLAIN},
      {"keypad 5 without Num Lock", "\x1B[G", 0x4C00, PLAIN},
      {"Shift+Tab", "\x1B\t", 0x0F00, SHIFT},
      {"Backspace", "\x7F", 0x0E08, PLAIN},
      {"Alt+X as ESC x", "\x1Bx", 0x2D00, ALT},
  });
}

TEST(KeyDecoder, CtrlAndAltCombinations) {
  ExpectKeys({
      {"Ctrl+T", "\x14", 0x1414, CTRL},
      {"Ctrl+N", "\x0E", 0x310E, CTRL},
      {"Ctrl+Q", "\x11", 0x1011, CTRL},
      {"Ctrl+W", "\x17", 0x1117, CTRL},
      {"Ctrl+D", "\x04", 0x2004, CTRL},
      {"Ctrl+Y", "\x19", 0x1519, CTRL},
      {"Ctrl+P", "\x10", 0x1910, CTRL},
      {"Ctrl+K", "\x0B", 0x250B, CTRL},
      {"Ctrl+C", "\x03", 0x2E03, CTRL},
      {"Ctrl+Space", std::string(1, '\0'), 0x3920, CTRL},
      {"Ctrl+]", "\x1D", 0x1B1D, CTRL},
      {"Ctrl+_", "\x1F", 0x0C1F, CTRL},
      {"Ctrl+^", "\x1E", 0x071E, CTRL},
      {"Alt+=", "\x1B=", 0x8300, ALT},
      {"Alt+-", "\x1B-", 0x8200, ALT},
      {"Alt+A",
       "\x1B"
       "a",
       0x1E00, ALT},
      {"Alt+Shift+A",
       "\x1B"
       "A",
       0x1E00, ALT_SHIFT},
      {"Alt+Z", "\x1Bz", 0x2C00, ALT},
      {"Alt+P", "\x1Bp", 0x1900, ALT},
      {"Alt+X", "\x1Bx", 0x2D00, ALT},
      {"Alt+1",
       "\x1B"
       "1",
       0x7800, ALT},
      {"Alt+0",
       "\x1B"
       "0",
       0x8100, ALT},
      {"Alt+Enter", "\x1B\r", 0x1C00, ALT},
      {"Alt+Backspace", "\x1B\x7F", 0x0E00, ALT},
      {"Alt+ą", "\x1Bą", 0x1E00, ALT},
      // Forms that report the modifiers of any key (kitty, xterm's
      // modifyOtherKeys): here Ctrl+M and Ctrl+I differ from Enter and Tab.
      {"Ctrl+M CSI u", "\x1B[109;5u", 0x320D, CTRL},
      {"Ctrl+I CSI u", "\x1B[105;5u", 0x1709, CTRL},
      {"Ctrl+M modifyOtherKeys", "\x1B[27;5;109~", 0x320D, CTRL},
      {"Ctrl+Enter modifyOtherKeys", "\x1B[27;5;13~", 0x1C0A, CTRL},
      {"Shift+Tab modifyOtherKeys", "\x1B[27;2;9~", 0x0F00, SHIFT},
      {"Alt+a CSI u", "\x1B[97;3u", 0x1E00, ALT},
      {"Shift+a CSI u", "\x1B[97;2u", 0x1E41, SHIFT},
      {"Esc CSI u", "\x1B[27u", 0x011B, PLAIN},
      {"ą CSI u", "\x1B[261u", 0x1EA5, PLAIN},
  });
}

TEST(KeyDecoder, EscWaitsForTheIdleSignalAndEscPlusByteIsAlt) {
  KeyDecoder decoder;
  decoder.Feed("\x1B");
  EXPECT_TRUE(decoder.Take(false).empty());
  EXPECT_TRUE(decoder.Waiting());
  decoder.Feed("x");  // arrived within the delay: Alt+X
  EXPECT_EQ(decoder.Take(false), std::vector{InputRecord::Key(0x2D00, ALT)});
  EXPECT_FALSE(decoder.Waiting());

  decoder.Feed("\x1B");
  EXPECT_TRUE(decoder.Take(false).empty());
  EXPECT_EQ(decoder.Take(true), std::vector{InputRecord::Key(0x011B, PLAIN)});
  decoder.Feed("x");  // after the delay: a plain x
  EXPECT_EQ(decoder.Take(false), std::vector{InputRecord::Key(0x2D78, PLAIN)});

  // Two Esc presses read at once are two Esc keys.
  decoder.Feed("\x1B\x1B");
  EXPECT_TRUE(decoder.Take(false).empty());
  EXPECT_EQ(decoder.Take(true),
            (std::vector{InputRecord::Key(0x011B, PLAIN), InputRecord::Key(0x011B, PLAIN)}));

  // ESC [ with nothing after it is Alt+[.
  decoder.Feed("\x1B[");
  EXPECT_TRUE(decoder.Take(false).empty());
  EXPECT_EQ(decoder.Take(true), std::vector{InputRecord::Key(0x1A00, ALT)});
}

TEST(KeyDecoder, SequencesSplitAcrossReadsAreJoined) {
  const std::vector<std::string> pieces[] = {
      {"\x1B", "[1;5D"},
      {"\x1B[1", ";5D"},
      {"\x1B[1;", "5D"},
      {"\x1B[1;5", "D"},
  };
  for (const auto& split : pieces) {
    KeyDecoder decoder;
    decoder.Feed(split[0]);
    EXPECT_TRUE(decoder.Take(false).empty()) << split[0];
    decoder.Feed(split[1]);
    EXPECT_EQ(decoder.Take(false), std::vector{InputRecord::Key(0x7300, CTRL)}) << split[0];
  }
  KeyDecoder decoder;
  decoder.Feed("a\xC4");  // "ą" cut in the middle, after an "a"
  EXPECT_EQ(decoder.Take(false), std::vector{InputRecord::Key(0x1E61, PLAIN)});
  decoder.Feed(
      "\x85"
      "b\x1BO");
  const auto records = decoder.Take(false);
  EXPECT_EQ(records,
            (std::vector{InputRecord::Key(0x1EA5, PLAIN), InputRecord::Key(0x3062, PLAIN)}));
  decoder.Feed("P");
  EXPECT_EQ(decoder.Take(false), std::vector{InputRecord::Key(0x3B00, PLAIN)});
}

TEST(KeyDecoder, UnknownBrokenAndUntypeableInputIsDroppedWhole) {
  // Each unknown sequence disappears without typing anything, and the key
  // after it still arrives.
  const std::string unknown[] = {
      "\x1B[99~",
      "\x1B[1;5X",
      "\x1B[?1;2c",
      "\x1B[>0;95;0c",
      "\x1B[35~",
      "\x1BOz",
      "\x1B[[Z",
      "\x1B[123456789012345;5u",
      "\x1B[<64;10;5M",  // wheel
      "\x1B[201~",       // a stray paste end
      "\xFF",            // not UTF-8
      "\xC0\x80",        // overlong NUL
      "\xED\xA0\x80",    // a surrogate
      "€",               // not in the code page
      "\xC2\x85",        // a C1 control
  };
  for (const std::string& bytes : unknown) {
    EXPECT_EQ(DecodeAll(bytes + "q"), std::vector{InputRecord::Key(0x1071, PLAIN)})
        << testing::PrintToString(bytes);
  }
  // A sequence broken off by a control byte is dropped up to that byte.
  EXPECT_EQ(DecodeAll("\x1B[1;\r"), std::vector{InputRecord::Key(0x1C0D, PLAIN)});
  // A sequence cut short for good (input idle) leaves nothing.
  EXPECT_TRUE(DecodeAll("\x1B[1;5").empty());
  EXPECT_TRUE(DecodeAll("\xC5").empty());
  // Garbage of every byte value never crashes and never hangs.
  std::string everything;
  for (int value = 0; value < 256; ++value) everything += static_cast<char>(value);
  for (int round = 0; round < 3; ++round) everything += everything;
  KeyDecoder decoder;
  decoder.Feed(everything);
  decoder.Take(false);
  decoder.Take(true);
  EXPECT_FALSE(decoder.Waiting());
}

TEST(KeyDecoder, SgrMouseReportsBecomeButtonMasksAndZeroBasedCells) {
  EXPECT_EQ(DecodeAll("\x1B[<0;1;1M"), std::vector{InputRecord::Mouse(MOUSE_LEFT, 0, 0)});
  EXPECT_EQ(DecodeAll("\x1B[<1;10;5M"), std::vector{InputRecord::Mouse(MOUSE_MIDDLE, 9, 4)});
  EXPECT_EQ(DecodeAll("\x1B[<2;80;25M"), std::vector{InputRecord::Mouse(MOUSE_RIGHT, 79, 24)});
  EXPECT_EQ(DecodeAll("\x1B[<32;12;3M"), std::vector{InputRecord::Mouse(MOUSE_LEFT, 11, 2)});
  EXPECT_EQ(DecodeAll("\x1B[<0;12;3m"), std::vector{InputRecord::Mouse(0, 11, 2)});
  EXPECT_EQ(DecodeAll("\x1B[<16;400;300M"), std::vector{InputRecord::Mouse(MOUSE_LEFT, 255, 255)});
  EXPECT_TRUE(DecodeAll("\x1B[<65;3;3M").empty());
  EXPECT_TRUE(DecodeAll("\x1B[<0;3M").empty());
  // The old form: ESC [ M and three bytes of 32 + value.
  EXPECT_EQ(DecodeAll("\x1B[M !\""), std::vector{InputRecord::Mouse(MOUSE_LEFT, 0, 1)});
  EXPECT_EQ(DecodeAll("\x1B[M#!\""), std::vector{InputRecord::Mouse(0, 0, 1)});
}

TEST(KeyDecoder, BracketedPasteArrivesAsTypedCharacters) {
  KeyDecoder decoder;
  decoder.Feed("\x1B[200~Ał\x1B[A\tx\r\n");
  EXPECT_EQ(decoder.Take(false),
            (std::vector{InputRecord::Key(0x1E41, SHIFT), InputRecord::Key(0x2688, PLAIN),
                         InputRecord::Key(0x1A5B, PLAIN), InputRecord::Key(0x1E41, SHIFT),
                         InputRecord::Key(0x2D78, PLAIN)}));
  EXPECT_FALSE(decoder.Waiting());  // a paste does not call for the short delay
  decoder.Feed("\x1B[20");          // the end marker split across reads
  EXPECT_TRUE(decoder.Take(false).empty());
  decoder.Feed("1~\x1B[A");
  EXPECT_EQ(decoder.Take(false), std::vector{InputRecord::Key(0x4800, PLAIN)});
}

TEST(KeyDecoder, APasteEndMarkerSplitAtAnyByteEndsThePaste) {
  const std::string marker = "\x1B[201~";
  for (std::size_t at = 0; at <= marker.size(); ++at) {
    SCOPED_TRACE(at);
    KeyDecoder decoder;
    decoder.Feed("\x1B[200~ab" + marker.substr(0, at));
    std::vector<InputRecord> records = decoder.Take(false);
    decoder.Feed(marker.substr(at) + "\x1B[A");
    const std::vector<InputRecord> rest = decoder.Take(false);
    records.insert(records.end(), rest.begin(), rest.end());
    EXPECT_EQ(records,
              (std::vector{InputRecord::Key(0x1E61, PLAIN), InputRecord::Key(0x3062, PLAIN),
                           InputRecord::Key(0x4800, PLAIN)}));
  }
}

}  // namespace
}  // namespace zq::platform
