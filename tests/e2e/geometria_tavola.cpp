// Prints where the game window draws its board, for the end-to-end test:
// the board area, the cells by column and row, and the column arrows, as
// rectangles [x, y, width, height] in pixels of the client area below the
// menu bar. The window is loaded on the test platform, and the twips are
// turned into pixels by the real platform's own rule, so the test reads
// the layout from the game itself and never keeps a copy of it.

#include <QRect>
#include <cstdio>
#include <string>

#include "Ambiente.h"
#include "platform/qt/ControlliQt.h"
#include "forms/game/FrmGioco.h"

namespace {

// A control's rectangle on the client area: Qt places a child inside its
// container, so the containers' offsets add up.
QRect sulClient(const velmo::Controllo& c) {
  QRect r = velmo::rettangoloPixel(c);
  for (const velmo::Contenitore* p = c.padre(); p; p = p->padre()) r.translate(velmo::rettangoloPixel(*p).topLeft());
  return r;
}

std::string json(const QRect& r) {
  return "[" + std::to_string(r.x()) + ", " + std::to_string(r.y()) + ", " + std::to_string(r.width()) + ", " +
         std::to_string(r.height()) + "]";
}

}  // namespace

int main() {
  using namespace velmo;
  test::Ambiente ambiente;
  FrmGioco f;
  f.Load();

  std::string testo = "{\n  \"tavolo\": " + json(sulClient(f.picContenitore[1])) + ",\n  \"celle\": {";
  for (int riga = 1; riga <= tavola::righe; ++riga)
    for (int colonna = 1; colonna <= tavola::colonne; ++colonna)
      testo += std::string(riga == 1 && colonna == 1 ? "" : ",") + "\n    \"" + std::to_string(colonna) + "," +
               std::to_string(riga) + "\": " + json(sulClient(f.imgPedina[tavola::cella(colonna, riga)]));
  testo += "\n  },\n  \"frecce\": {";
  for (int colonna = 1; colonna <= tavola::colonne; ++colonna)
    testo += std::string(colonna == 1 ? "" : ",") + "\n    \"" + std::to_string(colonna) +
             "\": " + json(sulClient(f.imgFreccia[colonna]));
  testo += "\n  }\n}\n";
  std::fputs(testo.c_str(), stdout);
  f.Unload();
  return 0;
}
