// The program's Yes/No questions have no implicit answer: Escape and the
// window manager's close on the open box change nothing, and the player's
// own answer then decides as before.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Gioco.h"

namespace velmo::test {
namespace {

struct DomandeSiNo : testing::Test, Gioco {
  // What the player can see change while a box is open.
  struct Stato {
    bool messaggioAperto, partita, caricata;
    std::size_t scritture, dialoghi;
    std::vector<std::string> registro;
    bool operator==(const Stato&) const = default;
  };
  Stato stato() const {
    std::vector<std::string> r = p.registro;
    std::erase(r, "msg ignora Esc");
    return {p.messaggioAperto(), modGenerale.matchInProgress, f.loaded(), p.scritture.size(), p.dialoghi.size(), r};
  }
};

TEST_F(DomandeSiNo, EscEChiusuraSuOgniDomandaLascianoTuttoComEra) {
  struct Caso {
    const char* domanda;
    std::function<void(DomandeSiNo&)> prepara, chiedi;
    Risposta risposta;  // given three seconds after the box appears
    bool terminaIlProgramma;
  };
  const Caso casi[] = {
      {"Sicuro di voler uscire ?", [](DomandeSiNo&) {}, [](DomandeSiNo& t) { t.p.scegli(t.f.mnuFileEsci); },
       Risposta::no, false},
      {"Salvare la partita in corso ?", [](DomandeSiNo& t) { t.nuovaPartita(); },
       [](DomandeSiNo& t) { t.p.tasto(t.f, codiceTasto::F4); }, Risposta::no, false},
      {"Vuoi fare un'altra partita ?",
       [](DomandeSiNo& t) {
         t.nuovaPartita();
         t.disponi({".........", ".........", ".........", ".........", "........C", "........C", "P.......C"});
         t.f.match.lives = 1;
       },
       [](DomandeSiNo& t) { t.f.msubTurnoComputer(); }, Risposta::no, false},
      // Last: the program ends.
      {"Salvare la partita in corso ?",
       [](DomandeSiNo& t) {
         t.nuovaPartita();
         t.p.rispondi(Risposta::si);  // "Sicuro di voler uscire ?"
       },
       [](DomandeSiNo& t) { t.p.scegli(t.f.mnuFileEsci); }, Risposta::no, true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.domanda);
    DomandeSiNo& t = *this;
    c.prepara(t);
    p.rispondi(c.risposta, 3.0);
    std::vector<Stato> visti;
    int rifiutati = 0;
    p.allAnnotazione = [&](const std::string& voce) {
      if (voce == "msg ignora Esc") ++rifiutati;
      if (voce != std::string("msg ") + c.domanda) return;
      p.tra(0.5, [&] { visti.push_back(stato()); });
      p.tra(1.0, [&] {
        p.chiudiMessaggio();  // Escape
        p.chiudiMessaggio();  // the title bar's close, or Alt+F4
      });
      p.tra(1.5, [&] { visti.push_back(stato()); });
    };
    bool terminato = false;
    try {
      c.chiedi(t);
    } catch (const ProgrammaTerminato&) {
      terminato = true;
    }
    p.allAnnotazione = nullptr;
    ASSERT_EQ(visti.size(), 2u);
    EXPECT_TRUE(visti[0].messaggioAperto);
    EXPECT_EQ(visti[1], visti[0]);
    EXPECT_EQ(rifiutati, 2);
    // The answer given afterwards decides, as it did before.
    EXPECT_EQ(terminato, c.terminaIlProgramma);
    if (!terminato) {
      EXPECT_FALSE(modGenerale.matchInProgress);
    }
    EXPECT_TRUE(p.dialoghi.empty());  // "No" never saves
  }
}

}  // namespace
}  // namespace velmo::test
