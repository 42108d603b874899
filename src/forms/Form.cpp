#include "forms/Form.h"

#include "forms/ModGenerale.h"
#include "forms/Tasti.h"

namespace velmo {

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
