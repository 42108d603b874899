#include "core/rules/MatchState.h"

#include <limits>
#include <stdexcept>

#include "core/common/Conversioni.h"

namespace velmo {

namespace {

// Every intermediate result must fit 16 bits, as the points are computed in
// 16-bit integers.
std::int16_t corto(long v) {
  if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
    throw std::overflow_error("Overflow");
  return static_cast<std::int16_t>(v);
}

}  // namespace

std::int16_t puntiRound(std::int16_t freeCells, std::int16_t minuti, std::int16_t secondi) {
  const std::int16_t celle = corto(100L * freeCells);
  const std::int16_t tempo = corto(corto(60L * minuti) + long{secondi});
  return corto(long{celle} - corto(3L * tempo));
}

std::string testoOrologio(int minuti, int secondi) { return dueCifre(minuti) + " : " + dueCifre(secondi); }

}  // namespace velmo
