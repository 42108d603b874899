#pragma once
// The splash: the product's name and date, the launch counter and a few
// pictures, shown while the game window loads.

#include "forms/Controlli.h"
#include "forms/Form.h"

namespace velmo {

class FrmAvvio : public Form {
 public:
  FrmAvvio();

  Serie<Immagine, 5> imgDummy;
  Etichetta lblMarchio, lblNomePrj, lblSistemi, lblLicenza, lblAutore, lblLuogo, lblDataProgetto, lblNumAvvii;
  Serie<Linea, 2> lnDecoro;

  void Form_Load() override;
};

}  // namespace velmo
