#pragma once
// Key codes as the windows' key handlers receive them: the virtual-key codes
// of the program's original system, the same on every platform.

#include <string>

namespace velmo::codiceTasto {

inline constexpr int invio = 13, esc = 27, spazio = 32;
inline constexpr int cifra0 = 48, cifra1 = 49, cifra9 = 57;  // main keyboard "0".."9"
inline constexpr int tastierino0 = 96;                      // keypad "0"; "9" is 105
inline constexpr int tab = 9, fine = 35, inizio = 36, sinistra = 37, su = 38, destra = 39, giu = 40;
inline constexpr int F1 = 112, F2 = 113, F3 = 114, F4 = 115, F5 = 116, F6 = 117, F7 = 118, F24 = 135;

constexpr bool funzione(int codice) { return codice >= F1 && codice <= F24; }
// "F2" for F2: the name a menu item's accelerator is written with; "" for
// any other key.
inline std::string nomeFunzione(int codice) {
  return funzione(codice) ? "F" + std::to_string(codice - F1 + 1) : std::string();
}

}  // namespace velmo::codiceTasto
