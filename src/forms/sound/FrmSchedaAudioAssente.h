#pragma once
// The warning shown at start-up when the system has no sound device: it
// beeps, and its ticked box asks to be reminded at the next start. Closing
// it, by its button or by the window manager, stores the box's state in the
// settings file.

#include "forms/Controlli.h"
#include "forms/Form.h"

namespace velmo {

class FrmSchedaAudioAssente : public Form {
 public:
  FrmSchedaAudioAssente();

  Etichetta lblAttenzione, lblMessaggio;
  CasellaControllo chkRicordamelo;
  Pulsante cmdOK;

  void Form_Load() override;
  void Form_Unload() override;
  void cmdOK_Click();
};

// The warning of the start-up sequence: shown modally when the system has
// no sound device and the settings file asks to be reminded ("si").
void psubAvvisaSchedaAudioAssente();

}  // namespace velmo
