// A match through the game window: rounds, lives, points, the clock, game
// over, and the computer's turn.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "Gioco.h"

namespace velmo::test {
namespace {

using tavola::cella;

struct Partita : testing::Test, Gioco {
  Partita() { nuovaPartita(); }

  int pezzi() const { return tavola::celle - f.grid.freeCells; }
};

TEST_F(Partita, PuntiDiUnRoundVinto) {
  struct Caso {
    int libere, minuti, secondi, punti;
  };
  f.winningCells = {1, 2, 3, 4};
  for (const Caso c : {Caso{40, 1, 20, 3760}, Caso{0, 2, 0, -360}}) {
    f.match.score = 0;
    f.grid.svuota();
    f.grid.contaLibere(c.libere - tavola::celle);
    f.match.clockMinutes = static_cast<std::int16_t>(c.minuti);
    f.match.clockSeconds = static_cast<std::int16_t>(c.secondi);
    f.msubFineRound(Risultato::giocatore);
    EXPECT_EQ(f.match.score, c.punti);
    EXPECT_EQ(f.lblPunteggio.caption(), std::to_string(c.punti));
  }
  EXPECT_EQ(f.lblVittorieGiocatore[1].caption(), "2");
}

TEST_F(Partita, UnRoundPersoCostaUnaVitaConMessaggioESuoni) {
  f.winningCells = {1, 10, 19, 28};
  const double inizio = p.adesso();
  f.msubFineRound(Risultato::computer);
  EXPECT_EQ(p.registro, (std::vector<std::string>{"suono id_09", "suono id_08", "msg Hai perso questo round !\r\rContinua..."}));
  EXPECT_NEAR(p.messaggi[0].tempo - inizio, 3.8, 1e-6);
  EXPECT_EQ(p.messaggi[0].icona, Icona::informazione);
  EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Service...");
  EXPECT_EQ(f.match.lives, 2);
  EXPECT_EQ(f.imgVita[3].figura(), Figura::vitaNo);
  EXPECT_EQ(f.imgVita[2].figura(), Figura::vitaSi);
  EXPECT_EQ(f.lblVittorieGiocatore[2].caption(), "1");
  EXPECT_EQ(f.match.score, 0);
  for (int c : f.winningCells) EXPECT_TRUE(f.imgPedina[c].visible());
  EXPECT_FALSE(f.roundOver);  // the next round is set up
}

TEST_F(Partita, LaLineaVincenteLampeggiaPer3Virgola8Secondi) {
  f.winningCells = {4, 12, 20, 28};
  std::vector<double> cambi;
  f.imgPedina[12].osserva([&] { cambi.push_back(p.adesso()); });
  const double inizio = p.adesso();
  f.msubFineRound(Risultato::giocatore);
  // A toggle every 250 ms while the 3.8 s wait lasts, then shown again.
  ASSERT_EQ(cambi.size(), 16u);
  for (std::size_t k = 0; k < 15; ++k) EXPECT_NEAR(cambi[k] - inizio, 0.25 * static_cast<double>(k + 1), 1e-6);
  EXPECT_TRUE(f.imgPedina[12].visible());
  EXPECT_EQ(f.tmrIntermittenza.interval(), 0);
  EXPECT_FALSE(f.tmrIntermittenza.enabled());
}

TEST_F(Partita, UnPareggioNonCambiaNullaEApreLAltroLato) {
  // The board one piece short, with a top row where the player's piece
  // makes no line.
  disponi(tavolaQuasiPiena);
  disponi({".CPPCCPPC"});
  f.match.score = 500;
  // The player's piece fills the board: the computer opens the next round.
  p.clic(f.imgFreccia[1]);
  EXPECT_EQ(testiMessaggi(), std::vector<std::string>{"Il round è finito in pareggio !\r\rContinua..."});
  EXPECT_TRUE(std::none_of(p.suoni.begin(), p.suoni.end(), [](const SuonoSuonato& s) {
    return s.suono == "id_07" || s.suono == "id_08" || s.suono == "id_09";
  }));
  EXPECT_EQ(f.match.lives, 3);
  EXPECT_EQ(f.match.victories, (std::array<std::int16_t, 2>{0, 0}));
  EXPECT_EQ(f.match.score, 500);
  EXPECT_EQ(pezzi(), 1);
  EXPECT_EQ(f.grid[f.grid.cellaPiuAlta(f.moveHistory.lastComputerColumn)], Side::computer);
  EXPECT_EQ(f.lblTurno.caption(), "E' IL TUO TURNO...");
  EXPECT_FALSE(f.busy);
}

TEST_F(Partita, UnPareggioDelComputerLasciaAprireIlGiocatore) {
  disponi(tavolaQuasiPiena);
  disponi({"..PPCCPPC"});  // two cells free: the player's piece, then the computer's fills the board
  p.clic(f.imgFreccia[2]);
  ASSERT_EQ(testiMessaggi(), std::vector<std::string>{"Il round è finito in pareggio !\r\rContinua..."});
  EXPECT_EQ(pezzi(), 0);
  EXPECT_EQ(f.lblTurno.caption(), "E' IL TUO TURNO...");
  EXPECT_EQ(f.mousePointer(), Puntatore::personalizzato);
  EXPECT_FALSE(f.busy);
  p.tasto(f, codiceTasto::cifra1 + 4);
  EXPECT_EQ(f.grid[5], Side::giocatore);
}

TEST_F(Partita, LaPausaDuranteIlLampeggioNonRiavviaLOrologio) {
  disponi({".........", ".........", ".........", ".........", "P........", "P........", "P.......C"});
  p.rispondi(Risposta::ok, 20.0);  // the player reads the round message for a while
  p.allAnnotazione = [&](const std::string& voce) {
    if (voce != "suono id_09") return;
    p.tra(1.0, [&] { p.tasto(f, 114); });                       // F3 during the blink
    p.tra(8.0, [&] { p.tasto(*p.modale(), 114); });             // resumed 7 s later
  };
  p.clic(f.imgFreccia[1]);
  // The round took no time on its clock: the blink, the pause and the
  // message are not the player's.
  EXPECT_EQ(f.match.score, 100 * 58);
  EXPECT_EQ(f.lblPunteggio.caption(), "5800");
}

TEST_F(Partita, GameOverConNoDalTurnoDelComputerLasciaPuntatoreTurnoEBusy) {
  disponi({".........", ".........", ".........", ".........", "........C", "........C", "P.......C"});
  f.match.lives = 1;
  f.busy = true;  // as the player's move left it
  p.rispondi(Risposta::no);
  f.msubTurnoComputer();
  ASSERT_EQ(p.messaggi.back().testo, "Vuoi fare un'altra partita ?");
  EXPECT_FALSE(modGenerale.matchInProgress);
  EXPECT_EQ(f.mousePointer(), Puntatore::predefinito);  // as the match's end left it
  EXPECT_EQ(f.lblTurno.caption(), "E' IL TURNO DEL COMPUTER...");
  EXPECT_FALSE(f.lblTurno.visible());
  EXPECT_TRUE(f.busy);  // until the next match's first round
  p.tasto(f, 113);
  EXPECT_FALSE(f.busy);
  EXPECT_EQ(f.lblTurno.caption(), "E' IL TUO TURNO...");
}

TEST_F(Partita, DopoUnRoundChiusoDalComputerApreIlGiocatore) {
  // The computer completes its column 9 at once (rule 1 comes first).
  disponi({".........", ".........", ".........", ".........", "........C", "........C", "P.......C"});
  p.clic(f.imgFreccia[2]);
  EXPECT_EQ(testiMessaggi(), std::vector<std::string>{"Hai perso questo round !\r\rContinua..."});
  EXPECT_EQ(pezzi(), 0);
  EXPECT_EQ(f.lblTurno.caption(), "E' IL TUO TURNO...");
  EXPECT_FALSE(f.busy);
  EXPECT_FALSE(f.roundOver);
}

TEST_F(Partita, DopoUnRoundVintoDalGiocatoreApreIlComputerEUnClicNellaPausaNonCadeNulla) {
  disponi({".........", ".........", ".........", ".........", "P........", "P........", "P.......C"});
  int cliccatoA = 0;
  // Arrows are enabled again by the new round's reset; the turn's pause
  // comes 3.8 s of blinking and the message after the line.
  f.lblTurno.osserva([&] {
    if (f.lblTurno.caption() == "E' IL TURNO DEL COMPUTER..." && !cliccatoA)
      p.tra(0.1, [&] {
        cliccatoA = pezzi() + 1;
        p.clic(f.imgFreccia[3]);
        p.tasto(f, codiceTasto::cifra1 + 3);
      });
  });
  p.clic(f.imgFreccia[1]);
  EXPECT_EQ(testiMessaggi(), std::vector<std::string>{"Hai vinto questo round !\r\rContinua..."});
  ASSERT_EQ(cliccatoA, 1);  // the click came in the pause, on an empty board
  EXPECT_EQ(pezzi(), 1);
  EXPECT_EQ(f.grid[f.grid.cellaPiuAlta(f.moveHistory.lastComputerColumn)], Side::computer);
  EXPECT_EQ(f.moveHistory.lastPlayerColumn, 0);
  EXPECT_EQ(f.lblTurno.caption(), "E' IL TUO TURNO...");
}

TEST_F(Partita, IlTerzoRoundPersoPortaAlGameOver) {
  f.match.lives = 1;
  f.match.score = 0;  // enters no leaderboard: no name is asked
  f.winningCells = {1, 2, 3, 4};
  p.rispondi(Risposta::no);
  const double inizio = p.adesso();
  f.msubFineRound(Risultato::computer);
  EXPECT_EQ(p.registro, (std::vector<std::string>{"suono id_09", "suono id_03", "msg G A M E   O V E R !",
                                                  "msg Vuoi fare un'altra partita ?"}));
  EXPECT_NEAR(p.suoni[1].tempo - inizio, 3.9, 1e-6);
  EXPECT_NEAR(p.messaggi[0].tempo - inizio, 5.9, 1e-6);
  EXPECT_EQ(p.messaggi[0].titolo, "Velmo");
  EXPECT_EQ(p.messaggi[0].icona, Icona::nessuna);
  EXPECT_EQ(p.messaggi[1].titolo, "Brenvo Info Service...");
  EXPECT_EQ(p.messaggi[1].pulsanti, Pulsanti::siNo);
  EXPECT_EQ(p.messaggi[1].icona, Icona::informazione);
  for (const Immagine& v : f.imgVita) EXPECT_EQ(v.figura(), Figura::vitaNo);
  EXPECT_EQ(f.lblVittorieGiocatore[2].caption(), "1");
  EXPECT_FALSE(modGenerale.matchInProgress);
  EXPECT_TRUE(f.roundOver);
  EXPECT_FALSE(f.mnuFileTermina.enabled());
  EXPECT_TRUE(f.mnuFileNuova.enabled());
}

TEST_F(Partita, GameOverConSiIniziaUnaNuovaPartita) {
  f.match.lives = 1;
  f.winningCells = {1, 2, 3, 4};
  p.rispondi(Risposta::si);
  f.msubFineRound(Risultato::computer);
  EXPECT_TRUE(modGenerale.matchInProgress);
  EXPECT_EQ(f.match.lives, 3);
  EXPECT_EQ(f.lblVittorieGiocatore[2].caption(), "0");
  EXPECT_FALSE(f.roundOver);
}

TEST_F(Partita, OrologioFinoAlLimiteEPoiBeepOgniSecondo) {
  f.match.clockMinutes = 59;
  f.match.clockSeconds = 58;
  p.avanza(1.0);
  EXPECT_EQ(f.lblTempo.caption(), "59 : 59");
  p.avanza(1.0);
  EXPECT_EQ(f.lblTempo.caption(), "60 : 00");
  EXPECT_EQ(p.beepSuonati, 0);
  const Colore iniziale = f.lblTempo.foreColor();
  p.avanza(30.0);
  EXPECT_EQ(p.beepSuonati, 30);
  EXPECT_EQ(f.lblTempo.caption(), "60 : 00");
  EXPECT_EQ(f.match.clockMinutes, 60);
  EXPECT_EQ(f.match.clockSeconds, 0);
  const Colore ora = f.lblTempo.foreColor();
  EXPECT_NE(ora, iniziale);
  EXPECT_TRUE(std::find(coloriOrologioLimite.begin(), coloriOrologioLimite.end(), ora) != coloriOrologioLimite.end());
  // The colour stays into the next round; the clock starts over.
  f.msubNuovoRound();
  EXPECT_EQ(f.lblTempo.foreColor(), ora);
  p.avanza(1.0);
  EXPECT_EQ(f.lblTempo.caption(), "00 : 01");
}

TEST_F(Partita, IlTempoDelRoundContaIMinuti) {
  p.avanza(125.0);
  EXPECT_EQ(f.lblTempo.caption(), "02 : 05");
  EXPECT_EQ(f.match.clockMinutes, 2);
  EXPECT_EQ(f.match.clockSeconds, 5);
}

TEST_F(Partita, TerminaDuranteIlTurnoDelComputerERifiutato) {
  p.tra(0.8, [&] { p.scegli(f.mnuFileTermina); });  // in the computer's pause
  p.clic(f.imgFreccia[5]);
  EXPECT_EQ(testiMessaggi(), std::vector<std::string>{"Non posso ora.."});
  EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Center...");
  EXPECT_TRUE(modGenerale.matchInProgress);
  EXPECT_EQ(pezzi(), 2);
}

TEST_F(Partita, TerminaChiedeDiSalvareEChiudeLaPartita) {
  p.rispondi(Risposta::no);
  p.scegli(f.mnuFileTermina);
  EXPECT_EQ(p.registro, (std::vector<std::string>{"beep", "msg Salvare la partita in corso ?"}));
  EXPECT_EQ(p.messaggi[0].icona, Icona::domanda);
  EXPECT_FALSE(modGenerale.matchInProgress);
  EXPECT_EQ(f.tmrTempo.interval(), 0);
  for (const Immagine& a : f.imgFreccia) EXPECT_FALSE(a.visible());
}

TEST_F(Partita, IlComputerGiocaLaColonnaDellaRegolaDopo0Virgola2Secondi) {
  // An open pair in columns 3-4: rule 15 answers column 2.
  disponi({".........", ".........", ".........", ".........", ".........", ".........", "..PP....."});
  std::vector<double> inizioCaduta;
  f.imgPedina[cella(2, 7)].osserva([&] { inizioCaduta.push_back(p.adesso()); });
  f.imgFreccia_Click(9);  // the player's piece falls for 0.7 s
  EXPECT_EQ(f.moveHistory.lastComputerColumn, 2);
  ASSERT_FALSE(inizioCaduta.empty());
  EXPECT_NEAR(inizioCaduta[0], 0.7 + 0.2 + 0.05, 1e-6);
  EXPECT_EQ(f.mousePointer(), Puntatore::personalizzato);
  EXPECT_EQ(f.lblTurno.caption(), "E' IL TUO TURNO...");
  EXPECT_FALSE(f.busy);
}

TEST_F(Partita, LaColonnaCasualeEUniformeSulleColonneAperte) {
  std::map<int, int> conteggio;
  constexpr int prove = 1800;
  for (int k = 0; k < prove; ++k) {
    f.msubNuovoRound();
    f.msubTurnoComputer();
    ++conteggio[f.moveHistory.lastComputerColumn];
  }
  ASSERT_EQ(conteggio.size(), 9u);
  double chiQuadro = 0;
  for (auto [colonna, n] : conteggio) {
    const double atteso = prove / 9.0;
    chiQuadro += (n - atteso) * (n - atteso) / atteso;
  }
  EXPECT_LT(chiQuadro, 26.1);  // 8 degrees of freedom, p = 0.001
}

TEST_F(Partita, LaColonnaCasualeCercaFinoAllUnicaAperta) {
  disponi({"CP.PCCPPC", "PP.PPPCCC", "CC.PCCCPC", "CC.CPPPCP", "CC.PCCCPP", "PP.CCPCCP", "PC.CPCCPC"});
  ASSERT_EQ(pfuncColonnaComputer(f.grid, f.ordineRegole()), 0);
  for (int k = 0; k < 20; ++k) {
    f.msubTurnoComputer();
    EXPECT_EQ(f.moveHistory.lastComputerColumn, 3);
    f.msubTogliPedina(3, Side::computer);
  }
}

TEST_F(Partita, UnaPartitaInteraDaF2AlNo) {
  f.msubStatoGioco("gioco_off");
  p.tasto(f, 113);  // F2
  ASSERT_TRUE(modGenerale.matchInProgress);
  p.rispondi(Risposta::no);
  int mosse = 0;
  while (modGenerale.matchInProgress && mosse < 2000) {
    int i = 1;
    while (!f.imgFreccia[i].visible()) ++i;
    p.clic(f.imgFreccia[i]);
    ++mosse;
  }
  ASSERT_FALSE(modGenerale.matchInProgress);

  // Each round message follows its cues; the match closes with game over.
  const std::vector<std::string> messaggi = testiMessaggi();
  ASSERT_GE(messaggi.size(), 4u);
  EXPECT_EQ(messaggi[messaggi.size() - 2], "G A M E   O V E R !");
  EXPECT_EQ(messaggi.back(), "Vuoi fare un'altra partita ?");
  EXPECT_EQ(std::count(messaggi.begin(), messaggi.end(), "Hai perso questo round !\r\rContinua..."), 2);
  std::string precedente;
  for (const std::string& voce : p.registro) {
    const std::map<std::string, std::string> prima = {
        {"msg Hai perso questo round !\r\rContinua...", "suono id_08"},
        {"msg Hai vinto questo round !\r\rContinua...", "suono id_07"},
        {"suono id_08", "suono id_09"},
        {"suono id_07", "suono id_09"},
        {"msg G A M E   O V E R !", "suono id_03"}};
    if (auto atteso = prima.find(voce); atteso != prima.end()) {
      EXPECT_EQ(precedente, atteso->second) << voce;
    }
    if (voce.rfind("suono id_15", 0) != 0) precedente = voce;
  }
  EXPECT_EQ(f.match.victories[1], 3);
  for (const Immagine& v : f.imgVita) EXPECT_EQ(v.figura(), Figura::vitaNo);
  EXPECT_FALSE(f.mnuFileTermina.enabled());
  EXPECT_TRUE(f.picContenitoreCrediti[1].visible());
}

}  // namespace
}  // namespace velmo::test
