#pragma once
// The rules of the game, in one word-wrapped text.

#include "forms/info/FrmInfo.h"

namespace velmo {

class FrmInfoRegole : public FrmInfo {
 public:
  explicit FrmInfoRegole(FrmGioco& gioco);
  Etichetta lblTesto;

  static constexpr const char* testoRegole =
      "Ad  ogni  turno  inserite  una  pedina  in  una colonna  del  tabellone cliccando sulla freccia "
      "corrispondente; l'obiettivo del gioco consiste nel formare, in senso verticale, orizzontale od "
      "obliquo, una quartina    di pedine, impedendo allo stesso tempo che lo faccia il computer.   Per "
      "ogni round vinto viene assegnato un punteggio, per ogni round perso viene tolta una vinta (fino ad "
      "un massimo di tre). Se per errore    inserite una pedina in una colonna sbagliata potete annullare "
      "l'ultimo inserimento (F7), il che costerà però 1000 punti. That's all folks...";

};

}  // namespace velmo
