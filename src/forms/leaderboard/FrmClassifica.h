#pragma once
// The leaderboard window: the five places read from the settings file, the
// entry of this run's match in red bold, and a click anywhere to close it
// behind the closing effect.

#include "forms/Controlli.h"
#include "forms/Form.h"

namespace velmo {

class FrmGioco;

class FrmClassifica : public Form {
 public:
  // `gioco` is the game window: its leaderboard, its start-up music guard
  // and its board, which the closing effect repaints.
  explicit FrmClassifica(FrmGioco& gioco);

  Immagine imgCoppa, imgLogo;
  Linea lnSeparatore;
  // Row p: its name, victories and score.
  Serie<Etichetta, 5> lblNome, lblInfo, lblPunteggio;
  // "2°)" to "5°)": lblPosto(i) leads row i + 1; the cup leads row 1.
  Serie<Etichetta, 4> lblPosto;

  void Form_Load() override;
  // Every label and picture passes its click here.
  void Form_Click() override;
  // Escape and Return close it as a click does, sound and effect included.
  void Form_KeyDown(int codice, int shift) override;
  void Form_QueryClose() override;

  static constexpr Colore coloreSfondo{250, 244, 222};
  static constexpr Colore coloreTesto{24, 34, 72};
  static constexpr Colore coloreUltimoInserito{255, 0, 0};
  static constexpr std::int16_t passiChiusura = 450;

 private:
  void msubDescriviClassifica();

  FrmGioco& gioco_;
  bool chiudendo_ = false;
};

}  // namespace velmo
