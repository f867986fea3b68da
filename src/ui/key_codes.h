#pragma once
// Key codes the toolkit tests: PC scan code * 256 + the CP852 character (0 for
// keys without one).

#include <cstdint>

namespace zq::ui {

inline constexpr std::uint16_t KB_ESC = 0x011B;
inline constexpr std::uint16_t KB_ENTER = 0x1C0D;
inline constexpr std::uint16_t KB_CTRL_ENTER = 0x1C0A;
inline constexpr std::uint16_t KB_SPACE = 0x3920;
inline constexpr std::uint16_t KB_TAB = 0x0F09;
inline constexpr std::uint16_t KB_SHIFT_TAB = 0x0F00;
inline constexpr std::uint16_t KB_BACKSPACE = 0x0E08;
inline constexpr std::uint16_t KB_F1 = 0x3B00;
inline constexpr std::uint16_t KB_F5 = 0x3F00;
inline constexpr std::uint16_t KB_F10 = 0x4400;
inline constexpr std::uint16_t KB_UP = 0x4800;
inline constexpr std::uint16_t KB_DOWN = 0x5000;
inline constexpr std::uint16_t KB_LEFT = 0x4B00;
inline constexpr std::uint16_t KB_RIGHT = 0x4D00;
inline constexpr std::uint16_t KB_HOME = 0x4700;
inline constexpr std::uint16_t KB_END = 0x4F00;
inline constexpr std::uint16_t KB_PGUP = 0x4900;
inline constexpr std::uint16_t KB_PGDN = 0x5100;
inline constexpr std::uint16_t KB_INSERT = 0x5200;
inline constexpr std::uint16_t KB_DELETE = 0x5300;
inline constexpr std::uint16_t KB_CTRL_LEFT = 0x7300;
inline constexpr std::uint16_t KB_CTRL_RIGHT = 0x7400;
inline constexpr std::uint16_t KB_CTRL_INSERT = 0x9200;
// Not a key of the keyboard: GetEvent makes it from Insert with Shift held.
inline constexpr std::uint16_t KB_SHIFT_INSERT = 0x0500;
inline constexpr std::uint16_t KB_CTRL_T = 0x1414;
inline constexpr std::uint16_t KB_CTRL_N = 0x310E;
inline constexpr std::uint16_t KB_CTRL_I = 0x1709;
inline constexpr std::uint16_t KB_CTRL_Q = 0x1011;
inline constexpr std::uint16_t KB_CTRL_Y = 0x1519;
inline constexpr std::uint16_t KB_CTRL_P = 0x1910;
inline constexpr std::uint16_t KB_CTRL_K = 0x250B;
inline constexpr std::uint16_t KB_CTRL_W = 0x1117;
inline constexpr std::uint16_t KB_CTRL_D = 0x2004;
inline constexpr std::uint16_t KB_CTRL_M = 0x320D;
inline constexpr std::uint16_t KB_GRAY_PLUS = 0x4E2B;
inline constexpr std::uint16_t KB_GRAY_MINUS = 0x4A2D;
// Small letters, as the log's questions take them (A, B, N, T, W, X).
inline constexpr std::uint16_t KB_SMALL_A = 0x1E61;
inline constexpr std::uint16_t KB_SMALL_B = 0x3062;
inline constexpr std::uint16_t KB_SMALL_N = 0x316E;
inline constexpr std::uint16_t KB_SMALL_T = 0x1474;
inline constexpr std::uint16_t KB_SMALL_W = 0x1177;
inline constexpr std::uint16_t KB_SMALL_X = 0x2D78;
inline constexpr std::uint16_t KB_CAPITAL_N = 0x314E;
inline constexpr std::uint16_t KB_CAPITAL_X = 0x2D58;
inline constexpr std::uint16_t KB_ZERO = 0x0B30;

}  // namespace zq::ui
