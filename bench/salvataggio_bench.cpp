// How long saving and loading a match take on the real platform, against a
// frame of 16 ms. Saving is the whole "&Salva" handler with the dialog and
// the confirmation answered at once: the state gathered, the file read, the
// 85 values set and the file replaced atomically. Loading is what the
// reader does with the file: one read, the values looked up and judged.
// A 10 MB file holding a saved game is timed too.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <vector>

#include "forms/ModGenerale.h"
#include "forms/FileIni.h"
#include "core/files/PartitaSalvata.h"
#include "platform/qt/PiattaformaQt.h"
#include "forms/game/FrmGioco.h"

namespace {

using Orologio = std::chrono::steady_clock;

double mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

template <class F>
double millisecondi(int volte, F&& f) {
  std::vector<double> t;
  for (int i = 0; i < volte; ++i) {
    const auto inizio = Orologio::now();
    f();
    t.push_back(std::chrono::duration<double, std::milli>(Orologio::now() - inizio).count());
  }
  return mediana(t);
}

// The real platform, with the player answering at once.
class PiattaformaBench : public velmo::PiattaformaQt {
 public:
  std::string file;
  std::optional<std::string> dialogoSalva(const velmo::DialogoFile&) override { return file; }
  velmo::Risposta msgBox(const std::string&, velmo::Pulsanti, velmo::Icona, const std::string&) override {
    return velmo::Risposta::ok;
  }
};

}  // namespace

int main(int argc, char** argv) {
  using namespace velmo;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  PiattaformaBench piattaforma;
  modGenerale.piattaforma = &piattaforma;
  QTemporaryDir cartella;
  piattaforma.file = QDir(cartella.path()).filePath("partita.vl2").toStdString();

  FrmGioco f;
  f.Load();
  f.mnuFileNuova_Click();
  // A board in the middle of a round.
  for (int i : {1, 2, 3, 5, 10, 12, 14, 19, 23, 28}) {
    f.grid[i] = i % 2 ? Side::giocatore : Side::computer;
    f.grid.contaLibere(-1);
  }
  constexpr int volte = 200;
  const double salva = millisecondi(volte, [&] { f.mnuFileSalva_Click(); });
  // The same in memory: what is left without the disk's flush of the
  // atomic replace.
  double salvaInMemoria = -1;
  if (QDir("/dev/shm").exists()) {
    QTemporaryDir memoria(QStringLiteral("/dev/shm/velmo-bench-XXXXXX"));
    const std::string suDisco = piattaforma.file;
    piattaforma.file = QDir(memoria.path()).filePath("partita.vl2").toStdString();
    salvaInMemoria = millisecondi(volte, [&] { f.mnuFileSalva_Click(); });
    piattaforma.file = suDisco;
  }

  const std::string sezione = std::string(ModGenerale::nomeProdotto) + " " + ModGenerale::versione +
                              suffissoSezionePartita;
  const auto chiavi = chiaviLettePartita();
  auto carica = [&](const std::string& file) {
    const auto valori = pfuncLeggiValoriIni(file, sezione, chiavi);
    const LetturaPartita l = leggiPartita(
        [&](const std::string& chiave) {
          return (*valori)[static_cast<std::size_t>(std::find(chiavi.begin(), chiavi.end(), chiave) - chiavi.begin())];
        },
        PartitaSalvata{});
    if (l.rifiuto) std::printf("unexpected refusal at step %d\n", static_cast<int>(*l.rifiuto));
  };
  const double carica1 = millisecondi(volte, [&] { carica(piattaforma.file); });

  const std::string grande = QDir(cartella.path()).filePath("grande.vl2").toStdString();
  {
    std::ifstream partita(piattaforma.file, std::ios::binary);
    std::ofstream g(grande, std::ios::binary);
    g << "[Altro]\r\n";
    for (int i = 0; i < 10 * 1024 * 1024 / 80; ++i) g << "riga" << i << "=" << std::string(70, 'x') << "\r\n";
    g << partita.rdbuf();
  }
  const double caricaGrande = millisecondi(5, [&] { carica(grande); });

  std::printf("save (handler, atomic replace): %.2f ms median of %d\n", salva, volte);
  if (salvaInMemoria >= 0)
    std::printf("save on a memory file system:   %.2f ms median of %d (the rest is the disk's flush)\n",
                salvaInMemoria, volte);
  std::printf("load (read, look up, judge):    %.2f ms median of %d\n", carica1, volte);
  std::printf("load of a 10 MB file:           %.1f ms median of 5\n", caricaGrande);
  std::printf("a frame: 16 ms\n");
  f.Unload();
  modGenerale.piattaforma = nullptr;
  return 0;
}
