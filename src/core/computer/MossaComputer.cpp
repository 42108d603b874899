#include "core/computer/MossaComputer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/common/Casuale.h"

// The computer's choice of column. Rules 1..14 are one table of data read
// by one routine (mfuncRegolaDiLinea); rule 15, the open pair in a row, has a
// routine of its own (mfuncCoppiaAperta). Nothing is kept between calls and
// the board is only read.

namespace velmo {

using namespace tavola;

namespace {

// Rules 1..14; rule 15 always takes the last place of the order.
constexpr int regoleDiLinea = numeroRegole - 1;
// A line of four spans three steps from its first cell to its last.
constexpr int campata = 3;

// An offset from the base cell B, in columns (to the right) and rows (up).
struct Passo {
  int colonne, righe;
  constexpr int indice() const { return colonne * destra + righe * su; }
};

// One loop of the scan, inclusive at both ends; it walks down when da > a.
struct Intervallo {
  int da, a;
  constexpr int passo() const { return da <= a ? 1 : -1; }
};

// Which coordinate the outer loop of the scan walks.
enum class Esterno { righe, colonne };

// Rules 1-2 put T on top of the three and test only that T is empty; the
// others also test that T is in row 1 or the cell below T is occupied.
enum class Giocabile { sempre, seSorretta };

struct RegolaDiLinea {
  Esterno esterno;
  Intervallo colonneB, righeB;  // the base cells B
  Passo altre[2];               // the other two cells of the three
  Passo bersaglio;              // the target cell T
  Giocabile giocabile;          // whether T's support is tested
  Passo sottoBersaglio;         // the cell below T (for rules 1-2: the top of the three)
};

constexpr Intervallo colonneAvanti{1, colonne - campata};     // 1 -> 6
constexpr Intervallo colonneIndietro{colonne, 1 + campata};   // 9 -> 4
constexpr Intervallo colonneDaQuarta{1 + campata, colonne};   // 4 -> 9
constexpr Intervallo tutteLeRighe{1, righe};                  // 1 -> 7
constexpr Intervallo righeBasse{1, righe - campata};          // 1 -> 4
constexpr Intervallo righeBasseIndietro{righe - campata, 1};  // 4 -> 1
constexpr Intervallo righeAlteIndietro{righe, 1 + campata};   // 7 -> 4
constexpr Giocabile sempre = Giocabile::sempre;
constexpr Giocabile seSorretta = Giocabile::seSorretta;

// The rule table, row for row: place i holds rule i + 1.
constexpr RegolaDiLinea tabellaRegole[regoleDiLinea] = {
    // 1: vertical; rows 1->4, in each row columns 1->9 (indices 1, 2, ..., 36).
    {Esterno::righe, {1, colonne}, righeBasse, {{0, 1}, {0, 2}}, {0, 3}, sempre, {0, 2}},
    // 2: vertical; rows 4->1, in each row columns 9->1 (indices 36, 35, ..., 1).
    {Esterno::righe, {colonne, 1}, righeBasseIndietro, {{0, 1}, {0, 2}}, {0, 3}, sempre, {0, 2}},
    // 3: horizontal, T fourth from the left [B+1, B+2; T B+3; below B-6].
    {Esterno::colonne, colonneAvanti, tutteLeRighe, {{1, 0}, {2, 0}}, {3, 0}, seSorretta, {3, -1}},
    // 4: horizontal, T first from the left [B-1, B-2; T B-3; below B-12].
    {Esterno::colonne, colonneIndietro, tutteLeRighe, {{-1, 0}, {-2, 0}}, {-3, 0}, seSorretta, {-3, -1}},
    // 5: rising diagonal, T at the upper right [B+10, B+20; T B+30; below B+21].
    {Esterno::colonne, colonneAvanti, righeBasse, {{1, 1}, {2, 2}}, {3, 3}, seSorretta, {3, 2}},
    // 6: rising diagonal, T at the lower left [B-10, B-20; T B-30; below B-39].
    {Esterno::colonne, colonneIndietro, righeAlteIndietro, {{-1, -1}, {-2, -2}}, {-3, -3}, seSorretta, {-3, -4}},
    // 7: falling diagonal, T at the upper left [B+8, B+16; T B+24; below B+15].
    {Esterno::colonne, colonneDaQuarta, righeBasse, {{-1, 1}, {-2, 2}}, {-3, 3}, seSorretta, {-3, 2}},
    // 8: falling diagonal, T at the lower right [B-8, B-16; T B-24; below B-33].
    {Esterno::colonne, colonneAvanti, righeAlteIndietro, {{1, -1}, {2, -2}}, {3, -3}, seSorretta, {3, -4}},
    // 9: horizontal, gap second [B+2, B+3; T B+1; below B-8].
    {Esterno::colonne, colonneAvanti, tutteLeRighe, {{2, 0}, {3, 0}}, {1, 0}, seSorretta, {1, -1}},
    // 10: horizontal, gap third [B+1, B+3; T B+2; below B-7].
    {Esterno::colonne, colonneAvanti, tutteLeRighe, {{1, 0}, {3, 0}}, {2, 0}, seSorretta, {2, -1}},
    // 11: rising diagonal, gap second [B+20, B+30; T B+10; below B+1].
    {Esterno::colonne, colonneAvanti, righeBasse, {{2, 2}, {3, 3}}, {1, 1}, seSorretta, {1, 0}},
    // 12: rising diagonal, gap third [B+10, B+30; T B+20; below B+11].
    {Esterno::colonne, colonneAvanti, righeBasse, {{1, 1}, {3, 3}}, {2, 2}, seSorretta, {2, 1}},
    // 13: falling diagonal, gap second [B+16, B+24; T B+8; below B-1].
    {Esterno::colonne, colonneDaQuarta, righeBasse, {{-2, 2}, {-3, 3}}, {-1, 1}, seSorretta, {-1, 0}},
    // 14: falling diagonal, gap third [B+8, B+24; T B+16; below B+7].
    {Esterno::colonne, colonneDaQuarta, righeBasse, {{-1, 1}, {-3, 3}}, {-2, 2}, seSorretta, {-2, 1}},
};

// Calls visita(colonna, riga) for the base cells of `r` in scanning order
// until it answers true; returns whether it did.
template <class Visita>
constexpr bool mfuncScandisci(const RegolaDiLinea& r, Visita&& visita) {
  const Intervallo& fuori = r.esterno == Esterno::righe ? r.righeB : r.colonneB;
  const Intervallo& dentro = r.esterno == Esterno::righe ? r.colonneB : r.righeB;
  for (int i = fuori.da;; i += fuori.passo()) {
    for (int j = dentro.da;; j += dentro.passo()) {
      const bool trovata = r.esterno == Esterno::righe ? visita(j, i) : visita(i, j);
      if (trovata) return true;
      if (j == dentro.a) break;
    }
    if (i == fuori.a) break;
  }
  return false;
}

constexpr bool sullaTavola(int colonna, int riga) {
  return colonna >= 1 && colonna <= colonne && riga >= 1 && riga <= righe;
}

constexpr bool uguali(Passo a, Passo b) { return a.colonne == b.colonne && a.righe == b.righe; }

// Checked once, by the compiler: the cell below T is the one directly below
// T; for rules 1-2 it is the top of the three; and every base cell of the
// scan keeps the three and T on the board.
constexpr bool mfuncTabellaCoerente() {
  for (const RegolaDiLinea& r : tabellaRegole) {
    if (!uguali(r.sottoBersaglio, {r.bersaglio.colonne, r.bersaglio.righe - 1})) return false;
    if (r.giocabile == Giocabile::sempre && !uguali(r.sottoBersaglio, r.altre[0]) &&
        !uguali(r.sottoBersaglio, r.altre[1]))
      return false;
    bool fuori = false;
    mfuncScandisci(r, [&](int c, int rg) {
      fuori = fuori || !sullaTavola(c, rg) ||
              !sullaTavola(c + r.altre[0].colonne, rg + r.altre[0].righe) ||
              !sullaTavola(c + r.altre[1].colonne, rg + r.altre[1].righe) ||
              !sullaTavola(c + r.bersaglio.colonne, rg + r.bersaglio.righe);
      return false;
    });
    if (fuori) return false;
  }
  return true;
}
static_assert(mfuncTabellaCoerente(), "the rule table contradicts itself or leaves the board");

// The board, read without bounds checks: the table is checked above.
inline Side mfuncCella(const Grid& g, int cella) {
  return g.cells[static_cast<std::size_t>(cella - 1)];
}

inline bool mfuncGiocabile(const Grid& g, int cella) {
  return mfuncCella(g, cella) == Side::nessuna &&
         (rigaDi(cella) == 1 || mfuncCella(g, cella - su) != Side::nessuna);
}

// The scan of a rule spelled out once, by the compiler, from the table: its
// base cells in order, each with the column of its T and whether the cell
// below T must be tested (not for rules 1-2, nor when T is in row 1).
struct Base {
  std::int8_t cella, colonnaBersaglio;
  bool controllaSotto;
};
struct Scansione {
  Base basi[celle]{};
  int quante = 0;
  int altra1 = 0, altra2 = 0, bersaglio = 0, sotto = 0;  // index offsets from B
};

constexpr Scansione mfuncScansione(const RegolaDiLinea& r) {
  Scansione s;
  s.altra1 = r.altre[0].indice();
  s.altra2 = r.altre[1].indice();
  s.bersaglio = r.bersaglio.indice();
  s.sotto = r.sottoBersaglio.indice();
  mfuncScandisci(r, [&](int c, int rg) {
    s.basi[s.quante++] = {static_cast<std::int8_t>(cella(c, rg)),
                          static_cast<std::int8_t>(c + r.bersaglio.colonne),
                          r.giocabile == Giocabile::seSorretta && rg + r.bersaglio.righe > 1};
    return false;
  });
  return s;
}

constexpr auto scansioni = [] {
  std::array<Scansione, regoleDiLinea> t{};
  for (int i = 0; i < regoleDiLinea; ++i) t[static_cast<std::size_t>(i)] = mfuncScansione(tabellaRegole[i]);
  return t;
}();

// One of rules 1..14: the first base cell B, in the rule's scanning order,
// with B occupied, the other two of the three on B's side, T empty and (but
// for rules 1-2) the cell below T occupied or T in row 1.
std::optional<int> mfuncRegolaDiLinea(const Grid& g, const Scansione& s) {
  for (int i = 0; i < s.quante; ++i) {
    const Base& base = s.basi[i];
    const int b = base.cella;
    const Side lato = mfuncCella(g, b);
    if (lato == Side::nessuna) continue;
    if (mfuncCella(g, b + s.altra1) != lato || mfuncCella(g, b + s.altra2) != lato) continue;
    if (mfuncCella(g, b + s.bersaglio) != Side::nessuna) continue;
    if (base.controllaSotto && mfuncCella(g, b + s.sotto) == Side::nessuna) continue;
    return base.colonnaBersaglio;
  }
  return std::nullopt;
}

// Rule 15, the open pair in a row: B = (c, r), columns 2 -> 7, in each column
// rows 1 -> 7; B and B+1 of one side, B-1 and B+2 playable, B-2 empty when
// c >= 3, B+3 empty when c <= 6. T is B-1, the column c - 1.
std::optional<int> mfuncCoppiaAperta(const Grid& g) {
  for (int c = 2; c <= colonne - 2; ++c) {
    for (int rg = 1; rg <= righe; ++rg) {
      const int b = cella(c, rg);
      const Side lato = mfuncCella(g, b);
      if (lato == Side::nessuna || mfuncCella(g, b + destra) != lato) continue;
      if (!mfuncGiocabile(g, b - destra) || !mfuncGiocabile(g, b + 2 * destra)) continue;
      if (c >= 3 && mfuncCella(g, b - 2 * destra) != Side::nessuna) continue;
      if (c + 3 <= colonne && mfuncCella(g, b + 3 * destra) != Side::nessuna) continue;
      return c - 1;
    }
  }
  return std::nullopt;
}

}  // namespace

OrdineRegole pfuncOrdineRegole(Casuale& casuale) {
  OrdineRegole ordine{};
  unsigned giaMesse = 0;  // bit n: rule n is already at one of the places 1..k-1
  for (int k = 0; k < regoleDiLinea; ++k) {
    int n = casuale.da1a(regoleDiLinea);
    while (giaMesse & (1u << n)) n = casuale.da1a(regoleDiLinea);
    giaMesse |= 1u << n;
    ordine[static_cast<std::size_t>(k)] = n;
  }
  ordine[numeroRegole - 1] = numeroRegole;
  return ordine;
}

std::optional<int> pfuncApplicaRegola(const Grid& g, int regola) {
  if (regola >= 1 && regola <= regoleDiLinea)
    return mfuncRegolaDiLinea(g, scansioni[static_cast<std::size_t>(regola - 1)]);
  if (regola == numeroRegole) return mfuncCoppiaAperta(g);
  throw std::out_of_range("regola " + std::to_string(regola));
}

std::int16_t pfuncColonnaComputer(const Grid& g, const OrdineRegole& ordine) {
  for (int regola : ordine)
    if (std::optional<int> colonna = pfuncApplicaRegola(g, regola))
      return static_cast<std::int16_t>(*colonna);
  return 0;
}

}  // namespace velmo
