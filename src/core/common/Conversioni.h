#pragma once
// Text and number conversions the program relies on, with the behaviour of
// the original runtime: a blank before non-negative numbers, the leading
// number of a text, banker's rounding, and single precision printed with at
// most seven significant digits.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmo {

// " 62", "-5": the number with a blank in place of the sign when non-negative.
std::string testoNumero(std::int64_t n);

// Single precision with at most 7 significant digits and no trailing zeros,
// a blank before a non-negative value: " 98.4127", " 7.936508", " 1E-05".
std::string testoSingolo(float f);

// Blanks removed from both ends (blanks only, as the runtime's Trim does).
std::string taglia(std::string_view s);

// The leading number of the trimmed text: sign, digits, fraction and
// exponent; 0 when the text does not begin with a number.
double valoreIniziale(std::string_view s);

// Rounding to whole numbers with halves sent to the even neighbour.
// Throws std::overflow_error when the result leaves the type's range.
std::int16_t interoCorto(double x);
std::int32_t interoLungo(double x);

// A file name with its extension: as it is when its last characters are the
// extension whatever their case ("partita.VL2", "partitavl2"), else with a
// "." and the extension added ("partita" -> "partita.vl2").
std::string conEstensione(std::string_view nome, std::string_view estensione);

// Two digits, a "0" in front below 10: 7 -> "07", 45 -> "45".
std::string dueCifre(int n);

}  // namespace velmo
