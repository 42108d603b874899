// The commands of the information menu: each opens its window modally.

#include "ui/FrmGioco.h"
#include "ui/FrmInfoCodice.h"
#include "ui/FrmInfoRegole.h"
#include "ui/FrmInfoTastiera.h"
#include "ui/FrmInfoVelmo.h"
#include "ui/FrmThanxTo.h"

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
