// The key codes the trainer reads: one byte each. Ordinary keys give their
// code page 437 character; cursor and function keys give their DOS scan
// code with ExtendedKey set (there is no leading zero byte), so 'H' is Up
// only when ExtendedKey says so.
#pragma once

#include <cstdint>

namespace qs::keycode {

// Ordinary keys.
inline constexpr char Backspace = 8;
inline constexpr char Tab = 9;
inline constexpr char Return = 13;
inline constexpr char Esc = 27;
inline constexpr char Space = ' ';

// Extended keys (ExtendedKey set).
inline constexpr char F1 = 59;  // ';'
inline constexpr char F2 = 60;
inline constexpr char F3 = 61;
inline constexpr char F4 = 62;
inline constexpr char F5 = 63;  // '?'
inline constexpr char F6 = 64;
inline constexpr char F7 = 65;
inline constexpr char F8 = 66;     // 'B'
inline constexpr char F9 = 67;     // 'C'
inline constexpr char Home = 71;   // 'G'
inline constexpr char Up = 72;     // 'H'
inline constexpr char PgUp = 73;   // 'I'
inline constexpr char Left = 75;   // 'K'
inline constexpr char Right = 77;  // 'M'
inline constexpr char End = 79;    // 'O'
inline constexpr char Down = 80;   // 'P'
inline constexpr char PgDn = 81;   // 'Q'
inline constexpr char Insert = 82;
inline constexpr char Del = 83;  // 'S'
// F10 opens the speed dialog; only the exclusive surface passes it on, as 93.
inline constexpr char F10 = 93;
inline constexpr char F11 = static_cast<char>(133);
inline constexpr char F12 = static_cast<char>(134);

// A key code as the unsigned byte it is.
constexpr uint8_t Byte(char code) { return static_cast<uint8_t>(code); }

}  // namespace qs::keycode
