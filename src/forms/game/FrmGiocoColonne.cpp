// The player's side of the board: choosing a column by mouse or key, the
// arrow highlight, falling and rising pieces, the blinking winning line, and
// the colour and speed settings.

#include <string>

#include "forms/ModGenerale.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

void FrmGioco::imgFreccia_Click(int i) {
  if (busy || !imgFreccia[i].enabled() || !imgFreccia[i].visible()) return;
  busy = true;
  msubInserisciPedina(i, Side::giocatore);
  // A round ended by this move has been reset already, so the computer opens
  // the next one; when the match ended, the next reset clears `busy`.
  if (roundOver) return;
  msubTurnoComputer();
  busy = false;
}

void FrmGioco::Form_KeyUp(int codice, int shift) {
  if (codice >= codiceTasto::cifra1 && codice <= codiceTasto::cifra9)
    msubColonnaDaTastiera(codice - codiceTasto::cifra1 + 1);
  // Space and Return drop into the column the keyboard stands on, as its digit.
  else if (colonnaConFuoco != 0)
    zonaColonna[colonnaConFuoco].premiConTasto(codice, shift);
}

void FrmGioco::msubColonnaDaTastiera(int i) {
  if (uscitaConfermata || !modGenerale.matchInProgress || mousePointer() == Puntatore::clessidra) return;
  if (!imgFreccia[i].visible()) {
    if (grid.colonnaPiena(i)) msubAnnuncia("Colonna " + std::to_string(i) + " piena.");
    return;
  }
  for (Immagine& f : imgFreccia) {
    f.setFigura(imgFrecciaNera.figura());
    f.setTag("nera");
  }
  imgFreccia[i].setFigura(imgFrecciaRossa.figura());
  imgFreccia[i].setTag("rossa");
  imgFreccia_Click(i);
}

void FrmGioco::imgFreccia_MouseMove(int i) {
  if (imgFreccia[i].tag() == "rossa") return;
  for (Immagine& f : imgFreccia)
    if (f.tag() == "rossa") {
      f.setFigura(imgFrecciaNera.figura());
      f.setTag("nera");
    }
  imgFreccia[i].setFigura(imgFrecciaRossa.figura());
  imgFreccia[i].setTag("rossa");
}

void FrmGioco::imgFreccia_MouseDown(int /*i*/, const EventoMouse& e) {
  if (e.pulsante == 1) {
    setMouseIcon(imgMano[2].figura());
    setMousePointer(Puntatore::personalizzato);
  }
  picContenitore_MouseUp(1, e);
}

void FrmGioco::imgFreccia_MouseUp(int /*i*/) { setMouseIcon(imgMano[1].figura()); }

float FrmGioco::pfuncRitardoCaduta() const {
  if (mnuImpostazioniVelocita[1].checked()) return 0.2f;
  if (mnuImpostazioniVelocita[2].checked()) return 0.12f;
  return 0.05f;
}

Figura FrmGioco::pfuncFiguraPedina(Side lato) const {
  const bool gialle = lblColorePedine.caption() == "gialle";
  return (lato == Side::giocatore) == gialle ? imgPedinaGialla.figura() : imgPedinaRossa.figura();
}

void FrmGioco::msubAnimaCaduta(int colonna, Side lato, int cellaAtterraggio, float ritardo) {
  for (int n = tavola::cellaInCima(colonna); n >= cellaAtterraggio; n -= tavola::su) {
    psubAttendi(ritardo);
    imgPedina[n].setFigura(pfuncFiguraPedina(lato));
    psubAttendi(ritardo);
    if (n != cellaAtterraggio) imgPedina[n].setFigura(imgNessuna.figura());
  }
}

void FrmGioco::msubAnimaRisalita(int colonna, Side lato, int cella) {
  constexpr float passo = 0.05f;  // the same at every speed
  for (int n = cella; n <= tavola::cellaInCima(colonna); n += tavola::su) {
    psubAttendi(passo);
    imgPedina[n].setFigura(pfuncFiguraPedina(lato));
    psubAttendi(passo);
    imgPedina[n].setFigura(imgNessuna.figura());
  }
}

void FrmGioco::tmrIntermittenza_Timer() {
  if (!modGenerale.matchInProgress) return;
  if (imgFreccia[tavola::colonne].visible()) msubNascondiFrecce();
  for (std::int16_t cella : winningCells) imgPedina[cella].setVisible(!imgPedina[cella].visible());
}

void FrmGioco::mnuImpostazioniPedine_Click(int indice) {
  msubSuonoClic();
  msubImpostaColorePedine(indice);
}

void FrmGioco::msubImpostaColorePedine(int i) {
  if (i != 1 && i != 2) return;
  mnuImpostazioniPedine[i].setChecked(true);
  mnuImpostazioniPedine[3 - i].setChecked(false);
  if (i == 1) {
    lblColorePedine.setCaption("gialle");
    lblColorePedine.setForeColor({192, 192, 0});
  } else if (i == 2) {
    lblColorePedine.setCaption("rosse");
    lblColorePedine.setForeColor({255, 0, 0});
  }
}

void FrmGioco::mnuImpostazioniVelocita_Click(int indice) {
  msubSuonoClic();
  for (int i = 1; i <= 3; ++i) mnuImpostazioniVelocita[i].setChecked(i == indice);
}

}  // namespace velmo
