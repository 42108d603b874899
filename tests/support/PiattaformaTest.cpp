#include "PiattaformaTest.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/ModGenerale.h"

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

void PiattaformaTest::clic(Immagine& img) {
  if (img.enabled() && visibileSulloSchermo(img) && img.onClick) img.onClick();
}

void PiattaformaTest::clic(Pulsante& p) {
  if (p.enabled() && visibileSulloSchermo(p) && p.onClick) p.onClick();
}

void PiattaformaTest::scegli(VoceMenu& voce) {
  if (voce.attivabile() && voce.onClick) voce.onClick();
}

void PiattaformaTest::tasto(Form& form, int codice, int shift) {
  if (VoceMenu* voce = form.voceDelTasto(codice, shift)) {
    scegli(*voce);
    return;
  }
  form.Form_KeyDown(codice, shift);
  form.Form_KeyUp(codice, shift);
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

void PiattaformaTest::registraTimer(Controllo& c) {
  auto* t = dynamic_cast<Timer*>(&c);
  if (!t) return;
  orologi_.push_back({t});
  t->osserva([this, t] {
    auto o = std::find_if(orologi_.begin(), orologi_.end(), [t](const Orologio& x) { return x.timer == t; });
    if (o == orologi_.end()) return;
    o->prossimo = t->enabled() && t->interval() > 0 ? adesso_ + t->interval() / 1000.0 : INFINITY;
  });
}

void PiattaformaTest::creaForm(Form& form) {
  perOgniControllo(form, [&](Controllo& c) {
    registraTimer(c);
    if (auto* t = dynamic_cast<Timer*>(&c)) {
      timerDi_[&form].push_back(t);
      if (t->enabled() && t->interval() > 0) orologi_.back().prossimo = adesso_ + t->interval() / 1000.0;
    }
  });
}

void PiattaformaTest::mostraForm(Form& form, bool modale) {
  registro.push_back("mostra " + form.nome());
  if (!modale) return;
  modali_.push_back(&form);
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
  registro.push_back("scarica " + form.nome());
  for (Timer* t : timerDi_[&form]) {
    t->osserva(nullptr);
    std::erase_if(orologi_, [t](const Orologio& o) { return o.timer == t; });
  }
  timerDi_.erase(&form);
}

void PiattaformaTest::mostraMenuPopup(Form&, VoceMenu& menu) {
  std::string voci;
  for (const VoceMenu* v : menu.voci())
    if (v->visible()) voci += (voci.empty() ? "" : "|") + v->caption();
  popup.push_back(voci);
  registro.push_back("popup " + menu.caption());
}

Risposta PiattaformaTest::msgBox(const std::string& testo, Pulsanti pulsanti, Icona icona,
                                 const std::string& titolo) {
  messaggi.push_back({testo, pulsanti, icona, titolo, adesso_});
  registro.push_back("msg " + testo);
  if (pulsanti == Pulsanti::ok) {
    if (!risposte_.empty() && risposte_.front() == Risposta::ok) risposte_.pop_front();
    return Risposta::ok;
  }
  if (risposte_.empty()) throw errore("unanswered question: " + testo);
  const Risposta r = risposte_.front();
  risposte_.pop_front();
  return r;
}

std::optional<std::string> PiattaformaTest::inputBox(const std::string& testo, const std::string&,
                                                     const std::string&) {
  registro.push_back("input " + testo);
  if (risposteInput_.empty()) throw errore("unanswered input box: " + testo);
  auto r = risposteInput_.front();
  risposteInput_.pop_front();
  return r;
}

std::optional<std::string> PiattaformaTest::dialogoApri(const DialogoFile& d) { return dialogo("apri ", d); }

std::optional<std::string> PiattaformaTest::dialogoSalva(const DialogoFile& d) { return dialogo("salva ", d); }

std::optional<std::string> PiattaformaTest::dialogo(const std::string& voce, const DialogoFile& d) {
  dialoghi.push_back(d);
  registro.push_back(voce + d.titolo);
  if (alDialogo) alDialogo(d);
  if (risposteDialogo_.empty()) throw errore("unanswered dialog: " + d.titolo);
  auto r = risposteDialogo_.front();
  risposteDialogo_.pop_front();
  return r;
}

void PiattaformaTest::suonaRisorsa(const std::string& id) {
  suoni.push_back({id, adesso_});
  registro.push_back("suono " + id);
}

void PiattaformaTest::suonaFile(const std::string& percorso) {
  suoni.push_back({percorso, adesso_});
  registro.push_back("suono " + percorso);
}

void PiattaformaTest::fermaSuono() { ++fermate; }

void PiattaformaTest::beep() {
  ++beepSuonati;
  registro.push_back("beep");
}

bool PiattaformaTest::cambiaRisoluzione(Dimensioni d) {
  schermo_ = d;
  registro.push_back("risoluzione " + std::to_string(d.larghezza) + "x" + std::to_string(d.altezza));
  return true;
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

bool PiattaformaTest::apriIndirizzo(const std::string& indirizzo) {
  indirizziAperti.push_back(indirizzo);
  return true;
}

void PiattaformaTest::termina(int codice) {
  registro.push_back("termina");
  throw ProgrammaTerminato{codice};
}

}  // namespace velmo::test
