// The leaderboard's rules: the name as stored, the place of a score, the
// shift of the entries below it, the victories text.

#include "core/files/Leaderboard.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(Classifica, NomeNormalizzato) {
  const std::pair<const char*, const char*> casi[] = {
      {"anna", "Anna"},
      {"giovanni battista", "Giovanni Bat"},   // 17 characters: the first 12
      {"mario rossi x", "Mario Rossi "},       // cut after a blank, which stays
      {"mARIO  rossi", "Mario  Rossi"},        // two blanks: the letter after the second rises
      {"niccolò àlvaro", "Niccolò Àlva"},      // accents are one character each and change case
      {"ÉMILE ZOLA", "Émile Zola"},
      {"x", "X"},
      {"a b c d e f g h", "A B C D E F "},
      {"123abc def", "123abc Def"},
      {"o'neil mc-do", "O'neil Mc-do"},
      {"anna 日本", "Anna ??"},                 // outside the files' code page
      {"abcdefghijkl", "Abcdefghijkl"},        // exactly 12
  };
  for (auto [scritto, atteso] : casi) EXPECT_EQ(nomeNormalizzato(scritto), atteso) << scritto;
}

Leaderboard classificaDi(std::array<const char*, 5> punteggi) {
  Leaderboard c;
  for (std::size_t i = 0; i < 5; ++i) c[i] = {"N" + std::to_string(i + 1), "I" + std::to_string(i + 1), punteggi[i]};
  return c;
}

TEST(Classifica, PostoDelPunteggio) {
  struct Caso {
    std::array<const char*, 5> punteggi;
    std::int32_t punteggio;
    int posto;
  };
  const Caso casi[] = {
      {{"vuoto", "vuoto", "vuoto", "vuoto", "vuoto"}, 1, 1},  // a fresh board: every score counts 0
      {{"900", "800", "700", "600", "500"}, 700, 3},           // equal goes above
      {{"900", "800", "700", "600", "500"}, 500, 5},
      {{"900", "800", "700", "600", "500"}, 650, 4},
      {{"900", "800", "700", "600", "500"}, 900, 1},
      {{"900", "800", "700", "600", "500"}, 899, 2},
      {{"900", "800", "700", "600", "500"}, 499, 0},           // below place 5: nowhere
      {{"5230", "vuoto", "vuoto", "vuoto", "vuoto"}, 10, 2},
      {{" 300 ", "200.5", "200", "-50", "-60"}, 200, 3},       // stored texts by their leading number
      {{"100", "100", "100", "100", "100"}, 100, 1},
  };
  for (const Caso& c : casi) EXPECT_EQ(postoInClassifica(classificaDi(c.punteggi), c.punteggio), c.posto) << c.punteggio;
}

TEST(Classifica, InserimentoSpostaInGiuEPerdeIlQuinto) {
  auto nomi = [](const Leaderboard& c) {
    std::string s;
    for (const auto& v : c) s += v.Nome + "/" + v.Info + "/" + v.Punteggio + " ";
    return s;
  };
  Leaderboard c = classificaDi({"900", "800", "700", "600", "500"});
  inserisciInClassifica(c, 3, {"Anna", "2 vittorie", "700"});
  EXPECT_EQ(nomi(c), "N1/I1/900 N2/I2/800 Anna/2 vittorie/700 N3/I3/700 N4/I4/600 ");
  inserisciInClassifica(c, 5, {"Bruno", "0 vittorie", "600"});
  EXPECT_EQ(nomi(c), "N1/I1/900 N2/I2/800 Anna/2 vittorie/700 N3/I3/700 Bruno/0 vittorie/600 ");
  inserisciInClassifica(c, 1, {"Carla", "1 vittoria", "950"});
  EXPECT_EQ(nomi(c), "Carla/1 vittoria/950 N1/I1/900 N2/I2/800 Anna/2 vittorie/700 N3/I3/700 ");
}

TEST(Classifica, TestoDelleVittorie) {
  EXPECT_EQ(testoVittorie(0), "0 vittorie");
  EXPECT_EQ(testoVittorie(1), "1 vittoria");
  EXPECT_EQ(testoVittorie(2), "2 vittorie");
  EXPECT_EQ(testoVittorie(11), "11 vittorie");
}

}  // namespace
}  // namespace velmo
