#pragma once
// The event record that GetEvent fills and dialogs and boxes consume: a key,
// a mouse click or a command (from a hint-line entry or a control).

#include <cstdint>

namespace zq::ui {

enum class EventKind : std::uint8_t { NONE, KEY, MOUSE, COMMAND };

struct Event {
  EventKind kind = EventKind::NONE;

  // A key. `flag` is 1 for an extended key without a character (its
  // character is then a blank).
  std::uint8_t flag = 0;
  std::uint8_t character = 0;
  std::uint8_t state = 0;
  std::uint16_t keyCode = 0;

  // A mouse click: the buttons held (1 left, 2 right), the 1-based screen
  // cell, and the cell relative to the current text region (1-based).
  std::uint16_t buttons = 0;
  int screenColumn = 0;
  int screenRow = 0;
  int column = 0;
  int row = 0;

  // A command, with the 1-based control index for CM_FOCUS.
  std::uint16_t command = 0;
  int focusIndex = 0;

  bool IsKey(std::uint16_t code) const { return kind == EventKind::KEY && keyCode == code; }
  bool IsCommand(std::uint16_t code) const { return kind == EventKind::COMMAND && command == code; }
  bool IsLeftClick() const { return kind == EventKind::MOUSE && buttons == 1; }
  // A key that carries a character of its own.
  bool IsCharacter() const { return kind == EventKind::KEY && flag == 0; }
  void Clear() { *this = Event{}; }
  void MakeCommand(std::uint16_t code) {
    Clear();
    kind = EventKind::COMMAND;
    command = code;
  }

  static Event Command(std::uint16_t code, int index = 0) {
    Event event;
    event.MakeCommand(code);
    event.focusIndex = index;
    return event;
  }
};

}  // namespace zq::ui
