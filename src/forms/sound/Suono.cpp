#include "forms/sound/Suono.h"

#include <exception>

#include "forms/ModGenerale.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

void psubRilevaSchedaAudio() {
  try {
    if (piattaforma().dispositiviAudio() < 1) modGenerale.noSoundDevice = true;
  } catch (const std::exception&) {
    piattaforma().msgBox("Errore inaspettato nella configurazione audio...\r\n", Pulsanti::ok, Icona::esclamazione,
                         titoloService);
    modGenerale.noSoundDevice = true;
  }
}

void psubSuonaMusicaAvvio(FrmGioco& frmGioco) {
  psubSuonaWave(modGenerale.percorsoMusica, sorgenteDisco, 0);
  frmGioco.Load();
  frmGioco.tmrWaveMp3.setInterval(intervalloGuardiaMusica);
}

}  // namespace velmo
