#include "Sintesi.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmo::suoni {

namespace {

constexpr double duePi = 2.0 * std::numbers::pi;

std::size_t campioniDi(int fs, double secondi) {
  return static_cast<std::size_t>(std::max(0.0, std::round(secondi * fs)));
}

// How much of a partial at frequency f a rate can carry: all of it well
// below Nyquist, fading to nothing at 45 % of the rate.
double pesoBanda(int fs, double f) {
  const double limite = 0.45 * fs, margine = 0.05 * fs;
  return std::clamp((limite - f) / margine, 0.0, 1.0);
}

// A raised-cosine rise from 0 to 1 over `durata` seconds.
double salita(double t, double durata) {
  if (durata <= 0 || t >= durata) return 1.0;
  if (t <= 0) return 0.0;
  return 0.5 - 0.5 * std::cos(std::numbers::pi * t / durata);
}

// The largest FM index whose sidebands, up to the index plus one, stay in
// the band of the rate.
double indiceMassimo(int fs, double f) { return std::max(0.0, 0.42 * fs / f - 1.5); }

// A band-pass biquad (constant 0 dB peak), its centre settable per sample.
class PassaBanda {
 public:
  PassaBanda(int fs, double q) : fs_(fs), q_(q) {}
  double filtra(double x, double fc) {
    fc = std::clamp(fc, 20.0, 0.45 * fs_);
    const double w0 = duePi * fc / fs_;
    const double alfa = std::sin(w0) / (2.0 * q_);
    const double a0 = 1.0 + alfa;
    const double b0 = alfa / a0, b2 = -alfa / a0;
    const double a1 = -2.0 * std::cos(w0) / a0, a2 = (1.0 - alfa) / a0;
    const double y = b0 * x + b2 * x2_ - a1 * y1_ - a2 * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
  }

