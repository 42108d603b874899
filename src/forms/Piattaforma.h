#pragma once
// Every service of the operating system and the toolkit, behind one
// interface: the real one runs on Qt 6, the test one on virtual time.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forms/Controlli.h"
#include "core/system/Sistema.h"

namespace velmo {

class Form;

enum class Pulsanti { ok, siNo };
enum class Icona { nessuna, informazione, domanda, esclamazione, critica };
enum class Risposta { ok, si, no };

struct Rettangolo {
  int left = 0, top = 0, right = 0, bottom = 0;  // screen pixels
};

// What a file dialog shows and offers.
struct DialogoFile {
  std::string titolo;
  std::string nomeIniziale;     // a pattern ("*.vl2") lists only the files it matches
  std::string descrizioneTipo;  // the name of the files listed
  std::string cartellaIniziale;
  std::string estensione;  // without the dot: "vl2"
};

class Piattaforma {
 public:
  virtual ~Piattaforma() = default;

  // --- Time ---------------------------------------------------------------
  // Seconds on a clock that never jumps or wraps; only differences count.
  virtual double secondiMonotoni() = 0;
  // Seconds since midnight with fractions (wraps at midnight).
  virtual double oraDelGiorno() = 0;

  // --- Events -------------------------------------------------------------
  // Processes the pending window events once and returns at once.
  virtual void elaboraEventi() = 0;
  // Processes window events, blocking until at least one was handled or the
  // monotonic deadline has come.
  virtual void attendiEventi(double scadenza) = 0;

  // --- Windows ------------------------------------------------------------
  virtual void creaForm(Form& form) = 0;  // before Form_Load: bind the controls
  // Shows the window; a modal show returns once the window is unloaded.
  virtual void mostraForm(Form& form, bool modale) = 0;
  virtual void distruggiForm(Form& form) = 0;  // after Form_Unload
  // Pops the menu up at the mouse position and returns when it closes.
  virtual void mostraMenuPopup(Form& form, VoceMenu& menu) = 0;
  virtual Risposta msgBox(const std::string& testo, Pulsanti pulsanti, Icona icona,
                          const std::string& titolo) = 0;
  // nullopt when cancelled.
  virtual std::optional<std::string> inputBox(const std::string& testo, const std::string& titolo,
                                              const std::string& predefinito) = 0;
  // The file dialogs; nullopt when cancelled. Open: the file and its folder
  // must exist. Save: the folder must exist, the name gets the extension
  // unless it ends with it, and an existing file is replaced only once the
  // user has agreed.
  virtual std::optional<std::string> dialogoApri(const DialogoFile& d) = 0;
  virtual std::optional<std::string> dialogoSalva(const DialogoFile& d) = 0;
  // Tells a screen reader what a sighted player has just seen happen in a
  // loaded window (a piece dropped, a round's end). Ignored for a window
  // not loaded.
  virtual void annuncia(const Form& form, const std::string& testo) = 0;
  // Moves the keyboard focus to a part of a loaded window, by the keyboard:
  // its GotFocus follows, and the reader reads it.
  virtual void daiFuoco(const Form& form, ZonaTastiera& zona) = 0;

  // --- Sound --------------------------------------------------------------
  // Each start stops the sound playing before; nothing falls back to a
  // default sound when a sound cannot be played.
  virtual void suonaRisorsa(const std::string& id) = 0;  // "id_01".."id_24"
  virtual void suonaFile(const std::string& percorso) = 0;
  virtual void fermaSuono() = 0;
  virtual int dispositiviAudio() = 0;
  virtual void beep() = 0;

  // --- Display ------------------------------------------------------------
  virtual Dimensioni schermo() = 0;  // pixels
  virtual int profonditaColore() = 0;  // bits per pixel
  virtual std::vector<Dimensioni> modiDisplay() = 0;
  virtual bool cambiaRisoluzione(Dimensioni d) = 0;  // false when refused
  // A window's rectangle on the screen, frame included; all zero for a
  // window not loaded.
  virtual Rettangolo rettangoloFinestra(const Form& form) = 0;
  // Draws a rectangle on the screen over every window, outside any of them:
  // filled with the colour, outlined with a thin black line. It stays until
  // the screen under it is repainted.
  virtual void disegnaRettangolo(const Rettangolo& r, Colore riempimento) = 0;
  // Repaints a control of a loaded window, wiping what was drawn over it.
  virtual void ridisegna(const Controllo& c) = 0;

  // --- System -------------------------------------------------------------
  virtual VersioneSistema versioneSistema() = 0;
  virtual bool altraIstanzaAttiva() = 0;
  virtual std::string cartellaProgramma() = 0;
  virtual std::optional<std::uintmax_t> dimensioneFile(const std::string& percorso) = 0;
  virtual bool impostaSolaLettura(const std::string& percorso) = 0;
  // Clears the read-only flag; false when the system refuses.
  virtual bool togliSolaLettura(const std::string& percorso) = 0;
  // The whole content of a file; throws std::runtime_error with the system's
  // description when it cannot be read.
  virtual std::string leggiFile(const std::string& percorso) = 0;
  // Creates or replaces a file whole through a new file in the same folder
  // renamed over it, so a crash at any moment leaves the old content or the
  // new one. A read-only file is refused like a full disk or a read-only
  // folder: false, and the old file stays as it was.
  virtual bool sostituisciFile(const std::string& percorso, const std::string& contenuto) = 0;
  virtual bool apriIndirizzo(const std::string& indirizzo) = 0;  // with the default handler
  virtual void spostaMouse(int x, int y) = 0;  // screen pixels
  // Ends the program at once, running nothing more of it.
  [[noreturn]] virtual void termina(int codice) = 0;
};

}  // namespace velmo
