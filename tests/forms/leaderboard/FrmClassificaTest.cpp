// The leaderboard window: what it shows, its cue, the closing on a click on
// any of its parts with the closing effect, and commands that arrive while
// it is open or closing.

#include "forms/leaderboard/FrmClassifica.h"

#include <gtest/gtest.h>

#include "Gioco.h"
#include "forms/ChiusuraConEffetto.h"

namespace velmo::test {
namespace {

// Places 1..5 with blanks around some values, as a hand-edited file may.
const std::string fileConCinque =
    "[Nome]\r\n1= Anna \r\n2=Bruno\r\n3=Carla\r\n4=Dario\r\n5=Elena\r\n"
    "[Info]\r\n1=3 vittorie\r\n2=1 vittoria\r\n3=2 vittorie\r\n4=0 vittorie\r\n5=vuoto\r\n"
    "[Punteggio]\r\n1=9120\r\n2=5230\r\n3=4100\r\n4=-360\r\n5=vuoto\r\n";

struct FinestraClassifica : testing::Test, Gioco {
  FinestraClassifica() { p.file[modGenerale.percorsoIni].contenuto = fileConCinque; }

  static FrmClassifica& aperta(PiattaformaTest& p) {
    auto* f = dynamic_cast<FrmClassifica*>(p.modale());
    if (!f) throw ErroreScript{"no leaderboard open"};
    return *f;
  }

  // Opens the window with F5; `mentre` runs one second later inside it, and
  // a click on the window follows a second after that.
  void apriConF5(const std::function<void(FrmClassifica&)>& mentre) {
    p.tra(1.0, [&, mentre] { mentre(aperta(p)); });
    p.tra(2.0, [&] { aperta(p).Form_Click(); });
    p.tasto(f, codiceTasto::F5);
  }

