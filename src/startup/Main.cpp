#include "startup/Main.h"

#include "common/ModGenerale.h"
#include "persistence/FileImpostazioni.h"
#include "sound/FrmSchedaAudioAssente.h"
#include "sound/Suono.h"
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

    psubRilevaSchedaAudio();
    psubAvvisaSchedaAudioAssente();

    psubVerificaFileAvvio();

    FrmAvvio frmAvvio;
    frmAvvio.Show();
    psubAttendi(0.05f);
    // The music, and the game window loaded under the splash with its guard.
    psubSuonaMusicaAvvio(frmGioco);
    psubAttendi(1.5f);
    frmGioco.Show();
    frmAvvio.Unload();
  });
}

}  // namespace velmo
