#pragma once
// The product's name, version and project date, as every caption, message
// and file of the program writes them.

namespace velmo::prodotto {

inline constexpr const char* nome = "Brenvo Velmo";
inline constexpr const char* versione = "2.0";
inline constexpr const char* dataProgetto = "11 Novembre 2002";

// The maker's addresses, reserved example addresses: the credits, the link
// labels and the intro show all read them from here. The contact is the
// 14 characters the intro show types out.
inline constexpr const char* emailAutore = "bv@example.org";
inline constexpr const char* sitoWeb = "https://www.example.org/velmo";

}  // namespace velmo::prodotto
