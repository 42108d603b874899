// The closing effect: 450 rectangles from the whole window to its centre,
// then the unload and the repaint, and the window's close command in the
// middle of it.

#include "forms/ChiusuraConEffetto.h"

#include <gtest/gtest.h>

#include "Ambiente.h"
#include "forms/Form.h"

namespace velmo::test {
namespace {

struct Finestra : Form {
  Finestra() : Form("frmProva") {
    setSize(400 * 15, 301 * 15);  // 400 x 301 pixels on the screen
    setBackColor({250, 244, 222});
  }
};

struct Chiusura : testing::Test, Ambiente {
  Finestra finestra;
  Contenitore tavola;
  Chiusura() {
    p.sinistraFinestre = 101;
    p.altoFinestre = 50;
    finestra.Load();
  }
};

TEST_F(Chiusura, RettangoliDallaFinestraAlCentroPoiScaricaERidisegna) {
  const double inizio = p.adesso();
  psubChiudiConEffetto(finestra, 450, tavola);

  ASSERT_EQ(p.rettangoli.size(), 450u);
  const Rettangolo primo = p.rettangoli.front().r, ultimo = p.rettangoli.back().r;
  EXPECT_EQ(std::tuple(primo.left, primo.top, primo.right, primo.bottom), std::tuple(101, 50, 501, 351));
  // The last: 400/450 and 301/450 of a pixel round to 1; its corner,
  // 199.5 + 101 and 150 + 50, rounds to the even 300 and to 200.
  EXPECT_EQ(std::tuple(ultimo.left, ultimo.top, ultimo.right, ultimo.bottom), std::tuple(300, 200, 301, 201));
  // Halfway, step 225: 200 x 150.5 -> 200 x 150, centred.
  const Rettangolo meta = p.rettangoli[225].r;
  EXPECT_EQ(std::tuple(meta.left, meta.top, meta.right, meta.bottom), std::tuple(201, 126, 401, 276));
  for (std::size_t k = 1; k < p.rettangoli.size(); ++k) {
    const Rettangolo a = p.rettangoli[k - 1].r, b = p.rettangoli[k].r;
    EXPECT_TRUE(b.left >= a.left && b.top >= a.top && b.right <= a.right && b.bottom <= a.bottom) << k;
    EXPECT_EQ(p.rettangoli[k].riempimento, (Colore{250, 244, 222}));
  }
  // A visible pace: a millisecond a rectangle.
  EXPECT_NEAR(p.rettangoli.back().tempo - inizio, 0.449, 1e-6);
  EXPECT_NEAR(p.adesso() - inizio, 0.45, 1e-6);

  EXPECT_FALSE(finestra.loaded());
  EXPECT_EQ(p.registro, (std::vector<std::string>{"scarica frmProva", "ridisegna"}));
  EXPECT_EQ(p.ridisegnati, std::vector<const Controllo*>{&tavola});
}

TEST_F(Chiusura, LaFinestraChiusaNelFrattempoFermaIRettangoli) {
  p.tra(0.1005, [&] { finestra.Unload(); });  // after the rectangle drawn at 0.1 s
  psubChiudiConEffetto(finestra, 450, tavola);
  EXPECT_EQ(p.rettangoli.size(), 101u);
  EXPECT_EQ(p.registro, (std::vector<std::string>{"scarica frmProva", "ridisegna"}));
}

}  // namespace
}  // namespace velmo::test
