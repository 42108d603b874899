#include "common/Form.h"

#include "common/ModGenerale.h"

namespace velmo {

void Form::setSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  if (osservatore_) osservatore_();
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
