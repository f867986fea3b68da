#include "platform/key_decoder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/cp852.h"
#include "platform/pc_keyboard.h"

namespace zq::platform {
namespace {

constexpr char ESC = '\x1B';
constexpr std::string_view PASTE_END = "\x1B[201~";

using namespace pc;

// A C0 control byte (other than ESC) as the key that sends it. Ctrl+M cannot
// be told from Enter, nor Ctrl+I from Tab, nor Ctrl+H from Backspace: the
// terminal sends the same byte. LF is what terminals send for Ctrl+Enter.
Pressed ControlKey(unsigned char byte) {
  switch (byte) {
    case 0x08:
    case 0x7F:
      return Named(Key::BACKSPACE);
    case 0x09:
      return Named(Key::TAB);
    case 0x0A:
      return Named(Key::ENTER, WITH_CTRL);
    case 0x0D:
      return Named(Key::ENTER);
    case 0x00:
      return Character(' ', WITH_CTRL);
    case 0x1C:
      return Character('\\', WITH_CTRL);
    case 0x1D:
      return Character(']', WITH_CTRL);
    case 0x1E:
      return Character('6', WITH_CTRL);
    case 0x1F:
      return Character('-', WITH_CTRL);
    default:
      return Character(static_cast<unsigned char>(byte + 0x60), WITH_CTRL);
  }
}

// A key reported by its Unicode code point (CSI u, CSI 27;m;c ~).
std::optional<Pressed> CodePointKey(unsigned codePoint, unsigned modifiers) {
  switch (codePoint) {
    case 27:
      return Named(Key::ESCAPE, modifiers);
    case 13:
      return Named(Key::ENTER, modifiers);
    case 9:
      return Named(Key::TAB, modifiers);
    case 8:
    case 127:
      return Named(Key::BACKSPACE, modifiers);
    default:
      break;
  }
  if (codePoint < 0x20) {
    Pressed key = ControlKey(static_cast<unsigned char>(codePoint));
    key.modifiers |= modifiers;
    return key;
  }
  const auto byte = UnicodeToCp852(static_cast<char32_t>(codePoint));
  if (!byte || *byte < 0x20 || *byte == 0x7F) return std::nullopt;
  const char character =
      (modifiers & WITH_SHIFT) ? UpCasePL(static_cast<char>(*byte)) : static_cast<char>(*byte);
  return Character(static_cast<unsigned char>(character), modifiers);
}

// ---- Parsing -------------------------------------------------------------

struct Parsed {
  enum class Status { KEY, MOUSE, DROPPED, NEED_MORE, PASTE_BEGIN } status = Status::DROPPED;
  std::size_t length = 0;
  Pressed key;
  MouseRecord mouse;
};

Parsed KeyOf(Pressed key, std::size_t length) {
  return {Parsed::Status::KEY, length, key, {}};
}
Parsed Dropped(std::size_t length) {
  return {Parsed::Status::DROPPED, length, {}, {}};
}
Parsed NeedMore() {
  return {Parsed::Status::NEED_MORE, 0, {}, {}};
}

// xterm's modifier parameter: 1 + (Shift 1 | Alt 2 | Ctrl 4 | Meta 8).
unsigned ModifiersOf(unsigned parameter) {
  if (parameter <= 1) return 0;
  const unsigned bits = parameter - 1;
  unsigned modifiers = 0;
  if (bits & 1u) modifiers |= WITH_SHIFT;
  if (bits & (2u | 8u)) modifiers |= WITH_ALT;  // Alt or Meta
  if (bits & 4u) modifiers |= WITH_CTRL;
  return modifiers;
}

// Numeric parameters separated by ';'; sub-parameters after ':' are
// skipped. Absent parameters are 0, huge ones saturate.
std::vector<unsigned> NumbersOf(std::string_view parameters) {
  std::vector<unsigned> numbers(1, 0);
  bool inSubParameter = false;
  for (char c : parameters) {
    if (c == ';') {
      numbers.push_back(0);
      inSubParameter = false;
    } else if (c == ':') {
      inSubParameter = true;
    } else if (c >= '0' && c <= '9' && !inSubParameter) {
      unsigned& number = numbers.back();
      number = std::min(number * 10u + static_cast<unsigned>(c - '0'), 1'000'000u);
    }
  }
  return numbers;
}

unsigned ParameterAt(const std::vector<unsigned>& numbers, std::size_t index) {
  return index < numbers.size() ? numbers[index] : 0;
}

// A final byte that names a key, with modifiers that the form itself implies.
struct FinalKey {
  char final;
  Key key;
  unsigned modifiers;
};

constexpr FinalKey CSI_KEYS[] = {
    {'A', Key::UP, 0},
    {'B', Key::DOWN, 0},
    {'C', Key::RIGHT, 0},
    {'D', Key::LEFT, 0},
    {'H', Key::HOME, 0},
    {'F', Key::END, 0},
    {'E', Key::CENTRE, 0},
    {'G', Key::CENTRE, 0},  // the Linux console
    {'P', Key::F1, 0},
    {'Q', Key::F2, 0},
    {'R', Key::F3, 0},
    {'S', Key::F4, 0},
    {'Z', Key::TAB, WITH_SHIFT},
    // rxvt: Shift+arrows
    {'a', Key::UP, WITH_SHIFT},
    {'b', Key::DOWN, WITH_SHIFT},
    {'c', Key::RIGHT, WITH_SHIFT},
    {'d', Key::LEFT, WITH_SHIFT},
};

constexpr FinalKey SS3_KEYS[] = {
    {'A', Key::UP, 0},
    {'B', Key::DOWN, 0},
    {'C', Key::RIGHT, 0},
    {'D', Key::LEFT, 0},
    {'H', Key::HOME, 0},
    {'F', Key::END, 0},
    {'E', Key::CENTRE, 0},
    {'P', Key::F1, 0},
    {'Q', Key::F2, 0},
    {'R', Key::F3, 0},
    {'S', Key::F4, 0},
    // rxvt: Ctrl+arrows
    {'a', Key::UP, WITH_CTRL},
    {'b', Key::DOWN, WITH_CTRL},
    {'c', Key::RIGHT, WITH_CTRL},
    {'d', Key::LEFT, WITH_CTRL},
    // the keypad in application mode
    {'M', Key::ENTER, 0},
    {'k', Key::KEYPAD_PLUS, 0},
    {'m', Key::KEYPAD_MINUS, 0},
    {'j', Key::KEYPAD_STAR, 0},
    {'o', Key::KEYPAD_SLASH, 0},
    {'n', Key::KEYPAD_DOT, 0},
    {'p', Key::KEYPAD_0, 0},
    {'q', Key::KEYPAD_1, 0},
    {'r', Key::KEYPAD_2, 0},
    {'s', Key::KEYPAD_3, 0},
    {'t', Key::KEYPAD_4, 0},
    {'u', Key::KEYPAD_5, 0},
    {'v', Key::KEYPAD_6, 0},
    {'w', Key::KEYPAD_7, 0},
    {'x', Key::KEYPAD_8, 0},
    {'y', Key::KEYPAD_9, 0},
};

// vt220 numbers of ESC [ n ~. The Linux console and rxvt send F13 to F20
// (25 to 34) for Shift+F3 to Shift+F10; their Shift+F1 and Shift+F2 cannot be
// told from F11 and F12.
struct TildeKey {
  unsigned number;
  Key key;
  unsigned modifiers = 0;
};
constexpr TildeKey TILDE_KEYS[] = {
    {1, Key::HOME},
    {2, Key::INSERT},
    {3, Key::DEL},
    {4, Key::END},
    {5, Key::PAGE_UP},
    {6, Key::PAGE_DOWN},
    {7, Key::HOME},
    {8, Key::END},
    {11, Key::F1},
    {12, Key::F2},
    {13, Key::F3},
    {14, Key::F4},
    {15, Key::F5},
    {17, Key::F6},
    {18, Key::F7},
    {19, Key::F8},
    {20, Key::F9},
    {21, Key::F10},
    {23, Key::F11},
    {24, Key::F12},
    {25, Key::F3, WITH_SHIFT},
    {26, Key::F4, WITH_SHIFT},
    {28, Key::F5, WITH_SHIFT},
    {29, Key::F6, WITH_SHIFT},
    {31, Key::F7, WITH_SHIFT},
    {32, Key::F8, WITH_SHIFT},
    {33, Key::F9, WITH_SHIFT},
    {34, Key::F10, WITH_SHIFT},
};

template <typename Table>
const FinalKey* FindFinal(const Table& table, char final) {
  const auto* found = std::find_if(std::begin(table), std::end(table),
                                   [final](const FinalKey& key) { return key.final == final; });
  return found == std::end(table) ? nullptr : found;
}

std::uint8_t ClampCell(unsigned oneBased) {
  return static_cast<std::uint8_t>(std::min(oneBased == 0 ? 0u : oneBased - 1u, 255u));
}

// The button mask of a mouse report's button number (0 left, 1 middle, 2
// right, 3 none); wheel and extra buttons (64 and up) are not reported.
std::optional<std::uint16_t> ButtonsOf(unsigned report, bool released) {
  if (report >= 64) return std::nullopt;
  if (released) return std::uint16_t{0};
  constexpr std::uint16_t MASKS[] = {MOUSE_LEFT, MOUSE_MIDDLE, MOUSE_RIGHT, 0};
  return MASKS[report & 3u];
}

Parsed MouseOf(std::optional<std::uint16_t> buttons, unsigned x, unsigned y, std::size_t length) {
  if (!buttons) return Dropped(length);
  return {Parsed::Status::MOUSE, length, {}, {*buttons, ClampCell(x), ClampCell(y)}};
}

// ESC [ <parameters> <final>, the whole sequence in `text`.
Parsed InterpretCsi(std::string_view parameters, char final, std::size_t length) {
  const bool privateMarker = !parameters.empty() && parameters[0] >= '<' && parameters[0] <= '?';
  const std::vector<unsigned> numbers =
      NumbersOf(privateMarker ? parameters.substr(1) : parameters);
  if (privateMarker) {
    if (parameters[0] == '<' && (final == 'M' || final == 'm') && numbers.size() == 3) {
      return MouseOf(ButtonsOf(numbers[0], final == 'm'), numbers[1], numbers[2], length);
    }
    return Dropped(length);
  }
  const unsigned modifiers = ModifiersOf(ParameterAt(numbers, 1));
  if (final == 'u') {
    const auto key = CodePointKey(numbers[0], modifiers);
    return key ? KeyOf(*key, length) : Dropped(length);
  }
  // rxvt marks Shift, Ctrl and both by the final byte of the vt220 forms.
  constexpr std::string_view TILDE_FINALS = "~$^@";
  constexpr unsigned TILDE_MODIFIERS[] = {0, WITH_SHIFT, WITH_CTRL, WITH_CTRL | WITH_SHIFT};
  if (const std::size_t form = TILDE_FINALS.find(final); form != std::string_view::npos) {
    const unsigned number = numbers[0];
    if (number == 200) return {Parsed::Status::PASTE_BEGIN, length, {}, {}};
    if (number == 27 && numbers.size() >= 3) {  // xterm modifyOtherKeys
      const auto key = CodePointKey(numbers[2], modifiers);
      return key ? KeyOf(*key, length) : Dropped(length);
    }
    for (const TildeKey& entry : TILDE_KEYS) {
      if (entry.number == number) {
        return KeyOf(Named(entry.key, modifiers | entry.modifiers | TILDE_MODIFIERS[form]), length);
      }
    }
    return Dropped(length);
  }
  if (const FinalKey* entry = FindFinal(CSI_KEYS, final)) {
    return KeyOf(Named(entry->key, modifiers | entry->modifiers), length);
  }
  return Dropped(length);
}

bool IsParameterByte(char c) {
  return c >= 0x30 && c <= 0x3F;
}
bool IsFinalByte(char c) {
  return c >= 0x40 && c <= 0x7E;
}

Parsed ParseCsi(std::string_view text) {
  if (text.size() < 3) return NeedMore();
  if (text[2] == '[') {  // Linux console: ESC [ [ A .. E are F1 .. F5
    if (text.size() < 4) return NeedMore();
    if (text[3] >= 'A' && text[3] <= 'E') return KeyOf(Named(FunctionKey(text[3] - 'A' + 1)), 4);
    return Dropped(IsFinalByte(text[3]) ? 4 : 3);
  }
  if (text[2] == 'M') {  // a mouse report in the old form: three bytes of 32 + value
    if (text.size() < 6) return NeedMore();
    const auto value = [&](std::size_t i) { return static_cast<unsigned char>(text[i]) - 32u; };
    const unsigned report = value(3);
    return MouseOf(ButtonsOf(report, (report & 3u) == 3u), value(4), value(5), 6);
  }
  std::size_t end = 2;
  while (end < text.size() && IsParameterByte(text[end])) ++end;
  // Intermediate bytes ('$' closes rxvt's Shift forms instead).
  while (end < text.size() && text[end] >= 0x20 && text[end] <= 0x2F && text[end] != '$') ++end;
  if (end == text.size()) return NeedMore();
  const char final = text[end];
  if (!IsFinalByte(final) && final != '$') return Dropped(end);  // broken off by another byte
  return InterpretCsi(text.substr(2, end - 2), final, end + 1);
}

Parsed ParseSs3(std::string_view text) {
  std::size_t end = 2;
  while (end < text.size() && IsParameterByte(text[end])) ++end;
  if (end == text.size()) return NeedMore();
  const char final = text[end];
  if (!IsFinalByte(final)) return Dropped(end);
  // Old forms put the modifier alone: ESC O 5 D.
  const std::vector<unsigned> numbers = NumbersOf(text.substr(2, end - 2));
  const unsigned modifiers = ModifiersOf(numbers.back());
  if (const FinalKey* entry = FindFinal(SS3_KEYS, final)) {
    return KeyOf(Named(entry->key, modifiers | entry->modifiers), end + 1);
  }
  return Dropped(end + 1);
}

Parsed ParseOne(std::string_view text, bool inputIdle);

Parsed WithAlt(Parsed parsed) {
  if (parsed.status == Parsed::Status::NEED_MORE) return parsed;
  ++parsed.length;
  parsed.key.modifiers |= WITH_ALT;
  return parsed;
}

Parsed ParseEscape(std::string_view text, bool inputIdle) {
  if (text.size() == 1) return inputIdle ? KeyOf(Named(Key::ESCAPE), 1) : NeedMore();
  const char next = text[1];
  if (next == '[' || next == 'O') {
    const Parsed parsed = next == '[' ? ParseCsi(text) : ParseSs3(text);
    if (parsed.status != Parsed::Status::NEED_MORE || !inputIdle) return parsed;
    // Nothing more came: ESC [ or ESC O alone was Alt with that key; a
    // longer sequence cut short is dropped.
    if (text.size() == 2) return WithAlt(ParseOne(text.substr(1), inputIdle));
    return Dropped(text.size());
  }
  if (next == ESC) {
    // ESC ESC [ ... is Alt with a key that sends a sequence; otherwise the
    // first ESC was the Esc key on its own.
    if (text.size() == 2 && !inputIdle) return NeedMore();
    if (text.size() > 2 && (text[2] == '[' || text[2] == 'O')) {
      return WithAlt(ParseEscape(text.substr(1), inputIdle));
    }
    return KeyOf(Named(Key::ESCAPE), 1);
  }
  // The Linux console sends ESC Tab for Shift+Tab. Alt+Tab sends the same
  // there, but nearly everywhere it belongs to the window manager.
  if (next == '\t') return KeyOf(Named(Key::TAB, WITH_SHIFT), 2);
  return WithAlt(ParseOne(text.substr(1), inputIdle));
}

Parsed ParseUtf8(std::string_view text, bool inputIdle) {
  const Utf8Char decoded = DecodeUtf8(text);
  if (!decoded.complete) return inputIdle ? Dropped(text.size()) : NeedMore();
  if (!decoded.valid) return Dropped(decoded.length);
  const auto key = CodePointKey(decoded.code, 0);
  return key ? KeyOf(*key, decoded.length) : Dropped(decoded.length);
}

// One key, mouse report or dropped piece at the start of a non-empty text.
Parsed ParseOne(std::string_view text, bool inputIdle) {
  const auto byte = static_cast<unsigned char>(text[0]);
  if (byte == ESC) return ParseEscape(text, inputIdle);
  if (byte < 0x20 || byte == 0x7F) return KeyOf(ControlKey(byte), 1);
  if (byte < 0x80) return KeyOf(Character(byte), 1);
  return ParseUtf8(text, inputIdle);
}

// The length of the longest end of `text` that begins the paste end marker.
std::size_t PartialMarkerLength(std::string_view text) {
  for (std::size_t length = std::min(text.size(), PASTE_END.size() - 1); length > 0; --length) {
    if (PASTE_END.starts_with(text.substr(text.size() - length))) return length;
  }
  return 0;
}

}  // namespace

std::size_t KeyDecoder::TakePaste(std::string_view text, bool inputIdle,
                                  std::vector<InputRecord>& out) {
  const std::size_t marker = text.find(PASTE_END);
  const std::size_t end =
      marker != std::string_view::npos ? marker : text.size() - PartialMarkerLength(text);
  std::string_view pasted = text.substr(0, end);
  while (!pasted.empty()) {
    const Utf8Char decoded = DecodeUtf8(pasted);
    if (!decoded.complete && !inputIdle && marker == std::string_view::npos) break;
    if (decoded.valid && decoded.code >= 0x20 && decoded.code != 0x7F) {
      if (const auto byte = UnicodeToCp852(decoded.code)) out.push_back(ToRecord(Character(*byte)));
    }
    pasted.remove_prefix(decoded.length);
  }
  if (marker == std::string_view::npos) return end - pasted.size();
  inPaste_ = false;
  return marker + PASTE_END.size();
}

std::vector<InputRecord> KeyDecoder::Take(bool inputIdle) {
  std::vector<InputRecord> records;
  std::string_view text = pending_;
  while (!text.empty()) {
    if (inPaste_) {
      const std::size_t taken = TakePaste(text, inputIdle, records);
      text.remove_prefix(taken);
      if (inPaste_) break;
      continue;
    }
    const Parsed parsed = ParseOne(text, inputIdle);
    if (parsed.status == Parsed::Status::NEED_MORE) break;
    switch (parsed.status) {
      case Parsed::Status::KEY:
        records.push_back(ToRecord(parsed.key));
        break;
      case Parsed::Status::MOUSE:
        records.push_back(
            InputRecord::Mouse(parsed.mouse.buttons, parsed.mouse.column, parsed.mouse.row));
        break;
      case Parsed::Status::PASTE_BEGIN:
        inPaste_ = true;
        break;
      default:
        break;
    }
    text.remove_prefix(parsed.length);
  }
  pending_.erase(0, pending_.size() - text.size());
  return records;
}

}  // namespace zq::platform
