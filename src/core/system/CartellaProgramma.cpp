#include "core/system/CartellaProgramma.h"

namespace velmo {

namespace {

bool assoluto(const std::optional<std::string>& percorso) { return percorso && percorso->starts_with('/'); }

std::string senzaSeparatoreFinale(std::string percorso) {
  while (percorso.size() > 1 && percorso.back() == '/') percorso.pop_back();
  return percorso;
}

}  // namespace

SceltaCartella pfuncSceltaCartella(const FattiCartella& fatti) {
  const bool installata = !fatti.cartellaDatiInstallati.empty();
  if (fatti.eseguibileScrivibile && !installata) return {fatti.cartellaEseguibile, ""};

  std::string dati;
  if (assoluto(fatti.xdgDataHome))
    dati = senzaSeparatoreFinale(*fatti.xdgDataHome);
  else if (assoluto(fatti.home))
    dati = senzaSeparatoreFinale(*fatti.home) + "/.local/share";
  else
    return {fatti.cartellaEseguibile, ""};
  if (dati == "/") dati.clear();
  return {dati + "/velmo", installata ? fatti.cartellaDatiInstallati : fatti.cartellaEseguibile};
}

}  // namespace velmo
