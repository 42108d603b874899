#include "forms/startup/Main.h"

#include "forms/ModGenerale.h"
#include "forms/FileImpostazioni.h"
#include "forms/sound/FrmSchedaAudioAssente.h"
#include "forms/sound/Suono.h"
#include "forms/startup/ControlliSistema.h"
#include "forms/startup/FrmAvvio.h"
#include "forms/game/FrmGioco.h"

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
