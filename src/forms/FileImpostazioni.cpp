#include "forms/FileImpostazioni.h"

#include <limits>
#include <stdexcept>

#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "forms/FileIni.h"
#include "core/files/ImpostazioniIniziali.h"

namespace velmo {

void psubImpostaPercorsi() {
  const std::string cartella = piattaforma().cartellaProgramma();
  modGenerale.percorsoIni = cartella + "/" + ModGenerale::nomeFileIni;
  modGenerale.percorsoMusica = cartella + "/" + ModGenerale::nomeFileMusica;
}

void psubVerificaFileAvvio() {
  Piattaforma& p = piattaforma();
  for (const std::string* file : {&modGenerale.percorsoIni, &modGenerale.percorsoMusica}) {
    if (pfuncVerificaFile(*file) == 1) continue;
    p.msgBox(pfuncTestoFileMancanteAvvio(*file), Pulsanti::ok, Icona::esclamazione, titoloService);
    p.termina(1);
  }
  p.impostaSolaLettura(modGenerale.percorsoMusica);
}

std::int16_t pfuncContaAvvio() {
  using namespace impostazioni;
  std::int16_t contatore = 0;
  try {
    contatore = interoCorto(valoreIniziale(taglia(pfuncLeggiIni(modGenerale.percorsoIni, sezioneAvvii, chiaveAvvii))));
  } catch (const std::overflow_error&) {
    // Out of range: the count starts again.
  }
  if (contatore != std::numeric_limits<std::int16_t>::max()) ++contatore;
  pfuncScriviIni(modGenerale.percorsoIni, sezioneAvvii, chiaveAvvii, taglia(testoNumero(contatore)));
  return contatore;
}

bool pfuncRicordaSchedaAudio() {
  using namespace impostazioni;
  return taglia(pfuncLeggiIni(modGenerale.percorsoIni, sezioneAvvisoAudio, chiaveAvvisoAudio)) == "si";
}

}  // namespace velmo
