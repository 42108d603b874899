#pragma once
// A match: lives, score, victories and the round clock, with the arithmetic
// of a round's points and the clock's caption.

#include <array>
#include <cstdint>
#include <string>

#include "core/common/Colore.h"

namespace velmo {

struct MatchState {
  static constexpr std::int16_t viteIniziali = 3;

  std::int16_t lives = viteIniziali;
  std::int32_t score = 0;
  // 1 = the player, 2 = the computer.
  std::array<std::int16_t, 2> victories{};
  std::int16_t clockMinutes = 0;
  std::int16_t clockSeconds = 0;

  std::int16_t& vittorie(int chi) { return victories.at(static_cast<std::size_t>(chi - 1)); }
};

// How a round ended.
enum class Risultato { giocatore, computer, pareggio };

// 100 x free cells - 3 x seconds, in 16-bit arithmetic (throws
// std::overflow_error where 16 bits would overflow).
std::int16_t puntiRound(std::int16_t freeCells, std::int16_t minuti, std::int16_t secondi);

// The clock's caption: "00 : 07", "12 : 45".
std::string testoOrologio(int minuti, int secondi);
inline constexpr const char* testoOrologioLimite = "60 : 00";
inline constexpr const char* testoOrologioIniziale = "00 : 00";

// The colours the clock may take at the limit, for draws 1..6 of 1..15.
inline constexpr std::array<Colore, 6> coloriOrologioLimite = {{
    {255, 0, 0},
    {0, 128, 0},
    {255, 255, 255},
    {0, 0, 192},
    {255, 255, 128},
    {128, 0, 128},
}};

}  // namespace velmo
