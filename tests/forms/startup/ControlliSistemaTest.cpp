// The display and system checks of the start-up: the system's name for every
// family and version, and the screens that are kept, switched or refused.

#include "forms/startup/ControlliSistema.h"

#include <gtest/gtest.h>

#include "Ambiente.h"
#include "core/system/RegoleSistema.h"

namespace velmo::test {
namespace {

TEST(NomeSistema, OgniFamigliaEVersione) {
  const std::tuple<const char*, int, int, const char*> casi[] = {
      {famigliaConsumer, 4, 10, "Win95/98/ME"}, {famigliaConsumer, 4, 90, "Win95/98/ME"},
      {famigliaNT, 4, 0, "WinNT"},              {famigliaNT, 3, 51, "WinNT"},
      {famigliaNT, 5, 0, "Win2000"},            {famigliaNT, 5, 1, "WinXP"},
      {famigliaNT, 5, 2, "Si NT"},              {famigliaNT, 5, 3, "Sconosciuto"},
      {famigliaNT, 6, 1, "Sconosciuto"},        {"Linux", 6, 1, ""},
      {"", 0, 0, ""},
  };
  for (auto [famiglia, maggiore, minore, nome] : casi)
    EXPECT_EQ(pfuncNomeSistema({famiglia, maggiore, minore}), nome) << famiglia << " " << maggiore << "." << minore;
}

struct Caso {
  int larghezza, altezza, bit;
  std::vector<Dimensioni> modi;  // empty: the test platform's usual modes
  std::vector<std::string> registro;
  bool termina;
};

TEST(ControlliSchermo, LarghezzeEProfondita) {
  const std::string risoluzione640 =
      "msg La risoluzione attuale dello schermo è: 640x480.\r\nPer l'esecuzione di Brenvo Velmo è necessaria\r"
      "una risoluzione compresa tra 800x600 e 1280x1024...";
  const std::string risoluzione1600 =
      "msg La risoluzione attuale dello schermo è: 1600x1200.\r\nPer l'esecuzione di Brenvo Velmo è necessaria\r"
      "una risoluzione compresa tra 800x600 e 1280x1024...";
  auto colori = [](const char* n) {
    return std::string("msg L'impostazione corrente dei colori dello schermo è: ") + n +
           ".\r\r\nBrenvo Velmo 2.0 necessita di almeno 65536 colori...";
  };
  const Caso casi[] = {
      {640, 480, 32, {}, {"risoluzione 800x600"}, false},
      {799, 600, 32, {}, {"risoluzione 800x600"}, false},
      {800, 600, 32, {}, {}, false},
      {1024, 768, 32, {}, {}, false},
      {1280, 960, 32, {}, {}, false},
      {1280, 1024, 32, {}, {}, false},
      {1281, 1024, 32, {}, {"risoluzione 1280x1024"}, false},
      {1600, 1200, 32, {}, {"risoluzione 1280x1024"}, false},
      {3840, 2160, 32, {}, {"risoluzione 1280x1024"}, false},
      // A switch refused each way: the message, and nothing after it runs
      // (no colour check on an 8-bit screen).
      {640, 480, 8, {{640, 480}}, {"risoluzione 800x600 rifiutata", risoluzione640, "termina"}, true},
      {1600, 1200, 32, {{1600, 1200}}, {"risoluzione 1280x1024 rifiutata", risoluzione1600, "termina"}, true},
      {1024, 768, 8, {}, {colori("256"), "termina"}, true},
      {1024, 768, 15, {}, {colori("32768"), "termina"}, true},
      {1024, 768, 16, {}, {}, false},
      {1024, 768, 24, {}, {}, false},
  };
  for (const Caso& c : casi) {
    Ambiente a;
    a.p.schermo_ = {c.larghezza, c.altezza};
    a.p.profondita = c.bit;
    a.p.versione = {famigliaNT, 5, 1};
    if (!c.modi.empty()) a.p.modi = c.modi;
    bool terminato = false;
    try {
      psubControllaSchermoESistema();
    } catch (const ProgrammaTerminato&) {
      terminato = true;
    }
    const std::string nome = std::to_string(c.larghezza) + "x" + std::to_string(c.altezza) + "x" + std::to_string(c.bit);
    EXPECT_EQ(a.p.registro, c.registro) << nome;
    EXPECT_EQ(terminato, c.termina) << nome;
    EXPECT_EQ(modGenerale.schermoAvvio, (Dimensioni{c.larghezza, c.altezza})) << nome;
    EXPECT_EQ(modGenerale.nomeSistema, c.termina ? "" : "WinXP") << nome;
    for (const MessaggioMostrato& m : a.p.messaggi) {
      EXPECT_EQ(m.icona, Icona::esclamazione);
      EXPECT_EQ(m.titolo, " Brenvo Info Service...");
    }
  }
}

}  // namespace
}  // namespace velmo::test
