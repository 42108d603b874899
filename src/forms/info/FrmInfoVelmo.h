#pragma once
// The product itself: name, version, place and date, author and terms, the
// maker's site and the way into the intro show.

#include "forms/info/FrmInfo.h"

namespace velmo {

class FrmInfoVelmo : public FrmInfo {
 public:
  explicit FrmInfoVelmo(FrmGioco& gioco);
  Etichetta lblNomeProgetto, lblVersioneProgetto, lblLuogoDataProgetto, lblAutore, lblTermini;
  // Opens the intro show of the maker's info center.
  Etichetta lblInfoBrenvo;
  Etichetta lblLinkBrenvoWebSite;
  ZonaTastiera zonaInfoBrenvo;  // the info label by keyboard

 private:
  void msubTestiPropri() override;
  void msubMostraBrenvo();
  // The pointer over the info label: hand i of the game window.
  void msubPuntatoreMano(int i);
};

}  // namespace velmo
