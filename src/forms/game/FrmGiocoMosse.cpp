// The board's operations: a move, the undo of a pair, the new-round reset,
// and the search for four in a row after every move.

#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

void FrmGioco::msubFrecce(bool abilitate) {
  for (Immagine& f : imgFreccia) f.setEnabled(abilitate);
}

void FrmGioco::msubAggiornaCaselleLibere() {
  lblCaselleLibere.setCaption(testoCaselleLibere(grid));
  msubLeggiValori();
}

void FrmGioco::msubMostraPunteggio() { lblPunteggio.setCaption(taglia(testoNumero(match.score))); }

void FrmGioco::msubInserisciPedina(int colonna, Side lato) {
  msubFrecce(false);
  psubSuonaCue("id_15");
  const float ritardo = pfuncRitardoCaduta();
  const int atterraggio = grid.cellaDiAtterraggio(colonna);
  // Told as the piece starts falling: a slow fall takes seconds.
  latoUltimaPedina_ = lato;
  msubAnnunciaPedina(lato, colonna, atterraggio);
  msubAnimaCaduta(colonna, lato, atterraggio, ritardo);
  grid[atterraggio] = lato;
  imgPedina[atterraggio].setTag(std::string(testoLato(lato)));
  (lato == Side::giocatore ? moveHistory.lastPlayerColumn : moveHistory.lastComputerColumn) =
      static_cast<std::int16_t>(colonna);
  grid.contaLibere(-1);
  msubAggiornaCaselleLibere();
  msubDescriviTavola();
  if (grid.colonnaPiena(colonna)) imgFreccia[colonna].setVisible(false);
  for (VoceMenu& v : mnuImpostazioniVelocita) v.setEnabled(true);
  if (lato == Side::computer) {
    // Both sides have a piece in this round once 62 or fewer cells are free.
    if (grid.freeCells < tavola::celle - 1) {
      mnuAnnullaInserimento.setEnabled(true);
      mnuFileTermina.setEnabled(true);
      mnuFileSalva.setEnabled(true);
    }
    msubFrecce(true);
  }
  msubCercaQuattro(atterraggio);
  if (!roundOver && grid.freeCells == 0) msubFineRound(Risultato::pareggio);
}

void FrmGioco::mnuAnnullaInserimento_Click() {
  if (busy) {
    psubNonPossoOra();
    return;
  }
  busy = true;
  // The computer's piece went in last, so it is on top of its column.
  const int colonnaComputer = moveHistory.lastComputerColumn, colonnaGiocatore = moveHistory.lastPlayerColumn;
  msubTogliPedina(colonnaComputer, Side::computer);
  msubTogliPedina(colonnaGiocatore, Side::giocatore);
  msubAnnuncia("Ultimo inserimento annullato: tolte la pedina del computer dalla colonna " +
               std::to_string(colonnaComputer) + " e la tua dalla colonna " + std::to_string(colonnaGiocatore) +
               ". Costo 1000 punti, punteggio " + std::to_string(match.score) + ".");
  busy = false;
}

void FrmGioco::msubTogliPedina(int colonna, Side lato) {
  msubFrecce(false);
  const int cella = grid.cellaPiuAlta(colonna);
  psubSuonaCue(lato == Side::computer ? "id_21" : "id_22");
  msubAnimaRisalita(colonna, lato, cella);
  grid[cella] = Side::nessuna;
  imgPedina[cella].setTag("nessuna");
  msubDescriviTavola();
  mnuAnnullaInserimento.setEnabled(false);
  grid.contaLibere(+1);
  msubAggiornaCaselleLibere();
  if (!imgFreccia[colonna].visible()) imgFreccia[colonna].setVisible(true);
  if (lato == Side::giocatore) {
    match.score -= 1000;
    msubMostraPunteggio();
  }
  msubFrecce(true);
}

void FrmGioco::msubNuovoRound() {
  roundOver = false;
  busy = false;
  setMousePointer(Puntatore::predefinito);
  for (int i = 1; i <= tavola::celle; ++i) {
    grid[i] = Side::nessuna;
    imgPedina[i].setTag("nessuna");
    imgPedina[i].setFigura(imgNessuna.figura());
  }
  for (Immagine& f : imgFreccia) {
    f.setVisible(true);
    f.setEnabled(true);
    f.setFigura(imgFrecciaNera.figura());
  }
  moveHistory = {};
  mnuAnnullaInserimento.setEnabled(false);
  grid.svuota();
  lblCaselleLibere.setCaption(testoCaselleLibereIniziale);
  match.clockMinutes = 0;
  match.clockSeconds = 0;
  lblTempo.setCaption(testoOrologioIniziale);
  msubDescriviTavola();
  latoUltimaPedina_ = Side::nessuna;
  tmrTempo.setInterval(1000);
}

void FrmGioco::msubCercaQuattro(int /*cellaAtterraggio*/) {
  // The whole board is searched, not only around the new piece: a loaded
  // game may hold a line anywhere.
  const auto linea = cercaQuattro(grid);
  if (!linea) return;
  winningCells = *linea;
  msubAnnunciaQuattro();
  msubFineRound(grid[winningCells[0]] == Side::giocatore ? Risultato::giocatore : Risultato::computer);
}

}  // namespace velmo
