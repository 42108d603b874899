// The intro show in virtual time: what it loads with, the order and timing
// of its cues and captions, the shot, the typing, the closing effect over
// the board, silence with sound off, and no second show after the user
// switched away and back.

#include "forms/info/FrmBrenvo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Gioco.h"
#include "core/common/Prodotto.h"

namespace velmo::test {
namespace {

struct Brenvo : testing::Test, Gioco {
  FrmBrenvo intro{f};
  double inizio = 0;
  // Each record entry with its time since the show was shown.
  std::vector<std::pair<double, std::string>> cronaca;
  // Captions of the phase and the typed address, as they change.
  std::vector<std::string> fasi, digitati;

  Brenvo() {
    intro.lblFase.osserva([this] {
      if (fasi.empty() || fasi.back() != intro.lblFase.caption()) fasi.push_back(intro.lblFase.caption());
    });
    intro.lblEmail.osserva([this] {
      const std::string& c = intro.lblEmail.caption();
      if (!c.empty() && (digitati.empty() || digitati.back() != c))
        digitati.push_back(intro.lblEmail.caption());
    });
    p.allAnnotazione = [this](const std::string& v) {
      if (v == "mostra frmBrenvo") inizio = p.adesso();
      cronaca.emplace_back(p.adesso() - inizio, v);
    };
  }

