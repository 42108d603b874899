#include "forms/info/FrmBrenvo.h"

#include <cassert>
#include <string_view>

#include "forms/ChiusuraConEffetto.h"
#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "core/common/Prodotto.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

static_assert(std::string_view(prodotto::emailAutore).size() == FrmBrenvo::xDigitazione.size(),
              "the show types the contact address one character a step");

FrmBrenvo::FrmBrenvo(FrmGioco& gioco) : Form("frmBrenvo"), gioco_(gioco) {
  setBackColor(coloreSfondo);
  setCloseCommand(false);

  imgDisco[1].setFigura(Figura::discoSpento);
  imgDisco[2].setFigura(Figura::discoAcceso);
  for (Immagine& d : imgDisco) {
    d.move(600, 1080, 1440, 1260);
    aggiungi(d);
  }
  imgBrenvo[1].setFigura(Figura::logoBrenvo);
  imgBrenvo[2].setFigura(Figura::logoBrenvoAcceso);
  for (Immagine& b : imgBrenvo) {
    b.move(4380, 360, 720, 720);
    aggiungi(b);
  }

  lnConnessione.setColore({120, 230, 255});
  lnRisultato.setColore({255, 200, 60});
  aggiungi(lnConnessione);
  aggiungi(lnRisultato);

  lblFase.move(360, 300, 3600, 360);
  lblFase.setFontSize(12);
  lblFase.setBold(true);
  lblFase.setForeColor({220, 235, 255});
  lblEmail.move(2460, 2760, 2880, 300);
  lblEmail.setFontSize(9.75);
  lblEmail.setBold(true);
  lblEmail.setForeColor({255, 200, 60});
  lblRisultato.move(360, 3075, 4770, 300);
  lblRisultato.setFontSize(12);
  lblRisultato.setBold(true);
  lblRisultato.setForeColor({255, 255, 255});
  lblRisultato.setAlignment(Etichetta::Allineamento::centro);
  for (Etichetta* l : {&lblFase, &lblEmail, &lblRisultato}) aggiungi(*l);
}

std::string FrmBrenvo::pfuncTestoDigitato(int i) {
  std::string testo;
  for (int k = 0; k < i; ++k) {
    if (k > 0) testo += ' ';
    testo += prodotto::emailAutore[k];
  }
  return testo;
}

void FrmBrenvo::Form_Load() {
  setCaption(" Brenvo Info Service - Central Unit");
  psubFermaSuono();
  piattaforma().spostaMouse(0, 0);
  setSize(larghezza, altezza);
  imgDisco[1].setVisible(true);
  imgBrenvo[1].setVisible(true);
  imgDisco[2].setVisible(false);
  imgBrenvo[2].setVisible(false);
  lnConnessione.setVisible(false);
  lnConnessione.setEstremi(1640, 1710, 1640, 1710);
  lnRisultato.setEstremi(4680, 1035, 4680, 2695);
  lnRisultato.setVisible(false);
  lblFase.setCaption("Contatto ?");
  lblEmail.setVisible(false);
  lblRisultato.setVisible(false);
}

void FrmBrenvo::Form_Activate() {
  if (giaAttivata_) return;
  msubSpettacolo();
  psubSuonaCue("id_20", 0.8f);
  psubChiudiConEffetto(*this, passiChiusura, gioco_.picContenitore[1]);
}

void FrmBrenvo::Form_Deactivate() { giaAttivata_ = true; }

void FrmBrenvo::Form_Unload() { giaAttivata_ = false; }

void FrmBrenvo::msubSpettacolo() {
  psubAttendi(1.5f);
  psubSuonaCue("id_17");
  imgDisco[2].setVisible(true);
  imgDisco[1].setVisible(false);
  psubAttendi(1.0f);
  lblFase.setCaption("Contatto...");
  psubAttendi(1.0f);

  lnConnessione.setVisible(true);
  const float passoX = static_cast<float>(xBersaglio - lnConnessione.x1()) / 300;
  const float passoY = static_cast<float>(yBersaglio - lnConnessione.y1()) / 300;
  psubAttendi(1.0f);
  psubSuonaCue("id_18");
  // The end point as the line shape keeps it, in whole twips: each round
  // adds k steps, so the shot speeds up and arrives after about 24 rounds.
  float x = static_cast<float>(lnConnessione.x2()), y = static_cast<float>(lnConnessione.y2());
  roundColpo_ = 0;
  for (int k = 1; k <= roundMassimi; ++k) {
    roundColpo_ = k;
    x += static_cast<float>(k) * passoX;
    y += static_cast<float>(k) * passoY;
    if (x >= xBersaglio && y <= yBersaglio) {
      lnConnessione.setEstremi(lnConnessione.x1(), lnConnessione.y1(), xBersaglio, yBersaglio);
      break;
    }
    lnConnessione.setEstremi(lnConnessione.x1(), lnConnessione.y1(), interoLungo(x), interoLungo(y));
    psubAttendi(0.075f);
  }

  psubSuonaCue("id_19");
  for (int volta = 1; volta <= 15; ++volta) {
    psubAttendi(0.18f);
    const bool primo = imgBrenvo[1].visible();
    imgBrenvo[2].setVisible(primo);
    imgBrenvo[1].setVisible(!primo);
  }
  lblFase.setCaption("Avvenuto !");
  psubAttendi(0.5f);
  imgDisco[1].setVisible(true);
  imgDisco[2].setVisible(false);
  lnConnessione.setVisible(false);
  psubAttendi(1.3f);
  lblFase.setVisible(false);

  for (int i = 1; i <= static_cast<int>(xDigitazione.size()); ++i) {
    psubSuonaCue("id_02");
    lnRisultato.setEstremi(lnRisultato.x1(), lnRisultato.y1(), xDigitazione[static_cast<std::size_t>(i - 1)],
                           lnRisultato.y2());
    lblEmail.setCaption(pfuncTestoDigitato(i));
    lnRisultato.setVisible(true);
    lblEmail.setVisible(true);
    psubAttendi(0.105f);
  }
  lnRisultato.setVisible(false);
  psubAttendi(1.0f);
  imgBrenvo[1].setVisible(true);
  imgBrenvo[2].setVisible(false);
  psubAttendi(0.5f);
  lblRisultato.setCaption("- CONTATTAMI -");
  psubSuonaCue("id_16");
  lblRisultato.setVisible(true);
}

}  // namespace velmo
