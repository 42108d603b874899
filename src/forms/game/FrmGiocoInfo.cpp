// The commands of the information menu: each opens its window modally.

#include "forms/game/FrmGioco.h"
#include "forms/info/FrmInfoCodice.h"
#include "forms/info/FrmInfoRegole.h"
#include "forms/info/FrmInfoTastiera.h"
#include "forms/info/FrmInfoVelmo.h"
#include "forms/info/FrmThanxTo.h"

namespace velmo {

namespace {

template <class F>
void mostraModale(FrmGioco& gioco) {
  F finestra(gioco);
  finestra.Show(true);
}

}  // namespace

void FrmGioco::mnuInfoCodice_Click() { mostraModale<FrmInfoCodice>(*this); }
void FrmGioco::mnuInfoRegole_Click() { mostraModale<FrmInfoRegole>(*this); }
void FrmGioco::mnuInfoTastiera_Click() { mostraModale<FrmInfoTastiera>(*this); }
void FrmGioco::mnuInfoVelmo_Click() { mostraModale<FrmInfoVelmo>(*this); }
void FrmGioco::mnuThanxTo_Click() { mostraModale<FrmThanxTo>(*this); }

}  // namespace velmo
