// The game window for a screen reader: the names of the arrows, the cells
// and the side panel's values, and the events a sighted player sees,
// announced as they happen.

#include <string>

#include "forms/ModGenerale.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

namespace {

std::string numero(int n) { return std::to_string(n); }

std::string nomeCella(int cella) {
  return "Colonna " + numero(tavola::colonnaDi(cella)) + ", riga " + numero(tavola::rigaDi(cella));
}

std::string minuscola(std::string testo) {
  testo[0] = 'c';  // "Colonna ..." inside a sentence
  return testo;
}

const char* descrizioneFigura(Figura f) {
  switch (f) {
    case Figura::pedinaRossa: return "pedina rossa";
    case Figura::pedinaGialla: return "pedina gialla";
    default: return "vuota";
  }
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
  for (int i = 1; i <= tavola::celle; ++i)
    imgPedina[i].setNomeAccessibile(nomeCella(i) + ": " + descrizioneFigura(imgPedina[i].figura()));
  for (int i = 1; i <= 3; ++i)
    imgVita[i].setNomeAccessibile("Vita " + numero(i) + ": " +
                                  (imgVita[i].figura() == imgVitaNo.figura() ? "persa" : "rimasta"));
}

void FrmGioco::msubAnnuncia(const std::string& testo) { piattaforma().annuncia(*this, testo); }

void FrmGioco::msubAnnunciaPedina(Side lato, int cella) {
  msubDescriviTavola();
  msubAnnuncia(std::string(lato == Side::giocatore ? "Giocatore" : "Computer") + ": " +
               descrizioneFigura(imgPedina[cella].figura()) + " in " + minuscola(nomeCella(cella)));
}

}  // namespace velmo
