#pragma once
// The product's name, version and project date, as every caption, message
// and file of the program writes them.

namespace velmo::prodotto {

inline constexpr const char* nome = "Brenvo Velmo";
inline constexpr const char* versione = "2.0";
inline constexpr const char* dataProgetto = "11 Novembre 2002";

// Where and by whom the program was made: the splash, the about window and
// the credits all name the same place and the same author. The author is a
// name without an article, so that "realizzato da" reads well before it.
inline constexpr const char* luogo = "Trieste";
inline constexpr const char* autore = "Brenvo";

// The maker's addresses, reserved example addresses: the credits, the link
// labels and the intro show all read them from here. The contact is the
// 14 characters the intro show types out.
inline constexpr const char* emailAutore = "bv@example.org";
inline constexpr const char* sitoWeb = "https://www.example.org/velmo";

}  // namespace velmo::prodotto
