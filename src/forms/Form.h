#pragma once
// A window of the program: its caption, size, pointer, controls and menu bar
// as data, and its event handlers. The platform shows it and forwards the
// user's events to the handlers.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/Controlli.h"

namespace velmo {

// Labels laid out in rows and columns, which a screen reader reads as a
// table with named columns in place of the labels one by one.
struct TabellaAccessibile {
  struct Cella {
    const Controllo* controllo = nullptr;  // where it lies on the screen
    std::string testo;  // what it reads; empty: its label's caption, trimmed
  };
  std::string nome;
  std::vector<std::string> colonne;
  std::vector<std::vector<Cella>> righe;

  static std::string testo(const Cella& c);
  // Whether a screen reader reads `c` inside the table, not on its own.
  bool comprende(const Controllo& c) const;
};

class Form {
 public:
  explicit Form(std::string nome) : nome_(std::move(nome)) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& nome() const { return nome_; }

  const std::string& caption() const { return caption_; }
  int width() const { return width_; }
  int height() const { return height_; }
  Puntatore mousePointer() const { return puntatore_; }
  Figura mouseIcon() const { return icona_; }
  bool loaded() const { return caricata_; }
  // The colour between the controls; nullopt leaves the system's.
  std::optional<Colore> backColor() const { return sfondo_; }
  // Whether the title bar offers a close command.
  bool closeCommand() const { return chiusura_; }
  // A window without border or title bar, such as a splash.
  bool senzaBordo() const { return senzaBordo_; }
  // To a screen reader: a dialog, read with its text as it opens.
  bool dialogo() const { return dialogo_; }
  // What a screen reader calls the window where its caption would not tell
  // it from another window's; empty: the caption.
  const std::string& nomeAccessibile() const { return nomeAccessibile_; }
  // What a screen reader reads after the name as the window opens, where
  // its labels do not say it (a table's rows); empty: nothing more.
  const std::string& descrizioneAccessibile() const { return descrizioneAccessibile_; }
  // The window's labels that read as a table; none when it has no columns.
  const TabellaAccessibile& tabellaAccessibile() const { return tabella_; }

  void setCaption(std::string c) { imposta(caption_, std::move(c)); }
  void setSize(int width, int height);
  void setMousePointer(Puntatore p) { imposta(puntatore_, p); }
  void setMouseIcon(Figura f) { imposta(icona_, f); }
  void setBackColor(Colore c) { imposta(sfondo_, std::optional<Colore>(c)); }
  void setCloseCommand(bool c) { imposta(chiusura_, c); }
  void setSenzaBordo(bool s) { imposta(senzaBordo_, s); }
  void setDialogo(bool d) { imposta(dialogo_, d); }
  void setNomeAccessibile(std::string n) { imposta(nomeAccessibile_, std::move(n)); }
  void setDescrizioneAccessibile(std::string d) { imposta(descrizioneAccessibile_, std::move(d)); }

  // What the platform draws: controls at the window's top level (containers
  // bring their children) and the menus of the menu bar.
  const std::vector<Controllo*>& controlli() const { return controlli_; }
  const std::vector<VoceMenu*>& menuBar() const { return menuBar_; }
  // The menu item whose accelerator is this key ("F2" without shift), enabled
  // or not; nullptr for any other key. Such a key belongs to the menu and
  // never reaches Form_KeyDown or Form_KeyUp.
  VoceMenu* voceDelTasto(int codice, int shift) const;
  // The button a dialog's key presses: Return the default one, Escape the
  // cancel one; nullptr for another key, or when that button is missing,
  // hidden or disabled. A key that presses a button reaches no key handler.
  Pulsante* pulsanteDelTasto(int codice, int shift) const;

  // Loads the window (creating it on the platform, then Form_Load), shows
  // it, and unloads it (Form_Unload, then the platform lets it go). A modal
  // Show returns when the window has been unloaded.
  void Load();
  void Show(bool modale = false);
  void Unload();

  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  virtual void Form_KeyDown(int /*codice*/, int /*shift*/) {}
  virtual void Form_KeyUp(int /*codice*/, int /*shift*/) {}
  // The window became the active one, or stopped being it.
  virtual void Form_Activate() {}
  virtual void Form_Deactivate() {}
  // A left click on the window between its controls.
  virtual void Form_Click() {}
  // The window manager asks to close the window; by default it unloads.
  virtual void Form_QueryClose() { Unload(); }

  void osserva(std::function<void()> osservatore) { osservatore_ = std::move(osservatore); }

  // Shift-state bits of key and mouse events.
  static constexpr int shiftMask = 1, ctrlMask = 2, altMask = 4;

 protected:
  void aggiungi(Controllo& c) { controlli_.push_back(&c); }
  void aggiungiMenu(VoceMenu& m) { menuBar_.push_back(&m); }
  // Set before the window is created: the platform lays the table out once.
  void setTabellaAccessibile(TabellaAccessibile t) { tabella_ = std::move(t); }

 private:
  template <class T>
  void imposta(T& campo, T valore) {
    if (campo == valore) return;
    campo = std::move(valore);
    if (osservatore_) osservatore_();
  }

  std::string nome_, caption_;
  int width_ = 4800, height_ = 3600;
  Puntatore puntatore_ = Puntatore::predefinito;
  Figura icona_ = Figura::nessuna;
  std::optional<Colore> sfondo_;
  bool chiusura_ = true;
  bool senzaBordo_ = false;
  bool dialogo_ = false;
  std::string nomeAccessibile_, descrizioneAccessibile_;
  TabellaAccessibile tabella_;
  bool caricata_ = false;
  std::vector<Controllo*> controlli_;
  std::vector<VoceMenu*> menuBar_;
  std::function<void()> osservatore_;
};

}  // namespace velmo
