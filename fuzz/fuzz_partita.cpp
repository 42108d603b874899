// The saved game's load, from the file's bytes to a match state or a
// refusal, through the same steps as the game: the many-key read of the
// section in the file's code page, then the reader over a new match.
// Properties:
// - a state that is not refused lies inside every range the reader checks:
//   open columns, lives, victories, free cells, clock, last columns, and a
//   board that holds together (no piece over an empty cell, the free cells
//   counted right, an arrow over each column that is not full);
// - such a state, saved, loads back equal.

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Verifica.h"
#include "core/common/Prodotto.h"
#include "core/files/PartitaSalvata.h"
#include "core/files/TestoIni.h"
#include "core/files/Windows1252.h"

namespace {

using namespace velmo;

const std::string sezione = aWindows1252(std::string(prodotto::nome) + " " + prodotto::versione + suffissoSezionePartita);

LetturaPartita carica(std::string_view testo) {
  const std::vector<std::string> chiavi = chiaviLettePartita();
  std::vector<std::string> valori = valoriIni(testo, sezione, chiavi);
  for (std::string& v : valori) v = daWindows1252(v);
  return leggiPartita(
      [&](const std::string& chiave) {
        for (std::size_t k = 0; k < chiavi.size(); ++k)
          if (chiavi[k] == chiave) return valori[k];
        return std::string();
      },
      PartitaSalvata{});
}

std::string salva(const PartitaSalvata& p) {
  std::string testo;
  for (const auto& [chiave, valore] : valoriPartita(p))
    testo = conValoreIni(testo, sezione, aWindows1252(chiave), aWindows1252(valore));
  return testo;
}

void verificaIntervalli(const PartitaSalvata& p) {
  const MatchState& m = p.match;
  VERIFICA(m.lives >= 1 && m.lives <= MatchState::viteIniziali);
  VERIFICA(m.victories[0] >= 0 && m.victories[1] >= 0);
  VERIFICA(m.clockMinutes >= 0 && m.clockMinutes <= 60 && m.clockSeconds >= 0 && m.clockSeconds <= 59);
  VERIFICA(m.clockMinutes < 60 || m.clockSeconds == 0);
  VERIFICA(p.moveHistory.lastComputerColumn >= 0 && p.moveHistory.lastComputerColumn <= tavola::colonne);
  VERIFICA(p.moveHistory.lastPlayerColumn >= 0 && p.moveHistory.lastPlayerColumn <= tavola::colonne);
  int vuote = 0;
  for (int c = 1; c <= tavola::colonne; ++c) {
    for (int r = 1; r <= tavola::righe; ++r) {
      const Side s = p.grid[tavola::cella(c, r)];
      VERIFICA(s == Side::nessuna || s == Side::giocatore || s == Side::computer);
      if (r > 1 && s != Side::nessuna) VERIFICA(p.grid[tavola::cella(c, r - 1)] != Side::nessuna);
      vuote += s == Side::nessuna;
    }
    VERIFICA(p.colonneAperte[static_cast<std::size_t>(c - 1)] != p.grid.colonnaPiena(c));
  }
  VERIFICA(p.grid.freeCells == vuote);
}

bool uguali(const PartitaSalvata& a, const PartitaSalvata& b) {
  // The percentage goes through text of 7 significant digits, after the
  // offset is added: equal up to that precision.
  const double scala = std::fabs(static_cast<double>(a.grid.freePercent)) + 871.0;
  return a.colonneAperte == b.colonneAperte && a.grid.cells == b.grid.cells &&
         a.grid.freeCells == b.grid.freeCells &&
         std::fabs(static_cast<double>(a.grid.freePercent) - b.grid.freePercent) <= scala * 1e-6 &&
         a.moveHistory.lastComputerColumn == b.moveHistory.lastComputerColumn &&
         a.moveHistory.lastPlayerColumn == b.moveHistory.lastPlayerColumn &&
         a.annullaAbilitato == b.annullaAbilitato && a.gialle == b.gialle && a.match.lives == b.match.lives &&
         a.match.score == b.match.score && a.match.victories == b.match.victories &&
         a.match.clockMinutes == b.match.clockMinutes && a.match.clockSeconds == b.match.clockSeconds;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t byte) {
  const LetturaPartita letta = carica({reinterpret_cast<const char*>(dati), byte});
  if (letta.rifiuto) return 0;
  verificaIntervalli(letta.partita);
  const LetturaPartita riletta = carica(salva(letta.partita));
  VERIFICA(!riletta.rifiuto);
  VERIFICA(uguali(letta.partita, riletta.partita));
  return 0;
}
