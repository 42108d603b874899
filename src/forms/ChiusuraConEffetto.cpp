#include "forms/ChiusuraConEffetto.h"

#include <cmath>

#include "forms/Form.h"
#include "forms/ModGenerale.h"

namespace velmo {

namespace {

// A window that keeps the system's colour: the light grey of dialogs.
constexpr Colore coloreSistema{240, 240, 240};

// Whole pixels, halves to the even neighbour (the default rounding mode).
int tondo(double x) { return static_cast<int>(std::nearbyint(x)); }

}  // namespace

void psubChiudiConEffetto(Form& finestra, std::int16_t passi, Controllo& daRidisegnare) {
  Piattaforma& p = piattaforma();
  const Rettangolo schermo = p.rettangoloFinestra(finestra);
  const int left = schermo.left, top = schermo.top;
  const double W = schermo.right - schermo.left, H = schermo.bottom - schermo.top;
  const Colore sfondo = finestra.backColor().value_or(coloreSistema);
  // Paced by a deadline per rectangle, so the effect lasts the same on any
  // machine, and the waits keep the program's events and timers going.
  const double inizio = p.secondiMonotoni();
  for (int i = passi, fatti = 1; i >= 1 && finestra.loaded(); --i, ++fatti) {
    const int w = tondo(i / static_cast<double>(passi) * W), h = tondo(i / static_cast<double>(passi) * H);
    const int x = tondo((W - w) / 2 + left), y = tondo((H - h) / 2 + top);
    p.disegnaRettangolo({x, y, x + w, y + h}, sfondo);
    psubAttendi(static_cast<float>(inizio + fatti * secondiPerRettangolo - p.secondiMonotoni()));
  }
  finestra.Unload();
  p.ridisegna(daRidisegnare);
}

}  // namespace velmo
