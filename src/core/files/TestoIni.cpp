#include "core/files/TestoIni.h"

#include <optional>
#include <vector>

#include "core/files/Windows1252.h"

namespace velmo {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view tagliaBlank(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool stessoNome(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (minuscola1252(a[i]) != minuscola1252(b[i])) return false;
  return true;
}

// The lines of a text without their ends; a text ending with a line end has
// no empty line after it.
std::vector<std::string_view> righe(std::string_view testo) {
  std::vector<std::string_view> r;
  std::size_t inizio = 0;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] != '\r' && testo[i] != '\n') continue;
    r.push_back(testo.substr(inizio, i - inizio));
    if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    inizio = i + 1;
  }
  if (inizio < testo.size()) r.push_back(testo.substr(inizio));
  return r;
}

// The name of a section header line, nullopt for any other line.
std::optional<std::string_view> sezioneDi(std::string_view riga) {
  riga = tagliaBlank(riga);
  if (riga.empty() || riga.front() != '[') return std::nullopt;
  const auto fine = riga.find(']');
  if (fine == std::string_view::npos) return std::nullopt;
  return tagliaBlank(riga.substr(1, fine - 1));
}

struct Coppia {
  std::string_view chiave, valore;
};

// Key and value of a key line, nullopt for a comment or a line without "=".
std::optional<Coppia> coppiaDi(std::string_view riga) {
  const std::string_view t = tagliaBlank(riga);
  if (t.empty() || t.front() == ';') return std::nullopt;
  const auto uguale = t.find('=');
  if (uguale == std::string_view::npos) return std::nullopt;
  std::string_view valore = t.substr(uguale + 1);
  valore = valore.substr(0, valore.find('\0'));
  return Coppia{tagliaBlank(t.substr(0, uguale)), tagliaBlank(valore)};
}

// Where a section lies among the lines: its header, and the line after its
// last line. Only the first section of the name counts.
struct Posizione {
  std::size_t intestazione, fine;
};

std::optional<Posizione> cercaSezione(const std::vector<std::string_view>& r, std::string_view sezione) {
  for (std::size_t i = 0; i < r.size(); ++i) {
    const auto nome = sezioneDi(r[i]);
    if (!nome || !stessoNome(*nome, sezione)) continue;
    std::size_t fine = i + 1;
    while (fine < r.size() && !sezioneDi(r[fine])) ++fine;
    return Posizione{i, fine};
  }
  return std::nullopt;
}

std::optional<std::size_t> cercaChiave(const std::vector<std::string_view>& r, Posizione s, std::string_view chiave) {
  for (std::size_t i = s.intestazione + 1; i < s.fine; ++i)
    if (const auto c = coppiaDi(r[i]); c && stessoNome(c->chiave, chiave)) return i;
  return std::nullopt;
}

}  // namespace

std::string valoreIni(std::string_view testo, std::string_view sezione, std::string_view chiave) {
  return valoriIni(testo, sezione, {std::string(chiave)}).front();
}

std::vector<std::string> valoriIni(std::string_view testo, std::string_view sezione,
                                   const std::vector<std::string>& chiavi) {
  std::vector<std::string> valori(chiavi.size());
  const auto r = righe(testo);
  const auto s = cercaSezione(r, sezione);
  if (!s) return valori;
  std::vector<bool> trovata(chiavi.size());
  for (std::size_t i = s->intestazione + 1; i < s->fine; ++i) {
    const auto c = coppiaDi(r[i]);
    if (!c) continue;
    // The first line of a key counts.
    for (std::size_t k = 0; k < chiavi.size(); ++k)
      if (!trovata[k] && stessoNome(c->chiave, chiavi[k])) {
        trovata[k] = true;
        valori[k] = std::string(c->valore.substr(0, lunghezzaMassimaValoreIni));
      }
  }
  return valori;
}

std::string conValoreIni(std::string_view testo, std::string_view sezione, std::string_view chiave,
                         std::string_view valore) {
  std::string unaRiga(valore);
  for (char& c : unaRiga)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  const std::string nuova = std::string(chiave) + "=" + unaRiga;
  const std::string intestazione = "[" + std::string(sezione) + "]";

  auto r = righe(testo);
  if (const auto s = cercaSezione(r, sezione)) {
    if (const auto riga = cercaChiave(r, *s, chiave)) {
      r[*riga] = nuova;
    } else {
      std::size_t dopo = s->fine;
      while (dopo > s->intestazione + 1 && tagliaBlank(r[dopo - 1]).empty()) --dopo;
      r.insert(r.begin() + static_cast<std::ptrdiff_t>(dopo), nuova);
    }
  } else {
    // A blank line keeps the new section apart from the one before it.
    if (!r.empty() && !tagliaBlank(r.back()).empty()) r.emplace_back();
    r.emplace_back(intestazione);
    r.emplace_back(nuova);
  }
  std::string t;
  for (std::string_view riga : r) {
    t += riga;
    t += "\r\n";
  }
  return t;
}

}  // namespace velmo
