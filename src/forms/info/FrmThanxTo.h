#pragma once
// The thanks.

#include "forms/info/FrmInfo.h"

namespace velmo {

class FrmThanxTo : public FrmInfo {
 public:
  explicit FrmThanxTo(FrmGioco& gioco);
  Etichetta lblTesto, lblPubblicita, lblLink;

  // Its cue comes a moment after it becomes active.
  void Form_Activate() override;

};

}  // namespace velmo
