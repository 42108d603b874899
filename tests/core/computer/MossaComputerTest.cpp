// The computer's choice of column: the edge cases that matter and a few
// scanning-order boards as one table, a property test over random legal
// boards checked against an independent description of the patterns, and
// the draw of the rule order.

#include "core/computer/MossaComputer.h"

#include "core/common/Casuale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>


namespace velmo {
namespace {

using namespace tavola;

constexpr int regoleDiLinea = numeroRegole - 1;

// ---------------------------------------------------------------------------
// Boards written compactly.
//
// Either a list of cells, "P 1,1 2,1 C 5,1": a letter P or C
// sets the side of the (column,row) pairs that follow; or a picture, rows from
// the top down to row 1 (only as many rows as needed), one character per
// column: '.' empty, 'P' player, 'C' computer. Gravity is checked.

Grid mfuncTavola(std::string_view testo) {
  Grid g;
  g.svuota();
  auto metti = [&](int c, int r, Side s) {
    if (c < 1 || c > colonne || r < 1 || r > righe) throw std::invalid_argument("cella fuori");
    if (g[cella(c, r)] != Side::nessuna) throw std::invalid_argument("cella doppia");
    g[cella(c, r)] = s;
    g.contaLibere(-1);
  };
  if (testo.find(',') != std::string_view::npos) {
    std::istringstream in{std::string(testo)};
    std::string pezzo;
    Side lato = Side::nessuna;
    while (in >> pezzo) {
      if (pezzo == "P") lato = Side::giocatore;
      else if (pezzo == "C") lato = Side::computer;
      else {
        const auto virgola = pezzo.find(',');
        if (lato == Side::nessuna || virgola == std::string::npos) throw std::invalid_argument(pezzo);
        metti(std::stoi(pezzo.substr(0, virgola)), std::stoi(pezzo.substr(virgola + 1)), lato);
      }
    }
  } else {
    std::vector<std::string> righeTesto;
    std::istringstream in{std::string(testo)};
    for (std::string riga; std::getline(in, riga);)
      if (!riga.empty()) righeTesto.push_back(riga);
    if (righeTesto.size() > static_cast<std::size_t>(righe)) throw std::invalid_argument("troppe righe");
    const int n = static_cast<int>(righeTesto.size());
    for (int i = 0; i < n; ++i) {
      const std::string& riga = righeTesto[static_cast<std::size_t>(i)];
      if (riga.size() != static_cast<std::size_t>(colonne)) throw std::invalid_argument(riga);
      for (int c = 1; c <= colonne; ++c) {
        const char ch = riga[static_cast<std::size_t>(c - 1)];
        if (ch == 'P') metti(c, n - i, Side::giocatore);
        else if (ch == 'C') metti(c, n - i, Side::computer);
        else if (ch != '.') throw std::invalid_argument(riga);
      }
    }
  }
  for (int i = 1 + su; i <= celle; ++i)
    if (g[i] != Side::nessuna && g[i - su] == Side::nessuna)
      throw std::invalid_argument("pedina sospesa: " + std::string(testo));
  return g;
}

// The same board seen in a mirror: column c goes to column 10 - c.
Grid mfuncSpecchio(const Grid& g) {
  Grid s = g;
  for (int r = 1; r <= righe; ++r)
    for (int c = 1; c <= colonne; ++c) s[cella(colonne + 1 - c, r)] = g[cella(c, r)];
  return s;
}

// ---------------------------------------------------------------------------
// Rule orders.

// The rules `prima` at the first places, the other line rules ascending,
// rule 15 last.
OrdineRegole mfuncOrdine(const std::vector<int>& prima) {
  OrdineRegole o{};
  std::size_t k = 0;
  for (int r : prima) o[k++] = r;
  for (int r = 1; r <= regoleDiLinea; ++r)
    if (std::find(prima.begin(), prima.end(), r) == prima.end()) o[k++] = r;
  o[numeroRegole - 1] = numeroRegole;
  return o;
}

bool ePermutazioneValida(const OrdineRegole& o) {
  std::array<int, regoleDiLinea> primi{};
  std::copy_n(o.begin(), regoleDiLinea, primi.begin());
  std::sort(primi.begin(), primi.end());
  for (int i = 0; i < regoleDiLinea; ++i)
    if (primi[static_cast<std::size_t>(i)] != i + 1) return false;
  return o[numeroRegole - 1] == numeroRegole;
}

// "Any order": the answer can only be the answer of the first rule of the
// order that matches, so every answer any order can give is given by an order
// that puts some rule first. Each rule first (rest ascending, and rest
// descending), plus random orders for good measure.
std::vector<OrdineRegole> mfuncOgniOrdineCheConta() {
  std::vector<OrdineRegole> ordini;
  for (int r = 1; r <= regoleDiLinea; ++r) {
    ordini.push_back(mfuncOrdine({r}));
    std::vector<int> giu{r};
    for (int s = regoleDiLinea; s >= 1; --s)
      if (s != r) giu.push_back(s);
    ordini.push_back(mfuncOrdine(giu));
  }
  Casuale casuale(99);
  for (int i = 0; i < 50; ++i) ordini.push_back(pfuncOrdineRegole(casuale));
  return ordini;
}

std::string mfuncTestoOrdine(const OrdineRegole& o) {
  std::string t;
  for (int r : o) t += std::to_string(r) + " ";
  return t;
}

// ---------------------------------------------------------------------------
// The table.

const std::vector<int> qualsiasi{};  // any order

struct Caso {
  const char* nome;
  const char* tavola;
  std::vector<int> ordine;  // rules at the first places (see mfuncOrdine), or qualsiasi
  int atteso;               // the column of pfuncColonnaComputer
  // Rules checked one by one, "regola:colonna" (colonna 0: no match).
  const char* regole = "";
  // When true, every rule not named in `regole` must find nothing.
  bool soloQueste = true;
};

// Boards used by several rows.
constexpr const char* vertsOrizz = "C 1,1 1,2 1,3 P 5,1 6,1 7,1";
constexpr const char* vertsOrizzRegole = "1:1 2:1 3:8 4:4";
constexpr const char* bersaglioCol9 = "P 6,2 7,2 8,2 C 5,1 6,1 8,1 5,2 P 7,1 9,1";
constexpr const char* verticaliDue =  // rule 1 scans rows first: (9,1) before (1,2)
    "P 1,1 C 1,2 1,3 1,4 P 9,1 9,2 9,3";
// Rule 6 takes B = (9,4) (column 9 first) although (5,7) lies in a higher row.
constexpr const char* regola6 =
    "....C....\n"
    "...CP....\n"
    "..CPC....\n"
    "..PCP...P\n"
    ".CPCP..PC\n"
    ".PCPC.PCP\n"
    ".CPCP.CPC\n";
constexpr const char* regola6SenzaNove =
    "....C....\n"
    "...CP....\n"
    "..CPC....\n"
    "..PCP....\n"
    ".CPCP..PC\n"
    ".PCPC.PCP\n"
    ".CPCP.CPC\n";
// The mirror of the two above, for rule 8.
constexpr const char* regola8 =
    "....C....\n"
    "....PC...\n"
    "....CPC..\n"
    "P...PCP..\n"
    "CP..PCPC.\n"
    "PCP.CPCP.\n"
    "CPC.PCPC.\n";
constexpr const char* regola8SenzaUno =
    "....C....\n"
    "....PC...\n"
    "....CPC..\n"
    "....PCP..\n"
    "CP..PCPC.\n"
    "PCP.CPCP.\n"
    "CPC.PCPC.\n";
// Rule 5 scans columns first: B = (1,2) (target (4,5)) before (2,1) (target (5,4)).
constexpr const char* regola5 =
    "..CP.....\n"
    ".CPPC....\n"
    "CCPPP....\n"
    "PPCCC....\n";
// Its mirror: rule 7 scans columns 4 -> 9: B = (8,1) (target (5,4)) before (9,2).
constexpr const char* regola7 =
    ".....PC..\n"
    "....CPPC.\n"
    "....PPPCC\n"
    "....CCCPP\n";

const std::vector<Caso> casi = {
    // The rules' own edge cases.
    {"tavola vuota", "", qualsiasi, 0},
    {"verticale C colonna 5", "C 5,1 5,2 5,3", qualsiasi, 5, "1:5 2:5"},
    {"regola 3", "P 1,1 2,1 3,1", qualsiasi, 4, "3:4"},
    {"dipende: 1 prima", vertsOrizz, {1}, 1, vertsOrizzRegole},
    {"dipende: 2 prima", vertsOrizz, {2}, 1, vertsOrizzRegole},
    {"dipende: 3 prima", vertsOrizz, {3}, 8, vertsOrizzRegole},
    {"dipende: 4 prima", vertsOrizz, {4}, 4, vertsOrizzRegole},
    {"dipende: 5 6 3 1", vertsOrizz, {5, 6, 3, 1}, 8, vertsOrizzRegole},
    {"dipende: 14 13 2 4", vertsOrizz, {14, 13, 2, 4}, 1, vertsOrizzRegole},
    {"dipende: 12 4 3 1", vertsOrizz, {12, 4, 3, 1}, 4, vertsOrizzRegole},
    {"dipende: 14..1", vertsOrizz, {14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 4, vertsOrizzRegole},
    {"bersaglio in colonna 9", bersaglioCol9, qualsiasi, 9, "3:9"},
    {"bersaglio in colonna 9 non giocabile", "P 6,2 7,2 8,2 C 5,1 6,1 8,1 5,2 P 7,1", qualsiasi, 0},
    {"regola 9", "P 1,1 3,1 4,1", qualsiasi, 2, "9:2"},
    {"regola 10", "P 1,1 2,1 4,1", qualsiasi, 3, "10:3"},
    {"regola 5", "P 6,1 7,2 8,3 9,1 9,2 C 7,1 8,1 8,2 9,3", qualsiasi, 9, "5:9"},
    {"regola 11", "P 1,1 2,1 4,2 3,3 4,4 C 3,1 4,1 3,2 4,3", qualsiasi, 2, "11:2"},
    {"regola 15 in mezzo", "P 3,1 4,1", qualsiasi, 2, "15:2"},
    {"regola 15 bordo sinistro", "P 2,1 3,1", qualsiasi, 1, "15:1"},
    {"regola 15 bordo destro", "P 7,1 8,1", qualsiasi, 6, "15:6"},
    {"regola 15: B+3 occupata", "P 3,1 4,1 C 6,1", qualsiasi, 0},
    {"regola 15: vicine non giocabili", "P 4,1 3,2 4,2 C 3,1 6,1", qualsiasi, 0},
    // More of rule 15: B-2 occupied; the outer cells need not be playable.
    {"regola 15: B-2 occupata", "P 3,1 4,1 C 1,1", qualsiasi, 0},
    {"regola 15: esterne sospese", "P 2,1 4,1 C 3,1 5,1 3,2 4,2", qualsiasi, 2, "15:2"},
    // Scanning orders within a rule. For rules 3..15 T lies in a fixed column
    // relative to B and a column has one playable cell at most, so one column
    // of B holds at most one match: only the order of the columns can be seen
    // (and the boards below would catch it reversed); the order of the rows
    // inside a column cannot. Rules 1-2 scan rows first, which can be seen.
    {"regole 1 e 2: righe fuori", verticaliDue, {1}, 9, "1:9 2:1"},
    {"regole 1 e 2: 2 prima", verticaliDue, {2}, 1, "1:9 2:1"},
    {"regola 3: colonne fuori",
     "CCC......\n"
     "CPPP.....\n",
     qualsiasi, 4, "3:4"},
    {"regola 4: colonne 9 -> 4",
     "......CCC\n"
     ".....PPPC\n",
     qualsiasi, 6, "4:6"},
    {"regola 5: colonne fuori", regola5, {5}, 4, "5:4", false},
    {"regola 7: colonne 4 -> 9", regola7, {7}, 5, "7:5", false},
    {"regola 6: colonna 9 prima", regola6, {6}, 6, "6:6", false},
    {"regola 6: poi (5,7)", regola6SenzaNove, {6}, 2, "6:2", false},
    {"regola 8: colonna 1 prima", regola8, {8}, 4, "8:4", false},
    {"regola 8: poi (5,7)", regola8SenzaUno, {8}, 8, "8:8", false},
    // Two matches of one rule in different columns; the rule's column order decides.
    {"regola 9: colonne 1 -> 6", "P.PPC.CC.\n", {9}, 2, "9:2", false},
    {"regola 10: colonne 1 -> 6", "PP.PCC.C.\n", {10}, 3, "10:3", false},
    {"regola 11: colonne 1 -> 6",
     "...P...C.\n"
     "..PC..CP.\n"
     "..CP..PC.\n"
     "PCPCCPCP.\n",
     {11}, 2, "11:2", false},
    {"regola 12: colonne 1 -> 6",
     "...P...C.\n"
     "...C...P.\n"
     ".PCP.CPC.\n"
     "PCPCCPCP.\n",
     {12}, 3, "12:3", false},
    {"regola 13: colonne 4 -> 9",  // the mirror of the rule-11 board
     ".C...P...\n"
     ".PC..CP..\n"
     ".CP..PC..\n"
     ".PCPCCPCP\n",
     {13}, 4, "13:4", false},
    {"regola 14: colonne 4 -> 9",  // the mirror of the rule-12 board
     ".C...P...\n"
     ".P...C...\n"
     ".CPC.PCP.\n"
     ".PCPCCPCP\n",
     {14}, 3, "14:3", false},
    {"regola 15: colonne fuori",
     ".PP......\n"
     "PCPC..CC.\n",
     qualsiasi, 1, "15:1"},
};

std::map<int, int> mfuncRisposte(const char* testo) {
  std::map<int, int> m;
  std::istringstream in(testo);
  for (std::string pezzo; in >> pezzo;) {
    const auto dp = pezzo.find(':');
    m[std::stoi(pezzo.substr(0, dp))] = std::stoi(pezzo.substr(dp + 1));
  }
  return m;
}

TEST(MossaComputer, Tabella) {
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.nome);
    const Grid g = mfuncTavola(caso.tavola);

    const std::vector<OrdineRegole> ordini =
        caso.ordine.empty() ? mfuncOgniOrdineCheConta() : std::vector{mfuncOrdine(caso.ordine)};
    for (const OrdineRegole& o : ordini) {
      ASSERT_TRUE(ePermutazioneValida(o));
      EXPECT_EQ(pfuncColonnaComputer(g, o), caso.atteso) << "ordine " << mfuncTestoOrdine(o);
    }

    const std::map<int, int> risposte = mfuncRisposte(caso.regole);
    for (int regola = 1; regola <= numeroRegole; ++regola) {
      const auto nominata = risposte.find(regola);
      if (nominata == risposte.end() && !caso.soloQueste) continue;
      const int attesa = nominata == risposte.end() ? 0 : nominata->second;
      EXPECT_EQ(pfuncApplicaRegola(g, regola).value_or(0), attesa) << "regola " << regola;
    }
  }
}

TEST(MossaComputer, RegolaFuoriDaUnoAQuindiciERifiutata) {
  const Grid g = mfuncTavola("");
  EXPECT_THROW(pfuncApplicaRegola(g, 0), std::out_of_range);
  EXPECT_THROW(pfuncApplicaRegola(g, numeroRegole + 1), std::out_of_range);
}

// ---------------------------------------------------------------------------
// An independent description of the patterns, from what the rules are for
// rather than from their table: every rule 1..14 is a direction of a line of four and the
// place of the empty cell along it; rule 15 is a window of a row.

struct Linea {
  int dc, dr;     // one step along the line
  int buco;       // place 0..3 of the empty cell, counted along the step
};

// Horizontal lines from the left, rising from the lower left, falling from
// the lower right; vertical from the bottom.
const std::map<int, Linea> linee = {
    {1, {0, 1, 3}},  {2, {0, 1, 3}},                                    // vertical, top cell
    {3, {1, 0, 3}},  {9, {1, 0, 1}},  {10, {1, 0, 2}}, {4, {1, 0, 0}},  // horizontal
    {5, {1, 1, 3}},  {11, {1, 1, 1}}, {12, {1, 1, 2}}, {6, {1, 1, 0}},  // rising
    {7, {-1, 1, 3}}, {13, {-1, 1, 1}}, {14, {-1, 1, 2}}, {8, {-1, 1, 0}},  // falling
};

bool sullaTavola(int c, int r) { return c >= 1 && c <= colonne && r >= 1 && r <= righe; }

bool giocabile(const Grid& g, int c, int r) {
  return g[cella(c, r)] == Side::nessuna && (r == 1 || g[cella(c, r - 1)] != Side::nessuna);
}

// The cells where rule `regola` could put its piece.
std::set<int> mfuncBersagli(const Grid& g, int regola) {
  std::set<int> bersagli;
  if (regola == numeroRegole) {
    // Windows of a row: "..XX.." anywhere, ".XX.." at the left edge,
    // "..XX." at the right edge; the cells next to the pair playable.
    for (int r = 1; r <= righe; ++r)
      for (int coppia = 2; coppia + 1 < colonne; ++coppia) {  // the pair's left column
        const Side lato = g[cella(coppia, r)];
        if (lato == Side::nessuna || g[cella(coppia + 1, r)] != lato) continue;
        if (!giocabile(g, coppia - 1, r) || !giocabile(g, coppia + 2, r)) continue;
        if (sullaTavola(coppia - 2, r) && g[cella(coppia - 2, r)] != Side::nessuna) continue;
        if (sullaTavola(coppia + 3, r) && g[cella(coppia + 3, r)] != Side::nessuna) continue;
        bersagli.insert(cella(coppia - 1, r));
      }
    return bersagli;
  }
  const Linea l = linee.at(regola);
  for (int c = 1; c <= colonne; ++c)
    for (int r = 1; r <= righe; ++r) {
      if (!sullaTavola(c + 3 * l.dc, r + 3 * l.dr)) continue;
      Side lato = Side::nessuna;
      bool ok = true;
      for (int i = 0; i < 4 && ok; ++i) {
        if (i == l.buco) continue;
        const Side s = g[cella(c + i * l.dc, r + i * l.dr)];
        ok = s != Side::nessuna && (lato == Side::nessuna || s == lato);
        lato = s;
      }
      const int bc = c + l.buco * l.dc, br = r + l.buco * l.dr;
      if (ok && giocabile(g, bc, br)) bersagli.insert(cella(bc, br));
    }
  return bersagli;
}

// Random legal boards: either pieces dropped one by one into random open
// columns, or random column heights; sides at random.
Grid mfuncTavolaCasuale(std::mt19937& gen) {
  Grid g;
  g.svuota();
  std::uniform_int_distribution<int> lato(0, 1), colonna(1, colonne), altezza(0, righe),
      quante(0, celle), modo(0, 1);
  auto pedina = [&] { return lato(gen) ? Side::giocatore : Side::computer; };
  if (modo(gen)) {
    for (int n = quante(gen); n > 0; --n) {
      const int c = colonna(gen);
      if (const int a = g.cellaDiAtterraggio(c)) {
        g[a] = pedina();
        g.contaLibere(-1);
      }
    }
  } else {
    for (int c = 1; c <= colonne; ++c)
      for (int r = 1, h = altezza(gen); r <= h; ++r) {
        g[cella(c, r)] = pedina();
        g.contaLibere(-1);
      }
  }
  return g;
}

TEST(MossaComputer, ProprietaSuTavoleCasuali) {
  std::mt19937 gen(20021111);
  Casuale casuale(7);
  std::array<int, numeroRegole + 1> trovate{};
  int zeri = 0;
  for (int prova = 0; prova < 20000; ++prova) {
    const Grid g = mfuncTavolaCasuale(gen);
    std::array<std::set<int>, numeroRegole + 1> bersagli;
    for (int regola = 1; regola <= numeroRegole; ++regola) {
      SCOPED_TRACE("prova " + std::to_string(prova) + ", regola " + std::to_string(regola));
      bersagli[static_cast<std::size_t>(regola)] = mfuncBersagli(g, regola);
      const std::set<int>& b = bersagli[static_cast<std::size_t>(regola)];
      const std::optional<int> colonna = pfuncApplicaRegola(g, regola);
      ASSERT_EQ(colonna.has_value(), !b.empty());
      if (!colonna) continue;
      ++trovate[static_cast<std::size_t>(regola)];
      ASSERT_GE(*colonna, 1);
      ASSERT_LE(*colonna, colonne);
      ASSERT_FALSE(g.colonnaPiena(*colonna));
      ASSERT_TRUE(b.count(g.cellaDiAtterraggio(*colonna))) << "colonna " << *colonna;
      if (regola == numeroRegole) {
        ASSERT_LE(*colonna, colonne - 3);
      }
    }

    // Mirror images: rules 3 and 4, 6 and 8 scan in mirrored orders.
    const Grid s = mfuncSpecchio(g);
    for (auto [a, b] : {std::pair{3, 4}, std::pair{4, 3}, std::pair{6, 8}, std::pair{8, 6}}) {
      const std::optional<int> qui = pfuncApplicaRegola(g, a), la = pfuncApplicaRegola(s, b);
      ASSERT_EQ(qui.has_value(), la.has_value());
      if (qui) {
        ASSERT_EQ(*qui, colonne + 1 - *la) << "prova " << prova << ", regole " << a << "/" << b;
      }
    }

    // The whole selection under a freshly drawn order.
    const OrdineRegole o = pfuncOrdineRegole(casuale);
    ASSERT_TRUE(ePermutazioneValida(o));
    const int risposta = pfuncColonnaComputer(g, o);
    const auto prima = std::find_if(o.begin(), o.end(), [&](int r) {
      return !bersagli[static_cast<std::size_t>(r)].empty();
    });
    if (prima == o.end()) {
      ASSERT_EQ(risposta, 0) << "prova " << prova;
      ++zeri;
      continue;
    }
    ASSERT_GE(risposta, 1);
    ASSERT_FALSE(g.colonnaPiena(risposta));
    ASSERT_TRUE(bersagli[static_cast<std::size_t>(*prima)].count(g.cellaDiAtterraggio(risposta)))
        << "prova " << prova << ", ordine " << mfuncTestoOrdine(o);
  }
  // The boards were varied enough to exercise every rule, and some gave 0.
  for (int regola = 1; regola <= numeroRegole; ++regola) {
    EXPECT_GE(trovate[static_cast<std::size_t>(regola)], 100) << "regola " << regola;
  }
  EXPECT_GE(zeri, 100);
}

// ---------------------------------------------------------------------------
// Step 1: the rule order.

TEST(OrdineRegole, SemprePermutazioneConQuindiciInFondo) {
  Casuale casuale(12345);
  for (int i = 0; i < 10000; ++i) {
    const OrdineRegole o = pfuncOrdineRegole(casuale);
    ASSERT_TRUE(ePermutazioneValida(o)) << mfuncTestoOrdine(o);
  }
}

// The order is the first fourteen different numbers of the draws Int(Rnd*14)+1,
// and exactly those draws are consumed.
TEST(OrdineRegole, EstrazioniRipetuteVengonoRipescate) {
  Casuale casuale(4242), copia(4242);
  for (int volta = 0; volta < 200; ++volta) {
    std::vector<int> attesi;
    while (attesi.size() < static_cast<std::size_t>(regoleDiLinea)) {
      const int n = copia.da1a(regoleDiLinea);
      if (std::find(attesi.begin(), attesi.end(), n) == attesi.end()) attesi.push_back(n);
    }
    const OrdineRegole o = pfuncOrdineRegole(casuale);
    ASSERT_TRUE(std::equal(attesi.begin(), attesi.end(), o.begin()));
    ASSERT_EQ(casuale.rnd(), copia.rnd());  // in step: nothing more, nothing less drawn
  }
}

// Every rule is equally likely at every place; in particular at place 1.
TEST(OrdineRegole, OgniRegolaUgualmenteProbabileInOgniPosto) {
  constexpr int volte = 14000;
  constexpr double atteso = static_cast<double>(volte) / regoleDiLinea;  // 1000
  Casuale casuale(2002);
  std::array<std::array<int, regoleDiLinea + 1>, regoleDiLinea> conta{};
  std::set<OrdineRegole> diversi;
  for (int i = 0; i < volte; ++i) {
    const OrdineRegole o = pfuncOrdineRegole(casuale);
    diversi.insert(o);
    for (std::size_t k = 0; k < static_cast<std::size_t>(regoleDiLinea); ++k)
      ++conta[k][static_cast<std::size_t>(o[k])];
  }
  for (std::size_t k = 0; k < static_cast<std::size_t>(regoleDiLinea); ++k)
    for (int r = 1; r <= regoleDiLinea; ++r) {
      EXPECT_NEAR(conta[k][static_cast<std::size_t>(r)], atteso, 0.12 * atteso)
          << "posto " << k + 1 << ", regola " << r;
    }
  EXPECT_GT(diversi.size(), static_cast<std::size_t>(volte - 10));  // a new order every call
}

}  // namespace
}  // namespace velmo
