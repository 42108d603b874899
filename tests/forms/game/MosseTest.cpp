// The board's operations through the game window: moves, animations, undo,
// the reset and the end of a round they call.

#include <gtest/gtest.h>

#include "Gioco.h"

namespace velmo::test {
namespace {

using tavola::cella;

struct Mosse : testing::Test, Gioco {
  Mosse() { nuovaPartita(); }
};

TEST_F(Mosse, UnaPedinaAtterraInFondoOInCimaENascondeLaFrecciaDellaColonnaPiena) {
  f.msubInserisciPedina(4, Side::giocatore);
  EXPECT_EQ(f.grid[4], Side::giocatore);
  EXPECT_EQ(f.imgPedina[4].tag(), "giocatore");
  EXPECT_EQ(f.lblCaselleLibere.caption(), " 62 -> 98.41%");
  EXPECT_EQ(f.moveHistory.lastPlayerColumn, 4);
  for (int i = 2; i <= 6; ++i) f.msubInserisciPedina(4, i % 2 ? Side::giocatore : Side::computer);
  EXPECT_TRUE(f.imgFreccia[4].visible());
  f.msubInserisciPedina(4, Side::computer);
  EXPECT_EQ(f.grid[cella(4, 7)], Side::computer);
  EXPECT_FALSE(f.imgFreccia[4].visible());
  EXPECT_EQ(f.moveHistory.lastComputerColumn, 4);
  EXPECT_EQ(f.lblCaselleLibere.caption(), " 56 -> 88.88%");
}

TEST_F(Mosse, LeFrecceRestanoSpenteFinoAllaRispostaDelComputer) {
  f.msubInserisciPedina(1, Side::giocatore);
  for (int c = 1; c <= 9; ++c) EXPECT_FALSE(f.imgFreccia[c].enabled()) << c;
  f.msubInserisciPedina(2, Side::computer);
  for (int c = 1; c <= 9; ++c) EXPECT_TRUE(f.imgFreccia[c].enabled()) << c;
}

// Each picture change of a column's cells, with its virtual time.
struct Fotogramma {
  double tempo;
  int riga;
  bool pedina;
};

void filmaIn(std::vector<Fotogramma>& film, int colonna, Gioco& g) {
  for (int r = 1; r <= tavola::righe; ++r) {
    Immagine& img = g.f.imgPedina[cella(colonna, r)];
    img.osserva([&g, &img, &film, r, prima = img.figura()]() mutable {
      if (img.figura() == prima) return;
      prima = img.figura();
      film.push_back({g.p.adesso(), r, prima != Figura::nessuna});
    });
  }
}

TEST_F(Mosse, CadutaAllaVelocitaMassima) {
  std::vector<Fotogramma> film;
  filmaIn(film, 3, *this);
  const double inizio = p.adesso();
  f.msubInserisciPedina(3, Side::giocatore);
  // Rows 7..2: shown for one delay, hidden for one; row 1 keeps the piece.
  ASSERT_EQ(film.size(), 13u);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(film[2 * k].riga, 7 - k);
    EXPECT_TRUE(film[2 * k].pedina);
    EXPECT_NEAR(film[2 * k].tempo - inizio, 0.05 * (2 * k + 1), 1e-6);
    EXPECT_FALSE(film[2 * k + 1].pedina);
    EXPECT_NEAR(film[2 * k + 1].tempo - inizio, 0.05 * (2 * k + 2), 1e-6);
  }
  EXPECT_EQ(film[12].riga, 1);
  EXPECT_NEAR(film[12].tempo - inizio, 0.65, 1e-6);
  EXPECT_NEAR(p.adesso() - inizio, 0.7, 1e-6);
  EXPECT_EQ(f.imgPedina[cella(3, 1)].figura(), Figura::pedinaRossa);  // the player plays red at start
}

TEST_F(Mosse, UnaCadutaDuraDueRitardiPerRigaSopraLAtterraggio) {
  const std::pair<int, double> velocita[] = {{1, 0.2}, {2, 0.12}, {3, 0.05}};
  for (auto [voce, ritardo] : velocita) {
    f.mnuImpostazioniVelocita_Click(voce);
    f.msubNuovoRound();
    for (int r = 1; r <= tavola::righe; ++r) {
      const double inizio = p.adesso();
      f.msubInserisciPedina(6, r % 2 ? Side::giocatore : Side::computer);
      EXPECT_NEAR(p.adesso() - inizio, 2 * (8 - r) * ritardo, 1e-5) << "speed " << voce << " row " << r;
    }
  }
}

TEST_F(Mosse, AnnullaTogliLUltimaCoppiaERimostraLeFrecceDelleColonnePiene) {
  disponi({"P........",
           "C........",
           "P........",
           "C........",
           "P........",
           "C........",
           ".........",});
  f.msubInserisciPedina(2, Side::giocatore);
  f.msubInserisciPedina(2, Side::computer);
  f.msubInserisciPedina(3, Side::giocatore);
  // Fill column 1: the player's last piece is its top one.
  disponi({".........",
           "C........",
           "P........",
           "C........",
           "P........",
           "C........",
           "PCP......"});
  f.msubInserisciPedina(1, Side::giocatore);
  f.msubInserisciPedina(5, Side::computer);
  ASSERT_FALSE(f.imgFreccia[1].visible());
  ASSERT_TRUE(f.mnuAnnullaInserimento.enabled());
  const int libere = f.grid.freeCells;
  p.suoni.clear();

  p.scegli(f.mnuAnnullaInserimento);

  EXPECT_EQ(disegno(), ".........\n"
                       "C........\n"
                       "P........\n"
                       "C........\n"
                       "P........\n"
                       "C........\n"
                       "PCP......");
  EXPECT_EQ(f.grid[cella(1, 7)], Side::nessuna);
  EXPECT_EQ(f.grid[5], Side::nessuna);
  EXPECT_EQ(f.grid.freeCells, libere + 2);
  EXPECT_TRUE(f.imgFreccia[1].visible());
  EXPECT_EQ(f.match.score, -1000);
  EXPECT_EQ(f.lblPunteggio.caption(), "-1000");
  EXPECT_FALSE(f.mnuAnnullaInserimento.enabled());
  ASSERT_EQ(p.suoni.size(), 2u);
  EXPECT_EQ(p.suoni[0].suono, "id_21");
  EXPECT_EQ(p.suoni[1].suono, "id_22");
  EXPECT_FALSE(f.busy);
  for (int c = 1; c <= 9; ++c) EXPECT_TRUE(f.imgFreccia[c].enabled());
}

TEST_F(Mosse, LaRisalitaEsceDallaCimaDellaColonna) {
  f.msubInserisciPedina(7, Side::giocatore);
  std::vector<Fotogramma> film;
  filmaIn(film, 7, *this);
  const double inizio = p.adesso();
  f.msubTogliPedina(7, Side::giocatore);
  // Row 1 already shows the piece: it is cleared, then each row above
  // shows it for 0.05 s and is cleared again, out of the top.
  ASSERT_EQ(film.size(), 13u);
  EXPECT_EQ(film[0].riga, 1);
  EXPECT_FALSE(film[0].pedina);
  EXPECT_NEAR(film[0].tempo - inizio, 0.1, 1e-6);
  for (int r = 2; r <= 7; ++r) {
    const Fotogramma& mostra = film[static_cast<std::size_t>(2 * r - 3)];
    EXPECT_EQ(mostra.riga, r);
    EXPECT_TRUE(mostra.pedina);
    EXPECT_NEAR(mostra.tempo - inizio, 0.1 * (r - 1) + 0.05, 1e-6);
    EXPECT_FALSE(film[static_cast<std::size_t>(2 * r - 2)].pedina);
  }
  EXPECT_NEAR(p.adesso() - inizio, 0.7, 1e-6);
}

TEST_F(Mosse, LAnnullaResaAttivaSoloConDuePezziDelComputerOltreAlPrimo) {
  // The computer opening a round: its first piece leaves 62 free cells.
  f.msubInserisciPedina(5, Side::computer);
  EXPECT_FALSE(f.mnuAnnullaInserimento.enabled());
  f.msubInserisciPedina(5, Side::giocatore);
  f.msubInserisciPedina(4, Side::computer);
  EXPECT_TRUE(f.mnuAnnullaInserimento.enabled());
}

TEST_F(Mosse, AnnullaDuranteUnaMossaEDRifiutato) {
  f.imgFreccia_Click(1);  // the player's move and the computer's answer
  ASSERT_TRUE(f.mnuAnnullaInserimento.enabled());
  const Grid prima = f.grid;
  p.tra(0.3, [&] { p.scegli(f.mnuAnnullaInserimento); });
  f.imgFreccia_Click(9);
  ASSERT_EQ(p.messaggi.size(), 1u);
  EXPECT_EQ(p.messaggi[0].testo, "Non posso ora..");
  EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Center...");
  EXPECT_EQ(p.messaggi[0].pulsanti, Pulsanti::ok);
  EXPECT_EQ(f.grid.freeCells, prima.freeCells - 2);  // both moves went on, nothing was undone
  EXPECT_EQ(f.match.score, 0);
}

TEST_F(Mosse, UnaVittoriaCheRiempieLaTavolaNonEUnPareggio) {
  disponi(tavolaQuasiPiena);
  ASSERT_EQ(f.grid.freeCells, 1);
  ASSERT_FALSE(cercaQuattro(f.grid));
  f.msubInserisciPedina(1, Side::giocatore);
  ASSERT_FALSE(p.messaggi.empty());
  EXPECT_EQ(p.messaggi[0].testo, "Hai vinto questo round !\r\rContinua...");
  EXPECT_EQ(f.winningCells, (Quaterna{55, 56, 57, 58}));
  EXPECT_EQ(f.match.victories[0], 1);
  EXPECT_EQ(f.match.score, puntiRound(0, 0, 0));
  EXPECT_EQ(f.lblCaselleLibere.caption(), "63 -> 100%");  // the next round has begun
}

TEST_F(Mosse, LUltimaCasellaSenzaLineaEUnPareggio) {
  disponi(tavolaQuasiPiena);
  ASSERT_FALSE(cercaQuattro(f.grid));
  std::string etichetta;
  f.lblCaselleLibere.osserva([&] {
    if (etichetta.empty()) etichetta = f.lblCaselleLibere.caption();
  });
  f.msubInserisciPedina(1, Side::computer);
  EXPECT_EQ(etichetta, " 0 -> 0%");
  ASSERT_EQ(p.messaggi.size(), 1u);
  EXPECT_EQ(p.messaggi[0].testo, "Il round è finito in pareggio !\r\rContinua...");
}

TEST_F(Mosse, IlNuovoRoundAzzeraTavolaFrecceERiavviaLOrologio) {
  f.msubInserisciPedina(2, Side::giocatore);
  f.busy = true;
  f.roundOver = true;
  f.imgFreccia[2].setVisible(false);
  f.msubNuovoRound();
  EXPECT_FALSE(f.busy);
  EXPECT_FALSE(f.roundOver);
  EXPECT_EQ(f.grid.freeCells, 63);
  EXPECT_EQ(f.imgPedina[2].figura(), Figura::nessuna);
  EXPECT_TRUE(f.imgFreccia[2].visible());
  EXPECT_EQ(f.moveHistory.lastPlayerColumn, 0);
  EXPECT_EQ(f.lblTempo.caption(), "00 : 00");
  EXPECT_EQ(f.tmrTempo.interval(), 1000);
  EXPECT_EQ(f.mousePointer(), Puntatore::predefinito);
}

}  // namespace
}  // namespace velmo::test
