#include "forms/info/FrmInfoRegole.h"

namespace velmo {

FrmInfoRegole::FrmInfoRegole(FrmGioco& gioco) : FrmInfo(gioco, "frmInfoRegole", "id_12", "Regole del gioco") {
  aggiungiTesto(lblTesto, 480, 1320, 5460, 2820, 9.75);
  lblTesto.setCaption(testoRegole);
}

}  // namespace velmo
