#include "forms/startup/FrmAvvio.h"

#include <exception>
#include <string>

#include "core/common/Conversioni.h"
#include "core/common/Prodotto.h"
#include "forms/ModGenerale.h"
#include "forms/FileImpostazioni.h"

namespace velmo {

namespace {

constexpr Colore oro{242, 194, 30};
constexpr Colore chiaro{214, 222, 238};
constexpr Colore tenue{140, 156, 186};

// Each step of the load stands on its own: one that fails is passed over.
template <class F>
void mfuncPasso(F&& passo) {
  try {
    passo();
  } catch (const std::exception&) {
  }
}

}  // namespace

FrmAvvio::FrmAvvio() : Form("frmAvvio") {
  setSenzaBordo(true);
  setCaption("Velmo - avvio");  // never shown; names the window to the desktop
  const std::tuple<Immagine*, Figura, int, int, int, int> figure[] = {
      {&imgDummy[1], Figura::avvioSfondo, 0, 0, 5670, 4440},
      {&imgDummy[2], Figura::avvioLogo, 300, 300, 1440, 1440},
      {&imgDummy[3], Figura::avvioFascia, 540, 1860, 4200, 120},
      {&imgDummy[4], Figura::avvioTavola, 4035, 2100, 1350, 1080},
      {&imgDummy[5], Figura::avvioNota, 300, 3795, 360, 360},
  };
  for (auto [img, figura, left, top, width, height] : figure) {
    img->setFigura(figura);
    img->move(left, top, width, height);
    aggiungi(*img);
  }
  struct Testo {
    Etichetta* etichetta;
    std::string caption;
    int left, top, width, height, punti;
    bool grassetto;
    Colore colore;
  };
  const Testo testi[] = {
      {&lblMarchio, "Brenvo ", 1920, 450, 3300, 420, 14, false, tenue},
      {&lblNomePrj, "     Velmo", 1920, 870, 3300, 750, 30, true, oro},
      {&lblSistemi, "Progettato per sistemi Windows a 32 bit", 540, 2100, 3400, 270, 8, false, chiaro},
      {&lblLicenza, "Gioco libero, senza alcuna garanzia.", 540, 2430, 3400, 270, 8, false, chiaro},
      {&lblAutore, std::string("Un programma di ") + prodotto::autore, 540, 2760, 3400, 270, 8, false, chiaro},
      {&lblLuogo, std::string(prodotto::luogo) + ",", 540, 3240, 900, 270, 8, true, tenue},
      {&lblDataProgetto, "", 1410, 3240, 2500, 270, 8, true, tenue},
      {&lblNumAvvii, "", 780, 3840, 3000, 270, 8, false, oro},
  };
  for (const Testo& t : testi) {
    t.etichetta->setCaption(t.caption);
    t.etichetta->move(t.left, t.top, t.width, t.height);
    t.etichetta->setFontSize(t.punti);
    t.etichetta->setBold(t.grassetto);
    t.etichetta->setForeColor(t.colore);
    aggiungi(*t.etichetta);
  }
  lnDecoro[1].setEstremi(540, 3150, 5130, 3150);
  lnDecoro[2].setEstremi(540, 3720, 5130, 3720);
  for (Linea& l : lnDecoro) {
    l.setColore({58, 76, 112});
    aggiungi(l);
  }
}

void FrmAvvio::Form_Load() {
  mfuncPasso([&] { setSize(5670, 4440); });
  mfuncPasso([&] { lblDataProgetto.setCaption(ModGenerale::dataProgetto); });
  mfuncPasso([&] { imgDummy[3].move(imgDummy[3].left(), imgDummy[3].top(), 4600, imgDummy[3].height()); });
  mfuncPasso([&] { lblNumAvvii.setCaption("Avvio numero:  " + taglia(testoNumero(pfuncContaAvvio()))); });
}

}  // namespace velmo
