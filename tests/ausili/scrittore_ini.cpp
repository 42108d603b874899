// Rewrites a settings file without end, one value at a time, through the
// program's own routine on the real platform: the crash test kills it at a
// random moment. Key "k<i mod 40>" of section "Prova" gets i, counting on
// from the highest value already in the file. A line on stdout says that
// the first write is done.

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <string>

#include "common/Conversioni.h"
#include "common/ModGenerale.h"
#include "persistence/FileIni.h"
#include "platform/qt/PiattaformaQt.h"

int main(int argc, char* argv[]) {
  if (argc != 2) return 2;
  QCoreApplication app(argc, argv);
  velmo::PiattaformaQt piattaforma;
  velmo::modGenerale.piattaforma = &piattaforma;
  velmo::modGenerale.percorsoIni = argv[1];
  long i = 0;
  for (int j = 0; j < 40; ++j)
    i = std::max(i, static_cast<long>(velmo::valoreIniziale(
                        velmo::pfuncLeggiIni(argv[1], "Prova", "k" + std::to_string(j)))));
  for (bool primo = true;; primo = false) {
    ++i;
    velmo::pfuncScriviIni(argv[1], "Prova", "k" + std::to_string(i % 40), std::to_string(i));
    if (primo) {
      std::puts("pronto");
      std::fflush(stdout);
    }
  }
}
