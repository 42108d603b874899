// The credits' crawl: every tick each line rises one unit of the panel,
// fading in from black up to the middle and out again towards the top, and
// starts again below the bottom once it has left at the top.

#include "core/common/Conversioni.h"
#include "forms/game/FrmGioco.h"

namespace velmo {

namespace {

// The credit colour scaled by a single-precision fraction, each channel
// rounded with halves to the even neighbour.
Colore sfumato(Colore pieno, float f) {
  auto canale = [f](int v) { return static_cast<int>(interoCorto(static_cast<float>(v) * f)); };
  return {canale(pieno.rosso), canale(pieno.verde), canale(pieno.blu)};
}

}  // namespace

void FrmGioco::tmrCrediti_Timer() {
  const Contenitore& area = picContenitoreCrediti[2];
  // Positions in the panel's units; the lines are always laid at whole units.
  auto SH = [&] { return area.height() / unitaCrediti; };
  for (int i = 1; i <= creditLineCount; ++i) {
    Etichetta& l = lblCrediti[i];
    auto T = [&] { return l.top() / unitaCrediti; };
    const int H = l.height() / unitaCrediti;
    if (T() <= -H) l.setTop((SH() + 120) * unitaCrediti);
    if (static_cast<float>(SH()) / 2 <= static_cast<float>(T()) && T() <= SH())
      l.setForeColor(sfumato(creditColour, static_cast<float>(SH() - T()) / (static_cast<float>(SH()) / 2)));
    if (0 <= T() && static_cast<float>(T()) <= static_cast<float>(SH()) / 2)
      l.setForeColor(sfumato(creditColour, static_cast<float>(T()) / (static_cast<float>(SH()) / 2)));
    l.setTop((T() - 1) * unitaCrediti);
  }
}

}  // namespace velmo
