#pragma once
// The deterministic platform of the tests: a virtual clock that only waits
// advance, firing due timer ticks and scripted user events in time order;
// message boxes, input boxes and dialogs answered from a script; a record of
// everything shown and played.

#include <deque>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/Piattaforma.h"

namespace velmo::test {

// Thrown by termina(): the program has ended. Not a std::exception, so the
// program's own error traps let it through.
struct ProgrammaTerminato {
  int codice;
};

// A script that does not cover what the program asked (an unanswered
// question, a modal window left open); also let through by the traps.
struct ErroreScript {
  std::string cosa;
};

struct MessaggioMostrato {
  std::string testo;
  Pulsanti pulsanti;
  Icona icona;
  std::string titolo;
  double tempo;
};

struct InputMostrato {
  std::string testo, titolo, predefinito;
};

struct SuonoSuonato {
  std::string suono;  // cue id or file path
  double tempo;
};

class PiattaformaTest : public Piattaforma {
 public:
  PiattaformaTest();
  ~PiattaformaTest() override;

  // --- Script -------------------------------------------------------------
  // A user event (a click, a key, a menu command) at a virtual time.
  void alle(double tempo, std::function<void()> evento);
  void tra(double ritardo, std::function<void()> evento) { alle(adesso_ + ritardo, std::move(evento)); }
  // Answers of the next message boxes, in order; an OK-only box needs none.
  // An answer given `dopo` seconds after the box appeared lets time run with
  // the box open: timers tick and scripted events come, and the box blocks
  // every window's input meanwhile, as a real one does.
  void rispondi(Risposta r, double dopo = 0) { risposte_.push_back({r, dopo}); }
  void rispondiInput(std::optional<std::string> r) { risposteInput_.push_back(std::move(r)); }
  void rispondiDialogo(std::optional<std::string> r) { risposteDialogo_.push_back(std::move(r)); }
  // Runs virtual time forward, processing what falls due.
  void avanza(double secondi);

  // User input as the real platform delivers it: a disabled or hidden
  // control gets nothing, a disabled menu item's key does nothing, and a
  // window under a modal window or a message box gets nothing at all.
  // A left click is MouseDown, MouseUp, then Click if the control is still
  // enabled and shown; a right click is MouseDown and MouseUp.
  void clic(Immagine& img);
  void clic(Pulsante& p);
  void clicDestro(Immagine& img);
  void clic(Etichetta& l);
  void clicDestro(Etichetta& l);
  // A left click on a container: MouseDown and MouseUp (it has no Click).
  void clic(Contenitore& c);
  // The pointer moving over a label.
  void sorvola(Etichetta& l);
  // The user switching to another program and back: a shown window is
  // activated as it appears, and again each time the user comes back.
  void attiva(Form& form);
  void disattiva(Form& form);
  // The window minimised, on another workspace or covered (false), and shown
  // again (true): its timers that only move what it shows hold meanwhile.
  void vedi(Form& form, bool vista);
  void scegli(VoceMenu& voce);
  void tasto(Form& form, int codice, int shift = 0);  // down and up
  void chiudi(Form& form);  // the window manager's close request

  // The modal window on top, for events scripted into it; nullptr if none.
  Form* modale() const { return modali_.empty() ? nullptr : modali_.back(); }
  // Whether a message box is open.
  bool messaggioAperto() const { return !messaggiAperti_.empty(); }
  // Escape or the window manager's close request on the message box open
  // now (one answered `dopo` seconds late): an OK box closes as OK at once;
  // a Yes/No box has no implicit answer and stays open, as on screen.
  void chiudiMessaggio();

  // --- Record -------------------------------------------------------------
  double adesso() const { return adesso_; }
  std::vector<MessaggioMostrato> messaggi;
  std::vector<InputMostrato> input;
  std::vector<SuonoSuonato> suoni;
  std::vector<std::string> popup;  // captions of the visible items of each pop-up
  std::vector<DialogoFile> dialoghi;  // the file dialogs shown, in order
  // Called as each file dialog shows, before its answer.
  std::function<void(const DialogoFile&)> alDialogo;
  int beepSuonati = 0;
  std::vector<std::string> annunci;  // what a screen reader was told, in order
  ZonaTastiera* fuoco = nullptr;     // where daiFuoco last put the focus
  int fermate = 0;
  std::vector<std::string> registro;  // everything, in order: "msg ...", "suono ...", "beep", "popup ..."
  // Called with each new entry of the record as it happens, so a test can
  // script an event at a moment of a sequence ("suono id_09", "msg ...").
  std::function<void(const std::string&)> allAnnotazione;

  // --- Facts set by the test -----------------------------------------------
  double inizioGiorno = 10 * 3600.0;  // time of day at virtual 0
  Dimensioni schermo_{1280, 1024};
  // The modes a switch may choose, as the display server lists them; any
  // other size is refused. On a screen turned a quarter (`schermoGirato`)
  // each shows the other way round, and `schermo_` is what the screen shows.
  std::vector<Dimensioni> modi{{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}, {3840, 2160}};
  bool schermoGirato = false;
  int profondita = 32;
  int numeroDispositiviAudio = 1;
  VersioneSistema versione{"Linux", 6, 1};
  bool altraIstanza = false;
  // Operations that fail as a broken system would: they throw
  // std::runtime_error("guasto di prova: <name>"). Names: "schermo",
  // "profonditaColore", "versioneSistema", "cambiaRisoluzione".
  std::set<std::string> guasti;
  std::string cartella = "/opt/velmo";
  std::vector<std::string> indirizziAperti;
  std::pair<int, int> posizioneMouse{640, 512};  // screen pixels

