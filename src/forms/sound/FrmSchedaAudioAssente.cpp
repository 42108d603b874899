#include "forms/sound/FrmSchedaAudioAssente.h"

#include <string>

#include "forms/ModGenerale.h"
#include "forms/FileImpostazioni.h"
#include "forms/FileIni.h"
#include "core/files/ImpostazioniIniziali.h"

namespace velmo {

namespace {

// The run of blanks makes the label wrap before the aside.
const std::string testoMessaggio =
    "Non è stata rilevata nessuna scheda audio installata nel sistema; il suono dell'applicazione non può essere "
    "riprodotto !" +
    std::string(95, ' ') + "(Ma davvero non avete una scheda audio ???... :-P)";

}  // namespace

FrmSchedaAudioAssente::FrmSchedaAudioAssente() : Form("frmSchedaAudioAssente") {
  setSize(6300, 3390);
  setCaption(titoloService);
  lblAttenzione.setCaption("Attenzione !");
  lblAttenzione.move(240, 180, 5700, 330);
  lblAttenzione.setBold(true);
  lblAttenzione.setFontSize(12);
  lblMessaggio.setCaption(testoMessaggio);
  lblMessaggio.move(240, 600, 5700, 1200);
  chkRicordamelo.setCaption("&Ricordamelo all'avvio...");
  chkRicordamelo.move(240, 2040, 3600, 330);
  cmdOK.setCaption("OK");
  cmdOK.move(4560, 1980, 1380, 420);
  cmdOK.onClick = [this] { cmdOK_Click(); };
  cmdOK.setPredefinito(true);
  cmdOK.setAnnullamento(true);
  setDialogo(true);
  aggiungi(lblAttenzione);
  aggiungi(lblMessaggio);
  aggiungi(chkRicordamelo);
  aggiungi(cmdOK);
}

void FrmSchedaAudioAssente::Form_Load() {
  piattaforma().beep();
  chkRicordamelo.setValue(true);
}

void FrmSchedaAudioAssente::cmdOK_Click() { Unload(); }

void FrmSchedaAudioAssente::Form_Unload() {
  pfuncScriviIni(modGenerale.percorsoIni, impostazioni::sezioneAvvisoAudio, impostazioni::chiaveAvvisoAudio,
                 chkRicordamelo.value() ? "si" : "no");
}

void psubAvvisaSchedaAudioAssente() {
  if (!modGenerale.noSoundDevice || !pfuncRicordaSchedaAudio()) return;
  FrmSchedaAudioAssente avviso;
  avviso.Show(true);
}

}  // namespace velmo
