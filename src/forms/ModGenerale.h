#pragma once
// The general module: program-wide values and the routines every window
// shares (waits, sounds, the error box, the random generator).

#include <cstdint>
#include <exception>
#include <string>

#include "core/common/Casuale.h"
#include "forms/Piattaforma.h"
#include "core/common/Prodotto.h"

namespace velmo {

class VoceMenu;

struct ModGenerale {
  static constexpr const char* nomeProdotto = prodotto::nome;
  static constexpr const char* versione = prodotto::versione;
  static constexpr const char* dataProgetto = prodotto::dataProgetto;
  static constexpr const char* nomeFileIni = "Velmo.001";
  static constexpr const char* nomeFileMusica = "Velmo.002";

  Piattaforma* piattaforma = nullptr;
  std::string nomeSistema;  // "WinXP", "Linux", "Sconosciuto", ...
  std::string percorsoIni, percorsoMusica;
  Dimensioni schermoAvvio;
  bool matchInProgress = false;
  bool noSoundDevice = false;
  // The "Audio off" menu item: its tick is the sound switch.
  const VoceMenu* audioOff = nullptr;
  Casuale casuale;
  // The last write of a file that the system refused, and when its message
  // was closed (monotonic seconds): a row of refusals is reported once.
  struct {
    std::string file;
    double quando = 0;
  } ultimoRifiuto;
};

extern ModGenerale modGenerale;

Piattaforma& piattaforma();

// " Brenvo Velmo 2.0": the caption of every window, before any suffix.
std::string pfuncCaptionBase();

// Titles of message boxes.
inline constexpr const char* titoloService = " Brenvo Info Service...";
inline constexpr const char* titoloCenter = " Brenvo Info Center...";
inline constexpr const char* testoNonPossoOra = "Non posso ora..";

// Waits while processing window events; returns at once when the time is
// not positive. Blocks between events, so a waiting program uses no CPU.
void psubAttendi(float secondi);

// Opens an address with the system's default handler.
bool pfuncGoUrl(const std::string& indirizzo);

// Sound sources.
inline constexpr const char* sorgenteRisorse = "File Risorse";
inline constexpr const char* sorgenteDisco = "Disco";

// Plays a cue of the program's resources (source "File Risorse") or a file
// (source "Disco"), then waits. Silent, without the wait, when there is no
// sound device or the sound is switched off.
void psubSuonaWave(const std::string& suono, const std::string& sorgente, float attesa);
void psubFermaSuono();
// A cue of the program's resources ("id_01".."id_24") with its wait.
inline void psubSuonaCue(const std::string& id, float attesa = 0) { psubSuonaWave(id, sorgenteRisorse, attesa); }

// Rnd, and the reseed from the time of day.
double Rnd();
void psubRandomize();

// "Non posso ora.." under " Brenvo Info Center...".
void psubNonPossoOra();

// The error box of a routine that met an unexpected error; the program then
// ends at once. `dove` is "routine psubAttendi" for a routine of this module
// or "frmGioco.msubFineRound" for one of a window.
std::string pfuncTestoErrore(const std::string& dove, const std::string& descrizione);
[[noreturn]] void psubErroreImprevisto(const std::string& dove, const std::exception& e);

// Runs a routine that traps its errors, reporting them with the error box.
template <class F>
void pTrappaErrori(const std::string& dove, F&& routine) {
  try {
    routine();
  } catch (const std::exception& e) {
    psubErroreImprevisto(dove, e);
  }
}

}  // namespace velmo
