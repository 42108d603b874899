#include "forms/info/FrmInfoCodice.h"

namespace velmo {

FrmInfoCodice::FrmInfoCodice(FrmGioco& gioco) : FrmInfo(gioco, "frmInfoCodice", "id_11", "Codice sorgente") {
  aggiungiTesto(lblTesto, 480, 1260, 5460, 2400, 9);
  lblTesto.setCaption(
      "Scritto in C++20, Brenvo Velmo è un gioco per il desktop Linux. Il programma è un solo eseguibile "
      "che porta con sé le figure (disegni vettoriali SVG) e i suoni, questi ultimi sintetizzati al momento "
      "della compilazione; accanto ad esso stanno il file delle impostazioni (Velmo.001) e la musica "
      "d'avvio (Velmo.002). Per le finestre, i disegni e l'audio usa le librerie Qt 6 (Widgets, Svg e "
      "Multimedia), per leggere i suoni libsndfile e per cambiare la risoluzione dello schermo la "
      "libreria Xrandr del sistema X Window.");
  aggiungiTesto(lblChiusura, 480, 3780, 5460, 300, 9);
  lblChiusura.setBold(true);
  lblChiusura.setCaption("Per ulteriori informazioni contattate il Brenvo...");
}

}  // namespace velmo
