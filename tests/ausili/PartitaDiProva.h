#pragma once
// The saved games the crash test's writer writes, one a number: the writer
// and the test that checks what a kill left both build them from here.

#include <string>

#include "core/common/Prodotto.h"
#include "core/files/PartitaSalvata.h"

namespace velmo::test {

inline std::string sezionePartitaDiProva() {
  return std::string(prodotto::nome) + " " + prodotto::versione + suffissoSezionePartita;
}

// The score's offset in the file, to find the number of a write.
inline constexpr long scartoPunteggio = 678349;

// Write i: a match whose score is i, whose clock and board move with i (a
// piece of each side in a column that changes, the undo then enabled), so
// that a file mixing two writes differs from both.
inline PartitaSalvata partitaNumero(long i) {
  PartitaSalvata p;
  p.colonneAperte.fill(true);
  const int colonna = static_cast<int>(i % tavola::colonne) + 1;
  p.grid[tavola::cella(colonna, 1)] = Side::giocatore;
  p.grid[tavola::cella(colonna, 2)] = Side::computer;
  p.grid.contaLibere(-2);
  p.moveHistory = {static_cast<std::int16_t>(colonna), static_cast<std::int16_t>(colonna)};
  p.annullaAbilitato = true;
  p.gialle = i % 2 == 0;
  p.match.score = static_cast<std::int32_t>(i);
  p.match.clockMinutes = static_cast<std::int16_t>(i / 60 % 60);
  p.match.clockSeconds = static_cast<std::int16_t>(i % 60);
  return p;
}

}  // namespace velmo::test
