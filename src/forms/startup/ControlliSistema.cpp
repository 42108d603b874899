#include "forms/startup/ControlliSistema.h"

#include <cstdlib>
#include <exception>

#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "core/system/RegoleSistema.h"

namespace velmo {

namespace {

[[noreturn]] void mfuncFine(const std::string& testo) {
  Piattaforma& p = piattaforma();
  p.msgBox(testo, Pulsanti::ok, Icona::esclamazione, titoloService);
  p.termina(1);
  std::abort();  // termina does not return
}

}  // namespace

std::string mfuncRilevaOS() {
  try {
    return pfuncNomeSistema(piattaforma().versioneSistema());
  } catch (const std::exception&) {
    mfuncFine("Errore inaspettato nella routine mfuncRilevaOS,\r\ndel modulo modGenerale...");
  }
}

double mfuncRilevaNumeroColoriSchermo() {
  try {
    return pfuncNumeroColori(piattaforma().profonditaColore(), 1);
  } catch (const std::exception& e) {
    psubErroreImprevisto("routine mfuncRilevaNumeroColoriSchermo", e);
  }
}

float pfuncCambiaRisoluzioneSchermo(float larghezza, float altezza) {
  try {
    const Dimensioni richiesta{interoLungo(larghezza), interoLungo(altezza)};
    return piattaforma().cambiaRisoluzione(richiesta) ? 0.0f : 1.0f;
  } catch (const std::exception&) {
    mfuncFine("Errore inaspettato nella routine pfuncCambiaRisoluzioneSchermo...\r\n");
  }
}

void psubControllaSchermoESistema() {
  modGenerale.schermoAvvio = piattaforma().schermo();
  if (const auto richiesta = pfuncRisoluzioneRichiesta(modGenerale.schermoAvvio.larghezza)) {
    if (pfuncCambiaRisoluzioneSchermo(static_cast<float>(richiesta->larghezza),
                                      static_cast<float>(richiesta->altezza)) != 0)
      mfuncFine(pfuncTestoRisoluzione(modGenerale.schermoAvvio));
  }
  const double colori = mfuncRilevaNumeroColoriSchermo();
  if (colori < coloriMinimi) mfuncFine(pfuncTestoColori(colori));
  modGenerale.nomeSistema = mfuncRilevaOS();
}

}  // namespace velmo
