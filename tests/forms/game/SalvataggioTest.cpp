// Saving and loading a match through the game window: the dialogs, the file,
// the messages, what is shown after a load, files that are not what they
// should be, commands that arrive meanwhile, and the round trip of states
// reached by play.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "Gioco.h"
#include "core/common/Conversioni.h"
#include "core/files/TestoIni.h"

namespace velmo::test {
namespace {

using namespace std::string_literals;

const std::string sezione = "Brenvo Velmo 2.0 - Partita salvata";
const std::string testoRifiuto =
    "Impossibile caricare il file:\r\n\r\n/home/anna/partita.vl2\r\n\r\n"
    "Il file che si sta cercando di caricare è stato manomesso\r\noppure non appartiene a Brenvo Velmo 2.0.";

struct Salvataggio : testing::Test, Gioco {
  const std::string file = "/home/anna/partita.vl2";

  void salva(std::optional<std::string> risposta) {
    p.rispondiDialogo(std::move(risposta));
    f.mnuFileSalva_Click();
  }
  void carica(const std::string& percorso) {
    p.rispondiDialogo(percorso);
    f.mnuFileCarica_Click();
  }
  std::string valore(const std::string& chiave) { return valoreIni(p.file[file].contenuto, sezione, chiave); }
  // A match with a few pieces, saved, then ended.
  void salvaUnaPartitaEChiudi() {
    nuovaPartita();
    p.clic(f.imgFreccia[5]);
    p.clic(f.imgFreccia[4]);
    salva(file);
    f.msubChiediSalvataggio(false);
    p.messaggi.clear();
  }
  void conValore(const std::string& chiave, const std::string& v) {
    p.file[file].contenuto = conValoreIni(p.file[file].contenuto, sezione, chiave, v);
  }
  bool rifiutato() const {
    return !p.messaggi.empty() && p.messaggi.back().testo == testoRifiuto && !modGenerale.matchInProgress;
  }
};

TEST_F(Salvataggio, SalvaConIlDialogoScriveIlFileEConferma) {
  nuovaPartita();
  p.clic(f.imgFreccia[5]);
  p.avanza(7.4);
  bool clessidra = false, orologioFermo = false;
  p.alDialogo = [&](const DialogoFile&) {
    clessidra = f.mousePointer() == Puntatore::clessidra;
    orologioFermo = f.tmrTempo.interval() == 0;
  };
  const auto scritture = p.scritture.size();
  salva(file);

  ASSERT_EQ(p.dialoghi.size(), 1u);
  const DialogoFile& d = p.dialoghi[0];
  EXPECT_NE(std::find(p.registro.begin(), p.registro.end(), "salva Salva gioco..."), p.registro.end());
  EXPECT_EQ(d.nomeIniziale, "*.vl2");
  EXPECT_EQ(d.descrizioneTipo, "File di Brenvo Velmo 2.0");
  EXPECT_EQ(d.cartellaIniziale, "/opt/velmo");
  EXPECT_EQ(d.estensione, "vl2");
  EXPECT_TRUE(clessidra);
  EXPECT_TRUE(orologioFermo);

  EXPECT_EQ(p.scritture.size(), scritture + 1);  // one atomic rewrite
  EXPECT_EQ(valore("ATTENZIONE"), "LA MANOMISSIONE DI QUESTO FILE COMPORTA LA CORRUZIONE DELLO STESSO !");
  EXPECT_EQ(valore("35"), "com");  // the player's piece in cell 5
  EXPECT_EQ(valore("dada"), std::to_string(f.match.clockSeconds + 516));
  EXPECT_EQ(valore("tetris"), "-5613");
  EXPECT_EQ(f.caption(), " Brenvo Velmo 2.0 - [/home/anna/partita.vl2]");
  ASSERT_EQ(p.messaggi.size(), 1u);
  EXPECT_EQ(p.messaggi[0].testo, "La partita viene salvata nel file: \r\n/home/anna/partita.vl2");
  EXPECT_EQ(p.messaggi[0].icona, Icona::informazione);
  EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Service...");
  EXPECT_EQ(f.mousePointer(), Puntatore::predefinito);
  EXPECT_EQ(f.tmrTempo.interval(), 1000);
}

TEST_F(Salvataggio, IlNomeScrittoPrendeLEstensioneSeNonFinisceConVl2) {
  nuovaPartita();
  const std::pair<const char*, const char*> casi[] = {{"/d/partita", "/d/partita.vl2"},
                                                      {"/d/partita.VL2", "/d/partita.VL2"},
                                                      {"/d/partitavl2", "/d/partitavl2"}};
  for (auto [scritto, atteso] : casi) {
    salva(scritto);
    EXPECT_EQ(p.scritture.back().first, atteso);
    EXPECT_EQ(p.messaggi.back().testo, "La partita viene salvata nel file: \r\n"s + atteso);
  }
}

TEST_F(Salvataggio, UnDialogoAnnullatoNonScriveNulla) {
  nuovaPartita();
  for (std::optional<std::string> risposta : {std::optional<std::string>{}, std::optional<std::string>{"   "}}) {
    salva(risposta);
    EXPECT_TRUE(p.scritture.empty());
    EXPECT_TRUE(p.messaggi.empty());
    EXPECT_EQ(f.mousePointer(), Puntatore::predefinito);
    EXPECT_EQ(f.tmrTempo.interval(), 1000);
    EXPECT_EQ(f.caption(), " Brenvo Velmo 2.0 - [Partita non salvata]");
  }
}

TEST_F(Salvataggio, SalvareSuUnFileConAltreSezioniLeTiene) {
  p.file[file].contenuto = "[Appunti]\r\nnota=da tenere\r\n\r\n[" + sezione + "]\r\nextra=1\r\n9=boh\r\n\r\n[Coda]\r\nz=2\r\n";
  nuovaPartita();
  salva(file);
  const std::string& t = p.file[file].contenuto;
  EXPECT_EQ(valoreIni(t, "Appunti", "nota"), "da tenere");
  EXPECT_EQ(valoreIni(t, "Coda", "z"), "2");
  EXPECT_EQ(valore("extra"), "1");
  EXPECT_EQ(valore("9"), "mah");
  EXPECT_EQ(t.find("[" + sezione + "]"), t.rfind("[" + sezione + "]"));  // one section, rewritten in place
}

TEST_F(Salvataggio, UnaScritturaRifiutataLoDiceInveceDiConfermare) {
  nuovaPartita();
  p.scrittureRifiutate = true;
  salva(file);
  ASSERT_EQ(p.messaggi.size(), 1u);
  EXPECT_EQ(p.messaggi[0].testo,
            "Impossibile scrivere nel file:\r\n\r\n/home/anna/partita.vl2\r\n\r\nLa partita non è stata salvata... :(");
  EXPECT_EQ(p.messaggi[0].icona, Icona::esclamazione);
  EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Service...");
  EXPECT_EQ(f.caption(), " Brenvo Velmo 2.0 - [Partita non salvata]");
  EXPECT_EQ(f.tmrTempo.interval(), 1000);
  EXPECT_FALSE(p.file.count(file));
}

TEST_F(Salvataggio, SalvaDuranteUnaCadutaNonPossoOraENessunaScrittura) {
  nuovaPartita();
  p.tra(0.1, [&] { p.scegli(f.mnuFileSalva); });
  p.clic(f.imgFreccia[5]);
  EXPECT_EQ(testiMessaggi(), std::vector<std::string>{"Non posso ora.."});
  EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Center...");
  EXPECT_EQ(p.messaggi[0].pulsanti, Pulsanti::ok);
  EXPECT_EQ(p.messaggi[0].icona, Icona::nessuna);
  EXPECT_TRUE(p.dialoghi.empty());
  EXPECT_TRUE(p.scritture.empty());
  EXPECT_EQ(f.grid.freeCells, 61);  // the move and the answer went on
}

TEST_F(Salvataggio, ConLaClessidraSalvaNonFaNulla) {
  nuovaPartita();
  f.setMousePointer(Puntatore::clessidra);
  f.mnuFileSalva_Click();
  EXPECT_TRUE(p.dialoghi.empty());
  EXPECT_TRUE(p.messaggi.empty());
}

TEST_F(Salvataggio, CaricaMostraLaPartitaEIlGiocatoreMuove) {
  f.msubImpostaColorePedine(1);  // saved with yellow pieces
  nuovaPartita();
  p.clic(f.imgFreccia[5]);
  p.clic(f.imgFreccia[4]);
  f.match.lives = 2;
  f.match.victories = {7, 3};
  f.match.score = -1200;
  f.match.clockMinutes = 4;
  f.match.clockSeconds = 5;
  const std::string tavolaSalvata = disegno();
  const Grid grigliaSalvata = f.grid;
  const bool annulla = f.mnuAnnullaInserimento.enabled();
  salva(file);
  f.msubChiediSalvataggio(false);
  f.msubImpostaColorePedine(2);  // red now, until the file says yellow
  p.messaggi.clear();
  p.registro.clear();

  const double inizio = p.adesso();
  carica(file);
  EXPECT_EQ(p.registro.front(), "apri Carica gioco...");
  EXPECT_EQ(p.dialoghi.back().descrizioneTipo, "File di Brenvo Velmo 2.0");
  ASSERT_EQ(p.messaggi.size(), 1u);
  EXPECT_EQ(p.messaggi[0].testo, "La partita è stata caricata !\r\rPreparati ad iniziare...");
  EXPECT_EQ(p.messaggi[0].icona, Icona::informazione);
  EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Service...");
  EXPECT_NEAR(p.messaggi[0].tempo - inizio, 0.35, 1e-6);

  EXPECT_TRUE(modGenerale.matchInProgress);
  EXPECT_EQ(disegno(), tavolaSalvata);
  EXPECT_EQ(f.lblColorePedine.caption(), "gialle");
  EXPECT_EQ(f.imgPedina[5].figura(), Figura::pedinaGialla);
  EXPECT_EQ(f.imgPedina[5].tag(), "giocatore");
  EXPECT_EQ(f.grid.cells, grigliaSalvata.cells);
  EXPECT_EQ(f.mnuAnnullaInserimento.enabled(), annulla);
  EXPECT_EQ(f.imgVita[2].figura(), Figura::vitaSi);
  EXPECT_EQ(f.imgVita[3].figura(), Figura::vitaNo);
  EXPECT_EQ(f.lblVittorieGiocatore[1].caption(), "7");
  EXPECT_EQ(f.lblVittorieGiocatore[2].caption(), "3");
  EXPECT_EQ(f.lblPunteggio.caption(), "-1200");
  EXPECT_EQ(f.lblCaselleLibere.caption(), " 59 -> 93.65%");
  EXPECT_EQ(f.lblTempo.caption(), "04 : 05");
  EXPECT_TRUE(f.lblTempo.visible());
  EXPECT_EQ(f.lblTurno.caption(), "E' IL TUO TURNO...");
  EXPECT_EQ(f.caption(), " Brenvo Velmo 2.0 - [/home/anna/partita.vl2]");
  EXPECT_EQ(f.tmrTempo.interval(), 1000);
  EXPECT_FALSE(f.busy);

  // The clock runs from the loaded time, and the player moves next.
  p.avanza(1.0);
  EXPECT_EQ(f.lblTempo.caption(), "04 : 06");
  const int cella = f.grid.cellaDiAtterraggio(1);
  p.clic(f.imgFreccia[1]);
  EXPECT_EQ(f.grid[cella], Side::giocatore);
  EXPECT_EQ(f.grid.freeCells, 57);
}

TEST_F(Salvataggio, UnDialogoDiCaricamentoAnnullatoNonCambiaNulla) {
  p.rispondiDialogo(std::nullopt);
  f.mnuFileCarica_Click();
  EXPECT_FALSE(modGenerale.matchInProgress);
  EXPECT_TRUE(p.messaggi.empty());
  EXPECT_EQ(f.caption(), " Brenvo Velmo 2.0");
}

TEST_F(Salvataggio, UnFileManomessoSiRifiutaELaPartitaSiSpegne) {
  f.msubImpostaColorePedine(1);
  salvaUnaPartitaEChiudi();
  f.msubImpostaColorePedine(2);
  conValore("timal", "34");  // the player's victories -1, after the colour
  carica(file);
  ASSERT_EQ(p.messaggi.size(), 1u);
  EXPECT_TRUE(rifiutato());
  EXPECT_EQ(p.messaggi[0].icona, Icona::critica);
  EXPECT_EQ(p.messaggi[0].titolo, " Brenvo Info Service...");
  EXPECT_TRUE(f.mnuFileCarica.enabled());
  EXPECT_FALSE(f.mnuFileSalva.enabled());
  EXPECT_EQ(f.caption(), " Brenvo Velmo 2.0");
  EXPECT_EQ(f.tmrTempo.interval(), 0);
  for (const Immagine& c : f.imgPedina) EXPECT_EQ(c.figura(), Figura::nessuna);
  // The colour was read before the refusal and stays.
  EXPECT_EQ(f.lblColorePedine.caption(), "gialle");
  EXPECT_TRUE(f.mnuImpostazioniPedine[1].checked());
  // A new match starts clean.
  f.mnuFileNuova_Click();
  EXPECT_EQ(f.match.victories, (std::array<std::int16_t, 2>{0, 0}));
}

TEST_F(Salvataggio, FileCheNonSonoUnaPartitaSiRifiutanoEIlProgrammaVaAvanti) {
  std::mt19937 caso(7);
  std::string binario(4096, '\0');
  for (char& c : binario) c = static_cast<char>(caso());
  std::string grande(10u << 20, 'x');
  for (std::size_t i = 80; i < grande.size(); i += 81) grande[i] = '\n';
  struct Caso {
    const char* cosa;
    std::optional<PiattaformaTest::FileVirtuale> contenuto;
  };
  const Caso casi[] = {
      {"another program's file", PiattaformaTest::FileVirtuale{"[Impostazioni]\r\n9=mah\r\n"}},
      {"an empty file", PiattaformaTest::FileVirtuale{}},
      {"a file gone after the dialog", std::nullopt},
      {"a file that cannot be read", PiattaformaTest::FileVirtuale{"[" + sezione + "]\r\n", false, true}},
      {"a binary file", PiattaformaTest::FileVirtuale{binario}},
      {"a 10 MB file", PiattaformaTest::FileVirtuale{grande}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    p.messaggi.clear();
    p.file.erase(file);
    if (c.contenuto) p.file[file] = *c.contenuto;
    carica(file);
    EXPECT_EQ(testiMessaggi(), std::vector<std::string>{testoRifiuto});
    EXPECT_TRUE(rifiutato());
  }
  // The program goes on: a new match starts.
  f.mnuFileNuova_Click();
  EXPECT_TRUE(modGenerale.matchInProgress);
}

TEST_F(Salvataggio, UnaPartitaInUnFileGrandeOConUnNomeStranoSiCarica) {
  salvaUnaPartitaEChiudi();
  const std::string partita = p.file[file].contenuto;
  const std::string strano = "/home/anna/Partite salvate/città di Forlì ✓ 1.vl2";
  p.file[strano].contenuto = partita;
  const std::string grande = "[Altro]\r\n" + std::string(10u << 20, 'y') + "\r\n" + partita;
  p.file[file].contenuto = grande;
  for (const std::string& percorso : {strano, file}) {
    SCOPED_TRACE(percorso);
    p.messaggi.clear();
    carica(percorso);
    EXPECT_EQ(testiMessaggi(), std::vector<std::string>{"La partita è stata caricata !\r\rPreparati ad iniziare..."});
    EXPECT_EQ(f.grid.freeCells, 59);
    EXPECT_EQ(f.caption(), " Brenvo Velmo 2.0 - [" + percorso + "]");
    f.msubChiediSalvataggio(false);
  }
}

TEST_F(Salvataggio, ComandiDuranteLAttesaDelCaricamentoSiRifiutano) {
  salvaUnaPartitaEChiudi();
  struct Caso {
    const char* cosa;
    std::function<void()> comando;
    std::vector<std::string> messaggi;
  };
  const Caso casi[] = {
      {"an arrow", [&] { p.clic(f.imgFreccia[1]); }, {}},
      {"a key", [&] { p.tasto(f, codiceTasto::cifra1); }, {}},
      {"the undo", [&] { p.scegli(f.mnuAnnullaInserimento); }, {"Non posso ora.."}},
      {"ending the match", [&] { p.scegli(f.mnuFileTermina); }, {"Non posso ora.."}},
      {"saving", [&] { p.scegli(f.mnuFileSalva); }, {"Non posso ora.."}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    p.messaggi.clear();
    p.tra(0.2, c.comando);
    carica(file);
    auto attesi = c.messaggi;
    attesi.push_back("La partita è stata caricata !\r\rPreparati ad iniziare...");
    EXPECT_EQ(testiMessaggi(), attesi);
    EXPECT_EQ(f.grid.freeCells, 59);
    EXPECT_TRUE(modGenerale.matchInProgress);
    f.msubChiediSalvataggio(false);
  }
}

// What the saved states are: the table's, read off the window.
struct Stato {
  std::array<bool, tavola::colonne> frecce{};
  Grid grid;
  MoveHistory mosse;
  bool annulla = false;
  std::string colore;
  MatchState match;
  std::string disegno;

  explicit Stato(const Gioco& g) : grid(g.f.grid), mosse(g.f.moveHistory), match(g.f.match), disegno(g.disegno()) {
    for (int c = 1; c <= tavola::colonne; ++c)
      frecce[static_cast<std::size_t>(c - 1)] = g.f.imgFreccia[c].visible() && g.f.imgFreccia[c].enabled();
    annulla = g.f.mnuAnnullaInserimento.enabled();
    colore = g.f.lblColorePedine.caption();
  }
};

TEST(SalvataggioGiro, OgniStatoRaggiuntoGiocandoTornaUgualeDopoUnRiavvio) {
  std::mt19937 caso(2024);
  auto da = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(caso); };
  const std::pair<int, int> orologi[] = {{0, 0}, {59, 59}, {60, 0}};
  const std::int32_t punteggi[] = {0, -3000, 2000000000, -2000000000, 678349, -678349};
  int conAnnulla = 0, senzaAnnulla = 0;
  for (int n = 0; n < 120; ++n) {
    SCOPED_TRACE("state " + std::to_string(n));
    const std::string percorso = "/partite/stato " + std::to_string(n) + ".vl2";
    std::string contenuto;
    std::unique_ptr<Stato> salvato;
    {
      auto g = std::make_unique<Gioco>();
      g->f.msubImpostaColorePedine(n % 2 ? 1 : 2);
      g->nuovaPartita();
      g->p.rispondi(Risposta::si);  // another match after a game over
      const int mosse = da(0, 40);
      for (int m = 0; m < mosse; ++m) {
        if (g->f.mnuAnnullaInserimento.enabled() && da(0, 4) == 0) {
          g->p.scegli(g->f.mnuAnnullaInserimento);
          continue;
        }
        std::vector<int> aperte;
        for (int c = 1; c <= tavola::colonne; ++c)
          if (g->f.imgFreccia[c].visible()) aperte.push_back(c);
        const auto domande = g->p.messaggi.size();
        g->p.clic(g->f.imgFreccia[aperte[static_cast<std::size_t>(da(0, static_cast<int>(aperte.size()) - 1))]]);
        for (auto i = domande; i < g->p.messaggi.size(); ++i)
          if (g->p.messaggi[i].pulsanti == Pulsanti::siNo) g->p.rispondi(Risposta::si);
      }
      MatchState& m = g->f.match;
      m.lives = static_cast<std::int16_t>(da(1, 3));
      m.victories = {static_cast<std::int16_t>(da(0, 40)), static_cast<std::int16_t>(da(0, 40))};
      m.score = n < 6 ? punteggi[n] : da(-100000, 100000);
      const auto [minuti, secondi] = n % 4 < 3 ? orologi[n % 4] : std::pair{da(0, 59), da(0, 59)};
      m.clockMinutes = static_cast<std::int16_t>(minuti);
      m.clockSeconds = static_cast<std::int16_t>(secondi);
      salvato = std::make_unique<Stato>(*g);
      (salvato->annulla ? conAnnulla : senzaAnnulla)++;
      g->p.rispondiDialogo(percorso);
      g->f.mnuFileSalva_Click();
      contenuto = g->p.file[percorso].contenuto;
    }
    Gioco g;  // the program started again
    g.p.file[percorso].contenuto = contenuto;
    g.p.rispondiDialogo(percorso);
    g.f.mnuFileCarica_Click();
    ASSERT_TRUE(modGenerale.matchInProgress) << g.testiMessaggi().back();
    const Stato caricato(g);
    EXPECT_EQ(caricato.frecce, salvato->frecce);
    EXPECT_EQ(caricato.grid.cells, salvato->grid.cells);
    EXPECT_EQ(caricato.grid.freeCells, salvato->grid.freeCells);
    EXPECT_NEAR(caricato.grid.freePercent, salvato->grid.freePercent, 1e-4);
    EXPECT_EQ(g.f.lblCaselleLibere.caption(), testoCaselleLibere(salvato->grid));
    EXPECT_EQ(caricato.mosse.lastPlayerColumn, salvato->mosse.lastPlayerColumn);
    EXPECT_EQ(caricato.mosse.lastComputerColumn, salvato->mosse.lastComputerColumn);
    EXPECT_EQ(caricato.annulla, salvato->annulla);
    EXPECT_EQ(caricato.colore, salvato->colore);
    EXPECT_EQ(caricato.match.lives, salvato->match.lives);
    EXPECT_EQ(caricato.match.victories, salvato->match.victories);
    EXPECT_EQ(caricato.match.score, salvato->match.score);
    EXPECT_EQ(caricato.match.clockMinutes, salvato->match.clockMinutes);
    EXPECT_EQ(caricato.match.clockSeconds, salvato->match.clockSeconds);
    EXPECT_EQ(caricato.disegno, salvato->disegno);
  }
  // Both undo states came up often enough to mean something.
  EXPECT_GT(conAnnulla, 20);
  EXPECT_GT(senzaAnnulla, 20);
}

}  // namespace
}  // namespace velmo::test