  std::vector<std::pair<double, std::string>> suoni() const {
    std::vector<std::pair<double, std::string>> s;
    for (const auto& [t, v] : cronaca)
      if (v.rfind("suono ", 0) == 0 && v != "suono id_02") s.emplace_back(t, v.substr(6));
    return s;
  }
};

TEST_F(Brenvo, AlCaricamentoFermaIlSuonoSpostaIlMouseEMostraLoStatoIniziale) {
  p.posizioneMouse = {500, 400};
  const int fermate = p.fermate;
  intro.Load();
  EXPECT_EQ(p.fermate, fermate + 1);
  EXPECT_EQ(p.posizioneMouse, (std::pair<int, int>{0, 0}));
  EXPECT_EQ(intro.caption(), " Brenvo Info Service - Central Unit");
  EXPECT_EQ(intro.width(), 5490);
  EXPECT_EQ(intro.height(), 3810);
  EXPECT_TRUE(intro.imgDisco[1].visible());
  EXPECT_FALSE(intro.imgDisco[2].visible());
  EXPECT_TRUE(intro.imgBrenvo[1].visible());
  EXPECT_FALSE(intro.imgBrenvo[2].visible());
  EXPECT_FALSE(intro.lnConnessione.visible());
  EXPECT_EQ(intro.lnConnessione.x2(), 1640);
  EXPECT_EQ(intro.lnConnessione.y2(), 1710);
  EXPECT_FALSE(intro.lnRisultato.visible());
  EXPECT_EQ(intro.lblFase.caption(), "Contatto ?");
  EXPECT_FALSE(intro.lblEmail.visible());
  EXPECT_FALSE(intro.lblRisultato.visible());
  intro.Unload();
}

TEST_F(Brenvo, LoSpettacoloConISuoiTempi) {
  intro.Show(true);
  const int r = intro.roundColpo();
  EXPECT_GE(r, 24);
  EXPECT_LE(r, 25);  // never the 301 of the limit
  // 1.5 + 1 + 1, then 1 before the shot; the shot waits 0.075 s a round
  // but the last; 15 blinks of 0.18 s; 0.5 + 1.3; 14 typed of 0.105 s; 1 + 0.5.
  const double colpo = 4.5, lampeggio = colpo + (r - 1) * 0.075;
  const double digitazione = lampeggio + 15 * 0.18 + 0.5 + 1.3;
  const double fine = digitazione + 14 * 0.105 + 1.0 + 0.5;
  const std::vector<std::pair<double, std::string>> attesi = {
      {3.5 - 1.0 - 1.0, "id_17"}, {colpo, "id_18"}, {lampeggio, "id_19"}, {fine, "id_16"}, {fine, "id_20"}};
  const auto visti = suoni();
  ASSERT_EQ(visti.size(), attesi.size());
  for (std::size_t i = 0; i < attesi.size(); ++i) {
    EXPECT_EQ(visti[i].second, attesi[i].second);
    EXPECT_NEAR(visti[i].first, attesi[i].first, 1e-4) << attesi[i].second;
  }
  EXPECT_EQ(fasi, (std::vector<std::string>{"Contatto ?", "Contatto...", "Avvenuto !"}));
  ASSERT_EQ(digitati.size(), 14u);
  EXPECT_EQ(digitati[0], "b");
  EXPECT_EQ(digitati[2], "b v @");
  EXPECT_EQ(digitati[13], "b v @ e x a m p l e . o r g");
  // The typing cue once a step, and the closing effect after the 0.8 s of
  // id_20, then the board repainted.
  int battute = 0;
  for (const auto& [t, v] : cronaca) battute += v == "suono id_02";
  EXPECT_EQ(battute, 14);
  ASSERT_FALSE(p.rettangoli.empty());
  EXPECT_NEAR(p.rettangoli.front().tempo - inizio, fine + 0.8, 1e-4);
  EXPECT_EQ(p.rettangoli.size(), 450u);
  ASSERT_FALSE(p.ridisegnati.empty());
  EXPECT_EQ(p.ridisegnati.back(), &f.picContenitore[1]);
  EXPECT_FALSE(intro.loaded());
  // The end of the shot exactly on the target.
  EXPECT_EQ(intro.lnConnessione.x2(), FrmBrenvo::xBersaglio);
  EXPECT_EQ(intro.lnConnessione.y2(), FrmBrenvo::yBersaglio);
  EXPECT_EQ(intro.lnRisultato.x2(), 4935);
  EXPECT_EQ(intro.lblRisultato.caption(), "- CONTATTAMI -");
  EXPECT_TRUE(intro.lblRisultato.visible());
}

// What the show's window shows, in short: the disc and the logo in their
// state, the connection line, the phase caption, the result line with its
// end's x, the typed address and the closing text, each when visible.
std::string visibile(const FrmBrenvo& w) {
  auto quale = [](const Serie<Immagine, 2>& s) {
    return std::string(s[1].visible() ? "1" : "") + (s[2].visible() ? "2" : "");
  };
  std::string v = "disco " + quale(w.imgDisco) + ", logo " + quale(w.imgBrenvo);
  if (w.lnConnessione.visible()) v += ", connessione";
  if (w.lblFase.visible()) v += ", fase " + w.lblFase.caption();
  if (w.lnRisultato.visible()) v += ", risultato a " + std::to_string(w.lnRisultato.x2());
  if (w.lblEmail.visible()) v += ", email " + w.lblEmail.caption();
  if (w.lblRisultato.visible()) v += ", " + w.lblRisultato.caption();
  return v;
}

TEST_F(Brenvo, CioCheSiVedeAOgniPasso) {
  // The state after every instant that changed it, in show time.
  std::vector<std::pair<double, std::string>> passi;
  auto annota = [&] {
    if (!intro.loaded()) return;
    const double t = p.adesso() - inizio;
    const std::string v = visibile(intro);
    if (!passi.empty() && std::abs(passi.back().first - t) < 1e-9) passi.pop_back();
    if (passi.empty() || passi.back().second != v) passi.emplace_back(t, v);
  };
  for (Controllo* c : intro.controlli()) c->osserva(annota);
  intro.lblFase.osserva([&] {
    if (fasi.empty() || fasi.back() != intro.lblFase.caption()) fasi.push_back(intro.lblFase.caption());
    annota();
  });
  intro.lblEmail.osserva(annota);
  intro.Show(true);

  const int r = intro.roundColpo();
  const double lampeggio = 4.5 + (r - 1) * 0.075;
  const double avvenuto = lampeggio + 15 * 0.18, digitazione = avvenuto + 0.5 + 1.3;
  std::vector<std::pair<double, std::string>> attesi = {
      {0.0, "disco 1, logo 1, fase Contatto ?"},
      {1.5, "disco 2, logo 1, fase Contatto ?"},
      {2.5, "disco 2, logo 1, fase Contatto..."},
      {3.5, "disco 2, logo 1, connessione, fase Contatto..."},
  };
  // The blink alternates the logo, starting from the second picture; the
  // fifteenth leaves it there, and "Avvenuto !" comes at the same moment.
  for (int volta = 1; volta <= 15; ++volta)
    attesi.emplace_back(lampeggio + volta * 0.18, std::string("disco 2, logo ") + (volta % 2 ? "2" : "1") +
                                                     ", connessione, fase " +
                                                     (volta == 15 ? "Avvenuto !" : "Contatto..."));
  attesi.emplace_back(avvenuto + 0.5, "disco 1, logo 2, fase Avvenuto !");
  // The phase hides as the typing starts; each step moves the result line's
  // end and shows one more character.
  const int xs[] = {2610, 2780, 2980, 3160, 3320, 3505, 3660, 3850, 4095, 4280, 4470, 4605, 4750, 4935};
  const std::string indirizzo = "b v @ e x a m p l e . o r g";
  for (int i = 1; i <= 14; ++i)
    attesi.emplace_back(digitazione + (i - 1) * 0.105, "disco 1, logo 2, risultato a " + std::to_string(xs[i - 1]) +
                                                          ", email " + indirizzo.substr(0, 2 * i - 1));
  const double scritto = digitazione + 14 * 0.105;
  attesi.emplace_back(scritto, "disco 1, logo 2, email " + indirizzo);
  attesi.emplace_back(scritto + 1.0, "disco 1, logo 1, email " + indirizzo);
  attesi.emplace_back(scritto + 1.5, "disco 1, logo 1, email " + indirizzo + ", - CONTATTAMI -");

  ASSERT_EQ(passi.size(), attesi.size());
  for (std::size_t i = 0; i < attesi.size(); ++i) {
    EXPECT_EQ(passi[i].second, attesi[i].second) << i;
    EXPECT_NEAR(passi[i].first, attesi[i].first, 1e-4) << attesi[i].second;
  }
}

TEST_F(Brenvo, IlColpoAccelera) {
  std::vector<int> xs;
  intro.lnConnessione.osserva([&] { xs.push_back(intro.lnConnessione.x2()); });
  intro.Show(true);
  // From the collapse at 1640 to the target: each round goes further.
  ASSERT_GE(xs.size(), 5u);
  std::vector<int> passi;
  for (std::size_t i = 2; i < xs.size(); ++i)
    if (xs[i] != xs[i - 1]) passi.push_back(xs[i] - xs[i - 1]);
  for (std::size_t i = 1; i + 1 < passi.size(); ++i) EXPECT_GT(passi[i], passi[i - 1]);
  EXPECT_EQ(xs.back(), FrmBrenvo::xBersaglio);
}

TEST_F(Brenvo, SenzaAudioStessiTempiMaSilenzioESenzaLaPausaFinale) {
  f.mnuImpostazioniAudio[2].setChecked(true);
  f.mnuImpostazioniAudio[1].setChecked(false);
  intro.Show(true);
  EXPECT_TRUE(suoni().empty());
  for (const auto& [t, v] : cronaca) EXPECT_NE(v, "suono id_02");
  const int r = intro.roundColpo();
  const double fine = 4.5 + (r - 1) * 0.075 + 15 * 0.18 + 1.8 + 14 * 0.105 + 1.5;
  ASSERT_FALSE(p.rettangoli.empty());
  EXPECT_NEAR(p.rettangoli.front().tempo - inizio, fine, 1e-4);
}

TEST_F(Brenvo, UnaDisattivazioneDuranteLoSpettacoloNonNeAvviaUnSecondo) {
  p.tra(2.0, [&] { p.disattiva(intro); });
  p.tra(3.0, [&] { p.attiva(intro); });
  intro.Show(true);
  EXPECT_EQ(suoni().size(), 5u);  // one show: 17, 18, 19, 16, 20
  EXPECT_FALSE(intro.loaded());
  // Unloading cleared the guard: a new window shows again.
  cronaca.clear();
  intro.Show(true);
  EXPECT_EQ(suoni().size(), 5u);
}

TEST_F(Brenvo, LoSpettacoloNonSiChiudeColComandoDiChiusura) {
  p.tra(2.0, [&] { p.chiudi(intro); });
  intro.Show(true);
  EXPECT_EQ(suoni().size(), 5u);
}

}  // namespace
}  // namespace velmo::test
