#include "core/rules/Grid.h"

#include "core/common/Conversioni.h"

namespace velmo {

using namespace tavola;

std::string_view testoLato(Side s) {
  switch (s) {
    case Side::giocatore: return "giocatore";
    case Side::computer: return "computer";
    case Side::nessuna: break;
  }
  return "nessuna";
}

std::optional<Side> latoDaTesto(std::string_view testo) {
  for (Side s : {Side::nessuna, Side::giocatore, Side::computer})
    if (testoLato(s) == testo) return s;
  return std::nullopt;
}

int Grid::cellaDiAtterraggio(int colonna) const {
  for (int c = colonna; c <= cellaInCima(colonna); c += su)
    if ((*this)[c] == Side::nessuna) return c;
  return 0;
}

int Grid::cellaPiuAlta(int colonna) const {
  for (int c = cellaInCima(colonna); c >= 1; c -= su)
    if ((*this)[c] != Side::nessuna) return c;
  return 0;
}

void Grid::contaLibere(int delta) {
  freeCells = static_cast<std::int16_t>(freeCells + delta);
  freePercent = static_cast<float>(freeCells * 100 / static_cast<double>(celle));
}

void Grid::svuota() {
  cells.fill(Side::nessuna);
  freeCells = celle;
  freePercent = 100.0f;
}

namespace {

struct Passata {
  int passo;
  int primaColonna, ultimaColonna;  // start columns, outer loop
  int ultimaRiga;                   // start rows 1..ultimaRiga, inner loop
};

// Vertical windows are examined cell by cell (1, 2, ..., 36), which is the
// same as rows in the outer loop; the others column by column.
constexpr Passata passate[] = {
    {destra, 1, colonne - 3, righe},        // horizontal
    {suDestra, 1, colonne - 3, righe - 3},  // rising diagonal
    {suSinistra, 4, colonne, righe - 3},    // falling diagonal
};

bool eLinea(const Grid& g, int s, int d) {
  const Side lato = g[s];
  return lato != Side::nessuna && g[s + d] == lato && g[s + 2 * d] == lato && g[s + 3 * d] == lato;
}

Quaterna quaterna(int s, int d) {
  return {static_cast<std::int16_t>(s), static_cast<std::int16_t>(s + d),
          static_cast<std::int16_t>(s + 2 * d), static_cast<std::int16_t>(s + 3 * d)};
}

}  // namespace

std::optional<Quaterna> cercaQuattro(const Grid& g) {
  for (int s = 1; s <= cella(colonne, righe - 3); ++s)
    if (eLinea(g, s, su)) return quaterna(s, su);
  for (const Passata& p : passate)
    for (int c = p.primaColonna; c <= p.ultimaColonna; ++c)
      for (int r = 1; r <= p.ultimaRiga; ++r)
        if (const int s = cella(c, r); eLinea(g, s, p.passo)) return quaterna(s, p.passo);
  return std::nullopt;
}

std::string testoCaselleLibere(const Grid& g) {
  return testoNumero(g.freeCells) + " -> " + taglia(testoSingolo(g.freePercent)).substr(0, 5) + "%";
}

}  // namespace velmo
