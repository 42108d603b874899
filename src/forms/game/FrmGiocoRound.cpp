// Rounds and the match: a new match, the end of a round with its blink,
// messages, lives and points, game over, the round clock, and ending a
// match on request.

#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

namespace {

const char* testoFineRound(Risultato r) {
  switch (r) {
    case Risultato::computer: return "Hai perso questo round !";
    case Risultato::giocatore: return "Hai vinto questo round !";
    case Risultato::pareggio: break;
  }
  return "Il round è finito in pareggio !";
}

}  // namespace

void FrmGioco::mnuFileNuova_Click() {
  msubIniziaPartita();
  msubAnnuncia("Nuova partita: hai " + std::to_string(match.lives) + " vite. Tocca a te.");
}

void FrmGioco::msubIniziaPartita() {
  msubStatoGioco("gioco_on");
  msubNuovoRound();
  // The player always opens a match; the label may still show the
  // computer's turn from the end of the last match.
  lblTurno.setCaption(testoTuoTurno);
}

void FrmGioco::msubFineRound(Risultato risultato) {
  pTrappaErrori("frmGioco.msubFineRound", [&] {
    roundOver = true;
    setMousePointer(Puntatore::clessidra);
    tmrTempo.setInterval(0);
    msubNascondiFrecce();

    if (risultato != Risultato::pareggio) {
      psubSuonaCue("id_09");
      tmrIntermittenza.setEnabled(true);
      tmrIntermittenza.setInterval(250);
      psubAttendi(3.8f);
      tmrIntermittenza.setInterval(0);
      tmrIntermittenza.setEnabled(false);
      for (std::int16_t cella : winningCells) imgPedina[cella].setVisible(true);
    }
    if (risultato == Risultato::computer) --match.lives;
    msubAnnunciaFineRound(risultato);

    if (match.lives > 0) {
      if (risultato == Risultato::computer) psubSuonaCue("id_08");
      if (risultato == Risultato::giocatore) psubSuonaCue("id_07");
      piattaforma().msgBox(std::string(testoFineRound(risultato)) + "\r\rContinua...", Pulsanti::ok,
                           Icona::informazione, titoloService);
      if (risultato == Risultato::computer) imgVita[match.lives + 1].setFigura(imgVitaNo.figura());
      msubDescriviTavola();
      if (risultato != Risultato::pareggio) {
        const int chi = risultato == Risultato::giocatore ? 1 : 2;
        ++match.vittorie(chi);
        lblVittorieGiocatore[chi].setCaption(taglia(testoNumero(match.vittorie(chi))));
      }
      if (risultato == Risultato::giocatore) {
        match.score += puntiRound(grid.freeCells, match.clockMinutes, match.clockSeconds);
        msubMostraPunteggio();
      }
      const Side ultima = latoUltimaPedina_;
      msubNuovoRound();
      latoUltimaPedina_ = ultima;
      msubAnnunciaNuovoRound();
      return;
    }

    // Game over.
    modGenerale.matchInProgress = false;
    for (Immagine& v : imgVita) v.setFigura(imgVitaNo.figura());
    msubDescriviTavola();
    ++match.vittorie(2);
    lblVittorieGiocatore[2].setCaption(taglia(testoNumero(match.vittorie(2))));
    psubAttendi(0.1f);
    psubSuonaCue("id_03", 2.0f);
    piattaforma().msgBox("G A M E   O V E R !", Pulsanti::ok, Icona::nessuna, "Velmo");
    msubCaricaClassifica();
    if (valoreIniziale(classifica[4].Punteggio) <= match.score && match.score > 0) msubAggiornaClassifica();
    if (piattaforma().msgBox("Vuoi fare un'altra partita ?", Pulsanti::siNo, Icona::informazione,
                             "Brenvo Info Service...") == Risposta::si)
      mnuFileNuova_Click();
    else
      msubChiediSalvataggio(false);
  });
}

void FrmGioco::msubNascondiFrecce() {
  for (Immagine& f : imgFreccia) {
    f.setEnabled(false);
    f.setVisible(false);
  }
}

void FrmGioco::tmrTempo_Timer() {
  if (lblTempo.caption() == testoOrologioLimite) {
    // The limit ends nothing: the clock beeps and flashes until the round ends.
    const int r = static_cast<int>(Rnd() * 15 + 1);
    piattaforma().beep();
    if (r <= static_cast<int>(coloriOrologioLimite.size()))
      lblTempo.setForeColor(coloriOrologioLimite[static_cast<std::size_t>(r - 1)]);
    return;
  }
  if (match.clockMinutes >= 60 && match.clockSeconds >= 59) {
    lblTempo.setCaption(testoOrologioLimite);
    msubLeggiValori();
    msubAnnuncia("Tempo al limite: 60 minuti.");
    return;
  }
  if (++match.clockSeconds == 60) {
    match.clockSeconds = 0;
    ++match.clockMinutes;
  }
  lblTempo.setCaption(testoOrologio(match.clockMinutes, match.clockSeconds));
  msubLeggiValori();
}

void FrmGioco::mnuFileTermina_Click() {
  if (busy) {
    psubNonPossoOra();
    return;
  }
  msubChiediSalvataggio(true);
  msubAnnuncia("Partita terminata.");
}

void FrmGioco::msubChiediSalvataggio(bool chiedi) {
  if (chiedi) {
    piattaforma().beep();
    if (piattaforma().msgBox("Salvare la partita in corso ?", Pulsanti::siNo, Icona::domanda, titoloService) ==
        Risposta::si)
      mnuFileSalva_Click();
  }
  msubStatoGioco("gioco_off");
}

}  // namespace velmo
