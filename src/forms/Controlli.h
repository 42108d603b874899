#pragma once
// Controls as data. Every window of the program is a set of these objects;
// handlers change their properties, and the platform mirrors each change on
// screen through the control's one change observer. Positions and sizes are
// in twips (15 twips a pixel at 96 dpi).

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/common/Colore.h"
#include "forms/Tasti.h"

namespace velmo {

// The pictures the program knows, by name; the platform decides how to draw.
enum class Figura {
  nessuna,  // no picture
  tabelloneSenzaPartita,
  tabelloneInPartita,
  pannello,
  cellaVuota,
  pedinaGialla,
  pedinaRossa,
  frecciaNera,
  frecciaRossa,
  vitaSi,
  vitaNo,
  manoAperta,
  manoChiusa,
  link,
  logoVelmo,
  coppa,
  // The splash.
  avvioSfondo,
  avvioLogo,
  avvioFascia,
  avvioTavola,
  avvioNota,
  sfondoInfo,  // background and frame of the information windows
  discoSpento,
  discoAcceso,
  logoBrenvo,
  logoBrenvoAcceso,
};

enum class Puntatore { predefinito, clessidra, vietato, personalizzato };

class Contenitore;

class Controllo {
 public:
  virtual ~Controllo() = default;
  Controllo() = default;
  Controllo(const Controllo&) = delete;
  Controllo& operator=(const Controllo&) = delete;

  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool visible() const { return visible_; }
  bool enabled() const { return enabled_; }
  const std::string& tag() const { return tag_; }
  Contenitore* padre() const { return padre_; }

  void move(int left, int top, int width, int height);
  void setLeft(int v) { move(v, top_, width_, height_); }
  void setTop(int v) { move(left_, v, width_, height_); }
  void setVisible(bool v) { imposta(visible_, v); }
  void setEnabled(bool v) { imposta(enabled_, v); }
  void setTag(std::string v) { imposta(tag_, std::move(v)); }
  // What a screen reader calls the control, in Italian; empty for a label
  // or button whose caption says it already.
  const std::string& nomeAccessibile() const { return nomeAccessibile_; }
  void setNomeAccessibile(std::string n) { imposta(nomeAccessibile_, std::move(n)); }
  // What a screen reader says of a label's value, where its caption would
  // read badly ("00 : 31"); empty: the caption.
  const std::string& valoreAccessibile() const { return valoreAccessibile_; }
  void setValoreAccessibile(std::string v) { imposta(valoreAccessibile_, std::move(v)); }

  // The one change observer: called after any property changed.
  void osserva(std::function<void()> osservatore) { osservatore_ = std::move(osservatore); }

 protected:
  template <class T>
  void imposta(T& campo, T valore) {
    if (campo == valore) return;
    campo = std::move(valore);
    notifica();
  }
  void notifica() const {
    if (osservatore_) osservatore_();
  }

 private:
  friend class Contenitore;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true, enabled_ = true;
  std::string tag_;
  std::string nomeAccessibile_;
  std::string valoreAccessibile_;
  Contenitore* padre_ = nullptr;
  std::function<void()> osservatore_;
};

// Mouse events as the handlers receive them: button 1 left, 2 right.
struct EventoMouse {
  int pulsante = 1, shift = 0;
  int x = 0, y = 0;  // twips inside the control
};

class Immagine : public Controllo {
 public:
  Figura figura() const { return figura_; }
  void setFigura(Figura f) { imposta(figura_, f); }

  std::function<void()> onClick;
  std::function<void(const EventoMouse&)> onMouseDown, onMouseUp, onMouseMove;

 private:
  Figura figura_ = Figura::nessuna;
};

class Etichetta : public Controllo {
 public:
  enum class Allineamento { sinistra, destra, centro };

  const std::string& caption() const { return caption_; }
  Colore foreColor() const { return fore_; }
  Colore backColor() const { return back_; }
  bool backTrasparente() const { return trasparente_; }
  bool bold() const { return bold_; }
  double fontSize() const { return fontSize_; }  // points: 8, 9.75, 13.5
  Allineamento alignment() const { return allineamento_; }

