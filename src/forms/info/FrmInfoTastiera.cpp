#include "forms/info/FrmInfoTastiera.h"

#include <string>

#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"

namespace velmo {

namespace {

struct Riga {
  const char* tasto;
  const char* descrizione;
  int top;
};
// The F1 row's description is completed on load with the product's name.
constexpr Riga righe[] = {{"  F1", "=       informazioni su ", 1275},
                          {"  F2", "=       avvia una nuova partita", 1500},
                          {"  F3", "=       pausa / riprendi", 1725},
                          {"  F4", "=       termina la partita in corso", 1935},
                          {"  F5", "=       visualizza la classifica", 2160},
                          {"  F6", "=       resetta la classifica", 2400},
                          {"  F7", "=      annulla l'ultimo inserimento", 2640},
                          {"  da 1 a 9", "=      inserisci pedina", 2880}};

}  // namespace

FrmInfoTastiera::FrmInfoTastiera(FrmGioco& gioco)
    : FrmInfo(gioco, "frmInfoTastiera", "id_23", "Comandi da tastiera") {
  for (int i = 1; i <= 8; ++i) {
    const Riga& r = righe[i - 1];
    const int left = i == 8 ? 120 : 240;
    aggiungiTesto(Label2[i], left, r.top, 1395 - left, 225, 9);
    Label2[i].setBold(true);
    Label2[i].setCaption(r.tasto);
    aggiungiTesto(Label3[i], 1395, r.top, 4800, 225, 9);
    Label3[i].setCaption(r.descrizione);
  }
  // To a screen reader a table of keys and commands, without the drawn "=",
  // and the same list read as the window opens.
  TabellaAccessibile tabella{"Comandi da tastiera", {"Tasto", "Comando"}, {}};
  std::string elenco;
  for (int i = 1; i <= 8; ++i) {
    const std::string tasto = taglia(righe[i - 1].tasto);
    std::string comando = taglia(std::string(righe[i - 1].descrizione).substr(1));
    if (i == 1) comando += std::string(" ") + ModGenerale::nomeProdotto;
    tabella.righe.push_back({{&Label2[i], tasto}, {&Label3[i], comando}});
    elenco += (i > 1 ? " " : "") + tasto + ": " + comando + ".";
  }
  setTabellaAccessibile(std::move(tabella));
  setDescrizioneAccessibile(elenco);
}

void FrmInfoTastiera::msubTestiPropri() {
  Label3[1].setCaption(std::string("=       informazioni su ") + ModGenerale::nomeProdotto);
}

}  // namespace velmo
