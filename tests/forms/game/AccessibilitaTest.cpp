// The game window as a screen reader reads it: the names of its controls,
// kept in step with the board, and the events announced in their order.

#include <gtest/gtest.h>

#include <algorithm>

#include "Gioco.h"

namespace velmo::test {
namespace {

using tavola::cella;

struct Accessibilita : testing::Test, Gioco {
  Accessibilita() { nuovaPartita(); }
  bool annunciato(const std::string& testo) const {
    return std::find(p.annunci.begin(), p.annunci.end(), testo) != p.annunci.end();
  }
};

TEST_F(Accessibilita, NomiDiFrecceCelleViteEValori) {
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(f.imgFreccia[i].nomeAccessibile(), "Colonna " + std::to_string(i));
  EXPECT_EQ(f.imgPedina[1].nomeAccessibile(), "Colonna 1, riga 1: vuota");
  EXPECT_EQ(f.imgPedina[cella(9, 7)].nomeAccessibile(), "Colonna 9, riga 7: vuota");
  EXPECT_EQ(f.imgPedina[cella(2, 3)].nomeAccessibile(), "Colonna 2, riga 3: vuota");
  EXPECT_EQ(f.imgVita[3].nomeAccessibile(), "Vita 3: rimasta");
  EXPECT_EQ(f.lblPunteggio.nomeAccessibile(), "Punteggio");
  EXPECT_EQ(f.lblTempo.nomeAccessibile(), "Tempo");
  EXPECT_EQ(f.lblCaselleLibere.nomeAccessibile(), "Caselle libere");
}

TEST_F(Accessibilita, OgniPedinaEAnnunciataELaCellaNeDiceIlColore) {
  f.msubInserisciPedina(5, Side::giocatore);
  f.msubInserisciPedina(5, Side::computer);
  EXPECT_EQ(p.annunci, (std::vector<std::string>{"Giocatore: pedina rossa in colonna 5, riga 1",
                                                 "Computer: pedina gialla in colonna 5, riga 2"}));
  EXPECT_EQ(f.imgPedina[cella(5, 1)].nomeAccessibile(), "Colonna 5, riga 1: pedina rossa");
  EXPECT_EQ(f.imgPedina[cella(5, 2)].nomeAccessibile(), "Colonna 5, riga 2: pedina gialla");

  p.annunci.clear();
  f.mnuAnnullaInserimento_Click();
  EXPECT_EQ(p.annunci, (std::vector<std::string>{"Tolta la pedina del computer dalla colonna 5",
                                                 "Tolta la pedina del giocatore dalla colonna 5"}));
  EXPECT_EQ(f.imgPedina[cella(5, 1)].nomeAccessibile(), "Colonna 5, riga 1: vuota");
}

TEST_F(Accessibilita, LineaRisultatoEViteRimaste) {
  for (int c = 1; c <= 4; ++c) f.msubInserisciPedina(c, Side::computer);
  EXPECT_TRUE(annunciato("Quattro in fila del computer"));
  EXPECT_TRUE(annunciato("Hai perso questo round ! Vite rimaste: 2"));
  EXPECT_EQ(f.imgVita[3].nomeAccessibile(), "Vita 3: persa");
  // The new round's board reads empty again.
  EXPECT_EQ(f.imgPedina[1].nomeAccessibile(), "Colonna 1, riga 1: vuota");

  p.annunci.clear();
  for (int c = 1; c <= 4; ++c) f.msubInserisciPedina(c, Side::giocatore);
  EXPECT_TRUE(annunciato("Quattro in fila del giocatore"));
  EXPECT_TRUE(annunciato("Hai vinto questo round ! Vite rimaste: 2"));
}

TEST_F(Accessibilita, OrologioAlLimite) {
  f.match.clockMinutes = 60;
  f.match.clockSeconds = 59;
  f.tmrTempo_Timer();
  EXPECT_EQ(p.annunci, (std::vector<std::string>{"Tempo al limite: 60 : 00"}));
  f.tmrTempo_Timer();  // the limit is told once, not at every beep
  EXPECT_EQ(p.annunci.size(), 1u);
}

}  // namespace
}  // namespace velmo::test