  void setCaption(std::string c) { imposta(caption_, std::move(c)); }
  void setForeColor(Colore c) { imposta(fore_, c); }
  void setBackColor(Colore c) {
    trasparente_ = false;
    imposta(back_, c);
  }
  void setBold(bool b) { imposta(bold_, b); }
  void setFontSize(double s) { imposta(fontSize_, s); }
  void setAlignment(Allineamento a) { imposta(allineamento_, a); }
  // The pointer over the label: predefinito leaves the window's; with
  // personalizzato the picture mouseIcon.
  Puntatore mousePointer() const { return puntatore_; }
  Figura mouseIcon() const { return icona_; }
  void setMousePointer(Puntatore p) { imposta(puntatore_, p); }
  void setMouseIcon(Figura f) { imposta(icona_, f); }
  const std::string& toolTipText() const { return suggerimento_; }
  void setToolTipText(std::string t) { imposta(suggerimento_, std::move(t)); }

  std::function<void()> onClick;
  std::function<void(const EventoMouse&)> onMouseDown, onMouseUp, onMouseMove;

 private:
  std::string suggerimento_;
  Puntatore puntatore_ = Puntatore::predefinito;
  Figura icona_ = Figura::nessuna;
  std::string caption_;
  Colore fore_{0, 0, 0}, back_{255, 255, 255};
  bool trasparente_ = true, bold_ = false;
  double fontSize_ = 8;
  Allineamento allineamento_ = Allineamento::sinistra;
};

class Linea : public Controllo {
 public:
  int x1() const { return x1_; }
  int y1() const { return y1_; }
  int x2() const { return x2_; }
  int y2() const { return y2_; }
  Colore colore() const { return colore_; }
  void setEstremi(int x1, int y1, int x2, int y2);
  void setColore(Colore c) { imposta(colore_, c); }

 private:
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  Colore colore_{0, 0, 0};
};

class Contenitore : public Controllo {
 public:
  Figura figura() const { return figura_; }
  void setFigura(Figura f) { imposta(figura_, f); }
  Colore backColor() const { return back_; }
  void setBackColor(Colore c) { imposta(back_, c); }

  void aggiungi(Controllo& figlio) {
    figlio.padre_ = this;
    figli_.push_back(&figlio);
  }
  const std::vector<Controllo*>& figli() const { return figli_; }

  // A hint for the platform: the labels inside change many times a second,
  // and painting them all on this one surface costs less than a window
  // object each. They stay controls like any other.
  bool etichetteDipinte() const { return etichetteDipinte_; }
  void setEtichetteDipinte(bool d) { imposta(etichetteDipinte_, d); }

  std::function<void(const EventoMouse&)> onMouseDown, onMouseUp, onMouseMove;

 private:
  bool etichetteDipinte_ = false;
  Figura figura_ = Figura::nessuna;
  Colore back_{0, 0, 0};
  std::vector<Controllo*> figli_;
};

class Pulsante : public Controllo {
 public:
  const std::string& caption() const { return caption_; }
  void setCaption(std::string c) { imposta(caption_, std::move(c)); }
  // The window's default button, which Return presses wherever the focus is
  // (but on another button, which takes its own Return), and its cancel
  // button, which Escape presses.
  bool predefinito() const { return predefinito_; }
  bool annullamento() const { return annullamento_; }
  void setPredefinito(bool p) { imposta(predefinito_, p); }
  void setAnnullamento(bool a) { imposta(annullamento_, a); }
  std::function<void()> onClick;

