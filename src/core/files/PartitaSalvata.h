#pragma once
// The saved game's keys and values: a match's state written as code words
// and as numbers shifted by fixed offsets, and read back with the checks
// that refuse a file someone has changed. Text to state and back; reading
// and writing the file itself is the file routines' work.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/rules/Grid.h"
#include "core/rules/MatchState.h"

namespace velmo {

// Everything a saved game holds. Whose turn it is is not among it: a loaded
// match goes on with the player's move.
struct PartitaSalvata {
  std::array<bool, tavola::colonne> colonneAperte{};  // the column's arrow shown
  Grid grid;                                          // cells, free cells and their percentage
  MoveHistory moveHistory;
  bool annullaAbilitato = false;  // the undo command enabled
  bool gialle = false;            // the player's pieces are yellow
  MatchState match;               // lives, score, victories, clock
};

// The section's name follows the product's name and version.
inline constexpr const char* suffissoSezionePartita = " - Partita salvata";

// The 85 keys with their values, in the order of writing.
std::vector<std::pair<std::string, std::string>> valoriPartita(const PartitaSalvata& p);

// The reader's steps, in order; a refused file names the step that refused.
enum class PassoLettura {
  colonne,
  celle,
  ultimeColonne,
  annullamento,
  vite,
  colore,
  vittorie,
  caselleLibere,
  orologio,
  tavola,  // the board holds together as play leaves it
};

struct LetturaPartita {
  // The values applied: those of the steps before a refusal, and those a
  // refusing step read; the rest keep the values the reader started from.
  PartitaSalvata partita;
  std::optional<PassoLettura> rifiuto;
};

// Reads a saved game over the state of a new match. `valore` gives the text
// stored under a key, "" when it is absent. A number that does not fit its
// field leaves the field as it was, and the checks judge that value.
LetturaPartita leggiPartita(const std::function<std::string(const std::string& chiave)>& valore,
                            const PartitaSalvata& nuova);

// The keys the reader looks up, in its order.
std::vector<std::string> chiaviLettePartita();

}  // namespace velmo
