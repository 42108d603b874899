// The INI-style text: read a value, write a value, read it back.
// Input: section, key and value, each ended by a NUL byte, then the file's
// text (which may hold NULs of its own). Properties:
// - a read is trimmed and at most 254 characters; the many-key read gives
//   what the one-key reads give;
// - after a write, a read of the same key gives the written value, trimmed
//   and cut to 254 (line breaks and NULs turned to blanks), whenever the
//   names are ones a file can hold; every other key reads as before;
// - writing the same value again changes nothing;
// - the file's bytes, taken into the program's UTF-8 and back, are the same.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Verifica.h"
#include "core/files/TestoIni.h"
#include "core/files/Windows1252.h"

namespace {

using velmo::lunghezzaMassimaValoreIni;

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view taglia(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The next field up to a NUL, or the rest when there is none.
std::string_view campo(std::string_view& resto) {
  const auto fine = resto.find('\0');
  const std::string_view c = resto.substr(0, fine);
  resto.remove_prefix(fine == std::string_view::npos ? resto.size() : fine + 1);
  return c;
}

// A name a line of the file can carry and give back: not empty, no blanks
// around it, no line break or NUL, none of the characters that end a name,
// and a key that does not read as a comment or a section.
bool stessoNome(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (velmo::minuscola1252(a[i]) != velmo::minuscola1252(b[i])) return false;
  return true;
}

bool nomeValido(std::string_view n, bool chiave) {
  if (n.empty() || taglia(n) != n) return false;
  for (char c : n)
    if (c == '\r' || c == '\n' || c == '\0' || c == '[' || c == ']' || c == '=') return false;
  return !(chiave && n.front() == ';');
}

void verificaLettura(std::string_view testo, std::string_view sezione, std::string_view chiave) {
  const std::string v = velmo::valoreIni(testo, sezione, chiave);
  VERIFICA(v.size() <= lunghezzaMassimaValoreIni);
  VERIFICA(v.size() == lunghezzaMassimaValoreIni || taglia(v) == v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t byte) {
  std::string_view resto(reinterpret_cast<const char*>(dati), byte);
  const std::string_view sezione = campo(resto), chiave = campo(resto), valore = campo(resto);
  const std::string_view testo = resto;

  VERIFICA(velmo::aWindows1252(velmo::daWindows1252(testo)) == testo);
  verificaLettura(testo, sezione, chiave);
  // Another key: the section's name with an "x", never the section itself.
  const std::string altra = std::string(sezione) + "x";
  const std::vector<std::string> chiavi{std::string(chiave), altra};
  const auto insieme = velmo::valoriIni(testo, sezione, chiavi);
  VERIFICA(insieme.size() == 2);
  VERIFICA(insieme[0] == velmo::valoreIni(testo, sezione, chiave));
  VERIFICA(insieme[1] == velmo::valoreIni(testo, sezione, altra));

  const std::string scritto = velmo::conValoreIni(testo, sezione, chiave, valore);
  verificaLettura(scritto, sezione, chiave);
  if (!nomeValido(sezione, false) || !nomeValido(chiave, true)) return 0;
  VERIFICA(velmo::conValoreIni(scritto, sezione, chiave, valore) == scritto);

  std::string atteso(valore);
  for (char& c : atteso)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  atteso = std::string(taglia(atteso).substr(0, lunghezzaMassimaValoreIni));
  VERIFICA(velmo::valoreIni(scritto, sezione, chiave) == atteso);
  // Other keys of the section, and the key in another section, read as before.
  if (!stessoNome(altra, chiave))
    VERIFICA(velmo::valoreIni(scritto, sezione, altra) == insieme[1]);
  VERIFICA(velmo::valoreIni(scritto, altra, chiave) == velmo::valoreIni(testo, altra, chiave));
  return 0;
}
