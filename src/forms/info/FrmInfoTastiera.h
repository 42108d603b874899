#pragma once
// The keyboard commands, a key and its description on each row.

#include "forms/info/FrmInfo.h"

namespace velmo {

class FrmInfoTastiera : public FrmInfo {
 public:
  explicit FrmInfoTastiera(FrmGioco& gioco);
  // Row i: the key and what it does.
  Serie<Etichetta, 8> Label2, Label3;
 private:
  void msubTestiPropri() override;
};

}  // namespace velmo
