#pragma once
// The five best matches, as stored in the settings file: every field is the
// stored text.

#include <array>
#include <string>

namespace velmo {

struct LeaderboardEntry {
  std::string Nome, Info, Punteggio;
};

// Places 1 (best) to 5.
using Leaderboard = std::array<LeaderboardEntry, 5>;

}  // namespace velmo
