#include "core/rules/Grid.h"

#include <gtest/gtest.h>

#include "core/rules/MatchState.h"

namespace velmo {
namespace {

using tavola::cella;

Grid conPezzi(std::initializer_list<int> giocatore, std::initializer_list<int> computer = {}) {
  Grid g;
  for (int c : giocatore) g[c] = Side::giocatore;
  for (int c : computer) g[c] = Side::computer;
  return g;
}

TEST(Grid, NumerazioneDelleCelle) {
  EXPECT_EQ(cella(1, 1), 1);
  EXPECT_EQ(cella(9, 1), 9);
  EXPECT_EQ(cella(1, 2), 10);
  EXPECT_EQ(cella(9, 7), 63);
  EXPECT_EQ(tavola::cellaInCima(5), 59);
  for (int i = 1; i <= tavola::celle; ++i) EXPECT_EQ(cella(tavola::colonnaDi(i), tavola::rigaDi(i)), i);
}

TEST(Grid, CellaDiAtterraggioEPezzoPiuAlto) {
  Grid g;
  EXPECT_EQ(g.cellaDiAtterraggio(4), 4);
  EXPECT_EQ(g.cellaPiuAlta(4), 0);
  for (int r = 1; r <= 6; ++r) g[cella(4, r)] = r % 2 ? Side::giocatore : Side::computer;
  EXPECT_EQ(g.cellaDiAtterraggio(4), cella(4, 7));
  EXPECT_EQ(g.cellaPiuAlta(4), cella(4, 6));
  EXPECT_FALSE(g.colonnaPiena(4));
  g[cella(4, 7)] = Side::giocatore;
  EXPECT_EQ(g.cellaDiAtterraggio(4), 0);
  EXPECT_TRUE(g.colonnaPiena(4));
}

TEST(Grid, EtichettaDelleCaselleLibere) {
  const std::pair<int, const char*> casi[] = {
      {62, " 62 -> 98.41%"}, {61, " 61 -> 96.82%"}, {5, " 5 -> 7.936%"},
      {1, " 1 -> 1.587%"},   {0, " 0 -> 0%"},       {63, " 63 -> 100%"}};
  for (auto [libere, atteso] : casi) {
    Grid g;
    g.contaLibere(libere - tavola::celle);
    EXPECT_EQ(testoCaselleLibere(g), atteso) << libere;
  }
  EXPECT_STREQ(testoCaselleLibereIniziale, "63 -> 100%");
}

TEST(CercaQuattro, TrovaLaPrimaLineaNellOrdineDellePassate) {
  struct Caso {
    const char* nome;
    Grid griglia;
    std::optional<Quaterna> attesa;
  };
  const Caso casi[] = {
      {"vuota", Grid{}, std::nullopt},
      {"tre soli", conPezzi({1, 2, 3}), std::nullopt},
      {"colonna", conPezzi({1, 10, 19, 28}), Quaterna{1, 10, 19, 28}},
      {"riga fino al bordo", conPezzi({6, 7, 8, 9}), Quaterna{6, 7, 8, 9}},
      {"nessuna riga a cavallo", conPezzi({7, 8, 9, 10}), std::nullopt},
      {"diagonale su-destra", conPezzi({1, 11, 21, 31}), Quaterna{1, 11, 21, 31}},
      {"diagonale su-sinistra", conPezzi({4, 12, 20, 28}), Quaterna{4, 12, 20, 28}},
      {"verticale prima dell'orizzontale", conPezzi({1, 10, 19, 28, 2, 3, 4}), Quaterna{1, 10, 19, 28}},
      {"cinque in colonna: la piu' bassa", conPezzi({2, 11, 20, 29, 38}), Quaterna{2, 11, 20, 29}},
      {"cinque in riga: colonna minore", conPezzi({3, 4, 5, 6, 7}), Quaterna{3, 4, 5, 6}},
      {"cinque su-sinistra: la superiore", conPezzi({5, 13, 21, 29, 37}), Quaterna{13, 21, 29, 37}},
      {"cinque su-destra: colonna minore", conPezzi({1, 11, 21, 31, 41}), Quaterna{1, 11, 21, 31}},
  };
  for (const Caso& c : casi) EXPECT_EQ(cercaQuattro(c.griglia), c.attesa) << c.nome;
}

TEST(CercaQuattro, LineeDiEntrambiILati) {
  // Only a loaded game can hold both; the first in pass order wins.
  const Grid g = conPezzi({cella(1, 7), cella(2, 7), cella(3, 7), cella(4, 7)}, {9, 18, 27, 36});
  const auto linea = cercaQuattro(g);
  ASSERT_TRUE(linea);
  EXPECT_EQ(g[(*linea)[0]], Side::computer);
  EXPECT_EQ(*linea, (Quaterna{9, 18, 27, 36}));
}

TEST(CercaQuattro, PezziMistiNonFannoLinea) {
  Grid g = conPezzi({1, 2, 3});
  g[4] = Side::computer;
  EXPECT_FALSE(cercaQuattro(g));
}

TEST(MatchState, PuntiDelRound) {
  EXPECT_EQ(puntiRound(40, 1, 20), 3760);
  EXPECT_EQ(puntiRound(0, 2, 0), -360);
  EXPECT_EQ(puntiRound(63, 0, 0), 6300);
  EXPECT_EQ(puntiRound(0, 60, 0), -10800);
}

TEST(MatchState, TestoDellOrologio) {
  EXPECT_EQ(testoOrologio(0, 7), "00 : 07");
  EXPECT_EQ(testoOrologio(12, 45), "12 : 45");
  EXPECT_EQ(testoOrologio(60, 0), "60 : 00");
}

}  // namespace
}  // namespace velmo
