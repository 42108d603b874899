#pragma once
// The computer's judgement: fifteen pattern rules tried in a freshly drawn
// order, the open pair in a row always last.

#include <array>
#include <cstdint>
#include <optional>

#include "core/rules/Grid.h"

namespace velmo {

class Casuale;

inline constexpr int numeroRegole = 15;
// Places 1..15 of the order hold rule numbers; place 15 always holds rule 15.
using OrdineRegole = std::array<int, numeroRegole>;

// Rules 1..14 in a random order (redrawing repeats), rule 15 last.
OrdineRegole pfuncOrdineRegole(Casuale& casuale);

// The column (1..9) of the first match of rule `regola` (1..15) on the board,
// or nullopt.
std::optional<int> pfuncApplicaRegola(const Grid& g, int regola);

// The column of the first rule in `ordine` that matches; 0 when none does.
std::int16_t pfuncColonnaComputer(const Grid& g, const OrdineRegole& ordine);

}  // namespace velmo
