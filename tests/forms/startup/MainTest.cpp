// The program's start in virtual time: the steps in their order and with
// their waits, and every check that ends it before anything after it runs.

#include "forms/startup/Main.h"

#include <gtest/gtest.h>

#include "Ambiente.h"
#include "forms/sound/FrmSchedaAudioAssente.h"
#include "forms/startup/FrmAvvio.h"
#include "forms/game/FrmGioco.h"

namespace velmo::test {
namespace {

struct Partenza : Ambiente {
  FrmGioco f;
  Partenza() { p.file["/opt/velmo/Velmo.002"].contenuto = "RIFF....WAVE"; }

  // Runs the start; true when it ended the program.
  bool avvia() {
    try {
      Main(f);
    } catch (const ProgrammaTerminato&) {
      return true;
    }
    return false;
  }
};

struct Avvio : testing::Test, Partenza {};

TEST_F(Avvio, SplashMusicaEFinestraDelGiocoNeiLoroTempi) {
  std::vector<std::pair<std::string, double>> tempi;
  p.allAnnotazione = [&](const std::string& voce) { tempi.emplace_back(voce, p.adesso()); };
  EXPECT_FALSE(avvia());
  const std::vector<std::pair<std::string, double>> attesi = {{"mostra frmAvvio", 0.0},
                                                                {"suono /opt/velmo/Velmo.002", 0.05},
                                                                {"mostra frmGioco", 1.55},
                                                                {"scarica frmAvvio", 1.55}};
  ASSERT_EQ(tempi.size(), attesi.size());
  for (std::size_t i = 0; i < attesi.size(); ++i) {
    EXPECT_EQ(tempi[i].first, attesi[i].first);
    EXPECT_NEAR(tempi[i].second, attesi[i].second, 1e-6) << attesi[i].first;
  }
  EXPECT_TRUE(f.loaded());
  // The music guard was armed at 0.05 s and runs out 22.5 s later.
  EXPECT_EQ(f.tmrWaveMp3.interval(), 22500);
  p.avanza(20.9);
  EXPECT_EQ(f.tmrWaveMp3.interval(), 22500);
  p.avanza(0.2);
  EXPECT_EQ(f.tmrWaveMp3.interval(), 0);
  EXPECT_TRUE(p.file.at("/opt/velmo/Velmo.002").solaLettura);
  EXPECT_EQ(modGenerale.percorsoIni, "/opt/velmo/Velmo.001");
}

TEST_F(Avvio, SenzaSchedaAudioEPromemoriaSiIlAvvisoPrimaDeiFile) {
  p.numeroDispositiviAudio = 0;
  p.file["/opt/velmo/Velmo.001"].contenuto = "[frmSchedaAudioAssente.chkRicordamelo]\r\nvalue= si \r\n";
  p.tra(2.0, [&] {
    auto* avviso = dynamic_cast<FrmSchedaAudioAssente*>(p.modale());
    ASSERT_NE(avviso, nullptr);
    p.clic(avviso->cmdOK);
  });
  EXPECT_FALSE(avvia());
  const auto avviso = std::find(p.registro.begin(), p.registro.end(), "mostra frmSchedaAudioAssente");
  ASSERT_NE(avviso, p.registro.end());
  EXPECT_LT(avviso - p.registro.begin(),
            std::find(p.registro.begin(), p.registro.end(), "mostra frmAvvio") - p.registro.begin());
  // Silent from then on: no music, and the sound items locked.
  EXPECT_TRUE(p.suoni.empty());
  EXPECT_TRUE(f.mnuImpostazioniAudio[2].checked());
  EXPECT_FALSE(f.mnuImpostazioniAudio[1].enabled());
}

TEST_F(Avvio, LoSplashContaLAvvio) {
  p.file["/opt/velmo/Velmo.001"].contenuto = "[Toob]\r\nk=41\r\n";
  FrmAvvio splash;
  splash.Load();
  EXPECT_EQ(splash.lblNumAvvii.caption(), "Avvio numero:  42");
  EXPECT_EQ(splash.lblDataProgetto.caption(), "11 Novembre 2002");
  EXPECT_EQ(splash.imgDummy[3].width(), 4600);
  EXPECT_EQ(splash.width(), 5670);
  EXPECT_EQ(splash.height(), 4440);
  EXPECT_NE(p.file.at("/opt/velmo/Velmo.001").contenuto.find("k=42"), std::string::npos);
}

TEST_F(Avvio, OgniControlloCheFallisceFermaTutto) {
  struct Caso {
    const char* nome;
    std::function<void(PiattaformaTest&)> prepara;
    std::string messaggio;  // the one message, "" for none
    bool termina;
  };
  const std::string mancante001 =
      "Impossibile trovare il file:\r\n\r\n/opt/velmo/Velmo.001.\r\n\r\nE' necessario reinstallare l'applicazione... :(";
  const std::string mancante002 =
      "Impossibile trovare il file:\r\n\r\n/opt/velmo/Velmo.002.\r\n\r\nE' necessario reinstallare l'applicazione... :(";
  const Caso casi[] = {
      {"seconda copia", [](PiattaformaTest& p) {
         p.altraIstanza = true;
         p.schermo_ = {1600, 1200};  // it ends before touching the display
       },
       "Brenvo Velmo 2.0\r\n è già in esecuzione...", true},
      {"schermo stretto rifiutato", [](PiattaformaTest& p) {
         p.schermo_ = {640, 480};
         p.modi = {{640, 480}};
       },
       "La risoluzione attuale dello schermo è: 640x480.\r\nPer l'esecuzione di Brenvo Velmo è necessaria\r"
       "una risoluzione compresa tra 800x600 e 1280x1024...",
       true},
      {"8 bit", [](PiattaformaTest& p) { p.profondita = 8; },
       "L'impostazione corrente dei colori dello schermo è: 256.\r\r\nBrenvo Velmo 2.0 necessita di almeno 65536 colori...",
       true},
      {"senza Velmo.001", [](PiattaformaTest& p) { p.file.erase("/opt/velmo/Velmo.001"); }, mancante001, true},
      {"Velmo.001 vuoto", [](PiattaformaTest& p) { p.file["/opt/velmo/Velmo.001"].contenuto.clear(); }, mancante001,
       true},
      {"senza Velmo.002", [](PiattaformaTest& p) { p.file.erase("/opt/velmo/Velmo.002"); }, mancante002, true},
      {"Velmo.002 vuoto", [](PiattaformaTest& p) { p.file["/opt/velmo/Velmo.002"].contenuto.clear(); }, mancante002,
       true},
      {"senza scheda audio, promemoria no", [](PiattaformaTest& p) {
         p.numeroDispositiviAudio = 0;
         p.file["/opt/velmo/Velmo.001"].contenuto = "[frmSchedaAudioAssente.chkRicordamelo]\r\nvalue=no\r\n";
       },
       "", false},
      {"senza scheda audio, promemoria assente", [](PiattaformaTest& p) {
         p.numeroDispositiviAudio = 0;
         p.file["/opt/velmo/Velmo.001"].contenuto = "[Toob]\r\nk=3\r\n";
       },
       "", false},
  };
  for (const Caso& c : casi) {
    Partenza a;
    c.prepara(a.p);
    EXPECT_EQ(a.avvia(), c.termina) << c.nome;
    if (c.messaggio.empty()) {
      EXPECT_TRUE(a.p.messaggi.empty()) << c.nome;
      EXPECT_TRUE(a.f.loaded()) << c.nome;
      continue;
    }
    ASSERT_EQ(a.p.messaggi.size(), 1u) << c.nome;
    EXPECT_EQ(a.p.messaggi[0].testo, c.messaggio) << c.nome;
    EXPECT_EQ(a.p.messaggi[0].titolo, " Brenvo Info Service...") << c.nome;
    // Nothing after the failed check ran: no splash, no game window, and
    // only a refused switch touched the display.
    EXPECT_EQ(a.p.registro.back(), "termina") << c.nome;
    EXPECT_EQ(std::count(a.p.registro.begin(), a.p.registro.end(), "mostra frmAvvio"), 0) << c.nome;
    if (a.p.altraIstanza) {
      EXPECT_EQ(a.p.registro, (std::vector<std::string>{"msg " + c.messaggio, "termina"}));
    }
    EXPECT_FALSE(a.f.loaded()) << c.nome;
  }
}

}  // namespace
}  // namespace velmo::test
