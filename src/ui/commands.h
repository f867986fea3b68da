#pragma once
// Command codes of dialogs and boxes.

#include <cstdint>

namespace zq::ui {

// The answers of boxes, and the commands of their buttons.
inline constexpr std::uint16_t CM_YES = 0xDD01;
inline constexpr std::uint16_t CM_NO = 0xDD02;
inline constexpr std::uint16_t CM_OK = 0xDD03;
inline constexpr std::uint16_t CM_CANCEL = 0xDD04;
// Two more codes that end a dialog; the system gives them no meaning of its own.
inline constexpr std::uint16_t CM_END_A = 0xDD05;
inline constexpr std::uint16_t CM_END_B = 0xDD07;
// Moves the focus to the control whose index the event carries.
inline constexpr std::uint16_t CM_FOCUS = 0xDD06;

// The list's commands; the dialog that owns the list handles them.
inline constexpr std::uint16_t CM_LIST_DELETE = 0xF403;
inline constexpr std::uint16_t CM_LIST_ALT_CHOOSE = 0xF404;
inline constexpr std::uint16_t CM_LIST_CHOOSE = 0xF405;
inline constexpr std::uint16_t CM_LIST_INSERT = 0xF406;

// Commands after which a dialog's modal loop ends.
constexpr bool EndsDialog(std::uint16_t command) {
  return (command >= CM_YES && command <= CM_END_A) || command == CM_END_B;
}

}  // namespace zq::ui
