// Writes the settings file of a fresh installation at the path given, unless
// a file is already there: a player's launch counter and leaderboard are
// never overwritten by a build.

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/files/ImpostazioniIniziali.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PATH\n", argv[0]);
    return 2;
  }
  std::error_code errore;
  if (std::filesystem::exists(argv[1], errore) || errore) return errore ? 1 : 0;
  std::ofstream file(argv[1], std::ios::binary);
  file << velmo::testoImpostazioniIniziali();
  file.close();
  if (!file) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
