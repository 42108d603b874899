// The saved game's keys and values: what the writer puts down, what the
// reader gives back, and how it judges values someone has changed.

#include "core/files/PartitaSalvata.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <limits>
#include <map>

#include "core/common/Conversioni.h"

namespace velmo {
namespace {

using Valori = std::map<std::string, std::string>;

// A state as play leaves it, from a drawing of the board (top row first,
// 'P' the player, 'C' the computer): arrows over the open columns, the free
// cells counted.
PartitaSalvata partita(std::initializer_list<const char*> righe) {
  PartitaSalvata p;
  int riga = tavola::righe;
  for (const char* testo : righe) {
    for (int c = 1; c <= tavola::colonne; ++c)
      if (testo[c - 1] != '.') {
        p.grid[tavola::cella(c, riga)] = testo[c - 1] == 'P' ? Side::giocatore : Side::computer;
        p.grid.contaLibere(-1);
      }
    --riga;
  }
  for (int c = 1; c <= tavola::colonne; ++c) p.colonneAperte[static_cast<std::size_t>(c - 1)] = !p.grid.colonnaPiena(c);
  return p;
}

// The computer answered in column 5 over the player's piece in column 4;
// the undo is enabled.
PartitaSalvata base() {
  PartitaSalvata p = partita({"....C....", "....P....", "....P....", "....C....", "....P....", "...PC....", "C.CPC...P"});
  p.moveHistory = {4, 5};
  p.annullaAbilitato = true;
  p.gialle = true;
  p.match.lives = 2;
  p.match.victories = {4, 3};
  p.match.score = -1000;
  p.match.clockMinutes = 59;
  p.match.clockSeconds = 59;
  return p;
}

Valori valori(const PartitaSalvata& p) {
  Valori v;
  for (const auto& [chiave, valore] : valoriPartita(p)) v[chiave] = valore;
  return v;
}

// A new match: every column open, nothing else set.
PartitaSalvata nuovaPartita() {
  PartitaSalvata p;
  p.colonneAperte.fill(true);
  return p;
}

LetturaPartita leggi(const Valori& v, const PartitaSalvata& nuova = nuovaPartita()) {
  return leggiPartita(
      [&](const std::string& chiave) {
        const auto it = v.find(chiave);
        return it == v.end() ? std::string() : it->second;
      },
      nuova);
}

// Every state of the table, the percentage to the precision the file keeps.
void ugualiIn(const PartitaSalvata& letta, const PartitaSalvata& attesa) {
  EXPECT_EQ(letta.colonneAperte, attesa.colonneAperte);
  EXPECT_EQ(letta.grid.cells, attesa.grid.cells);
  EXPECT_EQ(letta.grid.freeCells, attesa.grid.freeCells);
  EXPECT_NEAR(letta.grid.freePercent, attesa.grid.freePercent, 1e-4);
  EXPECT_EQ(testoCaselleLibere(letta.grid), testoCaselleLibere(attesa.grid));
  EXPECT_EQ(letta.moveHistory.lastPlayerColumn, attesa.moveHistory.lastPlayerColumn);
  EXPECT_EQ(letta.moveHistory.lastComputerColumn, attesa.moveHistory.lastComputerColumn);
  EXPECT_EQ(letta.annullaAbilitato, attesa.annullaAbilitato);
  EXPECT_EQ(letta.gialle, attesa.gialle);
  EXPECT_EQ(letta.match.lives, attesa.match.lives);
  EXPECT_EQ(letta.match.victories, attesa.match.victories);
  EXPECT_EQ(letta.match.score, attesa.match.score);
  EXPECT_EQ(letta.match.clockMinutes, attesa.match.clockMinutes);
  EXPECT_EQ(letta.match.clockSeconds, attesa.match.clockSeconds);
}

TEST(PartitaSalvata, LeChiaviNellOrdineDiScritturaConIValoriTravestiti) {
  const auto v = valoriPartita(base());
  ASSERT_EQ(v.size(), 85u);
  EXPECT_EQ(v[0], (std::pair<std::string, std::string>{
                      "ATTENZIONE", "LA MANOMISSIONE DI QUESTO FILE COMPORTA LA CORRUZIONE DELLO STESSO !"}));
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(v[static_cast<std::size_t>(c)].first, std::to_string(c + 8));
  for (int i = 1; i <= 63; ++i) EXPECT_EQ(v[static_cast<std::size_t>(9 + i)].first, std::to_string(i + 30));
  EXPECT_EQ(v[5].second, "boh");   // column 5 is full
  EXPECT_EQ(v[6].second, "mah");
  EXPECT_EQ(v[10].second, "+k7.");  // cell 1
  EXPECT_EQ(v[11].second, "brenvo");
  EXPECT_EQ(v[13].second, "com");  // cell 4
  const std::vector<std::pair<std::string, std::string>> resto(v.begin() + 73, v.end());
  EXPECT_EQ(resto, (std::vector<std::pair<std::string, std::string>>{{"varifercocinobulan", "18"},
                                                                       {"nalubonicocrefirav", "17"},
                                                                       {"spelunar", "undeclinable ambuscade"},
                                                                       {"var", "79"},
                                                                       {"su", "true"},
                                                                       {"forin", "18"},
                                                                       {"timal", "39"},
                                                                       {"pal", "677349"},
                                                                       {"tetris", "-5623"},
                                                                       {"millesimali", "951.9524"},
                                                                       {"didi", "328"},
                                                                       {"dada", "575"}}));
  PartitaSalvata rosse = base();
  rosse.gialle = false;
  rosse.annullaAbilitato = false;
  const auto w = valori(rosse);
  EXPECT_EQ(w.at("su"), "false");
  EXPECT_EQ(w.at("spelunar"), "millencolin");
}

TEST(PartitaSalvata, OgniStatoTornaComeEra) {
  std::vector<PartitaSalvata> stati;
  for (std::int32_t punti : {0, -1000, -678349, 6300, std::numeric_limits<std::int32_t>::max(),
                             std::numeric_limits<std::int32_t>::min()}) {
    PartitaSalvata p = base();
    p.match.score = punti;
    stati.push_back(p);
  }
  for (auto [minuti, secondi] : {std::pair{0, 0}, {59, 59}, {60, 0}, {12, 7}}) {
    PartitaSalvata p = base();
    p.match.clockMinutes = static_cast<std::int16_t>(minuti);
    p.match.clockSeconds = static_cast<std::int16_t>(secondi);
    stati.push_back(p);
  }
  // Every count of free cells, and so every percentage the label shows.
  for (int libere = 0; libere <= tavola::celle; ++libere) {
    PartitaSalvata p;
    for (int i = 1; i <= tavola::celle - libere; ++i) {
      p.grid[i] = i % 2 ? Side::giocatore : Side::computer;
      p.grid.contaLibere(-1);
    }
    for (int c = 1; c <= tavola::colonne; ++c) p.colonneAperte[static_cast<std::size_t>(c - 1)] = !p.grid.colonnaPiena(c);
    p.match.victories = {32767, 0};
    stati.push_back(p);
  }
  // The computer answered in the player's column: both last columns 5.
  PartitaSalvata stessa = partita({".........", ".........", ".........", ".........", "....C....", "....P....", "....C..P."});
  stessa.moveHistory = {5, 5};
  stessa.annullaAbilitato = true;
  stati.push_back(stessa);

  for (const PartitaSalvata& p : stati) {
    const LetturaPartita l = leggi(valori(p));
    ASSERT_FALSE(l.rifiuto) << "step " << static_cast<int>(*l.rifiuto) << ", " << p.grid.freeCells << " free";
    ugualiIn(l.partita, p);
  }
}

TEST(PartitaSalvata, UnFileManomessoSiRifiutaAlSuoPasso) {
  struct Caso {
    const char* cosa;
    std::function<void(Valori&)> modifica;
    std::optional<PassoLettura> rifiuto;
    std::function<void(const PartitaSalvata&)> verifica;
  };
  auto poni = [](const char* chiave, const char* valore) { return [=](Valori& v) { v[chiave] = valore; }; };
  auto togli = [](const char* chiave) { return [=](Valori& v) { v.erase(chiave); }; };
  auto nulla = [](const PartitaSalvata&) {};
  using P = PassoLettura;
  const Caso casi[] = {
      {"a column's code", poni("14", "meh"), P::colonne,
       [](const PartitaSalvata& p) {
         // Column 5 was applied before column 6 refused; column 7 was not.
         EXPECT_FALSE(p.colonneAperte[4]);
         EXPECT_TRUE(p.colonneAperte[6]);
       }},
      {"a cell's code", poni("40", "brenvo!"), P::celle, nulla},
      {"the undo's code in capitals", poni("spelunar", "Millencolin"), P::annullamento, nulla},
      {"the colour True", poni("su", "True"), P::colore, nulla},
      {"lives 0", poni("var", "77"), P::vite, [](const PartitaSalvata& p) { EXPECT_EQ(p.match.lives, 0); }},
      {"lives 4", poni("var", "81"), P::vite, nulla},
      {"a negative victory count", poni("forin", "14"), P::vittorie, nulla},
      {"the player's victories negative", poni("timal", "34"), P::vittorie, nulla},
      {"free cells 64", poni("tetris", "-5610"), P::caselleLibere, nulla},
      {"free cells missing, 5674", togli("tetris"), P::caselleLibere,
       [](const PartitaSalvata& p) { EXPECT_EQ(p.grid.freeCells, 5674); }},
      {"minutes 61", poni("didi", "330"), P::orologio, nulla},
      {"seconds 60", poni("dada", "576"), P::orologio, nulla},
      {"60 minutes and 1 second", [](Valori& v) {
         v["didi"] = "329";
         v["dada"] = "517";
       },
       P::orologio, nulla},
      {"60 minutes and 59 seconds", [](Valori& v) {
         v["didi"] = "329";
         v["dada"] = "575";
       },
       P::orologio, nulla},
      {"minutes as abc, -269", poni("didi", "abc"), P::orologio, nulla},
      {"the computer's last column 10", poni("varifercocinobulan", "23"), P::ultimeColonne, nulla},
      {"the player's last column -1", poni("nalubonicocrefirav", "12"), P::ultimeColonne, nulla},
      {"score missing", togli("pal"), std::nullopt,
       [](const PartitaSalvata& p) { EXPECT_EQ(p.match.score, -678349); }},
      {"score as abc", poni("pal", "abc"), std::nullopt,
       [](const PartitaSalvata& p) { EXPECT_EQ(p.match.score, -678349); }},
      {"seconds as 528abc, 12", poni("dada", "528abc"), std::nullopt,
       [](const PartitaSalvata& p) { EXPECT_EQ(p.match.clockSeconds, 12); }},
      {"60 : 00, where the clock stops", [](Valori& v) {
         v["didi"] = "329";
         v["dada"] = "516";
       },
       std::nullopt, [](const PartitaSalvata& p) {
         EXPECT_EQ(p.match.clockMinutes, 60);
         EXPECT_EQ(p.match.clockSeconds, 0);
       }},
      {"equal last columns", [](Valori& v) { v["nalubonicocrefirav"] = v["varifercocinobulan"]; }, std::nullopt,
       [](const PartitaSalvata& p) { EXPECT_EQ(p.moveHistory.lastPlayerColumn, 5); }},
      {"a half rounds to even, 3.5 lives to 4", poni("var", "80.5"), P::vite, nulla},
      {"capitals and blanks", [](Valori& v) {
         v["9"] = "  MAH ";
         v["31"] = " +K7. ";
         v["32"] = "  BRENVO";
         v["34"] = "Com";
         v["spelunar"] = "  undeclinable ambuscade ";
         v["su"] = " true  ";
         v["var"] = " 79 ";
       },
       std::nullopt, [](const PartitaSalvata& p) { ugualiIn(p, base()); }},
      // A value its field cannot hold leaves the new match's value.
      {"a score of 1e20", poni("pal", "1e20"), std::nullopt,
       [](const PartitaSalvata& p) { EXPECT_EQ(p.match.score, 0); }},
      {"lives of 1e20, 3", poni("var", "1e20"), std::nullopt,
       [](const PartitaSalvata& p) { EXPECT_EQ(p.match.lives, 3); }},
      {"a percentage of 1e300", poni("millesimali", "1e300"), std::nullopt,
       [](const PartitaSalvata& p) { EXPECT_EQ(p.grid.freePercent, 100.0f); }},
      {"no section at all", [](Valori& v) { v.clear(); }, P::colonne, nulla},
      // The board as play never leaves it, which the moves could not handle.
      {"an arrow over a full column", poni("13", "mah"), P::tavola, nulla},
      {"no arrow over an open column", poni("9", "boh"), P::tavola, nulla},
      {"a piece in the air", poni("76", "com"), P::tavola, nulla},
      {"free cells miscounted", poni("tetris", "-5622"), P::tavola, nulla},
      {"an undo without the computer's piece on top", poni("varifercocinobulan", "17"), P::tavola, nulla},
      {"an undo without the player's piece under it", poni("nalubonicocrefirav", "14"), P::tavola, nulla},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    Valori v = valori(base());
    c.modifica(v);
    const LetturaPartita l = leggi(v);
    EXPECT_EQ(l.rifiuto, c.rifiuto);
    c.verifica(l.partita);
  }
}

TEST(PartitaSalvata, IValoriLettiPrimaDelRifiutoRestanoGliAltriNo) {
  Valori v = valori(base());
  v["timal"] = "0";  // the player's victories, -35
  PartitaSalvata nuova = nuovaPartita();
  const LetturaPartita l = leggi(v, nuova);
  ASSERT_EQ(l.rifiuto, PassoLettura::vittorie);
  EXPECT_EQ(l.partita.grid.cells, base().grid.cells);
  EXPECT_TRUE(l.partita.annullaAbilitato);
  EXPECT_EQ(l.partita.match.lives, 2);
  EXPECT_TRUE(l.partita.gialle);
  EXPECT_EQ(l.partita.match.victories, (std::array<std::int16_t, 2>{-35, 3}));
  EXPECT_EQ(l.partita.match.score, 0);
  EXPECT_EQ(l.partita.grid.freeCells, 63);
  EXPECT_EQ(l.partita.match.clockMinutes, 0);
}

}  // namespace
}  // namespace velmo
