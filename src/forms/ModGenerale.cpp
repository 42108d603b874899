#include "forms/ModGenerale.h"

#include <cstdlib>
#include <stdexcept>

#include "forms/Controlli.h"

namespace velmo {

ModGenerale modGenerale;

Piattaforma& piattaforma() {
  if (!modGenerale.piattaforma) throw std::logic_error("no platform");
  return *modGenerale.piattaforma;
}

std::string pfuncCaptionBase() {
  return std::string(" ") + ModGenerale::nomeProdotto + " " + ModGenerale::versione;
}

void psubAttendi(float secondi) {
  if (!(secondi > 0)) return;
  Piattaforma& p = piattaforma();
  // A monotonic clock: the time of day wraps at midnight, which would make
  // a wait across it end at once or never.
  const double scadenza = p.secondiMonotoni() + static_cast<double>(secondi);
  while (p.secondiMonotoni() < scadenza) p.attendiEventi(scadenza);
}

bool pfuncGoUrl(const std::string& indirizzo) { return piattaforma().apriIndirizzo(indirizzo); }

void psubSuonaWave(const std::string& suono, const std::string& sorgente, float attesa) {
  if (modGenerale.noSoundDevice) return;
  if (modGenerale.audioOff && modGenerale.audioOff->checked()) return;
  Piattaforma& p = piattaforma();
  p.fermaSuono();
  if (sorgente == sorgenteRisorse)
    p.suonaRisorsa(suono);
  else if (sorgente == sorgenteDisco)
    p.suonaFile(suono);
  p.elaboraEventi();
  if (attesa != 0) psubAttendi(attesa);
}

void psubFermaSuono() { piattaforma().fermaSuono(); }

double Rnd() { return modGenerale.casuale.rnd(); }

void psubRandomize() { modGenerale.casuale.reseed(piattaforma().oraDelGiorno()); }

void psubNonPossoOra() { piattaforma().msgBox(testoNonPossoOra, Pulsanti::ok, Icona::nessuna, titoloCenter); }

std::string pfuncTestoErrore(const std::string& dove, const std::string& descrizione) {
  return "Si è verificato un errore imprevisto nella " + dove + ":\r\n\r\n(" + descrizione +
         ")\r\n\r\nSi consiglia di reinstallare l'applicazione.. :(";
}

void psubErroreImprevisto(const std::string& dove, const std::exception& e) {
  Piattaforma& p = piattaforma();
  p.msgBox(pfuncTestoErrore(dove, e.what()), Pulsanti::ok, Icona::esclamazione, titoloService);
  p.termina(1);
  std::abort();  // termina does not return
}

}  // namespace velmo