  // Files, in memory, by path. Writes replace a file whole, as the real
  // platform's do; each one is also recorded, in order.
  struct FileVirtuale {
    std::string contenuto;
    bool solaLettura = false;
    bool illeggibile = false;  // there, but every read fails
  };
  std::map<std::string, FileVirtuale> file;
  // Every write refused, as on a full disk or a read-only file system.
  bool scrittureRifiutate = false;
  std::vector<std::pair<std::string, std::string>> scritture;  // path, content
  int letture = 0;

  // The screen: where windows lie (their size is the form's, 15 twips a
  // pixel), the rectangles drawn on it and the controls repainted.
  int sinistraFinestre = 100, altoFinestre = 80;
  struct RettangoloDisegnato {
    Rettangolo r;
    Colore riempimento;
    double tempo;
  };
  std::vector<RettangoloDisegnato> rettangoli;
  std::vector<const Controllo*> ridisegnati;

  // --- Piattaforma --------------------------------------------------------
  double secondiMonotoni() override { return adesso_; }
  double oraDelGiorno() override;
  void elaboraEventi() override;
  void attendiEventi(double scadenza) override;
  void creaForm(Form& form) override;
  void mostraForm(Form& form, bool modale) override;
  void distruggiForm(Form& form) override;
  void mostraMenuPopup(Form& form, VoceMenu& menu) override;
  Risposta msgBox(const std::string& testo, Pulsanti pulsanti, Icona icona,
                  const std::string& titolo) override;
  std::optional<std::string> inputBox(const std::string& testo, const std::string& titolo,
                                      const std::string& predefinito) override;
  std::optional<std::string> dialogoApri(const DialogoFile& d) override;
  std::optional<std::string> dialogoSalva(const DialogoFile& d) override;
  void annuncia(const Form& form, const std::string& testo) override;
  void daiFuoco(const Form& form, ZonaTastiera& zona) override;
  void suonaRisorsa(const std::string& id) override;
  void suonaFile(const std::string& percorso) override;
  void fermaSuono() override;
  int dispositiviAudio() override { return numeroDispositiviAudio; }
  void beep() override;
  Dimensioni schermo() override {
    guasto("schermo");
    return schermo_;
  }
  int profonditaColore() override {
    guasto("profonditaColore");
    return profondita;
  }
  std::vector<Dimensioni> modiDisplay() override;
  bool cambiaRisoluzione(Dimensioni d) override;
  Rettangolo rettangoloFinestra(const Form& form) override;
  void disegnaRettangolo(const Rettangolo& r, Colore riempimento) override;
  void ridisegna(const Controllo& c) override;
  VersioneSistema versioneSistema() override {
    guasto("versioneSistema");
    return versione;
  }
  bool altraIstanzaAttiva() override { return altraIstanza; }
  std::string cartellaProgramma() override { return cartella; }
  std::optional<std::uintmax_t> dimensioneFile(const std::string& percorso) override;
  bool impostaSolaLettura(const std::string& percorso) override;
  bool togliSolaLettura(const std::string& percorso) override;
  std::string leggiFile(const std::string& percorso) override;
  bool sostituisciFile(const std::string& percorso, const std::string& contenuto) override;
  bool apriIndirizzo(const std::string& indirizzo) override;
  void spostaMouse(int x, int y) override;
  [[noreturn]] void termina(int codice) override;

 private:
  struct Orologio {
    Timer* timer;
    double prossimo = std::numeric_limits<double>::infinity();
  };
  void annota(std::string voce);
  void guasto(const char* operazione) const;
  void registraTimer(Controllo& c, const Form& form);
  // Sets the timer's next tick from now, or never while it is stopped or
  // held by its hidden window.
  void arma(Timer& t, const Form& form);
  std::optional<std::string> dialogo(const std::string& voce, const DialogoFile& d);
  // The next thing due: a scripted event or a timer tick; false when none
  // falls due by `limite`.
  bool eseguiProssimo(double limite);
  // The loaded window a control or menu item belongs to, when its input can
  // reach it; nullptr when it cannot.
  Form* destinatario(const void* elemento) const;
  // Whether the user's input reaches a control now.
  std::function<bool()> raggiungibile(const Controllo& c) const;

  double adesso_ = 0;
  std::multimap<double, std::function<void()>> script_;
  std::vector<Orologio> orologi_;  // in order of creation, which breaks ties
  std::map<const Form*, std::vector<Timer*>> timerDi_;
  std::vector<Form*> modali_;
  std::set<const Form*> nascoste_;
  // The buttons of each box open now, the innermost last, and whether an OK
  // box was closed early.
  std::vector<Pulsanti> messaggiAperti_;
  bool messaggioChiuso_ = false;
  std::map<const void*, Form*> padroni_;  // every control and menu item of a loaded window
  struct RispostaScritta {
    Risposta risposta;
    double dopo;
  };
  std::deque<RispostaScritta> risposte_;
  std::deque<std::optional<std::string>> risposteInput_, risposteDialogo_;
};

}  // namespace velmo::test
