#include "startup/Main.h"

#include "common/ModGenerale.h"
#include "persistence/FileImpostazioni.h"
#include "startup/ControlliSistema.h"
#include "startup/FrmAvvio.h"
#include "ui/FrmGioco.h"

namespace velmo {

void Main(FrmGioco& frmGioco) {
  pTrappaErrori("routine Main", [&] {
    Piattaforma& p = piattaforma();
    psubImpostaPercorsi();

    if (p.altraIstanzaAttiva()) {
      p.msgBox(std::string(ModGenerale::nomeProdotto) + " " + ModGenerale::versione + "\r\n è già in esecuzione...",
               Pulsanti::ok, Icona::informazione, titoloService);
      p.termina(0);
    }

    psubControllaSchermoESistema();

    if (p.dispositiviAudio() < 1) {
      modGenerale.noSoundDevice = true;
      // The warning window about the missing device comes with the sound.
      pfuncRicordaSchedaAudio();
    }

    psubVerificaFileAvvio();

    FrmAvvio frmAvvio;
    frmAvvio.Show();
    psubAttendi(0.05f);
    psubSuonaWave(modGenerale.percorsoMusica, sorgenteDisco, 0);
    frmGioco.Load();
    frmGioco.tmrWaveMp3.setInterval(22500);
    psubAttendi(1.5f);
    frmGioco.Show();
    frmAvvio.Unload();
  });
}

}  // namespace velmo
