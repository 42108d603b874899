#include "Ricette.h"

#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "Wave.h"

namespace velmo::suoni {

namespace {

// A cue being composed: its track, and helpers that place a voice lasting
// from its start to the end of the cue unless told otherwise.
struct Cue {
  Traccia t;
  int fs;
  double d;
  explicit Cue(const SoundCue& c)
      : t(c.frequenza, pfuncFotogrammi(c), c.canali == 2),
        fs(c.frequenza),
        d(static_cast<double>(t.campioni()) / c.frequenza) {}
  double resto(double da) const { return std::max(0.0, d - da); }
  void metti(const Onda& o, double da, double guadagno = 1.0, double pan = 0.0) { t.mescola(o, da, guadagno, pan); }
};

// A key of a typewriter: the snap of the key and the thump of its bar.
void tastoMacchina(Cue& c, double da, double guadagno, std::uint64_t seme) {
  c.metti(soffio(c.fs, 0.045, 2600, 2200, 1.0, 0.0005, 0.005, seme), da, guadagno);
  c.metti(percossa(c.fs, 170, 0.07, {{1.0, 1.0, 0.018}, {2.7, 0.3, 0.007}}, 0.001), da, 0.55 * guadagno);
  c.metti(soffio(c.fs, 0.03, 3300, 3000, 1.2, 0.0005, 0.003, seme + 1), da + 0.045, 0.3 * guadagno);
}

// A chord of e-piano notes from `da` to the end of the cue.
void accordo(Cue& c, std::initializer_list<double> note, double da, double guadagno, double pan = 0.0) {
  double p = -pan;
  for (double n : note) {
    c.metti(pianoElettrico(c.fs, hz(n), c.resto(da)), da, guadagno, p);
    p = -p;
  }
}

// --- The cues -----------------------------------------------------------------------

// A soft click: a short high tick with a breath of noise.
void clic(Cue& c) {
  c.metti(percossa(c.fs, 1250, c.d, {{1.0, 1.0, 0.012}, {2.1, 0.4, 0.006}, {3.3, 0.2, 0.003}}, 0.0008), 0);
  c.metti(soffio(c.fs, 0.02, 3000, 3000, 1.2, 0.0005, 0.003, 11), 0, 0.3);
}

// One key of a typewriter.
void tasto(Cue& c) { tastoMacchina(c, 0, 1.0, 21); }

// The match is lost: a muted brass sighing down four semitones.
void partitaPersa(Cue& c) {
  const double note[] = {67, 66, 65, 64}, inizi[] = {0, 0.33, 0.66, 0.99};
  for (int i = 0; i < 4; ++i) {
    const double durata = i < 3 ? 0.31 : c.resto(inizi[i]);
    c.metti(ottone(c.fs, hz(note[i]), durata, 0.7), inizi[i]);
    c.metti(ottone(c.fs, hz(note[i] - 12), durata, 0.5), inizi[i], 0.35);
  }
}

// The pause window opens: two bells stepping down.
void pausaInizio(Cue& c) {
  c.metti(campana(c.fs, hz(88), c.d), 0);
  c.metti(campana(c.fs, hz(83), c.resto(0.13)), 0.13);
  c.metti(pianoElettrico(c.fs, hz(76), c.resto(0.13), 0.6), 0.13, 0.35);
}

// The pause ends: the same two bells stepping up.
void pausaFine(Cue& c) {
  c.metti(campana(c.fs, hz(83), c.d), 0);
  c.metti(campana(c.fs, hz(88), c.resto(0.12)), 0.12);
  accordo(c, {71, 76}, 0.12, 0.25);
}

// The leaderboard is wiped: a cascade of wooden bars falling through a
// rushing sweep, landing on a low gong and a soft chord.
void classificaAzzerata(Cue& c) {
  const double scala[] = {96, 93, 91, 88, 86, 84, 81, 79, 76, 74, 72, 69, 67, 64, 62, 60};
  double t = 0;
  for (int i = 0; i < 16; ++i) {
    c.metti(marimba(c.fs, hz(scala[i]), 1.0), t, 0.5 + 0.03 * i);
    t += 0.2 - 0.006 * i;
  }
  c.metti(soffio(c.fs, 3.0, 4000, 300, 0.9, 0.4, 1.2, 61), 0, 0.35);
  c.metti(percossa(c.fs, 98, c.resto(3.0),
                   {{1.0, 1.0, 1.8}, {1.52, 0.55, 1.3}, {2.0, 0.4, 1.0}, {2.48, 0.3, 0.7}, {3.1, 0.2, 0.45}}, 0.004),
          3.0, 0.9);
  accordo(c, {60, 64, 67}, 3.05, 0.3);
}

// A round won: a bright arpeggio up to the octave, with a sparkle on top.
void roundVinto(Cue& c) {
  const double note[] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i) {
    const double da = 0.06 * i;
    c.metti(pianoElettrico(c.fs, hz(note[i]), c.resto(da), 1.3), da, 0.6);
    c.metti(campana(c.fs, hz(note[i]), c.resto(da)), da, 0.3);
  }
  c.metti(campana(c.fs, hz(88), c.resto(0.18)), 0.18, 0.25);
}

// A round lost: a minor arpeggio falling on wooden bars.
void roundPerso(Cue& c) {
  const double note[] = {79, 74, 70, 67};
  for (int i = 0; i < 4; ++i) {
    const double da = 0.15 * i;
    c.metti(marimba(c.fs, hz(note[i]), c.resto(da)), da, 0.8);
    c.metti(pianoElettrico(c.fs, hz(note[i]), c.resto(da), 0.5), da, 0.3);
  }
  c.metti(pianoElettrico(c.fs, hz(55), c.resto(0.45), 0.5), 0.45, 0.4);
}

// Four in a row: a brass fanfare in two voices ending on a full chord with
// a drum hit, a cymbal swell and bells.
void fanfara(Cue& c) {
  struct Squillo {
    double da, durata, alta, bassa;
  };
  const Squillo squilli[] = {{0.0, 0.1, 67, 64},   {0.12, 0.1, 67, 64},  {0.24, 0.1, 67, 64},
                             {0.36, 0.48, 72, 67}, {0.9, 0.12, 67, 64},  {1.05, 0.12, 72, 67},
                             {1.2, 0.14, 76, 72}};
  for (const Squillo& s : squilli) {
    c.metti(ottone(c.fs, hz(s.alta), s.durata), s.da, 0.6);
    c.metti(ottone(c.fs, hz(s.bassa), s.durata, 0.8), s.da, 0.4);
  }
  // The closing chord swells in and dies away over most of a second.
  const double finale = 1.4;
  for (double n : {60.0, 67.0, 72.0, 76.0, 79.0})
    c.metti(ottone(c.fs, hz(n), c.resto(finale), 0.9, 1.0), finale, 0.3);
  for (double da : {0.36, finale}) c.metti(cassa(c.fs, 0.6), da, 0.8);
  c.metti(soffio(c.fs, c.resto(finale), 6000, 5000, 0.6, 0.02, 0.7, 91), finale, 0.25);
  const double campane[] = {84, 88, 91};
  for (int i = 0; i < 3; ++i) c.metti(campana(c.fs, hz(campane[i]), c.resto(finale + 0.08 * i)), finale + 0.08 * i, 0.25);
  riverbero(c.t, 0.6, 0.4, 0.12);
}

// Farewell: a gentle phrase falling onto a warm chord, in stereo.
void saluto(Cue& c) {
  const double note[] = {79, 76, 72}, pan[] = {0.35, -0.25, 0.1};
  for (int i = 0; i < 3; ++i) c.metti(pianoElettrico(c.fs, hz(note[i]), c.resto(0.2 * i)), 0.2 * i, 0.5, pan[i]);
  accordo(c, {60, 64, 67}, 0.6, 0.3, 0.5);
  c.metti(campana(c.fs, hz(84), c.resto(0.6)), 0.6, 0.18, 0.5);
  c.metti(basso(c.fs, hz(48), c.resto(0.6)), 0.6, 0.3);
  riverbero(c.t, 0.7, 0.35, 0.3);
}

// The source code window: a stream of data blips, then a chime.
void codice(Cue& c) {
  const double scala[] = {72, 74, 76, 79, 81, 84, 86, 88};
  Rumore scelta(111);
  for (int i = 0; i < 28; ++i) {
    const int k = static_cast<int>((scelta.campione() + 1.0) * 4.0) % 8;
    const double f = hz(scala[k]);
    c.metti(glissato(c.fs, f, f * 1.01, 0.06, {1.0, 0.0, 0.3, 0.0, 0.15}, 0.002, 0.02), 0.085 * i,
            i % 4 == 0 ? 0.55 : 0.35);
  }
  for (double da : {0.0, 1.36}) c.metti(basso(c.fs, hz(48), 1.2), da, 0.4);
  c.metti(campana(c.fs, hz(79), c.resto(2.55)), 2.55, 0.6);
  c.metti(campana(c.fs, hz(84), c.resto(2.67)), 2.67, 0.6);
}

// The rules window: a page turns, then a friendly arpeggio settles.
void regole(Cue& c) {
  c.metti(soffio(c.fs, 0.3, 800, 3500, 0.7, 0.08, 0.1, 121), 0, 0.6);
  const double note[] = {72, 76, 79};
  for (int i = 0; i < 3; ++i) c.metti(marimba(c.fs, hz(note[i]), c.resto(0.3 + 0.12 * i)), 0.3 + 0.12 * i, 0.7);
  accordo(c, {60, 64, 67, 72}, 0.66, 0.25);
}

// The about window: two chords, a small signature.
void informazioni(Cue& c) {
  accordo(c, {65, 69, 72}, 0, 0.3);
  accordo(c, {64, 67, 72}, 0.35, 0.3);
  c.metti(campana(c.fs, hz(76), c.resto(0.35)), 0.35, 0.35);
}

// The leaderboard opens: a brass "ta-da".
void taDa(Cue& c) {
  c.metti(ottone(c.fs, hz(67), 0.12), 0, 0.6);
  c.metti(ottone(c.fs, hz(64), 0.12, 0.8), 0, 0.4);
  c.metti(ottone(c.fs, hz(72), 1.15), 0.15, 0.6);
  c.metti(ottone(c.fs, hz(67), 1.15, 0.8), 0.15, 0.4);
  c.metti(campana(c.fs, hz(84), c.resto(0.15)), 0.15, 0.3);
}

// A piece dropped: a short wooden tick with a little body.
void pedina(Cue& c) {
  c.metti(legnetto(c.fs, 900, c.d, 151), 0);
  c.metti(percossa(c.fs, 210, c.d, {{1.0, 1.0, 0.015}}, 0.001), 0, 0.4);
}

// "- CONTATTAMI -": ding-ding, up a fourth.
void contattami(Cue& c) {
  c.metti(campana(c.fs, hz(88), c.d), 0, 0.7);
  c.metti(campana(c.fs, hz(93), c.resto(0.07)), 0.07, 0.7);
  c.metti(pianoElettrico(c.fs, hz(81), c.resto(0.07), 0.7), 0.07, 0.3);
}

// The disc lights up: a quick rising blip.
void disco(Cue& c) {
  c.metti(glissato(c.fs, 500, 1500, c.d, {1.0, 0.3, 0.1}, 0.005, 0.09, 0.5), 0);
  c.metti(campana(c.fs, 1500, c.resto(0.06)), 0.06, 0.25);
}

// The line shoots out: a tone rising as the line speeds up (it covers the
// way quadratically and arrives after about 1.8 s), then a ping on arrival.
void linea(Cue& c) {
  const double arrivo = 1.8;
  Onda scia = glissato(c.fs, 180, 1800, arrivo + 0.05, {1.0, 0.5, 0.25, 0.12}, 0.05, 0.05, 2.0);
  for (std::size_t i = 0; i < scia.size(); ++i)
    scia[i] *= 0.75 + 0.25 * std::sin(2 * 3.141592653589793 * 16.0 * static_cast<double>(i) / c.fs);
  c.metti(scia, 0, 0.45);
  c.metti(campana(c.fs, hz(88), c.resto(arrivo)), arrivo, 0.7);
  accordo(c, {76, 83}, arrivo, 0.25);
}

// The logo blinks 15 times, 0.18 s apart: a blip on each blink, two
// pitches taking turns, then a chord for "Avvenuto !".
void lampeggi(Cue& c) {
  c.metti(glissato(c.fs, 300, 600, 0.18, {1.0, 0.2}, 0.1, 0.04), 0, 0.25);
  for (int k = 1; k <= 15; ++k)
    c.metti(campana(c.fs, hz(k % 2 ? 84 : 79), 0.17), 0.18 * k, 0.55 - 0.01 * k);
  accordo(c, {60, 64, 67, 72}, 2.75, 0.25);
  c.metti(campana(c.fs, hz(84), c.resto(2.75)), 2.75, 0.3);
}

// The show has ended: three blips stepping down onto a soft pad.
void fineSpettacolo(Cue& c) {
  const double note[] = {91, 88, 84};
  for (int i = 0; i < 3; ++i) c.metti(campana(c.fs, hz(note[i]), c.resto(0.12 * i)), 0.12 * i, 0.5);
  for (double n : {60.0, 64.0, 67.0}) c.metti(tappeto(c.fs, hz(n), c.resto(0.3), 7), 0.3, 0.3);
  c.metti(pianoElettrico(c.fs, hz(72), c.resto(0.36), 0.6), 0.36, 0.35);
}

// A piece lifted by the undo: the tick of the piece leaving and a swoop up;
// the computer's is a little higher and brighter than the player's.
void sollevata(Cue& c, double f0, double tick, const std::vector<double>& armoniche) {
  c.metti(legnetto(c.fs, tick, 0.06, 211), 0, 0.35);
  c.metti(glissato(c.fs, f0, 3 * f0, c.d, armoniche, 0.008, c.d * 0.45, 0.6), 0, 0.8);
}

// The keyboard window: a burst of typing and the carriage bell.
void tastiera(Cue& c) {
  const double tempi[] = {0, 0.12, 0.25, 0.34, 0.49, 0.61, 0.72};
  for (int i = 0; i < 7; ++i) tastoMacchina(c, tempi[i], i % 3 == 0 ? 1.0 : 0.8, 231 + 2 * i);
  c.metti(campana(c.fs, hz(96), c.resto(0.9)), 0.9, 0.8);
}

// Thanks: two warm notes up a fourth.
void grazie(Cue& c) {
  c.metti(pianoElettrico(c.fs, hz(79), c.d), 0, 0.5);
  c.metti(pianoElettrico(c.fs, hz(84), c.resto(0.1)), 0.1, 0.5);
  accordo(c, {72, 76}, 0.1, 0.2);
  c.metti(campana(c.fs, hz(84), c.resto(0.1)), 0.1, 0.25);
}

struct Ricetta {
  std::function<void(Cue&)> componi;
  double uscita;  // the closing fade, seconds
};

const std::map<std::string, Ricetta>& ricette() {
  static const std::map<std::string, Ricetta> r = {
      {"id_01", {clic, 0.01}},
      {"id_02", {tasto, 0.02}},
      {"id_03", {partitaPersa, 0.15}},
      {"id_04", {pausaInizio, 0.15}},
      {"id_05", {pausaFine, 0.12}},
      {"id_06", {classificaAzzerata, 0.8}},
      {"id_07", {roundVinto, 0.1}},
      {"id_08", {roundPerso, 0.25}},
      {"id_09", {fanfara, 0.5}},
      {"id_10", {saluto, 0.3}},
      {"id_11", {codice, 0.4}},
      {"id_12", {regole, 0.5}},
      {"id_13", {informazioni, 0.3}},
      {"id_14", {taDa, 0.35}},
      {"id_15", {pedina, 0.012}},
      {"id_16", {contattami, 0.06}},
      {"id_17", {disco, 0.03}},
      {"id_18", {linea, 0.4}},
      {"id_19", {lampeggi, 0.3}},
      {"id_20", {fineSpettacolo, 0.5}},
      {"id_21", {[](Cue& c) { sollevata(c, 330, 1000, {1.0, 0.35, 0.15, 0.05}); }, 0.05}},
      {"id_22", {[](Cue& c) { sollevata(c, 262, 760, {1.0, 0.25, 0.1}); }, 0.05}},
      {"id_23", {tastiera, 0.3}},
      {"id_24", {grazie, 0.12}},
  };
  return r;
}

}  // namespace

Traccia pfuncComponiCue(const SoundCue& cue) {
  const auto it = ricette().find(cue.id);
  if (it == ricette().end()) throw std::invalid_argument(std::string("no recipe for ") + cue.id);
  Cue c(cue);
  it->second.componi(c);
  // The ADPCM codec overshoots sharp attacks by a dB or two.
  completa(c.t, cue.formato == FormatoSuono::msAdpcm ? -4.5 : -3.0, 0.0015, it->second.uscita);
  return std::move(c.t);
}

}  // namespace velmo::suoni
