#pragma once
// The building blocks of the program's sounds: a track to mix into, a few
// instruments, filters, a reverb and the finishing touches (no clicks at the
// ends, no DC, peaks at one level). Everything is deterministic: the noise
// comes from a seeded generator, so every build makes the same samples.

#include <cstdint>
#include <vector>

namespace velmo::suoni {

using Onda = std::vector<double>;

// A sound being made: one or two channels at a sample rate.
struct Traccia {
  int frequenza;
  Onda sinistra, destra;  // destra is empty for a mono track

  Traccia(int frequenza, double secondi, bool stereo = false);
  Traccia(int frequenza, std::size_t campioni, bool stereo);
  std::size_t campioni() const { return sinistra.size(); }
  bool stereo() const { return !destra.empty(); }
  // Mixes a mono voice in from `t` seconds; `pan` runs from -1 (left) to 1
  // (right) and is ignored by a mono track. What overruns the end is cut.
  void mescola(const Onda& voce, double t, double guadagno = 1.0, double pan = 0.0);
};

// A MIDI note number to hertz (69 = A4 = 440 Hz).
double hz(double nota);

// White noise in [-1, 1) from a fixed seed.
class Rumore {
 public:
  explicit Rumore(std::uint64_t seme) : stato_(seme * 0x9E3779B97F4A7C15ull + 1) {}
  double campione();

 private:
  std::uint64_t stato_;
};

// One sine partial of a struck sound: frequency ratio to the fundamental,
// amplitude and decay time constant in seconds.
struct Parziale {
  double rapporto, ampiezza, decadimento;
};

// --- Instruments: each returns a voice `durata` seconds long that starts and
// ends at zero. Partials above the rate's usable band are left out, so
// nothing aliases even at 11025 Hz.
Onda percossa(int fs, double f, double durata, const std::vector<Parziale>& parziali, double attacco = 0.002);
Onda campana(int fs, double f, double durata);           // bright bell, glockenspiel-like
Onda marimba(int fs, double f, double durata);           // soft wooden bar
Onda legnetto(int fs, double f, double durata, std::uint64_t seme);  // wood block tick
Onda pianoElettrico(int fs, double f, double durata, double brillantezza = 1.0);  // FM e-piano
Onda ottone(int fs, double f, double durata, double brillantezza = 1.0, double rilascio = 0.08);  // FM brass
Onda flauto(int fs, double f, double durata, std::uint64_t seme);
Onda tappeto(int fs, double f, double durata, double desintonia);  // warm pad
Onda basso(int fs, double f, double durata);
// A tone gliding from f0 to f1 (exponentially), with the given harmonics
// (amplitudes of partials 1, 2, 3, ...), attack and decay times.
Onda glissato(int fs, double f0, double f1, double durata, const std::vector<double>& armoniche,
              double attacco, double rilascio, double curva = 1.0);
// Drums.
Onda cassa(int fs, double durata);
Onda rullante(int fs, double durata, std::uint64_t seme);
Onda sonaglio(int fs, double durata, std::uint64_t seme);
// Noise through a band-pass whose centre glides from fc0 to fc1, shaped by
// an attack and an exponential decay.
Onda soffio(int fs, double durata, double fc0, double fc1, double q, double attacco, double decadimento,
            std::uint64_t seme);

// --- Processing.
// Raised-cosine fades at both ends, so the first and last samples are 0.
void sfuma(Onda& o, int fs, double entrata, double uscita);
// A stereo (or mono) reverb after the well-known Schroeder-Moorer design:
// eight damped combs and four all-passes per channel, mixed back at `umido`.
void riverbero(Traccia& t, double stanza, double smorzamento, double umido);
// Removes DC, fades the ends and scales the peak to `piccoDbfs`, or lower
// where the sound's RMS would pass `rmsMassimoDbfs`: a held tone at a
// given peak sounds much louder than a tick.
void completa(Traccia& t, double piccoDbfs = -3.0, double entrata = 0.0015, double uscita = 0.012,
              double rmsMassimoDbfs = -14.0);

}  // namespace velmo::suoni