  struct Riga {
    std::string nome, info, punteggio;
    bool rossa;
  };
  static std::vector<Riga> righe(const FrmClassifica& c) {
    std::vector<Riga> r;
    for (int i = 1; i <= 5; ++i) {
      const bool rossa = c.lblNome[i].foreColor() == FrmClassifica::coloreUltimoInserito && c.lblNome[i].bold() &&
                         c.lblInfo[i].foreColor() == FrmClassifica::coloreUltimoInserito && c.lblInfo[i].bold() &&
                         c.lblPunteggio[i].foreColor() == FrmClassifica::coloreUltimoInserito &&
                         c.lblPunteggio[i].bold();
      r.push_back({c.lblNome[i].caption(), c.lblInfo[i].caption(), c.lblPunteggio[i].caption(), rossa});
    }
    return r;
  }
};

bool operator==(const FinestraClassifica::Riga& a, const FinestraClassifica::Riga& b) {
  return std::tie(a.nome, a.info, a.punteggio, a.rossa) == std::tie(b.nome, b.info, b.punteggio, b.rossa);
}

void PrintTo(const FinestraClassifica::Riga& r, std::ostream* os) {
  *os << r.nome << "|" << r.info << "|" << r.punteggio << (r.rossa ? " (red bold)" : "");
}

TEST_F(FinestraClassifica, F5MostraLeCinqueRigheDelFile) {
  std::vector<Riga> viste;
  apriConF5([&](FrmClassifica& c) {
    EXPECT_EQ(c.caption(), " Brenvo Velmo 2.0 - Classifica");
    // What a screen reader reads as it opens.
    EXPECT_TRUE(c.dialogo());
    EXPECT_EQ(c.descrizioneAccessibile(),
              "Posto 1: Anna, punteggio 9120, 3 vittorie. Posto 2: Bruno, punteggio 5230, 1 vittoria. "
              "Posto 3: Carla, punteggio 4100, 2 vittorie. Posto 4: Dario, punteggio -360, 0 vittorie. "
              "Posto 5: Elena, punteggio vuoto, vuoto.");
    viste = righe(c);
    EXPECT_EQ(c.lblNome[1].fontSize(), 13.5);
    EXPECT_EQ(c.lblInfo[1].fontSize(), 12);
    EXPECT_EQ(c.lblPunteggio[1].fontSize(), 12);
    for (int i = 2; i <= 5; ++i) {
      EXPECT_EQ(c.lblNome[i].fontSize(), 9.75);
      EXPECT_EQ(c.lblPosto[i - 1].caption(), std::to_string(i) + "°)");
      EXPECT_FALSE(c.lblNome[i].bold());
    }
  });
  EXPECT_EQ(viste, (std::vector<Riga>{{"Anna", "3 vittorie", "9120", false},
                                      {"Bruno", "1 vittoria", "5230", false},
                                      {"Carla", "2 vittorie", "4100", false},
                                      {"Dario", "0 vittorie", "-360", false},
                                      {"Elena", "vuoto", "vuoto", false}}));
  // Opened and closed to its cues, the file read afresh.
  EXPECT_EQ(p.suoni.front().suono, "id_14");
  EXPECT_EQ(f.classifica[0].Nome, "Anna");
}

TEST_F(FinestraClassifica, UnClicSuQualunqueParteChiudeConSuonoEdEffetto) {
  const std::vector<std::pair<const char*, std::function<void(FrmClassifica&)>>> parti = {
      {"the window", [](FrmClassifica& c) { c.Form_Click(); }},
      {"place 1's name", [](FrmClassifica& c) { c.lblNome[1].onClick(); }},
      {"a victories text", [](FrmClassifica& c) { c.lblInfo[4].onClick(); }},
      {"a score", [](FrmClassifica& c) { c.lblPunteggio[5].onClick(); }},
      {"a row's number", [](FrmClassifica& c) { c.lblPosto[2].onClick(); }},
      {"the logo", [this](FrmClassifica& c) { p.clic(c.imgLogo); }},
      {"the cup", [this](FrmClassifica& c) { p.clic(c.imgCoppa); }},
      {"Escape", [this](FrmClassifica& c) { p.tasto(c, codiceTasto::esc); }},
      {"Return", [this](FrmClassifica& c) { p.tasto(c, codiceTasto::invio); }},
  };
  for (const auto& [parte, clic] : parti) {
    p.registro.clear();
    p.rettangoli.clear();
    p.ridisegnati.clear();
    const int fermate = p.fermate;
    double aperta = -1;
    p.tra(1.0, [&] {
      aperta = p.adesso();
      clic(FinestraClassifica::aperta(p));
    });
    p.tasto(f, codiceTasto::F5);
    ASSERT_EQ(p.modale(), nullptr) << parte;
    EXPECT_EQ(p.registro, (std::vector<std::string>{"suono id_14", "mostra frmClassifica", "suono id_02",
                                                   "scarica frmClassifica", "ridisegna"}))
        << parte;
    // Each cue stops the sound before it; the close also stops it itself.
    EXPECT_EQ(p.fermate, fermate + 3) << parte;
    EXPECT_EQ(p.rettangoli.size(), 450u) << parte;
    EXPECT_EQ(p.rettangoli.front().riempimento, FrmClassifica::coloreSfondo);
    EXPECT_EQ(p.rettangoli.front().tempo, aperta);
    EXPECT_EQ(p.ridisegnati, std::vector<const Controllo*>{&f.picContenitore[1]}) << parte;
  }
}

TEST_F(FinestraClassifica, DuranteLaMusicaInizialeSiApreESiChiudeInSilenzio) {
  f.tmrWaveMp3.setInterval(22500);
  const int fermate = p.fermate;
  apriConF5([](FrmClassifica&) {});
  EXPECT_TRUE(p.suoni.empty());
  EXPECT_EQ(p.fermate, fermate);
  EXPECT_EQ(p.rettangoli.size(), 450u);
}

TEST_F(FinestraClassifica, MentreSiChiudeAltriClicEAltF4NonFannoNulla) {
  p.tra(1.0, [&] { aperta(p).Form_Click(); });
  p.tra(1.1, [&] {
    FrmClassifica& c = aperta(p);
    c.lblNome[2].onClick();
    c.Form_Click();
    c.Form_QueryClose();  // Alt+F4 or the title bar's close
    p.tasto(c, codiceTasto::F4, Form::altMask);
  });
  p.tasto(f, codiceTasto::F5);
  EXPECT_EQ(std::count(p.registro.begin(), p.registro.end(), "suono id_02"), 1);
  EXPECT_EQ(std::count(p.registro.begin(), p.registro.end(), "scarica frmClassifica"), 1);
  EXPECT_EQ(p.rettangoli.size(), 450u);
  EXPECT_NEAR(p.adesso(), 1.45, 1e-6);
}

TEST_F(FinestraClassifica, IlComandoDiChiusuraChiudeSubitoSenzaEffetto) {
  p.tra(1.0, [&] { aperta(p).Form_QueryClose(); });
  p.tasto(f, codiceTasto::F5);
  EXPECT_EQ(p.modale(), nullptr);
  EXPECT_TRUE(p.rettangoli.empty());
  EXPECT_EQ(p.registro, (std::vector<std::string>{"suono id_14", "mostra frmClassifica", "scarica frmClassifica"}));
}

TEST_F(FinestraClassifica, LaRigaDellUltimoInseritoRestaRossaFinoAllaFineDelProgramma) {
  f.lastEntryPlace = 2;
  std::vector<Riga> viste;
  std::string letta;
  apriConF5([&](FrmClassifica& c) {
    viste = righe(c);
    letta = c.descrizioneAccessibile();
  });
  EXPECT_NE(letta.find("Posto 2: Bruno, punteggio 5230, 1 vittoria, appena inserito."), std::string::npos);
  ASSERT_EQ(viste.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(viste[i].rossa, i == 1) << i + 1;

  // The next run of the program: a new game window over the same files.
  FrmGioco nuova;
  nuova.Load();
  p.tra(1.0, [&] {
    viste = righe(aperta(p));
    aperta(p).Form_Click();
  });
  p.tasto(nuova, codiceTasto::F5);
  for (const Riga& r : viste) EXPECT_FALSE(r.rossa) << r.nome;
}

TEST_F(FinestraClassifica, F5MentreCadeUnaPedinaLaFermaFinoAllaChiusura) {
  nuovaPartita();
  p.tra(0.3, [&] { p.tasto(f, codiceTasto::F5); });     // the player's piece is falling
  p.tra(5.0, [&] { aperta(p).Form_Click(); });
  p.clic(f.imgFreccia[5]);
  EXPECT_EQ(f.grid[tavola::cella(5, 1)], Side::giocatore);
  EXPECT_EQ(tavola::celle - f.grid.freeCells, 2);  // and the computer answered
  EXPECT_FALSE(f.busy);
  EXPECT_GT(p.adesso(), 5.45);
}

}  // namespace
}  // namespace velmo::test
