// The computer's half of every exchange.

#include "forms/ModGenerale.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

std::int16_t FrmGioco::mfuncMossaComputer() { return pfuncColonnaComputer(grid, ordineRegole()); }

void FrmGioco::msubTurnoComputer() {
  psubRandomize();
  setMousePointer(Puntatore::clessidra);
  busy = true;
  lblTurno.setCaption(testoTurnoComputer);
  int colonna = mfuncMossaComputer();
  // No rule applies: any open column, each equally likely. The caller
  // guarantees one is open.
  while (colonna == 0 || !imgFreccia[colonna].visible()) colonna = modGenerale.casuale.da1a(tavola::colonne);
  psubAttendi(0.2f);
  msubInserisciPedina(colonna, Side::computer);
  if (roundOver) return;
  setMousePointer(Puntatore::personalizzato);
  lblTurno.setCaption(testoTuoTurno);
  busy = false;
}

}  // namespace velmo
