#pragma once
// The product's name, version and project date, as every caption, message
// and file of the program writes them.

namespace velmo::prodotto {

inline constexpr const char* nome = "Brenvo Velmo";
inline constexpr const char* versione = "2.0";
inline constexpr const char* dataProgetto = "11 Novembre 2002";

}  // namespace velmo::prodotto
