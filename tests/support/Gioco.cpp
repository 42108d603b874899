#include "Gioco.h"

#include <numeric>

namespace velmo::test {

void Gioco::nuovaPartita() {
  f.ordineRegole = [] {
    OrdineRegole o;
    std::iota(o.begin(), o.end(), 1);
    return o;
  };
  f.mnuFileNuova_Click();
}

void Gioco::disponi(std::initializer_list<const char*> righe) {
  int riga = tavola::righe;
  for (const char* testo : righe) {
    for (int c = 1; c <= tavola::colonne; ++c) {
      const int i = tavola::cella(c, riga);
      const char x = testo[c - 1];
      const Side lato = x == 'P' ? Side::giocatore : x == 'C' ? Side::computer : Side::nessuna;
      if (f.grid[i] == Side::nessuna && lato != Side::nessuna) f.grid.contaLibere(-1);
      if (f.grid[i] != Side::nessuna && lato == Side::nessuna) f.grid.contaLibere(+1);
      f.grid[i] = lato;
      f.imgPedina[i].setTag(std::string(testoLato(lato)));
      f.imgPedina[i].setFigura(lato == Side::nessuna ? Figura::nessuna : f.pfuncFiguraPedina(lato));
    }
    --riga;
  }
  for (int c = 1; c <= tavola::colonne; ++c) f.imgFreccia[c].setVisible(!f.grid.colonnaPiena(c));
  f.lblCaselleLibere.setCaption(testoCaselleLibere(f.grid));
}

std::string Gioco::disegno() const {
  std::string s;
  for (int r = tavola::righe; r >= 1; --r) {
    for (int c = 1; c <= tavola::colonne; ++c) {
      const Figura fig = f.imgPedina[tavola::cella(c, r)].figura();
      s += fig == f.pfuncFiguraPedina(Side::giocatore) ? 'P' : fig == f.pfuncFiguraPedina(Side::computer) ? 'C' : '.';
    }
    if (r > 1) s += '\n';
  }
  return s;
}

std::vector<std::string> Gioco::testiMessaggi() const {
  std::vector<std::string> testi;
  for (const MessaggioMostrato& m : p.messaggi) testi.push_back(m.testo);
  return testi;
}

}  // namespace velmo::test
