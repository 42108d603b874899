// The start-up music: eleven bars at 120 beats a minute, a tune on e-piano
// and bells over pad chords, a wooden-bar arpeggio, bass and light drums,
// joined halfway by a flute in harmony; the last bar is the closing chord.

#include <algorithm>
#include <vector>

#include "Ricette.h"

namespace velmo::suoni {

namespace {

constexpr int fs = 44100;
constexpr double battuta = 0.5;  // seconds per beat
constexpr double misura = 4 * battuta;
constexpr double durataMusica = 22.0;

struct Nota {
  double battito, durata, altezza;  // beats from the bar's start, beats, MIDI
};

// One bar: its chord (the bass's root, in the octave from E2 to C3, then the
// pad's voicing) and its tune.
struct Misura {
  double radice;
  std::vector<double> accordo;
  std::vector<Nota> melodia;
};

const std::vector<Misura>& partitura() {
  static const std::vector<Misura> p = {
      {48, {60, 64, 67}, {{0, 1, 76}, {1, 1, 79}, {2, 1.5, 84}, {3.5, 0.5, 83}}},                        // C
      {45, {60, 64, 69}, {{0, 1.5, 81}, {1.5, 0.5, 79}, {2, 2, 76}}},                                    // Am
      {41, {60, 65, 69}, {{0, 1, 77}, {1, 1, 81}, {2, 1, 84}, {3, 1, 81}}},                              // F
      {43, {59, 62, 67}, {{0, 1.5, 79}, {1.5, 0.5, 77}, {2, 1, 76}, {3, 1, 74}}},                        // G
      {48, {60, 64, 67}, {{0, 1, 76}, {1, 1, 79}, {2, 1.5, 84}, {3.5, 0.5, 86}}},                        // C
      {40, {59, 64, 67}, {{0, 1, 88}, {1, 0.5, 86}, {1.5, 0.5, 83}, {2, 2, 79}}},                        // Em
      {41, {60, 65, 69}, {{0, 1, 81}, {1, 1, 84}, {2, 1, 89}, {3, 0.5, 88}, {3.5, 0.5, 86}}},            // F
      {43, {59, 62, 65, 67}, {{0, 1.5, 86}, {1.5, 0.5, 84}, {2, 1, 83}, {3, 1, 79}}},                    // G7
      {41, {60, 65, 69}, {{0, 0.5, 81}, {0.5, 0.5, 83}, {1, 1, 84}, {2, 0.5, 81}, {2.5, 0.5, 84}, {3, 1, 89}}},  // F
      {43, {59, 62, 67}, {{0, 1, 86}, {1, 0.5, 83}, {1.5, 0.5, 84}, {2, 1, 86}, {3, 1, 83}}},            // G
      {48, {60, 64, 67, 72}, {{0, 4, 84}}},                                                              // C
  };
  return p;
}

// The harmony of a tune note: the highest chord tone at least a minor third
// below it, so the second voice always sounds with the chord.
double armonia(double nota, const std::vector<double>& accordo) {
  double migliore = nota - 12;
  for (double base : accordo)
    for (double n = base; n <= nota - 3; n += 12) migliore = std::max(migliore, n);
  return migliore;
}

}  // namespace

Traccia pfuncComponiMusicaAvvio() {
  Traccia t(fs, durataMusica, true);
  const auto& p = partitura();
  std::uint64_t seme = 1000;

  for (std::size_t m = 0; m < p.size(); ++m) {
    const Misura& b = p[m];
    const double t0 = misura * static_cast<double>(m);
    const bool ultima = m + 1 == p.size();
    const double resto = durataMusica - t0;

    // Pad: the chord held through the bar (the last one to the end), wide.
    for (std::size_t i = 0; i < b.accordo.size(); ++i) {
      const double durata = ultima ? resto : misura + 0.35;
      const double pan = (i % 2 ? 0.6 : -0.6);
      t.mescola(tappeto(fs, hz(b.accordo[i]), durata, 8), t0, 0.07, pan);
    }

    // Tune: e-piano with a bell an octave up, a touch right of centre.
    for (const Nota& n : b.melodia) {
      const double da = t0 + n.battito * battuta;
      const double durata = ultima ? durataMusica - da : n.durata * battuta + 0.25;
      t.mescola(pianoElettrico(fs, hz(n.altezza), durata, 1.1), da, 0.3, 0.15);
      t.mescola(campana(fs, hz(n.altezza + 12), std::min(durata, 1.2)), da, 0.05, 0.25);
      // From bar 5 a flute joins in harmony, left of centre.
      if (m >= 4)
        t.mescola(flauto(fs, hz(armonia(n.altezza, b.accordo)), n.durata * battuta + (ultima ? 0.0 : 0.05), ++seme),
                  da, 0.12, -0.3);
    }

    // Arpeggio of wooden bars in eighths, up and down the chord.
    if (!ultima) {
      std::vector<double> toni = b.accordo;
      toni.resize(3);
      toni.push_back(toni[0] + 12);
      const int giro[] = {0, 1, 2, 3, 2, 1, 0, 1};
      for (int k = 0; k < 8; ++k)
        t.mescola(marimba(fs, hz(toni[static_cast<std::size_t>(giro[k])]), 0.45), t0 + k * battuta / 2,
                  k % 2 ? 0.07 : 0.09, -0.45);
    } else {
      const double volata[] = {60, 64, 67, 72, 76, 79, 84};
      for (int k = 0; k < 7; ++k) t.mescola(marimba(fs, hz(volata[k]), resto - 0.06 * k), t0 + 0.06 * k, 0.09, -0.4);
    }

    // Bass: root, octave and fifth; the last bar holds the root.
    if (ultima) {
      t.mescola(basso(fs, hz(b.radice), resto), t0, 0.3);
    } else {
      const double r = b.radice;
      const Nota linea[] = {{0, 1.5, r}, {1.5, 0.5, r + 12}, {2, 1, r + 7}, {3, 1, r}};
      for (const Nota& n : linea) t.mescola(basso(fs, hz(n.altezza), n.durata * battuta), t0 + n.battito * battuta, 0.26);
    }

    // Drums: kick from bar 3, a soft snare from bar 5, shaker from bar 2.
    if (!ultima) {
      if (m >= 2)
        for (int k : {0, 2}) t.mescola(cassa(fs, 0.35), t0 + k * battuta, 0.32);
      if (m >= 4)
        for (int k : {1, 3}) t.mescola(rullante(fs, 0.2, ++seme), t0 + k * battuta, 0.1, 0.1);
      if (m >= 1)
        for (int k = 0; k < 8; ++k)
          t.mescola(sonaglio(fs, 0.08, ++seme), t0 + k * battuta / 2, k % 2 ? 0.06 : 0.035, 0.35);
    } else {
      t.mescola(cassa(fs, 0.5), t0, 0.32);
      t.mescola(soffio(fs, resto, 7000, 6000, 0.6, 0.01, 0.6, ++seme), t0, 0.06, 0.2);
    }
  }
  riverbero(t, 0.75, 0.35, 0.22);
  completa(t, -3.0, 0.002, 1.2);
  return t;
}

}  // namespace velmo::suoni
