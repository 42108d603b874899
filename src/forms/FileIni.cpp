#include "forms/FileIni.h"

#include <cstdlib>
#include <stdexcept>

#include "forms/ModGenerale.h"
#include "core/files/TestoIni.h"
#include "core/files/Windows1252.h"

namespace velmo {

namespace {

constexpr const char* fineMancante = "\r\n\r\nE' necessario reinstallare l'applicazione... :(";

[[noreturn]] void msubFileMancante(const std::string& file) {
  Piattaforma& p = piattaforma();
  p.msgBox(pfuncTestoFileMancante(file), Pulsanti::ok, Icona::esclamazione, titoloService);
  p.termina(1);
  std::abort();  // termina does not return
}

// A refusal is reported once for a row of them: the next write of the same
// file that fails right after the box was closed (the other values of a
// leaderboard or a saved game) stays silent.
void msubScritturaRifiutata(const std::string& file) {
  Piattaforma& p = piattaforma();
  constexpr double stessaSerie = 1.0;  // seconds
  if (modGenerale.ultimoRifiuto.file == file && p.secondiMonotoni() - modGenerale.ultimoRifiuto.quando < stessaSerie)
    return;
  p.msgBox(pfuncTestoScritturaRifiutata(file), Pulsanti::ok, Icona::esclamazione, titoloService);
  modGenerale.ultimoRifiuto = {file, p.secondiMonotoni()};
}

// Far above any settings file or saved game, even one sharing its file with
// other sections: a larger file is not read into memory, and a reader treats
// it as one that cannot be read.
constexpr std::uintmax_t dimensioneMassima = 16u << 20;

std::string mfuncLeggiTesto(const std::string& file) {
  Piattaforma& p = piattaforma();
  if (const auto dimensione = p.dimensioneFile(file); dimensione && *dimensione > dimensioneMassima)
    throw std::runtime_error("File too large");  // as the system words its errors (EFBIG)
  return p.leggiFile(file);
}

}  // namespace

std::string pfuncTestoFileMancante(const std::string& percorso) {
  return "Impossibile trovare il file:\r\n\r\n" + percorso + fineMancante;
}

std::string pfuncTestoFileMancanteAvvio(const std::string& percorso) {
  return "Impossibile trovare il file:\r\n\r\n" + percorso + "." + fineMancante;
}

std::string pfuncTestoScritturaRifiutata(const std::string& percorso) {
  return "Impossibile scrivere nel file:\r\n\r\n" + percorso + "\r\n\r\nLa modifica non è stata salvata... :(";
}

std::int16_t pfuncVerificaFile(const std::string& percorso) {
  const auto dimensione = piattaforma().dimensioneFile(percorso);
  if (!dimensione) return -1;
  return *dimensione > 0 ? 1 : 0;
}

std::string pfuncLeggiIni(const std::string& file, const std::string& sezione, const std::string& chiave) {
  if (pfuncVerificaFile(file) != 1) msubFileMancante(file);
  std::string valore;
  pTrappaErrori("routine pfuncLeggiIni", [&] {
    const std::string testo = mfuncLeggiTesto(file);
    valore = daWindows1252(valoreIni(testo, aWindows1252(sezione), aWindows1252(chiave)));
  });
  return valore;
}

void pfuncScriviIni(const std::string& file, const std::string& sezione, const std::string& chiave,
                    const std::string& valore) {
  if (!pfuncScriviValoriIni(file, sezione, {{chiave, valore}})) msubScritturaRifiutata(file);
}

bool pfuncScriviValoriIni(const std::string& file, const std::string& sezione,
                          const std::vector<std::pair<std::string, std::string>>& valori) {
  Piattaforma& p = piattaforma();
  if (file == modGenerale.percorsoIni) {
    if (pfuncVerificaFile(file) != 1) msubFileMancante(file);
    pTrappaErrori("routine pfuncScriviIni", [&] { p.togliSolaLettura(file); });
  }
  p.togliSolaLettura(file);  // a new file is not there yet: nothing to clear

  // The rest of the file is kept as it is: a file that exists but cannot be
  // read is not rewritten.
  std::string testo;
  if (p.dimensioneFile(file)) {
    try {
      testo = mfuncLeggiTesto(file);
    } catch (const std::exception&) {
      return false;
    }
  }
  const std::string sezione1252 = aWindows1252(sezione);
  for (const auto& [chiave, valore] : valori)
    testo = conValoreIni(testo, sezione1252, aWindows1252(chiave), aWindows1252(valore));
  return p.sostituisciFile(file, testo);
}

std::optional<std::vector<std::string>> pfuncLeggiValoriIni(const std::string& file, const std::string& sezione,
                                                            const std::vector<std::string>& chiavi) {
  if (pfuncVerificaFile(file) != 1) return std::nullopt;
  std::string testo;
  try {
    testo = mfuncLeggiTesto(file);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  std::vector<std::string> chiavi1252;
  for (const std::string& c : chiavi) chiavi1252.push_back(aWindows1252(c));
  std::vector<std::string> valori = valoriIni(testo, aWindows1252(sezione), chiavi1252);
  for (std::string& v : valori) v = daWindows1252(v);
  return valori;
}

}  // namespace velmo