 private:
  std::string caption_;
  bool predefinito_ = false, annullamento_ = false;
};

// A part of a window that takes the keyboard focus where the mouse has
// pictures, such as a column of the board: it draws nothing but a mark
// while it has the focus, and the mouse goes through it to what lies under
// it. A screen reader reads its name when the focus comes, and may press
// it as a button.
class ZonaTastiera : public Controllo {
 public:
  std::function<void()> onGotFocus;
  std::function<void()> onClick;  // pressed: by a screen reader, or by premiConTasto
  // Space or Return, unshifted, press it (its window calls this for the
  // zone that has the focus); false for any other key.
  bool premiConTasto(int codice, int shift) const {
    if (shift != 0 || (codice != codiceTasto::spazio && codice != codiceTasto::invio)) return false;
    if (onClick) onClick();
    return true;
  }
  bool collegamento = false;  // read as a link rather than a button
  Colore coloreSegno{255, 220, 60};  // the focus mark, to stand out on what lies under
};

class CasellaControllo : public Controllo {
 public:
  const std::string& caption() const { return caption_; }
  bool value() const { return value_; }
  void setCaption(std::string c) { imposta(caption_, std::move(c)); }
  void setValue(bool v) { imposta(value_, v); }

 private:
  std::string caption_;
  bool value_ = false;
};

// A menu or menu item. A top-level menu holds items; "-" is a separator.
class VoceMenu : public Controllo {
 public:
  const std::string& caption() const { return caption_; }
  const std::string& tasto() const { return tasto_; }  // accelerator: "F2", ""
  bool checked() const { return checked_; }
  bool radio() const { return radio_; }
  bool separatore() const { return caption_ == "-"; }

  void setCaption(std::string c) { imposta(caption_, std::move(c)); }
  void setTasto(std::string t) { imposta(tasto_, std::move(t)); }
  void setChecked(bool c) { imposta(checked_, c); }
  void setRadio(bool r) { imposta(radio_, r); }

  void aggiungi(VoceMenu& voce) {
    voce.menuPadre_ = this;
    voci_.push_back(&voce);
  }
  const std::vector<VoceMenu*>& voci() const { return voci_; }
  VoceMenu* menuPadre() const { return menuPadre_; }

  // A command reaches its handler only while the item and every menu above
  // it are enabled, so a disabled item's key does nothing.
  bool attivabile() const;

  std::function<void()> onClick;

 private:
  std::string caption_, tasto_;
  bool checked_ = false, radio_ = false;
  std::vector<VoceMenu*> voci_;
  VoceMenu* menuPadre_ = nullptr;
};

// A timer ticks every interval milliseconds while enabled; 0 stops it.
// Setting the interval, even to the same value, and switching enabled
// restart the count; other properties (tag, position) leave it running.
class Timer : public Controllo {
 public:
  int interval() const { return interval_; }
  void setInterval(int ms) {
    interval_ = ms;
    ++impostazioni_;
    notifica();
  }
  bool attivo() const { return enabled() && interval_ > 0; }
  std::function<void()> onTimer;
  // A timer that only moves what its window shows: the platform holds it
  // while nobody can see the window (minimised, on another workspace, fully
  // covered), and it goes on from there when the window shows again.
  bool soloSeVisibile() const { return soloSeVisibile_; }
  void setSoloSeVisibile(bool s) { soloSeVisibile_ = s; }

  // What a platform compares, at each change, to know whether to restart.
  struct Avvio {
    unsigned impostazioni;
    bool enabled;
    friend bool operator==(const Avvio&, const Avvio&) = default;
  };
  Avvio avvio() const { return {impostazioni_, enabled()}; }

 private:
  int interval_ = 0;
  unsigned impostazioni_ = 0;
  bool soloSeVisibile_ = false;
};

// A control array with indices from 1, as the program numbers them.
template <class T, int N>
class Serie {
 public:
  // A wrong index throws in every build: inside a handler it reaches the
  // routine's error box instead of corrupting a neighbouring control.
  T& operator[](int i) { return elementi_[posizione(i)]; }
  const T& operator[](int i) const { return elementi_[posizione(i)]; }
  static constexpr int size() { return N; }
  auto begin() { return elementi_.begin(); }
  auto end() { return elementi_.end(); }
  auto begin() const { return elementi_.begin(); }
  auto end() const { return elementi_.end(); }

 private:
  static std::size_t posizione(int i) {
    if (i < 1 || i > N)
      throw std::out_of_range("Indice " + std::to_string(i) + " non compreso fra 1 e " + std::to_string(N));
    return static_cast<std::size_t>(i - 1);
  }
  std::array<T, N> elementi_;
};

}  // namespace velmo
