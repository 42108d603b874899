#include "forms/info/FrmThanxTo.h"

#include "forms/ModGenerale.h"

namespace velmo {

FrmThanxTo::FrmThanxTo(FrmGioco& gioco) : FrmInfo(gioco, "frmThanxTo", "", "Thanx to...") {
  aggiungiTesto(lblTesto, 480, 1260, 5460, 2280, 9);
  lblTesto.setCaption(
      "Grazie a chi ha provato il gioco partita dopo partita e ne ha segnalato gli errori, a chi ha "
      "suggerito regole e colori, agli autori delle librerie libere su cui il programma è costruito "
      "e a te, che sei arrivato a leggere fin qui.");
  aggiungiTesto(lblPubblicita, 480, 3540, 1860, 300, 9);
  lblPubblicita.setCaption("Pubblicità occulta:");
  aggiungiLink(lblLink, 2340, 3510, 2400, 300);
}

void FrmThanxTo::Form_Activate() {
  psubAttendi(0.25f);
  // Closed during the wait: its sound would outlive it.
  if (loaded() && mfuncMusicaFinita()) psubSuonaCue("id_24");
}

}  // namespace velmo
