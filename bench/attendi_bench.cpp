// How much the one wait of the program costs: psubAttendi(2.0) on the real
// platform should block (well under 2% of a core) and return within a few
// milliseconds of its deadline. Also measured with a 25 ms timer ticking
// through the wait, as the credits scroller does.

#include <sys/resource.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "forms/Form.h"
#include "forms/ModGenerale.h"
#include "platform/qt/PiattaformaQt.h"

namespace {

using Orologio = std::chrono::steady_clock;

double cpuSecondi() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  auto secondi = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return secondi(uso.ru_utime) + secondi(uso.ru_stime);
}

double mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

class FormCrediti : public velmo::Form {
 public:
  velmo::Timer tmr;
  int scatti = 0;
  FormCrediti() : Form("frmBench") {
    aggiungi(tmr);
    tmr.onTimer = [this] { ++scatti; };
  }
};

void misura(const char* nome, int volte, float secondi) {
  std::vector<double> cpu, ritardo;
  for (int i = 0; i < volte; ++i) {
    const double cpuPrima = cpuSecondi();
    const auto inizio = Orologio::now();
    const auto scadenza = inizio + std::chrono::duration<double>(secondi);
    velmo::psubAttendi(secondi);
    const auto fine = Orologio::now();
    cpu.push_back((cpuSecondi() - cpuPrima) / std::chrono::duration<double>(fine - inizio).count());
    ritardo.push_back(std::chrono::duration<double, std::milli>(fine - scadenza).count());
  }
  std::printf("psubAttendi(%.1f)%s: CPU %.2f%% of one core, returns %.2f ms after its deadline (median of %d)\n",
              static_cast<double>(secondi), nome, mediana(cpu) * 100, mediana(ritardo), volte);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  velmo::PiattaformaQt piattaforma;
  velmo::modGenerale.piattaforma = &piattaforma;

  misura("", 5, 2.0f);

  FormCrediti form;
  form.Load();
  form.tmr.setInterval(25);
  misura(" with a 25 ms timer", 5, 2.0f);
  std::printf("  (%d timer ticks handled)\n", form.scatti);
  form.Unload();

  velmo::modGenerale.piattaforma = nullptr;
  return 0;
}
