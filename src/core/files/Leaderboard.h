#pragma once
// The five best matches, as stored in the settings file (every field is the
// stored text), and the rules that enter a new match.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmo {

struct LeaderboardEntry {
  std::string Nome, Info, Punteggio;
};

// Places 1 (best) to 5.
using Leaderboard = std::array<LeaderboardEntry, 5>;

// The longest name stored.
inline constexpr std::size_t lunghezzaMassimaNome = 12;

// A trimmed, non-empty answer as the leaderboard stores it: cut to its first
// 12 characters (not trimmed again), lower case, then the first character
// and each character after a blank in upper case. Characters are those of
// the files' code page; one outside it becomes "?".
std::string nomeNormalizzato(std::string_view nome);

// The place, 1 to 5, of a score by the numeric values of the stored scores:
// the first of "P5 <= score < P4: 5", "P4 <= score < P3: 4", ... "P1 <=
// score: 1" that holds, so an equal score goes above the stored one. 0 for
// a score below place 5's, which enters nowhere.
std::int16_t postoInClassifica(const Leaderboard& classifica, std::int32_t punteggio);

// Puts the entry at the place, moving the ones from there down by one; the
// old fifth entry is lost.
void inserisciInClassifica(Leaderboard& classifica, int posto, LeaderboardEntry voce);

// "1 vittoria", "0 vittorie", "3 vittorie".
std::string testoVittorie(int vittorie);

}  // namespace velmo
