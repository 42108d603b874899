// The game window's own behaviour: load defaults, states, menus, pop-ups,
// pointer, keys, arrow highlight, pause and quit.

#include <gtest/gtest.h>

#include "Gioco.h"
#include "forms/game/FrmPausa.h"

namespace velmo::test {
namespace {

using tavola::cella;

constexpr int F2 = 113, F3 = 114, F4 = 115;

struct Finestra : testing::Test, Gioco {
  std::vector<std::string> vociPopup() const { return p.popup; }
};

TEST_F(Finestra, AlCaricamento) {
  EXPECT_EQ(f.width(), 10245);
  EXPECT_EQ(f.height(), 7615);  // a system other than the named ones
  EXPECT_EQ(f.caption(), " Brenvo Velmo 2.0");
  EXPECT_TRUE(f.mnuImpostazioniPedine[2].checked());
  EXPECT_FALSE(f.mnuImpostazioniPedine[1].checked());
  EXPECT_TRUE(f.mnuImpostazioniVelocita[3].checked());
  EXPECT_FALSE(f.mnuImpostazioniVelocita[2].checked());
  for (const VoceMenu& v : f.mnuImpostazioniVelocita) EXPECT_TRUE(v.radio());
  EXPECT_FALSE(f.mnuImpostazioniPedine[1].radio());
  EXPECT_TRUE(f.mnuImpostazioniAudio[1].checked());
  EXPECT_FALSE(f.mnuPopUpInGioco1.visible());
  EXPECT_FALSE(f.mnuPopUpFuoriGioco1.visible());
  // "gioco_off": no arrows, credits shown and scrolling.
  for (const Immagine& a : f.imgFreccia) EXPECT_FALSE(a.visible());
  EXPECT_TRUE(f.picContenitoreCrediti[1].visible());
  EXPECT_EQ(f.tmrCrediti.interval(), 25);
  EXPECT_FALSE(f.mnuFilePausa.enabled());
  EXPECT_FALSE(f.mnuMain[3].enabled());
  EXPECT_EQ(f.mousePointer(), Puntatore::predefinito);
  // Cells and arrows where the layout puts them.
  EXPECT_EQ(f.imgPedina[1].left(), 950);
  EXPECT_EQ(f.imgPedina[1].top(), 5270);
  EXPECT_EQ(f.imgPedina[63].left(), 950 + 690 * 8);
  EXPECT_EQ(f.imgPedina[63].top(), 5270 - 720 * 6);
  EXPECT_EQ(f.imgFreccia[9].left(), 300 + 700 * 9);
  EXPECT_EQ(f.imgFreccia[9].top(), 240);
  // Credits: twelve lines stacked below the visible area.
  EXPECT_EQ(f.lblCrediti[1].top(), 4560);
  for (int i = 2; i <= 12; ++i) EXPECT_EQ(f.lblCrediti[i].top(), f.lblCrediti[i - 1].top() + f.lblCrediti[i - 1].height());
  EXPECT_EQ(f.lblCrediti[1].caption(), "Brenvo Velmo 2.0");
  EXPECT_EQ(f.lblCrediti[12].caption(), "Premere F2 per iniziare...");
  EXPECT_EQ(f.picContenitoreCrediti[2].top(), 1060);
}

TEST(FinestraSistemi, AltezzaEVelocitaDeiCreditiPerSistema) {
  const std::tuple<const char*, int, int> casi[] = {
      {"WinXP", 7695, 25}, {"Sconosciuto", 7695, 25}, {"Win95/98/ME", 7590, 1}, {"WinNT", 7615, 25}, {"", 7615, 25}};
  for (auto [sistema, altezza, crediti] : casi) {
    Ambiente a;
    modGenerale.nomeSistema = sistema;
    FrmGioco f;
    f.Load();
    EXPECT_EQ(f.height(), altezza) << sistema;
    EXPECT_EQ(f.tmrCrediti.interval(), crediti) << sistema;
  }
}

TEST(FinestraSistemi, SenzaSchedaAudioIlSuonoESpentoEBloccato) {
  Ambiente a;
  modGenerale.noSoundDevice = true;
  FrmGioco f;
  f.Load();
  EXPECT_TRUE(f.mnuImpostazioniAudio[2].checked());
  EXPECT_FALSE(f.mnuImpostazioniAudio[1].checked());
  EXPECT_FALSE(f.mnuImpostazioniAudio[1].enabled());
  EXPECT_FALSE(f.mnuImpostazioniAudio[2].enabled());
}

TEST_F(Finestra, GiocoOnEGiocoOff) {
  f.tmrWaveMp3.setInterval(22500);
  p.tasto(f, F2);
  EXPECT_TRUE(modGenerale.matchInProgress);
  EXPECT_EQ(f.caption(), " Brenvo Velmo 2.0 - [Partita non salvata]");
  EXPECT_EQ(f.picContenitore[1].figura(), Figura::tabelloneInPartita);
  EXPECT_FALSE(f.mnuFileNuova.enabled());
  EXPECT_FALSE(f.mnuFileCarica.enabled());
  EXPECT_TRUE(f.mnuFileTermina.enabled());
  EXPECT_FALSE(f.mnuImpostazioniPedine[1].enabled());
  EXPECT_EQ(f.tmrWaveMp3.interval(), 0);
  EXPECT_GE(p.fermate, 1);
  EXPECT_FALSE(f.picContenitoreCrediti[1].visible());
  EXPECT_EQ(f.tmrCrediti.interval(), 0);
  EXPECT_EQ(f.lblColorePedine.caption(), "rosse");
  EXPECT_EQ(f.lblColorePedine.foreColor(), (Colore{255, 0, 0}));
  EXPECT_EQ(f.tmrTempo.interval(), 1000);
  EXPECT_EQ(f.lblTurno.caption(), "E' IL TUO TURNO...");
  EXPECT_TRUE(f.lblTurno.visible());

  f.msubInserisciPedina(3, Side::giocatore);
  f.msubStatoGioco("gioco_off");
  EXPECT_FALSE(modGenerale.matchInProgress);
  EXPECT_EQ(f.caption(), " Brenvo Velmo 2.0");
  EXPECT_EQ(f.imgPedina[3].figura(), Figura::nessuna);
  EXPECT_EQ(f.imgPedina[3].tag(), "nessuna");
  EXPECT_EQ(f.grid[3], Side::nessuna);  // the board itself, not only its pictures
  EXPECT_EQ(f.grid.freeCells, 63);
  EXPECT_EQ(f.tmrTempo.interval(), 0);
  EXPECT_EQ(f.picContenitore[1].figura(), Figura::tabelloneSenzaPartita);

  EXPECT_FALSE(f.lblTurno.visible());

  f.msubStatoGioco("gioco_acceso");  // any other word does nothing
  EXPECT_FALSE(modGenerale.matchInProgress);
}

TEST_F(Finestra, UnTastoDiFunzioneDiUnaVoceDisattivataNonFaNulla) {
  p.tasto(f, F4);  // "&Termina partita" is disabled without a match
  EXPECT_TRUE(p.messaggi.empty());
  p.tasto(f, 118);  // F7, undo, disabled
  EXPECT_TRUE(p.registro.empty());
}

TEST_F(Finestra, AltF4InPartitaSaltaSoloLaPrimaDomanda) {
  p.tasto(f, F2);
  p.rispondi(Risposta::no);
  const double inizio = p.adesso();
  EXPECT_THROW(p.tasto(f, F4, Form::altMask), ProgrammaTerminato);
  EXPECT_EQ(testiMessaggi(), std::vector<std::string>{"Salvare la partita in corso ?"});
  EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Service...");
  EXPECT_EQ(p.messaggi[0].icona, Icona::domanda);
  ASSERT_FALSE(p.suoni.empty());
  EXPECT_EQ(p.suoni.back().suono, "id_10");
  EXPECT_NEAR(p.adesso() - inizio, 1.9, 1e-6);
  EXPECT_FALSE(f.loaded());
  EXPECT_TRUE(f.altF4Pressed);
}

// GNOME and KDE take Alt+F4 themselves and pass it on as a close request,
// only to a window that allows the close command; the title bar's button
// sends the same. It is the key's path: no first question.
TEST_F(Finestra, LaChiusuraDalGestoreDelleFinestreEAltF4) {
  EXPECT_TRUE(f.closeCommand());
  EXPECT_THROW(p.chiudi(f), ProgrammaTerminato);
  EXPECT_TRUE(p.messaggi.empty());  // no match: no question at all
  EXPECT_FALSE(f.loaded());
  EXPECT_TRUE(f.altF4Pressed);
}

TEST_F(Finestra, LaChiusuraInPartitaChiedeSoloDiSalvareEUnaSecondaNonFaNulla) {
  p.tasto(f, F2);
  p.rispondi(Risposta::no);
  // A second request while the save question waits: the sequence is running.
  p.tra(0.5, [&] { p.chiudi(f); });
  EXPECT_THROW(p.chiudi(f), ProgrammaTerminato);
  EXPECT_EQ(testiMessaggi(), std::vector<std::string>{"Salvare la partita in corso ?"});
  EXPECT_TRUE(f.altF4Pressed);
}

TEST_F(Finestra, EsciChiedeConfermaENoLasciaScorrereICrediti) {
  p.rispondi(Risposta::no);
  p.scegli(f.mnuFileEsci);
  EXPECT_EQ(testiMessaggi(), std::vector<std::string>{"Sicuro di voler uscire ?"});
  EXPECT_EQ(f.tmrCrediti.interval(), 25);
  EXPECT_TRUE(f.loaded());

  p.tasto(f, F2);
  p.rispondi(Risposta::si);
  p.rispondi(Risposta::no);
  std::vector<int> creditiAllaDomanda;
  f.tmrCrediti.setInterval(25);  // as if it were scrolling
  EXPECT_THROW(p.scegli(f.mnuFileEsci), ProgrammaTerminato);
  EXPECT_EQ(p.messaggi.back().testo, "Salvare la partita in corso ?");
  EXPECT_EQ(f.tmrCrediti.interval(), 0);
}

TEST_F(Finestra, SiAllUscitaFermaICreditiPrimaDellaDomandaDiSalvare) {
  p.tasto(f, F2);
  f.tmrCrediti.setInterval(25);  // as if it were scrolling
  int creditiAllaDomanda = -1;
  p.rispondi(Risposta::si);
  p.rispondi(Risposta::no, 1.0);
  p.allAnnotazione = [&](const std::string& voce) {
    if (voce == "msg Salvare la partita in corso ?") creditiAllaDomanda = f.tmrCrediti.interval();
  };
  EXPECT_THROW(p.scegli(f.mnuFileEsci), ProgrammaTerminato);
  EXPECT_EQ(creditiAllaDomanda, 0);
}

TEST_F(Finestra, UnaSecondaRichiestaDiUscitaNelCongedoNonRicominciaNulla) {
  p.tasto(f, F2);
  p.rispondi(Risposta::no);
  p.allAnnotazione = [&](const std::string& voce) {
    if (voce != "suono id_10") return;
    p.tra(0.5, [&] {
      p.rispondi(Risposta::no);
      p.tasto(f, F4, Form::altMask);
      p.chiudi(f);
      p.scegli(f.mnuFileEsci);
      p.tasto(f, F3);
      p.clic(f.imgFreccia[1]);
    });
  };
  const double inizio = p.adesso();
  EXPECT_THROW(p.tasto(f, F4, Form::altMask), ProgrammaTerminato);
  EXPECT_EQ(testiMessaggi(), std::vector<std::string>{"Salvare la partita in corso ?"});
  EXPECT_NEAR(p.adesso() - inizio, 1.9, 1e-6);
  EXPECT_EQ(p.modale(), nullptr);
  EXPECT_EQ(f.grid.freeCells, 63);
}

TEST_F(Finestra, EsciConLaClessidraNonFaNulla) {
  f.setMousePointer(Puntatore::clessidra);
  p.scegli(f.mnuFileEsci);
  EXPECT_TRUE(p.messaggi.empty());
  EXPECT_TRUE(f.loaded());
}

TEST_F(Finestra, MenuAComparsaSecondoLoStato) {
  const EventoMouse destro{2, 0, 100, 100};
  f.picContenitore_MouseUp(2, destro);  // the side panel: nothing
  f.picContenitore_MouseUp(1, EventoMouse{1, 0, 100, 100});  // left button: nothing
  EXPECT_TRUE(p.popup.empty());

  f.imgPedina[30].onMouseUp(destro);  // over a cell as over the board
  p.tasto(f, F2);
  f.imgFreccia[4].onMouseDown(destro);  // forwarded from an arrow
  ASSERT_EQ(p.popup.size(), 2u);
  EXPECT_EQ(p.popup[0],
            "Comandi della &tastiera|-|Audio o&n|Audio &off|-|Pedine &gialle|Pedine &rosse|-|"
            "Velocità m&inima|Velocità m&edia|Velocità m&assima");
  EXPECT_EQ(p.popup[1],
            "Comandi della &tastiera|-|&Nuova partita|&Pausa|&Termina partita|-|&Carica partita|&Salva|-|&Esci");
  EXPECT_FALSE(f.mnuPopUpInGioco1.visible());
  EXPECT_FALSE(f.mnuPopUpInGioco2.visible());
}

TEST_F(Finestra, PuntatoreSulTavoloESulPannello) {
  f.picContenitore_MouseMove(2);
  EXPECT_EQ(f.mousePointer(), Puntatore::predefinito);  // no match: left alone
  p.tasto(f, F2);
  f.imgVita[2].onMouseMove(EventoMouse{});
  EXPECT_EQ(f.mousePointer(), Puntatore::vietato);
  f.imgPedina[12].onMouseMove(EventoMouse{});
  EXPECT_EQ(f.mousePointer(), Puntatore::personalizzato);
  f.imgFreccia[2].onMouseDown(EventoMouse{1, 0, 0, 0});
  EXPECT_EQ(f.mouseIcon(), Figura::manoChiusa);
  f.imgFreccia[2].onMouseUp(EventoMouse{1, 0, 0, 0});
  EXPECT_EQ(f.mouseIcon(), Figura::manoAperta);
}

TEST_F(Finestra, PausaConF3FermaLOrologio) {
  p.tasto(f, F2);
  p.avanza(3.0);
  ASSERT_EQ(f.lblTempo.caption(), "00 : 03");
  double ripresa = 0;
  p.tra(10.0, [&] {
    ASSERT_NE(p.modale(), nullptr);
    auto& pausa = static_cast<FrmPausa&>(*p.modale());
    EXPECT_EQ(pausa.lblPausa.caption(), "Il Brenvo è in pausa...");
    EXPECT_EQ(pausa.cmdRiprendi.caption(), "&Riprendi");
    EXPECT_EQ(f.lblTempo.caption(), "00 : 03");
    p.tasto(pausa, F3);
    ripresa = p.adesso();
  });
  const double inizio = p.adesso();
  p.tasto(f, F3);
  EXPECT_NEAR(ripresa - inizio, 10.6, 1e-6);  // the jingle's 0.6 s wait before closing
  ASSERT_GE(p.suoni.size(), 2u);
  EXPECT_EQ(p.suoni[p.suoni.size() - 2].suono, "id_04");
  EXPECT_EQ(p.suoni.back().suono, "id_05");
  EXPECT_EQ(f.tmrTempo.interval(), 1000);
  p.avanza(1.0);
  EXPECT_EQ(f.lblTempo.caption(), "00 : 04");
}

TEST_F(Finestra, ChiuderLaPausaDalGestoreDelleFinestreRiprende) {
  p.tasto(f, F2);
  p.tra(1.0, [&] { p.chiudi(*p.modale()); });
  p.tasto(f, F3);
  EXPECT_EQ(p.modale(), nullptr);
  EXPECT_EQ(p.suoni.back().suono, "id_05");
  EXPECT_EQ(f.tmrTempo.interval(), 1000);
  p.avanza(2.0);  // resumed at 1.6 s, after the jingle's wait
  EXPECT_EQ(f.lblTempo.caption(), "00 : 02");
}

TEST_F(Finestra, IlPulsanteRiprendiInvioEdEscChiudonoLaPausa) {
  p.tasto(f, F2);
  const std::vector<std::pair<const char*, std::function<void(FrmPausa&)>>> modi = {
      {"click", [&](FrmPausa& pausa) { p.clic(pausa.cmdRiprendi); }},
      {"Return", [&](FrmPausa& pausa) { p.tasto(pausa, codiceTasto::invio); }},
      {"Escape", [&](FrmPausa& pausa) { p.tasto(pausa, codiceTasto::esc); }},
  };
  for (const auto& [modo, riprendi] : modi) {
    p.tra(1.0, [&] { riprendi(static_cast<FrmPausa&>(*p.modale())); });
    p.scegli(f.mnuFilePausa);
    EXPECT_EQ(p.modale(), nullptr) << modo;
    EXPECT_EQ(p.suoni.back().suono, "id_05") << modo;
    EXPECT_EQ(f.tmrTempo.interval(), 1000) << modo;
  }
}

TEST_F(Finestra, TastiDa1A9SoloDellaTastieraPrincipale) {
  p.tasto(f, codiceTasto::cifra1 + 4);  // no match: nothing
  EXPECT_EQ(f.grid.freeCells, 63);
  p.tasto(f, F2);
  p.tasto(f, 101);  // keypad 5
  p.tasto(f, 48);   // "0"
  EXPECT_EQ(f.grid.freeCells, 63);
  p.tasto(f, codiceTasto::cifra1 + 4);  // "5"
  EXPECT_EQ(f.grid[5], Side::giocatore);
  EXPECT_EQ(f.imgFreccia[5].tag(), "rossa");
  EXPECT_EQ(f.imgFreccia[5].figura(), Figura::frecciaRossa);
  EXPECT_EQ(f.grid.freeCells, 61);  // and the computer answered
}

TEST_F(Finestra, UnTastoDuranteIlTurnoDelComputerOSuColonnaPienaNonFaNulla) {
  p.tasto(f, F2);
  disponi({"P........", "C........", "P........", "C........", "P........", "C........", "P........"});
  p.tasto(f, codiceTasto::cifra1);  // column 1 is full
  EXPECT_EQ(f.grid.freeCells, 56);
  p.tra(0.8, [&] { p.tasto(f, codiceTasto::cifra1 + 7); });  // during the computer's pause
  p.tasto(f, codiceTasto::cifra1 + 1);
  EXPECT_EQ(f.grid.freeCells, 54);
  EXPECT_EQ(f.grid[8], Side::nessuna);
}

TEST_F(Finestra, EvidenziazioneDelleFrecce) {
  p.tasto(f, F2);
  f.imgFreccia[3].onMouseMove(EventoMouse{});
  f.imgFreccia[4].onMouseMove(EventoMouse{});
  EXPECT_EQ(f.imgFreccia[3].tag(), "nera");
  EXPECT_EQ(f.imgFreccia[3].figura(), Figura::frecciaNera);
  EXPECT_EQ(f.imgFreccia[4].tag(), "rossa");
  EXPECT_EQ(f.imgFreccia[4].figura(), Figura::frecciaRossa);
  int cambi = 0;
  for (Immagine& a : f.imgFreccia) a.osserva([&] { ++cambi; });
  f.imgFreccia[4].onMouseMove(EventoMouse{});
  EXPECT_EQ(cambi, 0);
  // The reset paints every arrow black but keeps the tags.
  f.msubNuovoRound();
  EXPECT_EQ(f.imgFreccia[4].figura(), Figura::frecciaNera);
  EXPECT_EQ(f.imgFreccia[4].tag(), "rossa");
}

TEST_F(Finestra, ColoreDellePedineTraUnaPartitaEAltra) {
  p.scegli(f.mnuImpostazioniPedine[1]);
  EXPECT_TRUE(f.mnuImpostazioniPedine[1].checked());
  EXPECT_EQ(f.lblColorePedine.caption(), "gialle");
  EXPECT_EQ(f.lblColorePedine.foreColor(), (Colore{192, 192, 0}));
  EXPECT_EQ(p.suoni.back().suono, "id_01");
  p.tasto(f, F2);
  p.tasto(f, codiceTasto::cifra1);
  EXPECT_EQ(f.imgPedina[1].figura(), Figura::pedinaGialla);
  p.scegli(f.mnuImpostazioniPedine[2]);  // disabled during a match
  EXPECT_EQ(f.lblColorePedine.caption(), "gialle");
}

TEST_F(Finestra, IlClicDelleImpostazioniTaceDuranteLaMusicaIniziale) {
  f.tmrWaveMp3.setInterval(22500);
  p.scegli(f.mnuImpostazioniVelocita[1]);
  EXPECT_TRUE(p.suoni.empty());
  EXPECT_TRUE(f.mnuImpostazioniVelocita[1].checked());
  EXPECT_FALSE(f.mnuImpostazioniVelocita[3].checked());
  p.avanza(22.5);
  EXPECT_EQ(f.tmrWaveMp3.interval(), 0);
  p.scegli(f.mnuImpostazioniVelocita[2]);
  ASSERT_EQ(p.suoni.size(), 1u);
  EXPECT_EQ(p.suoni[0].suono, "id_01");
}

TEST_F(Finestra, IlLampeggioNascondeLeFrecceSeVisibili) {
  p.tasto(f, F2);
  f.winningCells = {1, 2, 3, 4};
  f.tmrIntermittenza_Timer();
  for (const Immagine& a : f.imgFreccia) EXPECT_FALSE(a.visible());
  EXPECT_FALSE(f.imgPedina[1].visible());
  f.tmrIntermittenza_Timer();
  EXPECT_TRUE(f.imgPedina[1].visible());
}

}  // namespace
}  // namespace velmo::test
