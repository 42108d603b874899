#include "forms/info/FrmInfoVelmo.h"

#include <string>

#include "core/common/Prodotto.h"
#include "forms/ModGenerale.h"
#include "forms/info/FrmBrenvo.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

FrmInfoVelmo::FrmInfoVelmo(FrmGioco& gioco) : FrmInfo(gioco, "frmInfoVelmo", "id_13", "") {
  // The product's name takes the title's place.
  lblTitolo.setVisible(false);
  aggiungiTesto(lblNomeProgetto, 1200, 390, 4800, 480, 15.75);
  lblNomeProgetto.setBold(true);
  aggiungiTesto(lblVersioneProgetto, 1200, 900, 4800, 270, 9.75);
  aggiungiTesto(lblLuogoDataProgetto, 1200, 1170, 4800, 270, 9.75);
  aggiungiTesto(lblAutore, 480, 1800, 5460, 270, 9);
  lblAutore.setCaption(std::string("Programma realizzato da ") + prodotto::autore + ".");
  aggiungiTesto(lblTermini, 480, 2100, 5460, 720, 9);
  lblTermini.setCaption(
      "Questo programma è distribuito gratuitamente e può essere copiato liberamente, purché integro e "
      "senza scopo di lucro. È fornito così com'è, senza alcuna garanzia.");

  aggiungiTesto(lblInfoBrenvo, 480, 3060, 5460, 270, 9);
  lblInfoBrenvo.setCaption("Clicca qui per info sul Brenvo Info Center  ;-)");
  lblInfoBrenvo.setForeColor(coloreLink);
  lblInfoBrenvo.onClick = nullptr;  // it opens the intro show instead of closing
  lblInfoBrenvo.onMouseMove = [this](const EventoMouse&) { msubPuntatoreMano(1); };
  lblInfoBrenvo.onMouseDown = [this](const EventoMouse& e) {
    if (e.pulsante != 2) msubPuntatoreMano(2);
  };
  lblInfoBrenvo.onMouseUp = [this](const EventoMouse& e) {
    msubPuntatoreMano(1);
    if (e.pulsante != 2) msubMostraBrenvo();
  };
  aggiungiZona(zonaInfoBrenvo, lblInfoBrenvo, [this] { msubMostraBrenvo(); });

  aggiungiLink(lblLinkBrenvoWebSite, 480, 3480, 2400, 300);
}

void FrmInfoVelmo::msubMostraBrenvo() {
  FrmBrenvo brenvo(gioco_);
  brenvo.Show(true);
}

void FrmInfoVelmo::msubPuntatoreMano(int i) {
  lblInfoBrenvo.setMouseIcon(gioco_.imgMano[i].figura());
  lblInfoBrenvo.setMousePointer(Puntatore::personalizzato);
}

void FrmInfoVelmo::msubTestiPropri() {
  lblNomeProgetto.setCaption(ModGenerale::nomeProdotto);
  lblVersioneProgetto.setCaption(std::string("Versione ") + ModGenerale::versione);
  lblLuogoDataProgetto.setCaption(std::string(prodotto::luogo) + ", " + ModGenerale::dataProgetto);
}

}  // namespace velmo
