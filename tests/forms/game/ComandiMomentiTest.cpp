// Every command against every moment of a sequence, as one table: a falling
// piece, the lift of an undo, the computer's pause, the blink of a line,
// each round message, the game-over waits and questions, the farewell and
// the pause window. Each cell runs in a fresh window and says what the
// command did when it arrived: acted, was refused with "Non posso ora..",
// was ignored, or ended the program.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Gioco.h"
#include "forms/info/FrmInfo.h"
#include "forms/game/FrmPausa.h"

namespace velmo::test {
namespace {

using namespace codiceTasto;

// What the board shows: a round where the player's piece in column 1 makes
// four down, or where the computer's answer makes four down in column 9.
constexpr std::initializer_list<const char*> vinceIlGiocatore = {
    ".........", ".........", ".........", ".........", "P.......C", "P.......C", "P.......C"};
constexpr std::initializer_list<const char*> vinceIlComputer = {
    ".........", ".........", ".........", ".........", "........C", "........C", "P.......C"};

struct Momento {
  const char* nome;
  std::function<void(Gioco&)> prepara;  // the board and the scripted answers
  std::function<void(Gioco&)> avvia;    // the user's act that starts the sequence
  const char* evento;                   // the record's entry that marks the moment
  double dopo;                          // how long after it the command comes
};

struct Comando {
  const char* nome;
  std::function<void(Gioco&)> esegui;
};

int colonnaAperta(const Gioco& g) {
  for (int c = 1; c <= tavola::colonne; ++c)
    if (g.f.imgFreccia[c].visible()) return c;
  return 1;
}

int colonnaVuota(const Gioco& g) {
  for (int c = 1; c <= tavola::colonne; ++c)
    if (g.f.grid.cellaDiAtterraggio(c) == c) return c;
  return 1;
}

void scambio(Gioco& g) { g.p.clic(g.f.imgFreccia[5]); }  // the undo is enabled after it

void finePartita(Gioco& g) {
  scambio(g);
  g.disponi(vinceIlComputer);
  g.f.match.lives = 1;
}

const std::vector<Momento>& momenti() {
  static const std::vector<Momento> tutti = {
      {"caduta", scambio, [](Gioco& g) { g.p.clic(g.f.imgFreccia[colonnaVuota(g)]); }, "suono id_15", 0.3},
      {"risalita", scambio, [](Gioco& g) { g.p.scegli(g.f.mnuAnnullaInserimento); }, "suono id_21", 0.3},
      // A piece into an empty column falls for 0.7 s; the pause follows.
      {"pausa del computer", scambio, [](Gioco& g) { g.p.clic(g.f.imgFreccia[colonnaVuota(g)]); }, "suono id_15",
       0.8},
      {"lampeggio",
       [](Gioco& g) {
         scambio(g);
         g.disponi(vinceIlGiocatore);
       },
       [](Gioco& g) { g.p.clic(g.f.imgFreccia[1]); }, "suono id_09", 1.0},
      {"messaggio vinto",
       [](Gioco& g) {
         scambio(g);
         g.disponi(vinceIlGiocatore);
         g.p.rispondi(Risposta::ok, 3.0);
       },
       [](Gioco& g) { g.p.clic(g.f.imgFreccia[1]); }, "msg Hai vinto", 1.0},
      {"messaggio perso",
       [](Gioco& g) {
         scambio(g);
         g.disponi(vinceIlComputer);
         g.p.rispondi(Risposta::ok, 3.0);
       },
       [](Gioco& g) { g.p.clic(g.f.imgFreccia[2]); }, "msg Hai perso", 1.0},
      {"messaggio pareggio",
       [](Gioco& g) {
         scambio(g);
         g.disponi(tavolaQuasiPiena);
         g.disponi({".CPPCCPPC"});
         g.p.rispondi(Risposta::ok, 3.0);
       },
       [](Gioco& g) { g.p.clic(g.f.imgFreccia[1]); }, "msg Il round", 1.0},
      {"attese del game over",
       [](Gioco& g) {
         finePartita(g);
         g.p.rispondi(Risposta::no);
       },
       [](Gioco& g) { g.p.clic(g.f.imgFreccia[2]); }, "suono id_03", 1.0},
      {"messaggio game over",
       [](Gioco& g) {
         finePartita(g);
         g.p.rispondi(Risposta::ok, 3.0);
         g.p.rispondi(Risposta::no);
       },
       [](Gioco& g) { g.p.clic(g.f.imgFreccia[2]); }, "msg G A M E", 1.0},
      {"domanda altra partita",
       [](Gioco& g) {
         finePartita(g);
         g.p.rispondi(Risposta::no, 3.0);
       },
       [](Gioco& g) { g.p.clic(g.f.imgFreccia[2]); }, "msg Vuoi fare", 1.0},
      {"congedo",
       [](Gioco& g) {
         scambio(g);
         g.p.rispondi(Risposta::no);  // not saved
       },
       [](Gioco& g) { g.p.tasto(g.f, F4, Form::altMask); }, "suono id_10", 1.0},
      {"finestra di pausa", scambio, [](Gioco& g) { g.p.tasto(g.f, F3); }, "suono id_04", 1.0},
      {"finestra informazioni", scambio, [](Gioco& g) { g.p.tasto(g.f, F1); }, "mostra frmInfoVelmo", 1.0},
  };
  return tutti;
}

const std::vector<Comando>& comandi() {
  static const std::vector<Comando> tutti = {
      {"clic", [](Gioco& g) { g.p.clic(g.f.imgFreccia[colonnaAperta(g)]); }},
      {"1..9", [](Gioco& g) { g.p.tasto(g.f, cifra1 + colonnaAperta(g) - 1); }},
      {"Spazio", [](Gioco& g) {
         g.p.daiFuoco(g.f, g.f.zonaColonna[colonnaAperta(g)]);
         g.p.tasto(g.f, spazio);
       }},
      {"F2", [](Gioco& g) { g.p.tasto(g.f, F2); }},
      {"F3", [](Gioco& g) { g.p.tasto(g.f, F3); }},
      {"F4", [](Gioco& g) { g.p.tasto(g.f, F4); }},
      {"F7", [](Gioco& g) { g.p.tasto(g.f, F7); }},
      {"Salva", [](Gioco& g) { g.p.scegli(g.f.mnuFileSalva); }},
      {"Alt+F4", [](Gioco& g) { g.p.tasto(g.f, F4, Form::altMask); }},
      {"chiudi", [](Gioco& g) { g.p.chiudi(g.f); }},
      {"popup", [](Gioco& g) { g.p.clicDestro(g.f.imgPedina[40]); }},
      {"F1", [](Gioco& g) { g.p.tasto(g.f, F1); }},
  };
  return tutti;
}

// What a command can change; the arrows' highlight and the pointer are
// left out, as they follow the mouse and the keys whatever happens.
struct Stato {
  Grid grid;
  MatchState match;
  bool busy, roundOver, inPartita;
  bool operator==(const Stato& o) const {
    return grid.cells == o.grid.cells && grid.freeCells == o.grid.freeCells && match.lives == o.match.lives &&
           match.score == o.match.score && match.victories == o.match.victories && busy == o.busy &&
           roundOver == o.roundOver && inPartita == o.inPartita;
  }
};

Stato stato(const Gioco& g) {
  return {g.f.grid, g.f.match, g.f.busy, g.f.roundOver, modGenerale.matchInProgress};
}

// A: acted; R: refused with "Non posso ora.."; I: ignored; E: ended the program.
char esito(const Momento& momento, const Comando& comando) {
  Gioco g;
  g.nuovaPartita();
  momento.prepara(g);
  char risultato = '?';
  bool arrivato = false;
  g.p.allAnnotazione = [&](const std::string& voce) {
    if (arrivato || voce.rfind(momento.evento, 0) != 0) return;
    arrivato = true;
    g.p.tra(momento.dopo, [&] {
      const Stato prima = stato(g);
      const std::size_t voci = g.p.registro.size();
      // Answers and a way out of a pause, in case the command asks or opens one.
      g.p.rispondi(Risposta::no);
      Form* const modalePrima = g.p.modale();
      g.p.tra(0.5, [&g, modalePrima] {
        if (auto* pausa = dynamic_cast<FrmPausa*>(g.p.modale()); pausa && pausa != modalePrima) g.p.tasto(*pausa, F3);
        if (auto* info = dynamic_cast<FrmInfo*>(g.p.modale()); info && info != modalePrima) g.p.clic(info->picCornice);
      });
      try {
        comando.esegui(g);
      } catch (const ProgrammaTerminato&) {
        risultato = 'E';
        throw;
      }
      const std::vector<std::string> nuove(g.p.registro.begin() + static_cast<std::ptrdiff_t>(voci),
                                           g.p.registro.end());
      if (nuove.empty() && stato(g) == prima)
        risultato = 'I';
      else if (nuove == std::vector<std::string>{"msg Non posso ora.."} && stato(g) == prima)
        risultato = 'R';
      else
        risultato = 'A';
    });
    if (std::string(momento.nome) == "finestra di pausa")
      g.p.tra(momento.dopo + 1.0, [&g] {
        if (g.p.modale()) g.p.tasto(*g.p.modale(), F3);
      });
    if (std::string(momento.nome) == "finestra informazioni")
      g.p.tra(momento.dopo + 1.0, [&g] {
        if (auto* info = dynamic_cast<FrmInfo*>(g.p.modale())) g.p.clic(info->picCornice);
      });
  };
  try {
    momento.avvia(g);
  } catch (const ProgrammaTerminato&) {
  }
  return risultato;
}

TEST(ComandiMomenti, OgniComandoInOgniMomento) {
  // Columns in the order of comandi(): clic, 1..9, Spazio, F2, F3, F4, F7, Salva,
  // Alt+F4, chiudi, popup, F1.
  const std::vector<std::pair<std::string, std::string>> attesi = {
      {"caduta", "IIIIARRRE EA A"},
      {"risalita", "IIIIARRRE EA A"},
      {"pausa del computer", "IIIIARRIE EA A"},
      {"lampeggio", "IIIIARRIE EA A"},
      {"messaggio vinto", "IIIIIIIII II I"},
      {"messaggio perso", "IIIIIIIII II I"},
      {"messaggio pareggio", "IIIIIIIII II I"},
      {"attese del game over", "IIIIARRIE EA A"},
      {"messaggio game over", "IIIIIIIII II I"},
      {"domanda altra partita", "IIIIIIIII II I"},
      {"congedo", "IIIIIIIII II I"},
      {"finestra di pausa", "IIIIIIIII II I"},
      {"finestra informazioni", "IIIIIIIII II I"},
  };
  ASSERT_EQ(attesi.size(), momenti().size());
  std::ostringstream tavola;
  bool uguale = true;
  for (std::size_t m = 0; m < momenti().size(); ++m) {
    ASSERT_EQ(attesi[m].first, momenti()[m].nome);
    std::string riga;
    for (const Comando& c : comandi()) riga += esito(momenti()[m], c);
    std::string atteso = attesi[m].second;
    std::erase(atteso, ' ');
    uguale = uguale && riga == atteso;
    tavola << (riga == atteso ? "   " : "!! ") << momenti()[m].nome << ": " << riga << "  (expected " << atteso
           << ")\n";
  }
  EXPECT_TRUE(uguale) << "clic 1..9 Spazio F2 F3 F4 F7 Salva Alt+F4 chiudi popup F1\n" << tavola.str();
}

}  // namespace
}  // namespace velmo::test
