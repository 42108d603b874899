// The five information windows: which command opens which, their cues under
// the start-up music guard, the round clock stopped and restarted only
// during a match, which clicks close them, and their links.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Gioco.h"
#include "forms/info/FrmBrenvo.h"
#include "forms/info/FrmInfoCodice.h"
#include "forms/info/FrmInfoRegole.h"
#include "forms/info/FrmInfoTastiera.h"
#include "forms/info/FrmInfoVelmo.h"
#include "forms/info/FrmThanxTo.h"

namespace velmo::test {
namespace {

struct Apertura {
  const char* nome;
  std::function<void(Gioco&)> apri;
  const char* finestra;
  const char* cue;
};

const std::vector<Apertura>& aperture() {
  static const std::vector<Apertura> tutte = {
      {"Codice sorgente", [](Gioco& g) { g.p.scegli(g.f.mnuInfoCodice); }, "frmInfoCodice", "id_11"},
      {"Regole del gioco", [](Gioco& g) { g.p.scegli(g.f.mnuInfoRegole); }, "frmInfoRegole", "id_12"},
      {"Comandi della tastiera", [](Gioco& g) { g.p.scegli(g.f.mnuInfoTastiera); }, "frmInfoTastiera", "id_23"},
      {"pop-up fuori gioco", [](Gioco& g) { g.p.scegli(g.f.mnuPopUpFuoriGioco1); }, "frmInfoTastiera", "id_23"},
      {"pop-up in gioco", [](Gioco& g) { g.p.scegli(g.f.mnuPopUpInGioco1); }, "frmInfoTastiera", "id_23"},
      {"Brenvo Velmo", [](Gioco& g) { g.p.scegli(g.f.mnuInfoVelmo); }, "frmInfoVelmo", "id_13"},
      {"F1", [](Gioco& g) { g.p.tasto(g.f, codiceTasto::F1); }, "frmInfoVelmo", "id_13"},
      {"Thanx to", [](Gioco& g) { g.p.scegli(g.f.mnuMain[6]); }, "frmThanxTo", "id_24"},
  };
  return tutte;
}

FrmInfo& aperta(PiattaformaTest& p) {
  auto* f = dynamic_cast<FrmInfo*>(p.modale());
  if (!f) throw ErroreScript{"no information window open"};
  return *f;
}

struct Info : testing::Test, Gioco {
  // Opens a window by `a`; `mentre` runs inside it `dopo` seconds later, and
  // a click on its frame closes it a second after that.
  void apri(const Apertura& a, const std::function<void(FrmInfo&)>& mentre = {}, double dopo = 0.5) {
    p.tra(dopo, [&, mentre] {
      if (mentre) mentre(aperta(p));
    });
    p.tra(dopo + 1, [&] { p.clic(aperta(p).picCornice); });
    a.apri(*this);
  }
  std::vector<std::string> suoniDa(std::size_t da) const {
    std::vector<std::string> s;
    for (std::size_t i = da; i < p.suoni.size(); ++i) s.push_back(p.suoni[i].suono);
    return s;
  }
};

TEST_F(Info, OgniComandoApreLaSuaFinestraConIlSuoCue) {
  for (const Apertura& a : aperture()) {
    SCOPED_TRACE(a.nome);
    if (std::string(a.nome) == "pop-up in gioco") nuovaPartita();
    if (std::string(a.nome) == "pop-up in gioco") f.mnuPopUpInGioco1.setVisible(true);
    if (std::string(a.nome) == "pop-up fuori gioco") f.mnuPopUpFuoriGioco1.setVisible(true);
    const std::size_t suoniPrima = p.suoni.size();
    std::string nome;
    int fermateDopoIlCue = -1;
    apri(a, [&](FrmInfo& w) {
      nome = w.nome();
      EXPECT_EQ(w.caption(), " Brenvo Velmo 2.0");
      EXPECT_EQ(w.width(), FrmInfo::larghezza);
      // Counted from here: playing the cue has stopped the sound already.
      fermateDopoIlCue = p.fermate;
    });
    EXPECT_EQ(nome, a.finestra);
    EXPECT_EQ(suoniDa(suoniPrima), std::vector<std::string>{a.cue});
    EXPECT_EQ(p.fermate, fermateDopoIlCue + 1);  // stopped on closing
    EXPECT_FALSE(p.modale());
    f.mnuPopUpInGioco1.setVisible(false);
    f.mnuPopUpFuoriGioco1.setVisible(false);
  }
}

TEST_F(Info, ThanxToSuonaUnQuartoDiSecondoDopoLAttivazione) {
  double apertaAlle = -1;
  p.allAnnotazione = [&](const std::string& v) {
    if (v == "mostra frmThanxTo") apertaAlle = p.adesso();
  };
  apri(aperture().back());
  ASSERT_FALSE(p.suoni.empty());
  EXPECT_EQ(p.suoni.back().suono, "id_24");
  EXPECT_NEAR(p.suoni.back().tempo - apertaAlle, 0.25, 1e-9);
}

TEST_F(Info, ThanxToChiusaPrimaDelCueNonSuonaPiu) {
  p.tra(0.1, [&] { p.clic(aperta(p).lblTitolo); });
  p.scegli(f.mnuMain[6]);
  p.avanza(1);
  for (const SuonoSuonato& s : p.suoni) EXPECT_NE(s.suono, "id_24");
}

TEST_F(Info, ConLaMusicaDAvvioNessunCueENessunaFermata) {
  f.tmrWaveMp3.setInterval(22500);
  for (const Apertura& a : aperture()) {
    SCOPED_TRACE(a.nome);
    const std::size_t suoni = p.suoni.size();
    const int fermate = p.fermate;
    f.mnuPopUpInGioco1.setVisible(true);
    f.mnuPopUpFuoriGioco1.setVisible(true);
    apri(a, {}, 0.3);
    EXPECT_EQ(p.suoni.size(), suoni);
    EXPECT_EQ(p.fermate, fermate);
  }
}

TEST_F(Info, LOrologioSiFermaESiRiavviaSoloDuranteUnaPartita) {
  // Without a match the clock is not touched.
  for (const Apertura& a : aperture()) {
    f.mnuPopUpInGioco1.setVisible(true);
    f.mnuPopUpFuoriGioco1.setVisible(true);
    int dentro = -1;
    apri(a, [&](FrmInfo&) { dentro = f.tmrTempo.interval(); });
    EXPECT_EQ(dentro, 0) << a.nome;
    EXPECT_EQ(f.tmrTempo.interval(), 0) << a.nome;
  }
  nuovaPartita();
  for (const Apertura& a : aperture()) {
    SCOPED_TRACE(a.nome);
    f.mnuPopUpInGioco1.setVisible(true);
    f.mnuPopUpFuoriGioco1.setVisible(true);
    const std::string tempo = f.lblTempo.caption();
    int dentro = -1;
    apri(a, [&](FrmInfo&) { dentro = f.tmrTempo.interval(); }, 3.0);
    EXPECT_EQ(dentro, 0);
    EXPECT_EQ(f.lblTempo.caption(), tempo);  // four seconds open, no tick
    EXPECT_EQ(f.tmrTempo.interval(), 1000);
  }
}

TEST_F(Info, UnOrologioGiaFermoDaFineRoundRestaFermo) {
  nuovaPartita();
  f.tmrTempo.setInterval(0);  // as the end of a round leaves it
  apri(aperture()[1]);
  EXPECT_EQ(f.tmrTempo.interval(), 0);
}

TEST_F(Info, QualiCliccateChiudonoEQualiNo) {
  struct Caso {
    const char* nome;
    std::function<void(Gioco&)> apri;
    std::function<void(PiattaformaTest&, FrmInfo&)> clic;
    bool chiude;
  };
  auto velmo = [](Gioco& g) { g.p.scegli(g.f.mnuInfoVelmo); };
  auto thanx = [](Gioco& g) { g.p.scegli(g.f.mnuMain[6]); };
  auto tastiera = [](Gioco& g) { g.p.scegli(g.f.mnuInfoTastiera); };
  auto regole = [](Gioco& g) { g.p.scegli(g.f.mnuInfoRegole); };
  const Caso casi[] = {
      {"titolo", regole, [](PiattaformaTest& p, FrmInfo& w) { p.clic(w.lblTitolo); }, true},
      {"testo", regole,
       [](PiattaformaTest& p, FrmInfo& w) { p.clic(dynamic_cast<FrmInfoRegole&>(w).lblTesto); }, true},
      {"logo", regole, [](PiattaformaTest& p, FrmInfo& w) { p.clic(w.imgLogo); }, true},
      {"cornice", regole, [](PiattaformaTest& p, FrmInfo& w) { p.clic(w.picCornice); }, true},
      {"finestra fra i controlli", regole, [](PiattaformaTest&, FrmInfo& w) { w.Form_Click(); }, true},
      {"un tasto della tabella", tastiera,
       [](PiattaformaTest& p, FrmInfo& w) { p.clic(dynamic_cast<FrmInfoTastiera&>(w).Label2[8]); }, true},
      {"nome del progetto", velmo,
       [](PiattaformaTest& p, FrmInfo& w) { p.clic(dynamic_cast<FrmInfoVelmo&>(w).lblNomeProgetto); }, true},
      {"link del sito in Velmo", velmo,
       [](PiattaformaTest& p, FrmInfo& w) { p.clic(dynamic_cast<FrmInfoVelmo&>(w).lblLinkBrenvoWebSite); },
       false},
      {"link destro in Velmo", velmo,
       [](PiattaformaTest& p, FrmInfo& w) { p.clicDestro(dynamic_cast<FrmInfoVelmo&>(w).lblLinkBrenvoWebSite); },
       false},
      {"etichetta info in Velmo", velmo,
       [](PiattaformaTest& p, FrmInfo& w) { p.clic(dynamic_cast<FrmInfoVelmo&>(w).lblInfoBrenvo); }, false},
      {"link del sito in Thanx", thanx,
       [](PiattaformaTest& p, FrmInfo& w) { p.clic(dynamic_cast<FrmThanxTo&>(w).lblLink); }, false},
      {"pubblicità occulta", thanx,
       [](PiattaformaTest& p, FrmInfo& w) { p.clic(dynamic_cast<FrmThanxTo&>(w).lblPubblicita); }, true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    p.tra(0.5, [&] { c.clic(p, aperta(p)); });
    p.tra(30.0, [&] {
      if (p.modale()) p.clic(aperta(p).picCornice);
    });
    const double inizio = p.adesso();
    c.apri(*this);
    EXPECT_EQ(p.adesso() - inizio < 30, c.chiude);
    p.avanza(31);
  }
}

// From the keyboard: Escape and Return close each window as a click does,
// with the same stop of the sound; another key leaves it open.
TEST_F(Info, EscEInvioChiudonoComeUnClicUnAltroTastoNo) {
  for (const Apertura& a : aperture()) {
    for (const int tasto : {codiceTasto::esc, codiceTasto::invio}) {
      SCOPED_TRACE(std::string(a.nome) + " " + std::to_string(tasto));
      f.mnuPopUpInGioco1.setVisible(true);
      f.mnuPopUpFuoriGioco1.setVisible(true);
      const int fermate = p.fermate;
      p.tra(0.5, [&] { p.tasto(aperta(p), codiceTasto::cifra1); });
      p.tra(1.0, [&] { p.tasto(aperta(p), tasto); });
      p.tra(30.0, [&] {
        if (p.modale()) p.clic(aperta(p).picCornice);
      });
      const double inizio = p.adesso();
      a.apri(*this);
      EXPECT_NEAR(p.adesso() - inizio, 1.0, 0.3);  // Thanx to waits a quarter second for its cue
      EXPECT_GT(p.fermate, fermate);
      p.avanza(31);
    }
  }
}

TEST_F(Info, ILinkAprononoIlSitoConOgniPulsanteTranneIlDestro) {
  p.tra(0.5, [&] {
    auto& w = dynamic_cast<FrmInfoVelmo&>(aperta(p));
    p.sorvola(w.lblLinkBrenvoWebSite);
    EXPECT_EQ(w.lblLinkBrenvoWebSite.mousePointer(), Puntatore::personalizzato);
    EXPECT_EQ(w.lblLinkBrenvoWebSite.mouseIcon(), f.imgLink.figura());
    EXPECT_EQ(w.lblLinkBrenvoWebSite.toolTipText(), prodotto::sitoWeb);
    p.clicDestro(w.lblLinkBrenvoWebSite);
    EXPECT_TRUE(p.indirizziAperti.empty());
    w.lblLinkBrenvoWebSite.onMouseDown(EventoMouse{4, 0, 0, 0});  // middle button
    p.clic(w.lblLinkBrenvoWebSite);
    p.clic(w.imgLogo);
  });
  p.scegli(f.mnuInfoVelmo);
  EXPECT_EQ(p.indirizziAperti, (std::vector<std::string>{prodotto::sitoWeb, prodotto::sitoWeb}));
}

// A link reached by Tab opens the site with Return or Space, or a screen
// reader's press, and leaves the window open; Escape still closes it.
TEST_F(Info, UnLinkDaTastieraSiApreConInvioESpazio) {
  const std::pair<const char*, std::function<void(Gioco&)>> finestre[] = {
      {"Velmo", [](Gioco& g) { g.p.scegli(g.f.mnuInfoVelmo); }},
      {"Thanx", [](Gioco& g) { g.p.scegli(g.f.mnuMain[6]); }},
  };
  for (const auto& [nome, apriFinestra] : finestre) {
    SCOPED_TRACE(nome);
    p.indirizziAperti.clear();
    bool aperta1 = false;
    p.tra(0.5, [&] {
      FrmInfo& w = aperta(p);
      EXPECT_EQ(w.zonaLink.nomeAccessibile(), "Brenvo Web Site");
      EXPECT_TRUE(w.zonaLink.collegamento);
      p.daiFuoco(w, w.zonaLink);
      p.tasto(w, codiceTasto::invio);
      p.tasto(w, codiceTasto::spazio);
      w.zonaLink.onClick();
      aperta1 = p.modale() == &w;
      p.tasto(w, codiceTasto::esc);
    });
    p.tra(30.0, [&] {
      if (p.modale()) p.clic(aperta(p).picCornice);
    });
    const double inizio = p.adesso();
    apriFinestra(*this);
    EXPECT_TRUE(aperta1);
    EXPECT_LT(p.adesso() - inizio, 1.0);  // Escape closed it
    EXPECT_EQ(p.indirizziAperti, std::vector<std::string>(3, prodotto::sitoWeb));
    p.avanza(31);
  }
}

// Every caption of a window, in the order the window lays them out; a hidden
// label shows nothing and is left out.
std::vector<std::string> didascalie(const Form& w) {
  std::vector<std::string> testi;
  std::function<void(const Controllo&)> visita = [&](const Controllo& c) {
    if (!c.visible()) return;
    if (const auto* l = dynamic_cast<const Etichetta*>(&c)) testi.push_back(l->caption());
    if (const auto* k = dynamic_cast<const Contenitore*>(&c))
      for (const Controllo* figlio : k->figli()) visita(*figlio);
  };
  for (const Controllo* c : w.controlli()) visita(*c);
  return testi;
}

TEST_F(Info, OgniDidascaliaDiOgniFinestraPerIntero) {
  struct Finestra {
    const char* nome;
    std::function<void(Gioco&)> apri;
    std::vector<std::string> testi;
  };
  const Finestra finestre[] = {
      {"frmInfoRegole", [](Gioco& g) { g.p.scegli(g.f.mnuInfoRegole); },
       {"Regole del gioco",
        "Ad  ogni  turno  inserite  una  pedina  in  una colonna  del  tabellone cliccando sulla "
        "freccia corrispondente; l'obiettivo del gioco consiste nel formare, in senso verticale, "
        "orizzontale od obliquo, una quartina    di pedine, impedendo allo stesso tempo che lo fa"
        "ccia il computer.   Per ogni round vinto viene assegnato un punteggio, per ogni round pe"
        "rso viene tolta una vinta (fino ad un massimo di tre). Se per errore    inserite una ped"
        "ina in una colonna sbagliata potete annullare l'ultimo inserimento (F7), il che costerà "
        "però 1000 punti. That's all folks..."}},
      {"frmInfoTastiera", [](Gioco& g) { g.p.scegli(g.f.mnuInfoTastiera); },
       {"Comandi da tastiera",
        "  F1", "=       informazioni su Brenvo Velmo",
        "  F2", "=       avvia una nuova partita",
        "  F3", "=       pausa / riprendi",
        "  F4", "=       termina la partita in corso",
        "  F5", "=       visualizza la classifica",
        "  F6", "=       resetta la classifica",
        "  F7", "=      annulla l'ultimo inserimento",
        "  da 1 a 9", "=      inserisci pedina"}},
      {"frmInfoCodice", [](Gioco& g) { g.p.scegli(g.f.mnuInfoCodice); },
       {"Codice sorgente",
        "Scritto in C++20, Brenvo Velmo è un gioco per il desktop Linux. Il programma è un solo eseguibile "
        "che porta con sé le figure (disegni vettoriali SVG) e i suoni, questi ultimi sintetizzati al momento "
        "della compilazione; accanto ad esso stanno il file delle impostazioni (Velmo.001) e la musica "
        "d'avvio (Velmo.002). Per le finestre, i disegni e l'audio usa le librerie Qt 6 (Widgets, Svg e "
        "Multimedia), per leggere i suoni libsndfile e per cambiare la risoluzione dello schermo la "
        "libreria Xrandr del sistema X Window.",
        "Per ulteriori informazioni contattate il Brenvo..."}},
      {"frmInfoVelmo", [](Gioco& g) { g.p.scegli(g.f.mnuInfoVelmo); },
       {"Brenvo Velmo", "Versione 2.0", "Trieste, 11 Novembre 2002", "Programma realizzato da Brenvo.",
        "Questo programma è distribuito gratuitamente e può essere copiato liberamente, purché integro e "
        "senza scopo di lucro. È fornito così com'è, senza alcuna garanzia.",
        "Clicca qui per info sul Brenvo Info Center  ;-)", "Brenvo Web Site"}},
      {"frmThanxTo", [](Gioco& g) { g.p.scegli(g.f.mnuMain[6]); },
       {"Thanx to...",
        "Grazie a chi ha provato il gioco partita dopo partita e ne ha segnalato gli errori, a chi ha "
        "suggerito regole e colori, agli autori delle librerie libere su cui il programma è costruito "
        "e a te, che sei arrivato a leggere fin qui.",
        "Pubblicità occulta:", "Brenvo Web Site"}},
  };
  for (const Finestra& w : finestre) {
    SCOPED_TRACE(w.nome);
    std::vector<std::string> visti;
    std::string caption;
    p.tra(0.5, [&] {
      visti = didascalie(aperta(p));
      caption = aperta(p).caption();
      p.clic(aperta(p).picCornice);
    });
    w.apri(*this);
    EXPECT_EQ(caption, " Brenvo Velmo 2.0");
    EXPECT_EQ(visti, w.testi);
  }
}

TEST_F(Info, LaTabellaDeiTastiAlSuoPosto) {
  p.tra(0.5, [&] {
    auto& w = dynamic_cast<FrmInfoTastiera&>(aperta(p));
    const int tops[] = {1275, 1500, 1725, 1935, 2160, 2400, 2640, 2880};
    for (int i = 1; i <= 8; ++i) {
      EXPECT_EQ(w.Label2[i].top(), tops[i - 1]);
      EXPECT_EQ(w.Label3[i].top(), tops[i - 1]);
      EXPECT_EQ(w.Label2[i].left(), i == 8 ? 120 : 240);
      EXPECT_EQ(w.Label3[i].left(), 1395);
    }
    p.clic(w.picCornice);
  });
  p.scegli(f.mnuInfoTastiera);
}

TEST_F(Info, LEtichettaInfoCambiaManoEApreLIntroAlRilascio) {
  std::vector<Figura> mani;
  bool introAperta = false;
  p.allAnnotazione = [&](const std::string& v) {
    if (v == "mostra frmBrenvo") introAperta = true;
  };
  p.tra(0.5, [&] {
    auto& w = dynamic_cast<FrmInfoVelmo&>(aperta(p));
    Etichetta& l = w.lblInfoBrenvo;
    p.sorvola(l);
    mani.push_back(l.mouseIcon());
    l.onMouseDown(EventoMouse{2, 0, 0, 0});
    mani.push_back(l.mouseIcon());
    l.onMouseUp(EventoMouse{2, 0, 0, 0});
    EXPECT_FALSE(introAperta);  // the right button opens nothing
    l.onMouseDown(EventoMouse{1, 0, 0, 0});
    mani.push_back(l.mouseIcon());
    EXPECT_FALSE(introAperta);  // only on release
    l.onMouseUp(EventoMouse{1, 0, 0, 0});  // runs the whole show
    mani.push_back(l.mouseIcon());
    EXPECT_TRUE(introAperta);
    EXPECT_EQ(p.modale(), &w);  // the information window stays open
    p.clic(w.picCornice);
  });
  p.scegli(f.mnuInfoVelmo);
  EXPECT_EQ(mani, (std::vector<Figura>{Figura::manoAperta, Figura::manoAperta, Figura::manoChiusa,
                                       Figura::manoAperta}));
}

}  // namespace
}  // namespace velmo::test
