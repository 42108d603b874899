// The game window as a screen reader reads it: the names of its controls,
// kept in step with the board, the values said naturally, and every event
// told in its order.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "Gioco.h"

namespace velmo::test {
namespace {

using tavola::cella;
using Annunci = std::vector<std::string>;

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

// The captions stay as they are shown; the reader gets words.
TEST_F(Accessibilita, ValoriDettiConParole) {
  EXPECT_EQ(f.lblCaselleLibere.valoreAccessibile(), "63, 100 per cento");
  EXPECT_EQ(f.lblTempo.valoreAccessibile(), "0 minuti e 0 secondi");
  f.msubInserisciPedina(5, Side::giocatore);
  f.msubInserisciPedina(5, Side::computer);
  EXPECT_EQ(f.lblCaselleLibere.caption(), " 61 -> 96.82%");
  EXPECT_EQ(f.lblCaselleLibere.valoreAccessibile(), "61, 96,82 per cento");
  for (auto [minuti, secondi, detto] : {std::tuple{0, 30, "0 minuti e 31 secondi"},
                                        std::tuple{0, 59, "1 minuto e 0 secondi"},
                                        std::tuple{12, 0, "12 minuti e 1 secondo"}}) {
    f.match.clockMinutes = static_cast<std::int16_t>(minuti);
    f.match.clockSeconds = static_cast<std::int16_t>(secondi);
    f.tmrTempo_Timer();
    EXPECT_EQ(f.lblTempo.valoreAccessibile(), detto) << f.lblTempo.caption();
  }
}

TEST_F(Accessibilita, NuovaPartitaPedineEAnnullamento) {
  EXPECT_EQ(p.annunci, (Annunci{"Nuova partita: hai 3 vite. Tocca a te."}));
  p.annunci.clear();
  f.msubInserisciPedina(5, Side::giocatore);
  f.msubInserisciPedina(5, Side::computer);
  EXPECT_EQ(p.annunci, (Annunci{"Tu: colonna 5, riga 1.", "Computer: colonna 5, riga 2."}));
  EXPECT_EQ(f.imgPedina[cella(5, 1)].nomeAccessibile(), "Colonna 5, riga 1: pedina rossa");
  EXPECT_EQ(f.imgPedina[cella(5, 2)].nomeAccessibile(), "Colonna 5, riga 2: pedina gialla");

  p.annunci.clear();
  f.mnuAnnullaInserimento_Click();
  EXPECT_EQ(p.annunci, (Annunci{"Ultimo inserimento annullato: tolte la pedina del computer dalla colonna 5 e la "
                                "tua dalla colonna 5. Costo 1000 punti, punteggio -1000."}));
  EXPECT_EQ(f.imgPedina[cella(5, 1)].nomeAccessibile(), "Colonna 5, riga 1: vuota");
}

TEST_F(Accessibilita, ColonnaPienaQuandoSiRiempieEAlTasto) {
  disponi({".........", "P........", "C........", "P........", "C........", "P........", "C........"});
  p.annunci.clear();
  f.msubInserisciPedina(1, Side::giocatore);
  EXPECT_EQ(p.annunci, (Annunci{"Tu: colonna 1, riga 7. Colonna 1 piena."}));
  p.annunci.clear();
  p.tasto(f, codiceTasto::cifra1);
  EXPECT_EQ(p.annunci, (Annunci{"Colonna 1 piena."}));
}

TEST_F(Accessibilita, LineaFineRoundENuovoRound) {
  for (int c = 1; c <= 4; ++c) f.msubInserisciPedina(c, Side::computer);
  EXPECT_TRUE(annunciato("Quattro in fila del computer, da colonna 1, riga 1 a colonna 4, riga 1.")) << p.annunci[3];
  EXPECT_TRUE(annunciato("Hai perso il round: ti restano 2 vite."));
  EXPECT_EQ(p.annunci.back(), "Nuovo round, tavola vuota. Tocca a te.");
  EXPECT_EQ(f.imgVita[3].nomeAccessibile(), "Vita 3: persa");
  // The new round's board reads empty again.
  EXPECT_EQ(f.imgPedina[1].nomeAccessibile(), "Colonna 1, riga 1: vuota");

  p.annunci.clear();
  for (int c = 1; c <= 4; ++c) f.msubInserisciPedina(c, Side::giocatore);
  EXPECT_TRUE(annunciato("Quattro in fila tuo, da colonna 1, riga 1 a colonna 4, riga 1."));
  EXPECT_TRUE(annunciato("Hai vinto il round: " + std::to_string(f.match.score) + " punti guadagnati, punteggio " +
                         std::to_string(f.match.score) + "."));
  EXPECT_EQ(p.annunci.back(), "Nuovo round, tavola vuota. Apre il computer.");
}

TEST_F(Accessibilita, PareggioEUltimaVita) {
  disponi(tavolaQuasiPiena);
  p.annunci.clear();
  f.msubInserisciPedina(1, Side::computer);
  EXPECT_TRUE(annunciato("Round finito in pareggio: la tavola è piena.")) << p.annunci.size();

  f.match.lives = 1;
  p.annunci.clear();
  p.rispondi(Risposta::ok);  // GAME OVER
  p.rispondi(Risposta::no);  // no other match
  for (int c = 1; c <= 4; ++c) f.msubInserisciPedina(c, Side::computer);
  EXPECT_TRUE(annunciato("Hai perso il round e l'ultima vita: partita finita. Punteggio finale 0."));
}

TEST_F(Accessibilita, OrologioAlLimite) {
  f.match.clockMinutes = 60;
  f.match.clockSeconds = 59;
  p.annunci.clear();
  f.tmrTempo_Timer();
  EXPECT_EQ(p.annunci, (Annunci{"Tempo al limite: 60 minuti."}));
  EXPECT_EQ(f.lblTempo.caption(), "60 : 00");
  f.tmrTempo_Timer();  // the limit is told once, not at every beep
  EXPECT_EQ(p.annunci.size(), 1u);
}

TEST_F(Accessibilita, PausaETerminePartita) {
  p.annunci.clear();
  p.tra(1.0, [&] { p.tasto(*p.modale(), codiceTasto::F3); });
  f.mnuFilePausa_Click();
  EXPECT_EQ(p.annunci, (Annunci{"Partita in pausa, orologio fermo.", "Partita ripresa."}));

  p.annunci.clear();
  p.rispondi(Risposta::no);
  f.mnuFileTermina_Click();
  EXPECT_EQ(p.annunci, (Annunci{"Partita terminata."}));
}

// The columns by keyboard: moved over with the arrows, Home and End, read
// one by one or the whole board, while the digits still drop pieces.
TEST_F(Accessibilita, LaTavolaDaTastiera) {
  EXPECT_FALSE(f.mfuncTastoTavola(codiceTasto::destra, 0));  // no column has the focus yet
  p.daiFuoco(f, f.zonaColonna[1]);
  const std::pair<int, int> mosse[] = {{codiceTasto::destra, 2}, {codiceTasto::fine, 9}, {codiceTasto::sinistra, 8},
                                       {codiceTasto::inizio, 1}};
  for (auto [tasto, colonna] : mosse) {
    p.tasto(f, tasto);
    EXPECT_EQ(p.fuoco, &f.zonaColonna[colonna]) << tasto;
    EXPECT_EQ(f.colonnaConFuoco, colonna) << tasto;
  }
  p.annunci.clear();
  p.tasto(f, codiceTasto::sinistra);  // at the edge the column is said again
  EXPECT_EQ(p.annunci, (Annunci{"Colonna 1: 0 pedine, libera"}));

  f.msubInserisciPedina(5, Side::giocatore);
  f.msubInserisciPedina(5, Side::computer);
  f.msubInserisciPedina(6, Side::giocatore);
  f.msubInserisciPedina(7, Side::computer);
  EXPECT_EQ(f.zonaColonna[5].nomeAccessibile(), "Colonna 5: 2 pedine, libera");
  EXPECT_EQ(f.zonaColonna[6].nomeAccessibile(), "Colonna 6: 1 pedina, libera");
  p.daiFuoco(f, f.zonaColonna[5]);
  p.annunci.clear();
  p.tasto(f, codiceTasto::giu);
  p.tasto(f, codiceTasto::su);
  EXPECT_EQ(p.annunci, (Annunci{"Colonna 5 dal basso: tua, computer. 5 caselle libere.",
                                "Riga 1: colonna 5 tua, 6 tua, 7 computer. Riga 2: colonna 5 computer. Righe da 3 a 7 vuote."}));

  disponi({"P........", "C........", "P........", "C........", "P........", "C........", "P........"});
  f.msubDescriviTavola();
  EXPECT_EQ(f.zonaColonna[1].nomeAccessibile(), "Colonna 1: 7 pedine, piena");
  EXPECT_EQ(f.mfuncLeggiColonna(1), "Colonna 1 dal basso: tua, computer, tua, computer, tua, computer, tua. Piena.");
  EXPECT_EQ(f.mfuncLeggiColonna(2), "Colonna 2: vuota.");

  // A digit drops a piece wherever the focus is.
  ASSERT_TRUE(f.imgFreccia[3].enabled() && f.imgFreccia[3].visible() && !f.busy && modGenerale.matchInProgress &&
              f.mousePointer() != Puntatore::clessidra);
  p.tasto(f, codiceTasto::cifra1 + 2);
  EXPECT_EQ(f.grid[cella(3, 1)], Side::giocatore);
}

// Space and Return drop into the column the focus stands on, as its digit
// does, and a screen reader's press does the same; a full column is told.
TEST_F(Accessibilita, SpazioInvioEPressioneSullaColonnaConIlFuoco) {
  const std::pair<const char*, std::function<void()>> modi[] = {
      {"spazio", [this] { p.tasto(f, codiceTasto::spazio); }},
      {"invio", [this] { p.tasto(f, codiceTasto::invio); }},
      {"pressione", [this] { f.zonaColonna[f.colonnaConFuoco].onClick(); }},
  };
  int colonna = 2;
  for (const auto& [nome, premi] : modi) {
    p.daiFuoco(f, f.zonaColonna[colonna]);
    premi();
    EXPECT_EQ(f.grid[cella(colonna, 1)], Side::giocatore) << nome;
    EXPECT_EQ(f.grid.freeCells, 63 - 2 * (colonna - 1)) << nome << ": the computer answered";
    ++colonna;
  }
  p.tasto(f, codiceTasto::spazio, Form::shiftMask);  // Shift+Space is no drop
  EXPECT_EQ(f.grid.freeCells, 57);

  disponi({"P........", "C........", "P........", "C........", "P........", "C........", "P........"});
  p.daiFuoco(f, f.zonaColonna[1]);
  p.annunci.clear();
  p.tasto(f, codiceTasto::spazio);
  EXPECT_EQ(p.annunci, (Annunci{"Colonna 1 piena."}));
}

}  // namespace
}  // namespace velmo::test
