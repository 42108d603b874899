#pragma once
// The pause window: a modal window that stops the round clock while open.

#include "common/Controlli.h"
#include "common/Form.h"

namespace velmo {

class FrmPausa : public Form {
 public:
  // `orologio` is the game window's round clock.
  explicit FrmPausa(Timer& orologio);

  Etichetta lblPausa;
  Pulsante cmdRiprendi;

  void Form_Load() override;
  void Form_KeyDown(int codice, int shift) override;
  void cmdRiprendi_Click();

 private:
  Timer& tmrTempo_;
  bool riprendendo_ = false;
};

}  // namespace velmo
