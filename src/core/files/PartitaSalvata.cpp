#include "core/files/PartitaSalvata.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "core/common/Conversioni.h"

namespace velmo {

namespace {

// The disguise: code words for states, offsets for numbers.
constexpr const char* chiaveAvviso = "ATTENZIONE";
constexpr const char* testoAvviso = "LA MANOMISSIONE DI QUESTO FILE COMPORTA LA CORRUZIONE DELLO STESSO !";
constexpr int primaChiaveColonna = 9;  // column c is key c + 8
constexpr int primaChiaveCella = 31;   // cell i is key i + 30
constexpr const char* colonnaAperta = "mah";
constexpr const char* colonnaChiusa = "boh";
constexpr const char* cellaGiocatore = "com";
constexpr const char* cellaComputer = "+k7.";
constexpr const char* cellaVuota = "brenvo";
constexpr const char* annullaSi = "undeclinable ambuscade";
constexpr const char* annullaNo = "millencolin";
constexpr const char* coloreGialle = "true";
constexpr const char* coloreRosse = "false";

struct CampoNumerico {
  const char* chiave;
  double scarto;  // added when writing, subtracted when reading
};
constexpr CampoNumerico ultimaColonnaComputer{"varifercocinobulan", 13};
constexpr CampoNumerico ultimaColonnaGiocatore{"nalubonicocrefirav", 13};
constexpr const char* chiaveAnnulla = "spelunar";
constexpr CampoNumerico vite{"var", 77};
constexpr const char* chiaveColore = "su";
constexpr CampoNumerico vittorieComputer{"forin", 15};
constexpr CampoNumerico vittorieGiocatore{"timal", 35};
constexpr CampoNumerico punteggio{"pal", 678349};
constexpr CampoNumerico caselleLibere{"tetris", -5674};  // the one subtracted when writing
constexpr CampoNumerico percentualeLibera{"millesimali", 871};
constexpr CampoNumerico minuti{"didi", 269};
constexpr CampoNumerico secondi{"dada", 516};

std::string chiaveColonna(int c) { return std::to_string(c + primaChiaveColonna - 1); }
std::string chiaveCella(int i) { return std::to_string(i + primaChiaveCella - 1); }

// Whole numbers in 64 bits, so no field plus its offset overflows.
std::string testoIntero(CampoNumerico campo, std::int64_t valore) {
  return taglia(testoNumero(valore + static_cast<std::int64_t>(campo.scarto)));
}

const char* testoCella(Side s) {
  switch (s) {
    case Side::giocatore: return cellaGiocatore;
    case Side::computer: return cellaComputer;
    case Side::nessuna: break;
  }
  return cellaVuota;
}

std::string minuscoleTagliate(const std::string& s) {
  std::string t = taglia(s);
  for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return t;
}

// The stored number: the leading number of the trimmed text, less the
// offset, rounded to the field; a value the field cannot hold leaves it.
template <class T>
void leggiIntero(T& campo, const std::string& testo, CampoNumerico c) {
  try {
    const double x = valoreIniziale(testo) - c.scarto;
    if constexpr (sizeof(T) == sizeof(std::int16_t))
      campo = interoCorto(x);
    else
      campo = interoLungo(x);
  } catch (const std::overflow_error&) {
  }
}

void leggiSingolo(float& campo, const std::string& testo, CampoNumerico c) {
  const double x = valoreIniziale(testo) - c.scarto;
  if (std::isfinite(x) && std::fabs(x) <= std::numeric_limits<float>::max()) campo = static_cast<float>(x);
}

// What play never leaves behind, and what the moves rely on: no piece over
// an empty cell, an arrow over each column that is not full and none over
// a full one, the free cells counted right, and an enabled undo finding the
// computer's last piece on top and the player's under it.
bool tavolaCoerente(const PartitaSalvata& p) {
  Grid g = p.grid;
  int vuote = 0;
  for (int c = 1; c <= tavola::colonne; ++c) {
    bool vuotaSotto = false;
    for (int r = 1; r <= tavola::righe; ++r) {
      const bool vuota = g[tavola::cella(c, r)] == Side::nessuna;
      if (!vuota && vuotaSotto) return false;
      vuotaSotto = vuotaSotto || vuota;
      vuote += vuota;
    }
    if (p.colonneAperte[static_cast<std::size_t>(c - 1)] == g.colonnaPiena(c)) return false;
  }
  if (vuote != g.freeCells) return false;
  if (!p.annullaAbilitato) return true;
  for (auto [colonna, lato] : {std::pair{p.moveHistory.lastComputerColumn, Side::computer},
                               std::pair{p.moveHistory.lastPlayerColumn, Side::giocatore}}) {
    const int cella = colonna >= 1 && colonna <= tavola::colonne ? g.cellaPiuAlta(colonna) : 0;
    if (cella == 0 || g[cella] != lato) return false;
    g[cella] = Side::nessuna;
  }
  return true;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> valoriPartita(const PartitaSalvata& p) {
  std::vector<std::pair<std::string, std::string>> v;
  v.emplace_back(chiaveAvviso, testoAvviso);
  for (int c = 1; c <= tavola::colonne; ++c)
    v.emplace_back(chiaveColonna(c), p.colonneAperte[static_cast<std::size_t>(c - 1)] ? colonnaAperta : colonnaChiusa);
  for (int i = 1; i <= tavola::celle; ++i) v.emplace_back(chiaveCella(i), testoCella(p.grid[i]));
  v.emplace_back(ultimaColonnaComputer.chiave, testoIntero(ultimaColonnaComputer, p.moveHistory.lastComputerColumn));
  v.emplace_back(ultimaColonnaGiocatore.chiave, testoIntero(ultimaColonnaGiocatore, p.moveHistory.lastPlayerColumn));
  v.emplace_back(chiaveAnnulla, p.annullaAbilitato ? annullaSi : annullaNo);
  v.emplace_back(vite.chiave, testoIntero(vite, p.match.lives));
  v.emplace_back(chiaveColore, p.gialle ? coloreGialle : coloreRosse);
  v.emplace_back(vittorieComputer.chiave, testoIntero(vittorieComputer, p.match.victories[1]));
  v.emplace_back(vittorieGiocatore.chiave, testoIntero(vittorieGiocatore, p.match.victories[0]));
  v.emplace_back(punteggio.chiave, testoIntero(punteggio, p.match.score));
  v.emplace_back(caselleLibere.chiave, testoIntero(caselleLibere, p.grid.freeCells));
  // Single precision, as the percentage is held.
  const float percentuale = p.grid.freePercent + static_cast<float>(percentualeLibera.scarto);
  v.emplace_back(percentualeLibera.chiave, taglia(testoSingolo(percentuale)));
  v.emplace_back(minuti.chiave, testoIntero(minuti, p.match.clockMinutes));
  v.emplace_back(secondi.chiave, testoIntero(secondi, p.match.clockSeconds));
  return v;
}

std::vector<std::string> chiaviLettePartita() {
  std::vector<std::string> chiavi;
  for (const auto& [chiave, valore] : valoriPartita(PartitaSalvata{}))
    if (chiave != chiaveAvviso) chiavi.push_back(chiave);
  return chiavi;
}

LetturaPartita leggiPartita(const std::function<std::string(const std::string& chiave)>& valore,
                            const PartitaSalvata& nuova) {
  LetturaPartita l{nuova, std::nullopt};
  PartitaSalvata& p = l.partita;
  auto rifiuta = [&](PassoLettura passo) {
    l.rifiuto = passo;
    return l;
  };

  std::array<std::string, tavola::colonne> colonne;
  for (int c = 1; c <= tavola::colonne; ++c) colonne[static_cast<std::size_t>(c - 1)] = valore(chiaveColonna(c));
  for (int c = 1; c <= tavola::colonne; ++c) {
    const std::string t = minuscoleTagliate(colonne[static_cast<std::size_t>(c - 1)]);
    if (t != colonnaAperta && t != colonnaChiusa) return rifiuta(PassoLettura::colonne);
    p.colonneAperte[static_cast<std::size_t>(c - 1)] = t == colonnaAperta;
  }

  std::array<std::string, tavola::celle> celle;
  for (int i = 1; i <= tavola::celle; ++i) celle[static_cast<std::size_t>(i - 1)] = valore(chiaveCella(i));
  for (int i = 1; i <= tavola::celle; ++i) {
    const std::string t = minuscoleTagliate(celle[static_cast<std::size_t>(i - 1)]);
    if (t == cellaGiocatore)
      p.grid[i] = Side::giocatore;
    else if (t == cellaVuota)
      p.grid[i] = Side::nessuna;
    else if (t == cellaComputer)
      p.grid[i] = Side::computer;
    else
      return rifiuta(PassoLettura::celle);
  }

  MoveHistory& m = p.moveHistory;
  leggiIntero(m.lastComputerColumn, valore(ultimaColonnaComputer.chiave), ultimaColonnaComputer);
  leggiIntero(m.lastPlayerColumn, valore(ultimaColonnaGiocatore.chiave), ultimaColonnaGiocatore);
  // Two equal columns are a computer's answer in the player's column: the
  // program writes them, so they are no sign of tampering.
  for (std::int16_t colonna : {m.lastComputerColumn, m.lastPlayerColumn})
    if (colonna < 0 || colonna > tavola::colonne) return rifiuta(PassoLettura::ultimeColonne);

  const std::string annulla = taglia(valore(chiaveAnnulla));
  if (annulla != annullaSi && annulla != annullaNo) return rifiuta(PassoLettura::annullamento);
  p.annullaAbilitato = annulla == annullaSi;

  leggiIntero(p.match.lives, valore(vite.chiave), vite);
  if (p.match.lives > MatchState::viteIniziali || p.match.lives < 1) return rifiuta(PassoLettura::vite);

  const std::string colore = taglia(valore(chiaveColore));
  if (colore != coloreGialle && colore != coloreRosse) return rifiuta(PassoLettura::colore);
  p.gialle = colore == coloreGialle;

  leggiIntero(p.match.vittorie(2), valore(vittorieComputer.chiave), vittorieComputer);
  leggiIntero(p.match.vittorie(1), valore(vittorieGiocatore.chiave), vittorieGiocatore);
  if (p.match.vittorie(1) < 0 || p.match.vittorie(2) < 0) return rifiuta(PassoLettura::vittorie);

  leggiIntero(p.match.score, valore(punteggio.chiave), punteggio);
  leggiIntero(p.grid.freeCells, valore(caselleLibere.chiave), caselleLibere);
  if (p.grid.freeCells < 0 || p.grid.freeCells > tavola::celle) return rifiuta(PassoLettura::caselleLibere);
  leggiSingolo(p.grid.freePercent, valore(percentualeLibera.chiave), percentualeLibera);

  leggiIntero(p.match.clockMinutes, valore(minuti.chiave), minuti);
  leggiIntero(p.match.clockSeconds, valore(secondi.chiave), secondi);
  // The clock stops at 60 : 00 and a match saved then is the program's own;
  // no play reaches 60 minutes and some seconds.
  if (p.match.clockMinutes < 0 || p.match.clockMinutes > 60 || p.match.clockSeconds < 0 ||
      p.match.clockSeconds > 59 || (p.match.clockMinutes == 60 && p.match.clockSeconds != 0))
    return rifiuta(PassoLettura::orologio);

  if (!tavolaCoerente(p)) return rifiuta(PassoLettura::tavola);
  return l;
}

}  // namespace velmo
