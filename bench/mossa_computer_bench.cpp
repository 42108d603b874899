// The computer's choice of column: a fresh rule order and the
// selection, on random mid-game boards. Prints the median time per call.
// Target: under 2 microseconds.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

#include "forms/ModGenerale.h"
#include "core/computer/MossaComputer.h"
#include "core/rules/Grid.h"

namespace {

using namespace velmo;

// 1000 legal boards of 20 to 40 pieces, the sides taking turns, dropped into
// random open columns; boards that already hold a line of four are redrawn,
// as a round in play never does.
std::vector<Grid> mfuncTavole() {
  std::mt19937 gen(20021111);
  std::uniform_int_distribution<int> quante(20, 40), colonna(1, tavola::colonne);
  std::vector<Grid> tavole;
  while (tavole.size() < 1000) {
    Grid g;
    g.svuota();
    Side lato = Side::giocatore;
    for (int n = quante(gen); n > 0;) {
      if (const int a = g.cellaDiAtterraggio(colonna(gen))) {
        g[a] = lato;
        g.contaLibere(-1);
        lato = avversario(lato);
        --n;
      }
    }
    if (!cercaQuattro(g)) tavole.push_back(g);
  }
  return tavole;
}

const std::vector<Grid>& tavole() {
  static const std::vector<Grid> t = mfuncTavole();
  return t;
}

void BM_ColonnaComputer(benchmark::State& state) {
  const std::vector<Grid>& t = tavole();
  Casuale casuale(7);
  std::size_t i = 0;
  for (auto _ : state) {
    const std::int16_t colonna = pfuncColonnaComputer(t[i], pfuncOrdineRegole(casuale));
    benchmark::DoNotOptimize(colonna);
    if (++i == t.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ColonnaComputer)->Unit(benchmark::kNanosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// The same, without the draw of the order (rules in the order 1..15), to
// show how the time splits.
void BM_SoloRegole(benchmark::State& state) {
  const std::vector<Grid>& t = tavole();
  const OrdineRegole ordine{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  std::size_t i = 0;
  for (auto _ : state) {
    const std::int16_t colonna = pfuncColonnaComputer(t[i], ordine);
    benchmark::DoNotOptimize(colonna);
    if (++i == t.size()) i = 0;
  }
}
BENCHMARK(BM_SoloRegole)->Unit(benchmark::kNanosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// The console report, plus a note of the median of the main benchmark.
class Riepilogo : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median" &&
          r.benchmark_name().rfind("BM_ColonnaComputer", 0) == 0)
        mediana_ = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  double mediana() const { return mediana_; }

 private:
  double mediana_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  tavole();  // built before timing
  Riepilogo riepilogo;
  benchmark::RunSpecifiedBenchmarks(&riepilogo);
  benchmark::Shutdown();
  if (riepilogo.mediana() >= 0)
    std::printf("\nMedian time per call of pfuncColonnaComputer(grid, pfuncOrdineRegole(casuale)): "
                "%.1f ns (target < 2000 ns) %s\n",
                riepilogo.mediana(), riepilogo.mediana() < 2000 ? "OK" : "OVER TARGET");
  return 0;
}
