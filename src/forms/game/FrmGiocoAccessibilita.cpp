// The game window for a screen reader: the names of the arrows, the cells
// and the side panel's values, and the events a sighted player sees,
// announced as they happen in the words a player would use.

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "forms/Tasti.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

namespace {

std::string numero(int n) { return std::to_string(n); }

std::string posto(int cella) {
  return "colonna " + numero(tavola::colonnaDi(cella)) + ", riga " + numero(tavola::rigaDi(cella));
}

const char* descrizioneFigura(Figura f) {
  switch (f) {
    case Figura::pedinaRossa: return "pedina rossa";
    case Figura::pedinaGialla: return "pedina gialla";
    default: return "vuota";
  }
}

std::string pedine(int n) { return numero(n) + (n == 1 ? " pedina" : " pedine"); }

const char* chi(Side s) { return s == Side::giocatore ? "tua" : "computer"; }

// "1 vita", "2 vite".
std::string vite(int n) { return numero(n) + (n == 1 ? " vita" : " vite"); }

// "00 : 31" read as "0 minuti e 31 secondi"; anything else as it stands.
std::string orologioParlato(const std::string& caption) {
  int minuti = 0, secondi = 0;
  char separatore = 0;
  if (std::sscanf(caption.c_str(), "%d %c %d", &minuti, &separatore, &secondi) != 3 || separatore != ':')
    return caption;
  return numero(minuti) + (minuti == 1 ? " minuto" : " minuti") + " e " + numero(secondi) +
         (secondi == 1 ? " secondo" : " secondi");
}

// "61 -> 96.82%" read as "61, 96,82 per cento"; anything else as it stands.
std::string caselleParlate(const std::string& caption) {
  const auto freccia = caption.find(" -> ");
  if (freccia == std::string::npos || caption.empty() || caption.back() != '%') return caption;
  std::string percento = caption.substr(freccia + 4, caption.size() - freccia - 5);
  for (char& c : percento)
    if (c == '.') c = ',';
  return taglia(caption.substr(0, freccia)) + ", " + taglia(percento) + " per cento";
}

}  // namespace

void FrmGioco::msubNomiAccessibili() {
  for (int i = 1; i <= tavola::colonne; ++i) imgFreccia[i].setNomeAccessibile("Colonna " + numero(i));
  lblTempo.setNomeAccessibile("Tempo");
  lblCaselleLibere.setNomeAccessibile("Caselle libere");
  lblVittorieGiocatore[1].setNomeAccessibile("Vittorie del giocatore");
  lblVittorieGiocatore[2].setNomeAccessibile("Vittorie del computer");
  lblColorePedine.setNomeAccessibile("Colore pedine");
  lblPunteggio.setNomeAccessibile("Punteggio");
  imgLink.setNomeAccessibile("Velmo");
  msubDescriviTavola();
}

void FrmGioco::msubDescriviTavola() {
  for (int i = 1; i <= tavola::celle; ++i) {
    std::string nome = posto(i) + ": " + descrizioneFigura(imgPedina[i].figura());
    nome[0] = 'C';
    imgPedina[i].setNomeAccessibile(nome);
  }
  for (int i = 1; i <= 3; ++i)
    imgVita[i].setNomeAccessibile("Vita " + numero(i) + ": " +
                                  (imgVita[i].figura() == imgVitaNo.figura() ? "persa" : "rimasta"));
  for (int c = 1; c <= tavola::colonne; ++c) {
    int quante = 0;
    for (int r = 1; r <= tavola::righe; ++r) quante += grid[tavola::cella(c, r)] != Side::nessuna;
    zonaColonna[c].setNomeAccessibile("Colonna " + numero(c) + ": " + pedine(quante) + ", " +
                                      (quante == tavola::righe ? "piena" : "libera"));
  }
  msubLeggiValori();
}

