// The leaderboard reset: its question and buttons, the waits and cue of
// "&Certo !", the clock stopped while it is open, and the close commands it
// refuses.

#include "forms/leaderboard/FrmResettaClassifica.h"

#include <gtest/gtest.h>

#include "Gioco.h"
#include "core/files/TestoIni.h"

namespace velmo::test {
namespace {

const std::string fileConCinque =
    "[Nome]\r\n1=Anna\r\n2=Bruno\r\n3=Carla\r\n4=Dario\r\n5=Elena\r\n"
    "[Info]\r\n1=3 vittorie\r\n2=1 vittoria\r\n3=2 vittorie\r\n4=0 vittorie\r\n5=1 vittoria\r\n"
    "[Punteggio]\r\n1=9120\r\n2=5230\r\n3=4100\r\n4=-360\r\n5=12\r\n";

struct Resetta : testing::Test, Gioco {
  Resetta() { p.file[modGenerale.percorsoIni].contenuto = fileConCinque; }

  FrmResettaClassifica& aperta() {
    auto* f = dynamic_cast<FrmResettaClassifica*>(p.modale());
    if (!f) throw ErroreScript{"no reset window open"};
    return *f;
  }

  // Section and key of each write, in order: each changes one value.
  std::vector<std::string> chiaviScritte() const {
    std::vector<std::string> chiavi;
    std::string prima = fileConCinque;
    for (const auto& [percorso, testo] : p.scritture) {
      for (const char* s : {"Nome", "Info", "Punteggio"})
        for (const char* k : {"1", "2", "3", "4", "5"})
          if (valoreIni(prima, s, k) != valoreIni(testo, s, k)) chiavi.push_back(std::string(s) + k);
      prima = testo;
    }
    return chiavi;
  }
};

TEST_F(Resetta, ScherzavoChiudeSenzaCambiareNulla) {
  nuovaPartita();
  p.tra(1.0, [&] {
    FrmResettaClassifica& r = aperta();
    EXPECT_EQ(r.caption(), " Resetta Classifica...");
    EXPECT_EQ(r.lblDomanda.caption(), "Sicuro di voler buttare la classifica nel ces....?");
    EXPECT_EQ(r.cmdConferma.caption(), "&Certo !");
    EXPECT_EQ(r.cmdAnnulla.caption(), "Scherzavo..");
    EXPECT_FALSE(r.closeCommand());
    EXPECT_EQ(f.tmrTempo.interval(), 0);  // the round clock stands still
    EXPECT_EQ(p.beepSuonati, 1);
    // The window manager's close and Alt+F4 do nothing.
    r.Form_QueryClose();
    p.tasto(r, codiceTasto::F4, Form::altMask);
    // No default button: Return presses nothing.
    p.tasto(r, codiceTasto::invio);
    EXPECT_TRUE(r.loaded());
  });
  // Escape is "Scherzavo..", the cancel button.
  p.tra(2.0, [&] { p.tasto(aperta(), codiceTasto::esc); });
  const std::string clockPrima = f.lblTempo.caption();
  p.tasto(f, codiceTasto::F6);
  EXPECT_EQ(p.modale(), nullptr);
  EXPECT_TRUE(p.scritture.empty());
  EXPECT_EQ(f.tmrTempo.interval(), 1000);
  EXPECT_EQ(f.lblTempo.caption(), clockPrima);  // no second passed on the clock while open
}

TEST_F(Resetta, CertoSvuotaLaClassificaDopoIlSuoSuonoELeSueAttese) {
  struct Caso {
    const char* descrizione;
    int musica;    // tmrWaveMp3's interval
    bool audioOff;
    int beep;
    std::vector<std::string> suoni;
    double attesa;
  };
  const Caso casi[] = {
      {"music over, sound on", 0, false, 1, {"id_06"}, 4.85},
      {"music over, sound off", 0, true, 1, {}, 2.0},
      {"start-up music playing", 22500, false, 0, {}, 1.0},
  };
  for (const Caso& c : casi) {
    p.file[modGenerale.percorsoIni].contenuto = fileConCinque;
    p.scritture.clear();
    p.suoni.clear();
    p.beepSuonati = 0;
    f.tmrWaveMp3.setInterval(c.musica);
    f.mnuImpostazioniAudio[1].setChecked(!c.audioOff);
    f.mnuImpostazioniAudio[2].setChecked(c.audioOff);
    double premuto = 0;
    p.tra(1.0, [&] {
      premuto = p.adesso();
      p.clic(aperta().cmdConferma);
    });
    p.tra(1.5, [&] {
      FrmResettaClassifica& r = aperta();
      EXPECT_FALSE(r.cmdConferma.enabled()) << c.descrizione;
      EXPECT_FALSE(r.cmdAnnulla.enabled()) << c.descrizione;
      EXPECT_EQ(r.mousePointer(), Puntatore::clessidra) << c.descrizione;
      // Nothing of the waits takes another click or a close.
      p.clic(r.cmdConferma);
      p.clic(r.cmdAnnulla);
      r.Form_QueryClose();
      EXPECT_TRUE(p.scritture.empty()) << c.descrizione;
    });
    p.tasto(f, codiceTasto::F6);
    EXPECT_EQ(p.modale(), nullptr) << c.descrizione;
    EXPECT_EQ(p.beepSuonati, c.beep) << c.descrizione;
    std::vector<std::string> suoni;
    for (const SuonoSuonato& s : p.suoni) suoni.push_back(s.suono);
    EXPECT_EQ(suoni, c.suoni) << c.descrizione;
    EXPECT_NEAR(p.adesso() - premuto, c.attesa, 1e-6) << c.descrizione;
    // Place by place: name, victories, score.
    std::vector<std::string> attese;
    for (const char* k : {"1", "2", "3", "4", "5"})
      for (const char* s : {"Nome", "Info", "Punteggio"}) attese.push_back(std::string(s) + k);
    EXPECT_EQ(chiaviScritte(), attese) << c.descrizione;
    for (const char* s : {"Nome", "Info", "Punteggio"})
      for (const char* k : {"1", "2", "3", "4", "5"})
        EXPECT_EQ(valoreIni(p.file[modGenerale.percorsoIni].contenuto, s, k), "vuoto") << c.descrizione;
  }
  EXPECT_EQ(f.tmrTempo.interval(), 0);  // no match: the clock stays as it was
}

TEST_F(Resetta, AllaFineDiUnRoundLOrologioFermoNonRipartePerLaFinestra) {
  nuovaPartita();
  f.match.clockSeconds = 10;
  f.lblTempo.setCaption("00 : 10");
  f.grid.contaLibere(-20);
  f.winningCells = {1, 2, 3, 4};
  // During the winning line's blink the clock stands still; the window
  // opened there must not restart it, or the round's time would grow.
  p.tra(1.0, [&] { p.tasto(f, codiceTasto::F6); });
  p.tra(1.5, [&] { p.clic(aperta().cmdAnnulla); });
  f.msubFineRound(Risultato::giocatore);
  EXPECT_EQ(f.match.score, puntiRound(43, 0, 10));
  EXPECT_EQ(f.match.clockSeconds, 0);  // the next round's clock
}

}  // namespace
}  // namespace velmo::test
