// A whole match on virtual time that ends with a positive score: the name
// is asked until one is given, the three sections are written in order, the
// leaderboard shows the entry in red bold, and the next run of the program
// shows it plain.

#include <gtest/gtest.h>

#include "Gioco.h"
#include "forms/leaderboard/FrmClassifica.h"
#include "core/files/TestoIni.h"

namespace velmo::test {
namespace {

// Scores below any match that wins a round early; victories all different,
// so that every write of the update changes one value.
const std::string classificaBassa =
    "[Toob]\r\nk=41\r\n\r\n[Nome]\r\n1=Anna\r\n2=Bruno\r\n3=Carla\r\n4=Dario\r\n5=Elena\r\n"
    "[Info]\r\n1=5 vittorie\r\n2=4 vittorie\r\n3=3 vittorie\r\n4=2 vittorie\r\n5=1 vittoria\r\n"
    "[Punteggio]\r\n1=500\r\n2=400\r\n3=300\r\n4=200\r\n5=100\r\n";

struct PartitaInClassifica : testing::Test, Gioco {
  std::string& ini() { return p.file[modGenerale.percorsoIni].contenuto; }

  // The rows of the leaderboard window as shown, "*" marking red bold.
  static std::vector<std::string> righe(const FrmClassifica& c) {
    std::vector<std::string> r;
    for (int i = 1; i <= 5; ++i) {
      const bool rossa = c.lblNome[i].bold() && c.lblNome[i].foreColor() == FrmClassifica::coloreUltimoInserito;
      r.push_back(c.lblNome[i].caption() + "|" + c.lblInfo[i].caption() + "|" + c.lblPunteggio[i].caption() +
                  (rossa ? "*" : ""));
    }
    return r;
  }
};

TEST_F(PartitaInClassifica, UnaPartitaConPuntiEntraInClassifica) {
  ini() = classificaBassa;
  p.tasto(f, codiceTasto::F2);
  // The player's first round: three across at the bottom, the fourth to come.
  disponi({".........", ".........", ".........", ".........", ".........", "CCC......", "PPP......"});
  p.clic(f.imgFreccia[4]);
  ASSERT_EQ(f.match.vittorie(1), 1);
  ASSERT_GT(f.match.score, 500);

  // Then the first open column every time, until the lives are gone.
  p.rispondiInput(std::nullopt);  // cancelled: asked again
  p.rispondiInput("    ");        // blanks only: asked again
  p.rispondiInput("  mARIO  rossi x ");
  p.rispondi(Risposta::no);       // no other match
  std::vector<std::string> mostrate;
  p.alle(1e6, [&] {
    auto& c = dynamic_cast<FrmClassifica&>(*p.modale());
    mostrate = righe(c);
    c.Form_Click();
  });
  for (int mosse = 0; modGenerale.matchInProgress && mosse < 2000; ++mosse) {
    int i = 1;
    while (!f.imgFreccia[i].visible()) ++i;
    p.clic(f.imgFreccia[i]);
  }
  ASSERT_FALSE(modGenerale.matchInProgress);
  const std::string punteggio = std::to_string(f.match.score);
  const std::string vittorie = std::to_string(f.match.vittorie(1)) + (f.match.vittorie(1) == 1 ? " vittoria" : " vittorie");

  // Game over, the name three times, the writes, the window, the question.
  std::vector<std::string> dopo;
  auto go = std::find(p.registro.begin(), p.registro.end(), "msg G A M E   O V E R !");
  ASSERT_NE(go, p.registro.end());
  for (auto it = go; it != p.registro.end(); ++it)
    if (it->rfind("suono", 0) != 0) dopo.push_back(*it);
  const std::string domanda = "input Inserisci il tuo nome...\r\n\r\n(Max 12 caratteri)";
  const std::string scrivi = "scrivi /opt/velmo/Velmo.001";
  std::vector<std::string> attesi = {"msg G A M E   O V E R !", domanda, domanda, domanda};
  attesi.insert(attesi.end(), 15, scrivi);
  attesi.insert(attesi.end(), {"mostra frmClassifica", "scarica frmClassifica", "ridisegna",
                               "msg Vuoi fare un'altra partita ?"});
  EXPECT_EQ(dopo, attesi);
  // Each time with the service title and no default text.
  ASSERT_EQ(p.input.size(), 3u);
  for (const InputMostrato& i : p.input) {
    EXPECT_EQ(i.titolo, " Brenvo Info Service...");
    EXPECT_EQ(i.predefinito, "");
  }

  // The writes: names, then scores, then victories, places 1 to 5 each.
  std::vector<std::string> chiavi;
  std::string prima = classificaBassa;
  for (const auto& [percorso, testo] : p.scritture) {
    for (const char* s : {"Nome", "Info", "Punteggio"})
      for (const char* k : {"1", "2", "3", "4", "5"})
        if (valoreIni(prima, s, k) != valoreIni(testo, s, k)) chiavi.push_back(std::string(s) + k);
    prima = testo;
  }
  std::vector<std::string> ordine;
  for (const char* s : {"Nome", "Punteggio", "Info"})
    for (const char* k : {"1", "2", "3", "4", "5"}) ordine.push_back(std::string(s) + k);
  EXPECT_EQ(chiavi, ordine);

  const std::vector<std::string> classifica = {"Mario  Rossi|" + vittorie + "|" + punteggio, "Anna|5 vittorie|500",
                                               "Bruno|4 vittorie|400", "Carla|3 vittorie|300",
                                               "Dario|2 vittorie|200"};
  std::vector<std::string> rossa = classifica;
  rossa[0] += "*";
  EXPECT_EQ(mostrate, rossa);
  EXPECT_EQ(f.lastEntryPlace, 1);
  EXPECT_EQ(valoreIni(ini(), "Nome", "1"), "Mario  Rossi");  // cut to 12: "Mario  Rossi", the " x" gone
  EXPECT_EQ(valoreIni(ini(), "Toob", "k"), "41");              // the rest of the file as it was

  // The next run: a new game window over the same file.
  FrmGioco nuova;
  nuova.Load();
  p.tra(1.0, [&] {
    auto& c = dynamic_cast<FrmClassifica&>(*p.modale());
    mostrate = righe(c);
    c.Form_Click();
  });
  p.tasto(nuova, codiceTasto::F5);
  EXPECT_EQ(mostrate, classifica);
}

TEST_F(PartitaInClassifica, SenzaPuntiONonAbbastanzaNessunaDomanda) {
  for (auto [punteggio, file] : {std::pair{0, testoImpostazioniIniziali()}, std::pair{99, classificaBassa},
                                 std::pair{-300, testoImpostazioniIniziali()}}) {
    nuovaPartita();
    ini() = file;
    p.registro.clear();
    f.match.lives = 1;
    f.match.score = punteggio;
    f.winningCells = {1, 2, 3, 4};
    p.rispondi(Risposta::no);
    f.msubFineRound(Risultato::computer);
    EXPECT_EQ(std::count_if(p.registro.begin(), p.registro.end(),
                            [](const std::string& r) { return r.rfind("input", 0) == 0 || r.rfind("scrivi", 0) == 0; }),
              0)
        << punteggio;
    EXPECT_EQ(p.registro.back(), "msg Vuoi fare un'altra partita ?");
  }
}

TEST_F(PartitaInClassifica, UnPunteggioUgualeAlQuintoEntraAlQuintoPosto) {
  ini() = classificaBassa;
  nuovaPartita();
  f.match.lives = 1;
  f.match.score = 100;
  f.winningCells = {1, 2, 3, 4};
  p.rispondiInput("zoe");
  p.rispondi(Risposta::no);
  p.tra(100.0, [&] { dynamic_cast<FrmClassifica&>(*p.modale()).Form_Click(); });  // after the blink
  f.msubFineRound(Risultato::computer);
  EXPECT_EQ(f.lastEntryPlace, 5);
  EXPECT_EQ(valoreIni(ini(), "Nome", "5"), "Zoe");
  EXPECT_EQ(valoreIni(ini(), "Info", "5"), "0 vittorie");
  EXPECT_EQ(valoreIni(ini(), "Punteggio", "5"), "100");
  EXPECT_EQ(valoreIni(ini(), "Nome", "4"), "Dario");
}

}  // namespace
}  // namespace velmo::test
