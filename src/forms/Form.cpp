#include "forms/Form.h"

#include <algorithm>

#include "core/common/Conversioni.h"
#include "forms/ModGenerale.h"
#include "forms/Tasti.h"

namespace velmo {

std::string TabellaAccessibile::testo(const Cella& c) {
  if (!c.testo.empty()) return c.testo;
  const auto* l = dynamic_cast<const Etichetta*>(c.controllo);
  return l ? taglia(l->caption()) : std::string();
}

bool TabellaAccessibile::comprende(const Controllo& c) const {
  return std::any_of(righe.begin(), righe.end(), [&c](const std::vector<Cella>& riga) {
    return std::any_of(riga.begin(), riga.end(), [&c](const Cella& cella) { return cella.controllo == &c; });
  });
}

void Form::setSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  if (osservatore_) osservatore_();
}

VoceMenu* Form::voceDelTasto(int codice, int shift) const {
  const std::string nome = codiceTasto::nomeFunzione(codice);
  if (nome.empty() || shift != 0) return nullptr;
  std::function<VoceMenu*(VoceMenu&)> cerca = [&](VoceMenu& m) -> VoceMenu* {
    if (m.tasto() == nome) return &m;
    for (VoceMenu* v : m.voci())
      if (VoceMenu* trovata = cerca(*v)) return trovata;
    return nullptr;
  };
  for (VoceMenu* m : menuBar_)
    if (VoceMenu* trovata = cerca(*m)) return trovata;
  return nullptr;
}

Pulsante* Form::pulsanteDelTasto(int codice, int shift) const {
  if (shift != 0 || (codice != codiceTasto::invio && codice != codiceTasto::esc)) return nullptr;
  // Only what the user can see and use: a hidden container hides its buttons.
  std::function<Pulsante*(const std::vector<Controllo*>&)> cerca = [&](const std::vector<Controllo*>& controlli) {
    for (Controllo* c : controlli) {
      if (!c->visible()) continue;
      if (auto* p = dynamic_cast<Pulsante*>(c);
          p && (codice == codiceTasto::invio ? p->predefinito() : p->annullamento()))
        return p->enabled() ? p : nullptr;
      if (auto* cont = dynamic_cast<Contenitore*>(c))
        if (Pulsante* p = cerca(cont->figli())) return p;
    }
    return static_cast<Pulsante*>(nullptr);
  };
  return cerca(controlli_);
}

void Form::Load() {
  if (caricata_) return;
  caricata_ = true;
  piattaforma().creaForm(*this);
  Form_Load();
}

void Form::Show(bool modale) {
  Load();
  if (caricata_) piattaforma().mostraForm(*this, modale);
}

void Form::Unload() {
  if (!caricata_) return;
  Form_Unload();
  caricata_ = false;
  piattaforma().distruggiForm(*this);
}

}  // namespace velmo
