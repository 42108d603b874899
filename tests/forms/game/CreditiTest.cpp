// The credits' crawl: wrap, fade in, fade out and move on each tick, and
// the lines frozen by a match and going on from there afterwards.

#include <gtest/gtest.h>

#include "Gioco.h"

namespace velmo::test {
namespace {

constexpr int u = FrmGioco::unitaCrediti;

struct Crediti : testing::Test, Gioco {
  int SH() const { return f.picContenitoreCrediti[2].height() / u; }
  int T(int i) const { return f.lblCrediti[i].top() / u; }
  int H(int i) const { return f.lblCrediti[i].height() / u; }
};

TEST_F(Crediti, IlPannelloELeRigheDopoIlCaricamento) {
  EXPECT_EQ(SH(), 304);  // 4560 twips
  EXPECT_EQ(T(1), SH());
  for (int i = 2; i <= 12; ++i) EXPECT_EQ(T(i), T(i - 1) + H(i - 1));
  EXPECT_TRUE(f.tmrCrediti.attivo());
  EXPECT_EQ(f.tmrCrediti.interval(), 25);
  EXPECT_EQ(f.lblCrediti[7].caption(), " - bv@example.org - ");
  EXPECT_EQ(f.lblCrediti[9].caption(), "https://www.example.org/velmo");
}

TEST_F(Crediti, UnTickSuUnaRigaDalPosto) {
  struct Caso {
    const char* nome;
    int top;  // units
    int topDopo;
    Colore colore;  // after the tick; the line starts in grey to show "unchanged"
  };
  const Colore grigio{7, 7, 7};
  const int sh = SH(), h = H(1);
  const Caso casi[] = {
      {"esattamente -H: a SH + 120, poi su di uno", -h, sh + 119, grigio},
      {"appena dentro in alto: non torna giù", -h + 1, -h, grigio},
      {"sotto il fondo dopo il giro: colore invariato", sh + 50, sh + 49, grigio},
      {"al fondo: nero", sh, sh - 1, {0, 0, 0}},
      {"a 3/4: metà colore, 127.5 va a 128", sh * 3 / 4, sh * 3 / 4 - 1, {128, 120, 25}},
      {"a metà: colore pieno", sh / 2, sh / 2 - 1, {255, 240, 50}},
      {"a 1/4 in dissolvenza", sh / 4, sh / 4 - 1, {128, 120, 25}},
      {"in cima: nero", 0, -1, {0, 0, 0}},
      {"appena uscito in cima: colore invariato", -1, -2, grigio},
      // f = 1/152: 255/152 = 1.68 -> 2, 240/152 = 1.58 -> 2, 50/152 = 0.33 -> 0
      {"un'unità sopra il fondo", sh - 1, sh - 2, {2, 2, 0}},
      // f = 75/152: 125.8 -> 126, 118.4 -> 118, 24.67 -> 25
      {"appena sotto i 3/4", sh * 3 / 4 + 1, sh * 3 / 4, {126, 118, 25}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Etichetta& l = f.lblCrediti[1];
    for (int i = 2; i <= 12; ++i) f.lblCrediti[i].setTop(100 * u);
    l.setTop(c.top * u);
    l.setForeColor(grigio);
    f.tmrCrediti_Timer();
    EXPECT_EQ(T(1), c.topDopo);
    EXPECT_EQ(l.foreColor(), c.colore);
  }
}

TEST_F(Crediti, IlTimerMuoveTutteLeRigheDiUnaUnitaATick) {
  std::array<int, 13> prima{};
  for (int i = 1; i <= 12; ++i) prima[static_cast<std::size_t>(i)] = T(i);
  p.avanza(0.025 * 40 + 0.001);
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(T(i), prima[static_cast<std::size_t>(i)] - 40);
}

TEST_F(Crediti, FuoriDalPannelloUnaRigaERestaNera) {
  // Over more than a whole round, a line partly out at the top, or back
  // below the bottom after its wrap, is black: invisible on the panel.
  std::array<bool, 13> giro{};
  for (int t = 0; t < 1200; ++t) {
    std::array<int, 13> prima{};
    for (int i = 1; i <= 12; ++i) prima[static_cast<std::size_t>(i)] = T(i);
    f.tmrCrediti_Timer();
    for (int i = 1; i <= 12; ++i) {
      const std::size_t k = static_cast<std::size_t>(i);
      if (T(i) > prima[k]) giro[k] = true;
      if (T(i) < 0 || (giro[k] && T(i) >= SH())) {
        ASSERT_EQ(f.lblCrediti[i].foreColor(), (Colore{0, 0, 0})) << "riga " << i << " a " << T(i);
      }
    }
  }
  for (int i = 1; i <= 12; ++i) EXPECT_TRUE(giro[static_cast<std::size_t>(i)]) << "riga " << i;
}

TEST_F(Crediti, UnaPartitaFermaLeRigheELaFineLeRiprendeDaLi) {
  p.avanza(2.0);
  nuovaPartita();
  EXPECT_FALSE(f.picContenitoreCrediti[1].visible());
  std::array<int, 13> ferme{};
  for (int i = 1; i <= 12; ++i) ferme[static_cast<std::size_t>(i)] = T(i);
  p.avanza(3.0);
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(T(i), ferme[static_cast<std::size_t>(i)]);
  p.rispondi(Risposta::no);  // do not save
  p.scegli(f.mnuFileTermina);
  ASSERT_FALSE(modGenerale.matchInProgress);
  p.avanza(0.025 + 0.0001);
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(T(i), ferme[static_cast<std::size_t>(i)] - 1);
}

// Minimised, on another workspace or covered, the window shows nothing: the
// crawl holds where it stands and goes on from there when the window shows
// again; the clock of a match is no drawing and keeps running meanwhile.
TEST_F(Crediti, AFinestraNascostaLeRigheSiFermanoEPoiRiprendonoDaLi) {
  EXPECT_TRUE(f.tmrCrediti.soloSeVisibile());
  EXPECT_FALSE(f.tmrTempo.soloSeVisibile());
  p.avanza(1.0);
  p.vedi(f, false);
  std::array<int, 13> ferme{};
  for (int i = 1; i <= 12; ++i) ferme[static_cast<std::size_t>(i)] = T(i);
  p.avanza(5.0);
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(T(i), ferme[static_cast<std::size_t>(i)]);
  p.vedi(f, true);
  p.avanza(0.025 * 3 + 0.0001);
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(T(i), ferme[static_cast<std::size_t>(i)] - 3);
}

}  // namespace
}  // namespace velmo::test
