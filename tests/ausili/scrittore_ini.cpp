// Rewrites a file without end through the program's own routines on the
// real platform: the crash test kills it at a random moment. A line on
// stdout says that the first write is done.
//
//   scrittore_ini FILE            the settings file, one value at a time:
//                                 key "k<i mod 40>" of section "Prova" gets
//                                 i, counting on from the highest value
//                                 already in the file;
//   scrittore_ini --partita FILE  a saved game, all its keys in one write as
//                                 "&Salva" does: write i is partitaNumero(i),
//                                 counting on from the score in the file.

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "PartitaDiProva.h"
#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "forms/FileIni.h"
#include "core/files/PartitaSalvata.h"
#include "platform/qt/PiattaformaQt.h"

namespace {

void pronto() {
  std::puts("pronto");
  std::fflush(stdout);
}

[[noreturn]] void scriviImpostazioni(const std::string& file) {
  long i = 0;
  for (int j = 0; j < 40; ++j)
    i = std::max(i, static_cast<long>(velmo::valoreIniziale(velmo::pfuncLeggiIni(file, "Prova", "k" + std::to_string(j)))));
  for (bool primo = true;; primo = false) {
    ++i;
    velmo::pfuncScriviIni(file, "Prova", "k" + std::to_string(i % 40), std::to_string(i));
    if (primo) pronto();
  }
}

[[noreturn]] void scriviPartite(const std::string& file) {
  const auto letti = velmo::pfuncLeggiValoriIni(file, velmo::test::sezionePartitaDiProva(), {"pal"});
  long i = 0;
  if (letti && !(*letti)[0].empty())
    i = static_cast<long>(velmo::valoreIniziale((*letti)[0])) - velmo::test::scartoPunteggio;
  for (bool primo = true;; primo = false) {
    ++i;
    if (!velmo::pfuncScriviValoriIni(file, velmo::test::sezionePartitaDiProva(),
                                     velmo::valoriPartita(velmo::test::partitaNumero(i))))
      std::abort();
    if (primo) pronto();
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  const bool partita = argc == 3 && std::strcmp(argv[1], "--partita") == 0;
  if (argc != 2 && !partita) return 2;
  QCoreApplication app(argc, argv);
  velmo::PiattaformaQt piattaforma;
  velmo::modGenerale.piattaforma = &piattaforma;
  const std::string file = argv[argc - 1];
  if (partita) scriviPartite(file);
  velmo::modGenerale.percorsoIni = file;
  scriviImpostazioni(file);
}
