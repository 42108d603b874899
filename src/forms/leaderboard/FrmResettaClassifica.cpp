#include "forms/leaderboard/FrmResettaClassifica.h"

#include <string>

#include "forms/ModGenerale.h"
#include "forms/FileIni.h"
#include "core/files/ImpostazioniIniziali.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

FrmResettaClassifica::FrmResettaClassifica(FrmGioco& gioco) : Form("frmResettaClassifica"), gioco_(gioco) {
  setSize(7500, 2460);
  imgLogo.move(300, 300, 720, 720);
  imgLogo.setFigura(Figura::logoVelmo);
  imgLogo.setNomeAccessibile("Logo di Velmo");
  lblDomanda.setCaption("Sicuro di voler buttare la classifica nel ces....?");
  lblDomanda.move(1260, 450, 5880, 300);
  lblDomanda.setFontSize(9.75);
  cmdConferma.setCaption("&Certo !");
  cmdConferma.move(2220, 1200, 1800, 450);
  cmdConferma.onClick = [this] { cmdConferma_Click(); };
  cmdAnnulla.setCaption("Scherzavo..");
  cmdAnnulla.move(4380, 1200, 1800, 450);
  cmdAnnulla.onClick = [this] { cmdAnnulla_Click(); };
  // Escape is "Scherzavo..": the safe answer, and still one of the buttons.
  cmdAnnulla.setAnnullamento(true);
  setDialogo(true);
  aggiungi(imgLogo);
  aggiungi(lblDomanda);
  aggiungi(cmdConferma);
  aggiungi(cmdAnnulla);
}

void FrmResettaClassifica::Form_Load() {
  setCaption(" Resetta Classifica...");
  // Only a running clock is stopped, and so restarted: at the end of a round
  // the clock stands still until the next one, and the round's points count
  // its time.
  if (modGenerale.matchInProgress && gioco_.tmrTempo.interval() != 0) {
    gioco_.tmrTempo.setInterval(0);
    orologioFermato_ = true;
  }
  if (gioco_.tmrWaveMp3.interval() == 0) piattaforma().beep();
  setCloseCommand(false);
}

void FrmResettaClassifica::cmdAnnulla_Click() { Unload(); }

void FrmResettaClassifica::cmdConferma_Click() {
  using namespace impostazioni;
  cmdConferma.setEnabled(false);
  cmdAnnulla.setEnabled(false);
  setMousePointer(Puntatore::clessidra);
  if (gioco_.tmrWaveMp3.interval() == 0) {
    psubSuonaCue("id_06", 2.85f);
    psubAttendi(2.0f);
  } else {
    psubAttendi(1.0f);
  }
  for (int p = 1; p <= 5; ++p)
    for (const char* sezione : {sezioneNome, sezioneInfo, sezionePunteggio})
      pfuncScriviIni(modGenerale.percorsoIni, sezione, std::to_string(p), vuoto);
  setMousePointer(Puntatore::predefinito);
  Unload();
}

void FrmResettaClassifica::Form_Unload() {
  if (orologioFermato_ && modGenerale.matchInProgress) gioco_.tmrTempo.setInterval(1000);
}

}  // namespace velmo
