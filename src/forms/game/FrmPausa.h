#pragma once
// The pause window: a modal window that stops the round clock while open.

#include "forms/Controlli.h"
#include "forms/Form.h"

namespace velmo {

class FrmPausa : public Form {
 public:
  // `orologio` is the game window's round clock.
  explicit FrmPausa(Timer& orologio);

  Etichetta lblPausa;
  Pulsante cmdRiprendi;

  void Form_Load() override;
  void Form_KeyDown(int codice, int shift) override;
  // The window manager's close button or its Alt+F4: a way out like any
  // other, so it resumes.
  void Form_QueryClose() override { cmdRiprendi_Click(); }
  void cmdRiprendi_Click();

 private:
  Timer& tmrTempo_;
  // Whether the round clock ran when the pause began: a pause during the
  // end of a round must not restart the clock that the round's end stopped.
  bool orologioInCorso_ = false;
  bool riprendendo_ = false;
};

}  // namespace velmo