 private:
  int fs_;
  double q_;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

}  // namespace

Traccia::Traccia(int fs, double secondi, bool stereo) : Traccia(fs, campioniDi(fs, secondi), stereo) {}

Traccia::Traccia(int fs, std::size_t campioni, bool stereo) : frequenza(fs), sinistra(campioni) {
  if (stereo) destra.assign(campioni, 0.0);
}

void Traccia::mescola(const Onda& voce, double t, double guadagno, double pan) {
  const std::size_t inizio = campioniDi(frequenza, t);
  // Equal-power panning keeps a voice as loud wherever it stands.
  const double angolo = (std::clamp(pan, -1.0, 1.0) + 1.0) * std::numbers::pi / 4.0;
  const double gs = stereo() ? guadagno * std::cos(angolo) * std::numbers::sqrt2 : guadagno;
  const double gd = guadagno * std::sin(angolo) * std::numbers::sqrt2;
  for (std::size_t i = 0; i < voce.size() && inizio + i < campioni(); ++i) {
    sinistra[inizio + i] += gs * voce[i];
    if (stereo()) destra[inizio + i] += gd * voce[i];
  }
}

double hz(double nota) { return 440.0 * std::pow(2.0, (nota - 69.0) / 12.0); }

double Rumore::campione() {
  // xorshift64*: small, fast and the same on every machine.
  stato_ ^= stato_ >> 12;
  stato_ ^= stato_ << 25;
  stato_ ^= stato_ >> 27;
  const std::uint64_t x = stato_ * 0x2545F4914F6CDD1Dull;
  return static_cast<double>(x >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

// --- Instruments ------------------------------------------------------------------

Onda percossa(int fs, double f, double durata, const std::vector<Parziale>& parziali, double attacco) {
  Onda o(campioniDi(fs, durata));
  for (const Parziale& p : parziali) {
    const double fp = f * p.rapporto;
    const double peso = pesoBanda(fs, fp) * p.ampiezza;
    if (peso <= 0) continue;
    for (std::size_t i = 0; i < o.size(); ++i) {
      const double t = static_cast<double>(i) / fs;
      o[i] += peso * std::exp(-t / p.decadimento) * std::sin(duePi * fp * t);
    }
  }
  for (std::size_t i = 0; i < o.size(); ++i) o[i] *= salita(static_cast<double>(i) / fs, attacco);
  sfuma(o, fs, 0, std::min(0.012, durata * 0.2));
  return o;
}

Onda campana(int fs, double f, double durata) {
  const double t1 = 0.25 + 0.3 * durata;
  return percossa(fs, f, durata,
                  {{1.0, 1.0, t1},
                   {2.0, 0.25, t1 * 0.6},
                   {2.76, 0.4, t1 * 0.4},
                   {5.40, 0.18, t1 * 0.2},
                   {8.93, 0.07, t1 * 0.1}},
                  0.0015);
}

Onda marimba(int fs, double f, double durata) {
  const double t1 = std::clamp(0.45 * std::sqrt(440.0 / f), 0.12, 0.9);
  return percossa(fs, f, durata, {{1.0, 1.0, t1}, {3.93, 0.3, t1 * 0.15}, {9.2, 0.08, t1 * 0.05}}, 0.003);
}

Onda legnetto(int fs, double f, double durata, std::uint64_t seme) {
  Onda o = percossa(fs, f, durata, {{1.0, 1.0, 0.022}, {2.32, 0.45, 0.011}, {4.07, 0.2, 0.006}}, 0.0006);
  // The strike itself: a short burst of softened noise.
  Rumore r(seme);
  double lp = 0;
  const double k = 1.0 - std::exp(-duePi * std::min(3000.0, 0.4 * fs) / fs);
  for (std::size_t i = 0; i < o.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    lp += k * (r.campione() - lp);
    o[i] += 0.35 * lp * std::exp(-t / 0.0025) * salita(t, 0.0004);
  }
  sfuma(o, fs, 0, std::min(0.01, durata * 0.2));
  return o;
}

Onda pianoElettrico(int fs, double f, double durata, double brillantezza) {
  Onda o(campioniDi(fs, durata));
  const double picco = 1.9 * brillantezza;
  const double scala = std::min(1.0, indiceMassimo(fs, f) / picco);
  for (std::size_t i = 0; i < o.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    const double indice = scala * (picco * std::exp(-t / 0.22) + 0.25 * brillantezza);
    const double ampiezza = salita(t, 0.003) * (0.65 * std::exp(-t / 0.45) + 0.35 * std::exp(-t / 2.5));
    const double modulante = std::sin(duePi * f * t);
    o[i] = ampiezza * std::sin(duePi * f * t + indice * modulante);
  }
  sfuma(o, fs, 0, std::min(0.06, durata * 0.3));
  return o;
}

Onda ottone(int fs, double f, double durata, double brillantezza, double rilascio) {
  Onda o(campioniDi(fs, durata));
  const double picco = 2.6 * brillantezza;
  const double scala = std::min(1.0, indiceMassimo(fs, f) / picco);
  double fase = 0;
  for (std::size_t i = 0; i < o.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    // A quick swell with a small overshoot, the lip buzz of a brass attack.
    const double inviluppo = salita(t, 0.035) * (0.85 + 0.15 * std::exp(-t / 0.06));
    const double vibrato = 1.0 + 0.004 * salita(t - 0.15, 0.2) * std::sin(duePi * 5.5 * t);
    fase += duePi * f * vibrato / fs;
    const double indice = scala * picco * (0.35 + 0.65 * inviluppo);
    o[i] = inviluppo * std::sin(fase + indice * std::sin(fase));
  }
  sfuma(o, fs, 0, std::min(rilascio, durata * 0.5));
  return o;
}

Onda flauto(int fs, double f, double durata, std::uint64_t seme) {
  Onda o(campioniDi(fs, durata));
  Rumore r(seme);
  double soffio = 0, fase = 0;
  const double k = 1.0 - std::exp(-duePi * 1500.0 / fs);
  for (std::size_t i = 0; i < o.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    const double vibrato = 1.0 + 0.004 * salita(t - 0.25, 0.3) * std::sin(duePi * 5.0 * t);
    fase += duePi * f * vibrato / fs;
    soffio += k * (r.campione() - soffio);
    const double a = salita(t, 0.06);
    o[i] = a * (std::sin(fase) + 0.12 * pesoBanda(fs, 2 * f) * std::sin(2 * fase) +
                0.04 * pesoBanda(fs, 3 * f) * std::sin(3 * fase) + 0.05 * soffio);
  }
  sfuma(o, fs, 0, std::min(0.1, durata * 0.3));
  return o;
}

Onda tappeto(int fs, double f, double durata, double desintonia) {
  Onda o(campioniDi(fs, durata));
  for (double cent : {-desintonia, 0.0, desintonia}) {
    const double fv = f * std::pow(2.0, cent / 1200.0);
    // Harmonics fall off fast: past the fourteenth they are below -60 dB.
    for (int k = 1; k <= 14 && k * fv < 0.3 * fs; ++k) {
      const double a = std::exp(-(k - 1) / 3.5) / k / 3.0;
      const double fase0 = 0.7 * k * k + cent;  // spread phases: no peaky sum
      for (std::size_t i = 0; i < o.size(); ++i)
        o[i] += a * std::sin(duePi * k * fv * static_cast<double>(i) / fs + fase0);
    }
  }
  for (std::size_t i = 0; i < o.size(); ++i) o[i] *= salita(static_cast<double>(i) / fs, 0.3);
  sfuma(o, fs, 0, std::min(0.5, durata * 0.4));
  return o;
}

Onda basso(int fs, double f, double durata) {
  Onda o(campioniDi(fs, durata));
  for (std::size_t i = 0; i < o.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    const double a = salita(t, 0.006) * (0.55 * std::exp(-t / 0.35) + 0.45);
    const double x = duePi * f * t;
    o[i] = a * (std::sin(x) + 0.35 * std::sin(2 * x) + 0.1 * std::sin(3 * x));
  }
  sfuma(o, fs, 0, std::min(0.06, durata * 0.3));
  return o;
}

Onda glissato(int fs, double f0, double f1, double durata, const std::vector<double>& armoniche, double attacco,
              double rilascio, double curva) {
  Onda o(campioniDi(fs, durata));
  double fase = 0;
  for (std::size_t i = 0; i < o.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    const double avanzamento = std::pow(std::min(1.0, t / durata), curva);
    const double f = f0 * std::pow(f1 / f0, avanzamento);
    fase += duePi * f / fs;
    double x = 0;
    for (std::size_t k = 0; k < armoniche.size(); ++k) {
      const double n = static_cast<double>(k + 1);
      x += armoniche[k] * pesoBanda(fs, n * f) * std::sin(n * fase);
    }
    o[i] = salita(t, attacco) * x;
  }
  sfuma(o, fs, 0, rilascio);
  return o;
}

Onda cassa(int fs, double durata) {
  Onda o(campioniDi(fs, durata));
  double fase = 0;
  for (std::size_t i = 0; i < o.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    fase += duePi * (45.0 + 75.0 * std::exp(-t / 0.035)) / fs;
    o[i] = salita(t, 0.001) * std::exp(-t / 0.16) * std::sin(fase);
  }
  sfuma(o, fs, 0, std::min(0.03, durata * 0.3));
  return o;
}

Onda rullante(int fs, double durata, std::uint64_t seme) {
  Onda o(campioniDi(fs, durata));
  Rumore r(seme);
  PassaBanda pb(fs, 0.8);
  for (std::size_t i = 0; i < o.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    const double pelle = 0.5 * std::exp(-t / 0.04) * std::sin(duePi * 190.0 * t);
    o[i] = salita(t, 0.001) * (std::exp(-t / 0.07) * pb.filtra(r.campione(), 1800.0) * 1.6 + pelle);
  }
  sfuma(o, fs, 0, std::min(0.03, durata * 0.3));
  return o;
}

Onda sonaglio(int fs, double durata, std::uint64_t seme) {
  Onda o(campioniDi(fs, durata));
  Rumore r(seme);
  PassaBanda pb(fs, 0.7);
  for (std::size_t i = 0; i < o.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    o[i] = salita(t, 0.004) * std::exp(-t / 0.022) * pb.filtra(r.campione(), 7000.0) * 1.5;
  }
  sfuma(o, fs, 0, std::min(0.01, durata * 0.3));
  return o;
}

Onda soffio(int fs, double durata, double fc0, double fc1, double q, double attacco, double decadimento,
            std::uint64_t seme) {
  Onda o(campioniDi(fs, durata));
  Rumore r(seme);
  PassaBanda pb(fs, q);
  for (std::size_t i = 0; i < o.size(); ++i) {
    const double t = static_cast<double>(i) / fs;
    const double fc = fc0 * std::pow(fc1 / fc0, std::min(1.0, t / durata));
    o[i] = salita(t, attacco) * std::exp(-std::max(0.0, t - attacco) / decadimento) * pb.filtra(r.campione(), fc);
  }
  sfuma(o, fs, 0, std::min(0.05, durata * 0.3));
  return o;
}

// --- Processing -------------------------------------------------------------------

void sfuma(Onda& o, int fs, double entrata, double uscita) {
  const std::size_t n = o.size();
  const std::size_t ne = std::min(n, campioniDi(fs, entrata)), nu = std::min(n, campioniDi(fs, uscita));
  for (std::size_t i = 0; i < ne; ++i) o[i] *= salita(static_cast<double>(i), static_cast<double>(ne));
  for (std::size_t i = 0; i < nu; ++i) o[n - 1 - i] *= salita(static_cast<double>(i), static_cast<double>(nu));
  if (n > 0 && (ne > 0 || nu > 0)) {
    if (ne > 0) o.front() = 0;
    if (nu > 0) o.back() = 0;
  }
}

namespace {

class Pettine {
 public:
  explicit Pettine(std::size_t n) : buf_(std::max<std::size_t>(n, 1)) {}
  double passa(double x, double retro, double smorza) {
    const double y = buf_[i_];
    filtro_ = y * (1.0 - smorza) + filtro_ * smorza;
    buf_[i_] = x + filtro_ * retro;
    i_ = (i_ + 1) % buf_.size();
    return y;
  }

 private:
  std::vector<double> buf_;
  std::size_t i_ = 0;
  double filtro_ = 0;
};

class Passatutto {
 public:
  explicit Passatutto(std::size_t n) : buf_(std::max<std::size_t>(n, 1)) {}
  double passa(double x) {
    const double b = buf_[i_];
    buf_[i_] = x + b * 0.5;
    i_ = (i_ + 1) % buf_.size();
    return b - x;
  }

 private:
  std::vector<double> buf_;
  std::size_t i_ = 0;
};

Onda riverberoCanale(const Onda& ingresso, int fs, double stanza, double smorzamento, int scarto) {
  const double scala = fs / 44100.0;
  std::vector<Pettine> pettini;
  for (int n : {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617})
    pettini.emplace_back(static_cast<std::size_t>((n + scarto) * scala));
  std::vector<Passatutto> passatutti;
  for (int n : {556, 441, 341, 225}) passatutti.emplace_back(static_cast<std::size_t>((n + scarto) * scala));
  const double retro = stanza * 0.28 + 0.7, smorza = smorzamento * 0.4;
  Onda uscita(ingresso.size());
  for (std::size_t i = 0; i < ingresso.size(); ++i) {
    const double x = ingresso[i] * 0.015;
    double y = 0;
    for (Pettine& p : pettini) y += p.passa(x, retro, smorza);
    for (Passatutto& a : passatutti) y = a.passa(y);
    uscita[i] = y;
  }
  return uscita;
}

}  // namespace

void riverbero(Traccia& t, double stanza, double smorzamento, double umido) {
  if (!t.stereo()) {
    const Onda r = riverberoCanale(t.sinistra, t.frequenza, stanza, smorzamento, 0);
    for (std::size_t i = 0; i < t.campioni(); ++i) t.sinistra[i] += umido * 3.0 * r[i];
    return;
  }
  Onda somma(t.campioni());
  for (std::size_t i = 0; i < somma.size(); ++i) somma[i] = 0.5 * (t.sinistra[i] + t.destra[i]);
  const Onda rs = riverberoCanale(somma, t.frequenza, stanza, smorzamento, 0);
  const Onda rd = riverberoCanale(somma, t.frequenza, stanza, smorzamento, 23);
  for (std::size_t i = 0; i < somma.size(); ++i) {
    t.sinistra[i] += umido * 3.0 * rs[i];
    t.destra[i] += umido * 3.0 * rd[i];
  }
}

void completa(Traccia& t, double piccoDbfs, double entrata, double uscita, double rmsMassimoDbfs) {
  const double r = 1.0 - duePi * 20.0 / t.frequenza;
  double picco = 0;
  for (Onda* c : {&t.sinistra, &t.destra}) {
    if (c->empty()) continue;
    double xPrec = 0, yPrec = 0;
    for (double& x : *c) {
      const double y = x - xPrec + r * yPrec;
      xPrec = x;
      yPrec = y;
      x = y;
    }
    sfuma(*c, t.frequenza, entrata, uscita);
    for (double x : *c) picco = std::max(picco, std::abs(x));
  }
  if (picco <= 0) return;
  double energia = 0;
  for (const Onda* c : {&t.sinistra, &t.destra})
    for (double x : *c) energia += x * x;
  const double rms = std::sqrt(energia / static_cast<double>(t.campioni() * (t.stereo() ? 2 : 1)));
  const double g = std::min(std::pow(10.0, piccoDbfs / 20.0) / picco, std::pow(10.0, rmsMassimoDbfs / 20.0) / rms);
  for (Onda* c : {&t.sinistra, &t.destra})
    for (double& x : *c) x *= g;
}

}  // namespace velmo::suoni
