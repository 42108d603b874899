#pragma once
// How the program is built.

#include "forms/info/FrmInfo.h"

namespace velmo {

class FrmInfoCodice : public FrmInfo {
 public:
  explicit FrmInfoCodice(FrmGioco& gioco);
  Etichetta lblTesto, lblChiusura;

};

}  // namespace velmo
