#pragma once
// The intro show of the maker's info center: a disc turns active, a
// connection line shoots across, the logo blinks, the contact address is
// typed out and "- CONTATTAMI -" ends it; then the window closes itself
// behind the closing effect. It takes no input.

#include <array>
#include <cstdint>

#include "forms/Controlli.h"
#include "forms/Form.h"

namespace velmo {

class FrmGioco;

class FrmBrenvo : public Form {
 public:
  // `gioco` is the game window, whose board the closing effect repaints.
  explicit FrmBrenvo(FrmGioco& gioco);

  Serie<Immagine, 2> imgDisco, imgBrenvo;
  Linea lnConnessione, lnRisultato;
  Etichetta lblFase, lblEmail, lblRisultato;

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Deactivate() override;
  void Form_Unload() override;
  // The show takes no input, not even the close command.
  void Form_QueryClose() override {}

  static constexpr int larghezza = 5490, altezza = 3810;
  static constexpr int xBersaglio = 4660, yBersaglio = 935;
  static constexpr int roundMassimi = 301;
  static constexpr std::array<int, 14> xDigitazione{2610, 2780, 2980, 3160, 3320, 3505, 3660,
                                                   3850, 4095, 4280, 4470, 4605, 4750, 4935};
  static constexpr Colore coloreSfondo{16, 24, 40};
  static constexpr std::int16_t passiChiusura = 450;

  // The text of typing step i (1..14): the first i characters of the
  // contact address, one blank between each two.
  static std::string pfuncTestoDigitato(int i);
  // The shot's rounds in the last show, for the record.
  int roundColpo() const { return roundColpo_; }

 private:
  void msubSpettacolo();

  FrmGioco& gioco_;
  bool giaAttivata_ = false;  // the replay guard
  int roundColpo_ = 0;
};

}  // namespace velmo
