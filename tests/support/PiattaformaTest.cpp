#include "PiattaformaTest.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/system/RegoleSistema.h"
#include "forms/ModGenerale.h"

namespace velmo::test {

namespace {

// Each control of a window, containers' children included.
void perOgniControllo(const Form& form, const std::function<void(Controllo&)>& f) {
  std::function<void(Controllo&)> visita = [&](Controllo& c) {
    f(c);
    if (auto* cont = dynamic_cast<Contenitore*>(&c))
      for (Controllo* figlio : cont->figli()) visita(*figlio);
  };
  for (Controllo* c : form.controlli()) visita(*c);
}

ErroreScript errore(std::string cosa) {
  std::fprintf(stderr, "script: %s\n", cosa.c_str());
  return ErroreScript{std::move(cosa)};
}

bool visibileSulloSchermo(const Controllo& c) {
  for (const Controllo* x = &c; x; x = x->padre())
    if (!x->visible()) return false;
  return true;
}

}  // namespace

PiattaformaTest::PiattaformaTest() = default;
PiattaformaTest::~PiattaformaTest() = default;

void PiattaformaTest::alle(double tempo, std::function<void()> evento) {
  script_.emplace(std::max(tempo, adesso_), std::move(evento));
}

void PiattaformaTest::avanza(double secondi) {
  const double fine = adesso_ + secondi;
  while (eseguiProssimo(fine)) {
  }
  adesso_ = fine;
}

Form* PiattaformaTest::destinatario(const void* elemento) const {
  const auto it = padroni_.find(elemento);
  if (it == padroni_.end()) return nullptr;
  if (!messaggiAperti_.empty() || (!modali_.empty() && modali_.back() != it->second)) return nullptr;
  return it->second;
}

namespace {

// Handlers may unload the window: each is called on a copy.
template <class F, class... A>
void chiama(const F& gestore, A&&... argomenti) {
  if (!gestore) return;
  const F copia = gestore;
  copia(std::forward<A>(argomenti)...);
}

}  // namespace

namespace {

// Controls of the kinds with down, up and (if any) click handlers.
template <class C>
void clicSu(C& c, int pulsante, const std::function<bool()>& raggiungibile) {
  if (!raggiungibile()) return;
  chiama(c.onMouseDown, EventoMouse{pulsante, 0, 0, 0});
  chiama(c.onMouseUp, EventoMouse{pulsante, 0, 0, 0});
  if constexpr (requires { c.onClick; })
    if (pulsante == 1 && raggiungibile()) chiama(c.onClick);
}

}  // namespace

std::function<bool()> PiattaformaTest::raggiungibile(const Controllo& c) const {
  return [this, &c] { return destinatario(&c) && c.enabled() && visibileSulloSchermo(c); };
}

void PiattaformaTest::clic(Immagine& img) { clicSu(img, 1, raggiungibile(img)); }
void PiattaformaTest::clicDestro(Immagine& img) { clicSu(img, 2, raggiungibile(img)); }
void PiattaformaTest::clic(Etichetta& l) { clicSu(l, 1, raggiungibile(l)); }
void PiattaformaTest::clicDestro(Etichetta& l) { clicSu(l, 2, raggiungibile(l)); }
void PiattaformaTest::clic(Contenitore& c) { clicSu(c, 1, raggiungibile(c)); }

void PiattaformaTest::sorvola(Etichetta& l) {
  if (raggiungibile(l)()) chiama(l.onMouseMove, EventoMouse{0, 0, 0, 0});
}

void PiattaformaTest::spostaMouse(int x, int y) {
  posizioneMouse = {x, y};
  annota("mouse " + std::to_string(x) + "," + std::to_string(y));
}

void PiattaformaTest::attiva(Form& form) {
  if (form.loaded()) form.Form_Activate();
}

void PiattaformaTest::disattiva(Form& form) {
  if (form.loaded()) form.Form_Deactivate();
}

void PiattaformaTest::clic(Pulsante& p) {
  if (destinatario(&p) && p.enabled() && visibileSulloSchermo(p)) chiama(p.onClick);
}

void PiattaformaTest::scegli(VoceMenu& voce) {
  if (destinatario(&voce) && voce.attivabile()) chiama(voce.onClick);
}

void PiattaformaTest::tasto(Form& form, int codice, int shift) {
  if (!destinatario(&form)) return;
  if (VoceMenu* voce = form.voceDelTasto(codice, shift)) {
    scegli(*voce);
    return;
  }
  if (Pulsante* pulsante = form.pulsanteDelTasto(codice, shift)) {
    clic(*pulsante);
    return;
  }
  form.Form_KeyDown(codice, shift);
  if (destinatario(&form)) form.Form_KeyUp(codice, shift);
}

void PiattaformaTest::chiudi(Form& form) {
  if (destinatario(&form)) form.Form_QueryClose();
}

void PiattaformaTest::chiudiMessaggio() {
  if (messaggiAperti_.empty()) return;
  if (messaggiAperti_.back() == Pulsanti::ok) {
    messaggioChiuso_ = true;
    return;
  }
  annota("msg ignora Esc");
}

void PiattaformaTest::annota(std::string voce) {
  registro.push_back(std::move(voce));
  if (allAnnotazione) {
    const auto osservatore = allAnnotazione;  // it may replace itself
    osservatore(registro.back());
  }
}

double PiattaformaTest::oraDelGiorno() { return std::fmod(inizioGiorno + adesso_, 86400.0); }

bool PiattaformaTest::eseguiProssimo(double limite) {
  auto timer = std::min_element(orologi_.begin(), orologi_.end(),
                                [](const Orologio& a, const Orologio& b) { return a.prossimo < b.prossimo; });
  const double tTimer = timer == orologi_.end() ? INFINITY : timer->prossimo;
  const double tScript = script_.empty() ? INFINITY : script_.begin()->first;
  if (std::min(tTimer, tScript) > limite) return false;
  if (tScript <= tTimer) {
    auto evento = std::move(script_.begin()->second);
    adesso_ = std::max(adesso_, tScript);
    script_.erase(script_.begin());
    evento();
  } else {
    adesso_ = std::max(adesso_, tTimer);
    Timer* t = timer->timer;
    // Re-armed before the handler runs, so the handler may stop or change it.
    timer->prossimo = tTimer + t->interval() / 1000.0;
    if (t->onTimer) t->onTimer();
  }
  return true;
}

void PiattaformaTest::elaboraEventi() {
  while (eseguiProssimo(adesso_)) {
  }
}

void PiattaformaTest::attendiEventi(double scadenza) {
  if (!eseguiProssimo(scadenza)) adesso_ = std::max(adesso_, scadenza);
}

void PiattaformaTest::arma(Timer& t, const Form& form) {
  auto o = std::find_if(orologi_.begin(), orologi_.end(), [&t](const Orologio& x) { return x.timer == &t; });
  if (o == orologi_.end()) return;
  const bool fermo = !t.attivo() || (t.soloSeVisibile() && nascoste_.count(&form));
  o->prossimo = fermo ? INFINITY : adesso_ + t.interval() / 1000.0;
}

void PiattaformaTest::registraTimer(Controllo& c, const Form& form) {
  auto* t = dynamic_cast<Timer*>(&c);
  if (!t) return;
  orologi_.push_back({t});
  // Only the changes the timer names restart it.
  t->osserva([this, t, &form, prima = t->avvio()]() mutable {
    if (t->avvio() == prima) return;
    prima = t->avvio();
    arma(*t, form);
  });
  arma(*t, form);
}

void PiattaformaTest::vedi(Form& form, bool vista) {
  if (vista == !nascoste_.count(&form)) return;
  if (vista)
    nascoste_.erase(&form);
  else
    nascoste_.insert(&form);
  for (Timer* t : timerDi_[&form])
    if (t->soloSeVisibile()) arma(*t, form);
}

void PiattaformaTest::creaForm(Form& form) {
  padroni_[&form] = &form;
  perOgniControllo(form, [&](Controllo& c) {
    padroni_[&c] = &form;
    registraTimer(c, form);
    if (auto* t = dynamic_cast<Timer*>(&c)) timerDi_[&form].push_back(t);
  });
  std::function<void(VoceMenu&)> menu = [&](VoceMenu& m) {
    padroni_[&m] = &form;
    for (VoceMenu* v : m.voci()) menu(*v);
  };
  for (VoceMenu* m : form.menuBar()) menu(*m);
}

void PiattaformaTest::mostraForm(Form& form, bool modale) {
  annota("mostra " + form.nome());
  if (modale) modali_.push_back(&form);
  // A window shown becomes the active one; its handler may already wait
  // or unload it, with the window blocking the others as it does on screen.
  form.Form_Activate();
  if (!modale) return;
  while (form.loaded()) {
    if (script_.empty()) {
      modali_.pop_back();
      throw errore("modal window " + form.nome() + " left open by the script");
    }
    attendiEventi(INFINITY);
  }
  modali_.pop_back();
}

void PiattaformaTest::distruggiForm(Form& form) {
  annota("scarica " + form.nome());
  std::erase_if(padroni_, [&form](const auto& voce) { return voce.second == &form; });
  for (Timer* t : timerDi_[&form]) {
    t->osserva(nullptr);
    std::erase_if(orologi_, [t](const Orologio& o) { return o.timer == t; });
  }
  timerDi_.erase(&form);
  nascoste_.erase(&form);
}

void PiattaformaTest::mostraMenuPopup(Form&, VoceMenu& menu) {
  std::string voci;
  for (const VoceMenu* v : menu.voci())
    if (v->visible()) voci += (voci.empty() ? "" : "|") + v->caption();
  popup.push_back(voci);
  annota("popup " + menu.caption());
}

Risposta PiattaformaTest::msgBox(const std::string& testo, Pulsanti pulsanti, Icona icona,
                                 const std::string& titolo) {
  messaggi.push_back({testo, pulsanti, icona, titolo, adesso_});
  annota("msg " + testo);
  RispostaScritta r{Risposta::ok, 0};
  if (pulsanti == Pulsanti::ok) {
    if (!risposte_.empty() && risposte_.front().risposta == Risposta::ok) {
      r = risposte_.front();
      risposte_.pop_front();
    }
  } else {
    if (risposte_.empty()) throw errore("unanswered question: " + testo);
    r = risposte_.front();
    risposte_.pop_front();
  }
  if (r.dopo > 0) {
    // The box stays open while time runs; it blocks input, not timers.
    messaggiAperti_.push_back(pulsanti);
    const double fine = adesso_ + r.dopo;
    try {
      while (adesso_ < fine && !std::exchange(messaggioChiuso_, false)) attendiEventi(fine);
    } catch (...) {
      messaggiAperti_.pop_back();
      throw;
    }
    messaggiAperti_.pop_back();
  }
  return r.risposta;
}

std::optional<std::string> PiattaformaTest::inputBox(const std::string& testo, const std::string& titolo,
                                                     const std::string& predefinito) {
  input.push_back({testo, titolo, predefinito});
  annota("input " + testo);
  if (risposteInput_.empty()) throw errore("unanswered input box: " + testo);
  auto r = risposteInput_.front();
  risposteInput_.pop_front();
  return r;
}

std::optional<std::string> PiattaformaTest::dialogoApri(const DialogoFile& d) { return dialogo("apri ", d); }

std::optional<std::string> PiattaformaTest::dialogoSalva(const DialogoFile& d) { return dialogo("salva ", d); }

void PiattaformaTest::annuncia(const Form& form, const std::string& testo) {
  if (form.loaded()) annunci.push_back(testo);
}

void PiattaformaTest::daiFuoco(const Form& form, ZonaTastiera& zona) {
  if (!form.loaded()) return;
  fuoco = &zona;
  if (zona.onGotFocus) zona.onGotFocus();
}

std::optional<std::string> PiattaformaTest::dialogo(const std::string& voce, const DialogoFile& d) {
  dialoghi.push_back(d);
  annota(voce + d.titolo);
  if (alDialogo) alDialogo(d);
  if (risposteDialogo_.empty()) throw errore("unanswered dialog: " + d.titolo);
  auto r = risposteDialogo_.front();
  risposteDialogo_.pop_front();
  return r;
}

void PiattaformaTest::suonaRisorsa(const std::string& id) {
  suoni.push_back({id, adesso_});
  annota("suono " + id);
}

void PiattaformaTest::suonaFile(const std::string& percorso) {
  suoni.push_back({percorso, adesso_});
  annota("suono " + percorso);
}

void PiattaformaTest::fermaSuono() { ++fermate; }

void PiattaformaTest::beep() {
  ++beepSuonati;
  annota("beep");
}

void PiattaformaTest::guasto(const char* operazione) const {
  if (guasti.count(operazione)) throw std::runtime_error(std::string("guasto di prova: ") + operazione);
}

bool PiattaformaTest::cambiaRisoluzione(Dimensioni d) {
  guasto("cambiaRisoluzione");
  const bool offerto = pfuncModoCheMostra(modi, d, schermoGirato).has_value();
  annota("risoluzione " + std::to_string(d.larghezza) + "x" + std::to_string(d.altezza) + (offerto ? "" : " rifiutata"));
  if (offerto) schermo_ = d;
  return offerto;
}

std::vector<Dimensioni> PiattaformaTest::modiDisplay() {
  std::vector<Dimensioni> visibili;
  for (const Dimensioni& m : modi) visibili.push_back(pfuncDimensioniVisibili(m, schermoGirato));
  return visibili;
}

std::optional<std::uintmax_t> PiattaformaTest::dimensioneFile(const std::string& percorso) {
  const auto f = file.find(percorso);
  if (f == file.end()) return std::nullopt;
  return f->second.contenuto.size();
}

bool PiattaformaTest::impostaSolaLettura(const std::string& percorso) {
  const auto f = file.find(percorso);
  if (f == file.end()) return false;
  f->second.solaLettura = true;
  return true;
}

bool PiattaformaTest::togliSolaLettura(const std::string& percorso) {
  const auto f = file.find(percorso);
  if (f == file.end()) return false;
  f->second.solaLettura = false;
  return true;
}

std::string PiattaformaTest::leggiFile(const std::string& percorso) {
  const auto f = file.find(percorso);
  if (f == file.end()) throw std::runtime_error("No such file or directory");
  if (f->second.illeggibile) throw std::runtime_error("Permission denied");
  ++letture;
  return f->second.contenuto;
}

bool PiattaformaTest::sostituisciFile(const std::string& percorso, const std::string& contenuto) {
  const auto f = file.find(percorso);
  if (scrittureRifiutate || (f != file.end() && f->second.solaLettura)) return false;
  file[percorso].contenuto = contenuto;
  scritture.emplace_back(percorso, contenuto);
  registro.push_back("scrivi " + percorso);
  return true;
}

Rettangolo PiattaformaTest::rettangoloFinestra(const Form& form) {
  if (!form.loaded()) return {};
  return {sinistraFinestre, altoFinestre, sinistraFinestre + form.width() / 15, altoFinestre + form.height() / 15};
}

void PiattaformaTest::disegnaRettangolo(const Rettangolo& r, Colore riempimento) {
  rettangoli.push_back({r, riempimento, adesso_});
}

void PiattaformaTest::ridisegna(const Controllo& c) {
  ridisegnati.push_back(&c);
  registro.push_back("ridisegna");
}

bool PiattaformaTest::apriIndirizzo(const std::string& indirizzo) {
  indirizziAperti.push_back(indirizzo);
  return true;
}

void PiattaformaTest::termina(int codice) {
  annota("termina");
  throw ProgrammaTerminato{codice};
}

}  // namespace velmo::test
