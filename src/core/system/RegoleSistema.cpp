#include "core/system/RegoleSistema.h"

#include <cmath>
#include <cstdio>

#include "core/common/Conversioni.h"
#include "core/common/Prodotto.h"

namespace velmo {

std::string pfuncNomeSistema(const VersioneSistema& v) {
  if (v.famiglia == famigliaConsumer) return "Win95/98/ME";
  if (v.famiglia != famigliaNT) return "";
  // The NT family is first named "Si NT" and then refined; 5.2 matches no
  // refinement and keeps that word.
  if (v.maggiore < 5) return "WinNT";
  if (v.maggiore > 5) return "Sconosciuto";
  switch (v.minore) {
    case 0: return "Win2000";
    case 1: return "WinXP";
    case 2: return "Si NT";
    default: return "Sconosciuto";
  }
}

double pfuncNumeroColori(int bitPerPixel, int piani) { return std::pow(2.0, bitPerPixel) * piani; }

std::optional<Dimensioni> pfuncRisoluzioneRichiesta(int larghezza) {
  if (larghezza < 800) return Dimensioni{800, 600};
  if (larghezza > 1280) return Dimensioni{1280, 1024};
  return std::nullopt;
}

Dimensioni pfuncDimensioniVisibili(Dimensioni modo, bool girato) {
  return girato ? Dimensioni{modo.altezza, modo.larghezza} : modo;
}

std::optional<std::size_t> pfuncModoCheMostra(const std::vector<Dimensioni>& modi, Dimensioni visibile, bool girato) {
  for (std::size_t i = 0; i < modi.size(); ++i)
    if (pfuncDimensioniVisibili(modi[i], girato) == visibile) return i;
  return std::nullopt;
}

std::string pfuncTestoRisoluzione(Dimensioni avvio) {
  return "La risoluzione attuale dello schermo è: " + taglia(testoNumero(avvio.larghezza)) + "x" +
         taglia(testoNumero(avvio.altezza)) + ".\r\nPer l'esecuzione di " + prodotto::nome +
         " è necessaria\r" + "una risoluzione compresa tra 800x600 e 1280x1024...";
}

std::string pfuncTestoColori(double colori) {
  char numero[32];
  std::snprintf(numero, sizeof numero, "%.0f", colori);
  return std::string("L'impostazione corrente dei colori dello schermo è: ") + numero + ".\r\r\n" +
         prodotto::nome + " " + prodotto::versione + " necessita di almeno 65536 colori...";
}

}  // namespace velmo
