#pragma once
// A fresh general module on the test platform, for each test, with the
// settings file of a fresh installation in the program's folder.

#include "PiattaformaTest.h"
#include "forms/ModGenerale.h"
#include "forms/FileImpostazioni.h"
#include "core/files/ImpostazioniIniziali.h"

namespace velmo::test {

struct Ambiente {
  PiattaformaTest p;
  Ambiente() {
    modGenerale = ModGenerale{};
    modGenerale.piattaforma = &p;
    psubImpostaPercorsi();
    p.file[modGenerale.percorsoIni].contenuto = testoImpostazioniIniziali();
  }
  ~Ambiente() { modGenerale.piattaforma = nullptr; }
  Ambiente(const Ambiente&) = delete;
  Ambiente& operator=(const Ambiente&) = delete;
};

}  // namespace velmo::test
