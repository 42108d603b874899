#pragma once
// What the five information windows share: the same size, a background
// picture with its frame, the logo and a title; the round clock stopped
// while one is open during a match; a cue as it opens and the sound stopped
// as it closes, both only once the start-up music is over; and a click on
// anything but a link closes it.

#include <functional>
#include <string>

#include "forms/Controlli.h"
#include "forms/Form.h"

namespace velmo {

class FrmGioco;

class FrmInfo : public Form {
 public:
  // The background picture and its frame: everything lies on it.
  Contenitore picCornice;
  Immagine imgLogo;
  Etichetta lblTitolo;
  ZonaTastiera zonaLink;  // the web site's link by keyboard, where there is one

  void Form_Load() override;
  void Form_Unload() override;
  void Form_Click() override { Unload(); }
  // Escape and Return close it as a click does; on a link Tab reached,
  // Return and Space open it instead, as a click on it.
  void Form_KeyDown(int codice, int shift) override;
  void Form_KeyUp(int codice, int shift) override;

  static constexpr int larghezza = 6420, altezza = 4500;
  static constexpr Colore coloreSfondo{250, 244, 222};
  static constexpr Colore coloreTesto{24, 34, 72};
  static constexpr Colore coloreLink{20, 70, 200};

 protected:
  // `cue` is played on load; "" for a window that plays its own elsewhere.
  FrmInfo(FrmGioco& gioco, std::string nome, std::string cue, std::string titolo);

  // A label of the window's text at the given place: a click on it closes
  // the window.
  void aggiungiTesto(Etichetta& l, int left, int top, int width, int height, double fontSize = 8.25);
  // A label opening the maker's web site: the link pointer over it, any
  // button but the right one opens the site, and the window stays open.
  void aggiungiLink(Etichetta& l, int left, int top, int width, int height);
  // A place over label `l` that Tab reaches and a screen reader reads as a
  // link named by its caption; Return, Space or a reader's press run `azione`.
  void aggiungiZona(ZonaTastiera& z, const Etichetta& l, std::function<void()> azione);
  // The window's own texts, set on load after the common steps.
  virtual void msubTestiPropri() {}
  // Whether the start-up music is over: only then do windows play or stop.
  bool mfuncMusicaFinita() const;

  FrmGioco& gioco_;

 private:
  ZonaTastiera* zonaConFuoco_ = nullptr;
  std::string cue_;
  bool orologioFermato_ = false;
};

}  // namespace velmo
