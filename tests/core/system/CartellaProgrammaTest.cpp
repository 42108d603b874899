// Where the program keeps its files: beside a build's executable, in the
// player's XDG data folder for an installed or unwritable copy.

#include "core/system/CartellaProgramma.h"

#include <gtest/gtest.h>

namespace velmo::test {
namespace {

TEST(CartellaProgramma, SceltaPerOgniCaso) {
  const std::string build = "/home/anna/velmo/build", dati = "/usr/share/velmo";
  const std::nullopt_t nessuna = std::nullopt;
  struct Caso {
    const char* nome;
    bool scrivibile;
    std::string datiInstallati;
    std::optional<std::string> xdg, home;
    std::string cartella, semi;
  };
  const Caso casi[] = {
      {"build folder: nothing changes", true, "", nessuna, "/home/anna", build, ""},
      {"build folder, XDG set: still beside it", true, "", "/x", "/home/anna", build, ""},
      {"installed, default XDG", false, dati, nessuna, "/home/anna", "/home/anna/.local/share/velmo", dati},
      {"installed, XDG_DATA_HOME set", false, dati, "/srv/xdg", "/home/anna", "/srv/xdg/velmo", dati},
      {"installed, trailing separators", false, dati, "/srv/xdg//", "/home/anna", "/srv/xdg/velmo", dati},
      {"installed, empty XDG falls to HOME", false, dati, "", "/home/anna/", "/home/anna/.local/share/velmo", dati},
      {"installed, relative XDG is ignored", false, dati, "dati", "/home/anna", "/home/anna/.local/share/velmo",
       dati},
      {"installed into a prefix root can write", true, dati, nessuna, "/root", "/root/.local/share/velmo", dati},
      {"XDG at the root", false, dati, "/", "/home/anna", "/velmo", dati},
      {"unwritable build folder: seeded from it", false, "", nessuna, "/home/anna",
       "/home/anna/.local/share/velmo", build},
      {"no HOME, no XDG: the executable's folder", false, dati, nessuna, nessuna, build, ""},
      {"relative HOME, no XDG", false, dati, nessuna, "anna", build, ""},
  };
  for (const Caso& c : casi) {
    const SceltaCartella s = pfuncSceltaCartella({build, c.scrivibile, c.datiInstallati, c.xdg, c.home});
    EXPECT_EQ(s.cartella, c.cartella) << c.nome;
    EXPECT_EQ(s.cartellaSemi, c.semi) << c.nome;
  }
}

}  // namespace
}  // namespace velmo::test
