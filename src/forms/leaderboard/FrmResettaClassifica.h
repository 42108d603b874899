#pragma once
// The leaderboard reset: a question and two buttons, the only way to close
// the window. "&Certo !" writes "vuoto" into every place.

#include "forms/Controlli.h"
#include "forms/Form.h"

namespace velmo {

class FrmGioco;

class FrmResettaClassifica : public Form {
 public:
  // `gioco` is the game window: its round clock and its start-up music guard.
  explicit FrmResettaClassifica(FrmGioco& gioco);

  Immagine imgLogo;
  Etichetta lblDomanda;
  Pulsante cmdConferma, cmdAnnulla;

  void Form_Load() override;
  void Form_Unload() override;
  // No close command: the window manager's close and Alt+F4 do nothing.
  void Form_QueryClose() override {}
  void cmdConferma_Click();
  void cmdAnnulla_Click();

 private:
  FrmGioco& gioco_;
  bool orologioFermato_ = false;
};

}  // namespace velmo