bool FrmGioco::mfuncTastoTavola(int codice, int shift) {
  if (colonnaConFuoco == 0 || shift != 0) return false;
  const int c = colonnaConFuoco;
  int verso = c;
  switch (codice) {
    case codiceTasto::sinistra: verso = std::max(1, c - 1); break;
    case codiceTasto::destra: verso = std::min(tavola::colonne, c + 1); break;
    case codiceTasto::inizio: verso = 1; break;
    case codiceTasto::fine: verso = tavola::colonne; break;
    case codiceTasto::giu: msubAnnuncia(mfuncLeggiColonna(c)); return true;
    case codiceTasto::su: msubAnnuncia(mfuncLeggiTavola()); return true;
    default: return false;
  }
  if (verso != c)
    piattaforma().daiFuoco(*this, zonaColonna[verso]);
  else  // at the edge the focus stays: the column is said again
    msubAnnuncia(zonaColonna[c].nomeAccessibile());
  return true;
}

std::string FrmGioco::mfuncLeggiColonna(int colonna) const {
  std::string testo = "Colonna " + numero(colonna);
  int r = 1;
  for (; r <= tavola::righe && grid[tavola::cella(colonna, r)] != Side::nessuna; ++r)
    testo += (r == 1 ? " dal basso: " : ", ") + std::string(chi(grid[tavola::cella(colonna, r)]));
  if (r == 1) return testo + ": vuota.";
  const int libere = tavola::righe - r + 1;
  if (libere == 0) return testo + ". Piena.";
  return testo + ". " + numero(libere) + (libere == 1 ? " casella libera." : " caselle libere.");
}

std::string FrmGioco::mfuncLeggiTavola() const {
  std::string testo;
  int r = 1;
  for (; r <= tavola::righe; ++r) {
    std::string riga;
    for (int c = 1; c <= tavola::colonne; ++c)
      if (const Side s = grid[tavola::cella(c, r)]; s != Side::nessuna)
        riga += (riga.empty() ? "colonna " : ", ") + numero(c) + " " + chi(s);
    if (riga.empty()) break;
    testo += "Riga " + numero(r) + ": " + riga + ". ";
  }
  if (r == 1) return "Tavola vuota.";
  if (r == tavola::righe) return testo + "Riga 7 vuota.";
  if (r < tavola::righe) return testo + "Righe da " + numero(r) + " a 7 vuote.";
  return taglia(testo);
}

void FrmGioco::msubLeggiValori() {
  lblTempo.setValoreAccessibile(orologioParlato(lblTempo.caption()));
  lblCaselleLibere.setValoreAccessibile(caselleParlate(lblCaselleLibere.caption()));
}

void FrmGioco::msubAnnuncia(const std::string& testo) { piattaforma().annuncia(*this, testo); }

void FrmGioco::msubAnnunciaPedina(Side lato, int colonna, int cella) {
  std::string testo = std::string(lato == Side::giocatore ? "Tu: " : "Computer: ") + posto(cella) + ".";
  if (tavola::rigaDi(cella) == tavola::righe) testo += " Colonna " + numero(colonna) + " piena.";
  msubAnnuncia(testo);
}

void FrmGioco::msubAnnunciaQuattro() {
  const bool tuo = grid[winningCells[0]] == Side::giocatore;
  msubAnnuncia(std::string(tuo ? "Quattro in fila tuo" : "Quattro in fila del computer") + ", da " +
               posto(winningCells[0]) + " a " + posto(winningCells[3]) + ".");
}

void FrmGioco::msubAnnunciaFineRound(Risultato risultato) {
  switch (risultato) {
    case Risultato::giocatore: {
      const int punti = puntiRound(grid.freeCells, match.clockMinutes, match.clockSeconds);
      msubAnnuncia("Hai vinto il round: " + numero(punti) + " punti guadagnati, punteggio " +
                   numero(match.score + punti) + ".");
      break;
    }
    case Risultato::computer:
      msubAnnuncia(match.lives > 0 ? "Hai perso il round: " + std::string(match.lives == 1 ? "ti resta " : "ti restano ") +
                                         vite(match.lives) + "."
                                   : "Hai perso il round e l'ultima vita: partita finita. Punteggio finale " +
                                         numero(match.score) + ".");
      break;
    case Risultato::pareggio: msubAnnuncia("Round finito in pareggio: la tavola è piena."); break;
  }
}

void FrmGioco::msubAnnunciaNuovoRound() {
  msubAnnuncia(std::string("Nuovo round, tavola vuota. ") +
               (latoUltimaPedina_ == Side::giocatore ? "Apre il computer." : "Tocca a te."));
}

}  // namespace velmo
