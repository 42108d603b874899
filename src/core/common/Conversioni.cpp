#include "core/common/Conversioni.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace velmo {

std::string testoNumero(std::int64_t n) {
  std::string t = std::to_string(n);
  return n >= 0 ? " " + t : t;
}

std::string testoSingolo(float f) {
  // to_chars ignores the locale: the toolkit sets the user's one at start-up,
  // and an Italian one would print "98,4127".
  char buf[32];
  const auto fine = std::to_chars(buf, buf + sizeof buf, f, std::chars_format::general, 7).ptr;
  std::string t = f == 0 ? "0" : std::string(buf, fine);  // no "-0"
  for (char& c : t)
    if (c == 'e') c = 'E';
  return t.front() == '-' ? t : " " + t;
}

std::string taglia(std::string_view s) {
  const auto inizio = s.find_first_not_of(' ');
  if (inizio == std::string_view::npos) return {};
  const auto fine = s.find_last_not_of(' ');
  return std::string(s.substr(inizio, fine - inizio + 1));
}

double valoreIniziale(std::string_view s) {
  const std::string t = taglia(s);
  std::size_t i = 0;
  auto cifre = [&] {
    const std::size_t da = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    return i > da;
  };
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  bool haCifre = cifre();
  if (i < t.size() && t[i] == '.') {
    ++i;
    haCifre = cifre() || haCifre;
  }
  if (!haCifre) return 0.0;
  std::size_t fine = i;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (cifre()) fine = i;
  }
  // "." is the decimal separator whatever the user's locale.
  static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", nullptr);
  return strtod_l(t.substr(0, fine).c_str(), nullptr, c);
}

namespace {

template <class T>
T arrotondaPari(double x) {
  const double r = std::nearbyint(x);  // the default rounding mode sends halves to even
  if (!std::isfinite(r) || r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max()))
    throw std::overflow_error("Overflow");
  return static_cast<T>(r);
}

}  // namespace

std::int16_t interoCorto(double x) { return arrotondaPari<std::int16_t>(x); }
std::int32_t interoLungo(double x) { return arrotondaPari<std::int32_t>(x); }

std::string conEstensione(std::string_view nome, std::string_view estensione) {
  const std::string_view coda = nome.substr(nome.size() - std::min(nome.size(), estensione.size()));
  const bool uguale = std::equal(coda.begin(), coda.end(), estensione.begin(), estensione.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
  return uguale ? std::string(nome) : std::string(nome) + "." + std::string(estensione);
}

std::string dueCifre(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace velmo
