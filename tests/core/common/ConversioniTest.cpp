#include "core/common/Conversioni.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <stdexcept>

namespace velmo {
namespace {

TEST(Conversioni, NumeroConBlancoDavantiAiNonNegativi) {
  const std::pair<std::int64_t, const char*> casi[] = {
      {0, " 0"}, {62, " 62"}, {-1, "-1"}, {-1000, "-1000"}, {2147483647, " 2147483647"}};
  for (auto [n, atteso] : casi) EXPECT_EQ(testoNumero(n), atteso) << n;
}

TEST(Conversioni, SingoloConAlPiuSetteCifreSenzaZeriFinali) {
  const std::pair<float, const char*> casi[] = {
      {62 * 100 / 63.0f, " 98.4127"}, {5 * 100 / 63.0f, " 7.936508"}, {100.0f, " 100"},
      {0.0f, " 0"},                   {-0.0f, " 0"},                  {1.5f, " 1.5"},
      {-2.25f, "-2.25"},              {1e-5f, " 1E-05"},              {12345678.0f, " 1.234568E+07"},
      {0.5f, " 0.5"}};
  for (auto [f, atteso] : casi) EXPECT_EQ(testoSingolo(f), atteso) << f;
}

TEST(Conversioni, ValoreInizialeDelTestoTagliato) {
  const std::pair<const char*, double> casi[] = {
      {"5230", 5230},   {"  -360  ", -360}, {"+7", 7},     {"3.25abc", 3.25}, {".5", 0.5},
      {"vuoto", 0},     {"", 0},            {"   ", 0},    {"-", 0},          {"12 34", 12},
      {"1e3", 1000},    {"2E", 2},          {"-.", 0},     {"7.", 7},         {"\t5", 0}};
  for (auto [testo, atteso] : casi) EXPECT_DOUBLE_EQ(valoreIniziale(testo), atteso) << '"' << testo << '"';
}

TEST(Conversioni, ArrotondamentoAlPariEIntervalli) {
  const std::pair<double, int> casi[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},     {-0.5, 0},
                                         {-1.5, -2}, {2.4, 2},   {2.6, 3},     {32767.4, 32767},
                                         {-32768.5, -32768}};
  for (auto [x, atteso] : casi) EXPECT_EQ(interoCorto(x), atteso) << x;
  EXPECT_THROW(interoCorto(32767.5), std::overflow_error);  // rounds to 32768
  EXPECT_THROW(interoCorto(-32769), std::overflow_error);
  EXPECT_EQ(interoLungo(2147483647.4), 2147483647);
  EXPECT_EQ(interoLungo(-2147483648.5), std::numeric_limits<std::int32_t>::min());
  EXPECT_THROW(interoLungo(2147483647.5), std::overflow_error);
  EXPECT_THROW(interoLungo(std::numeric_limits<double>::quiet_NaN()), std::overflow_error);
}

// The toolkit sets the user's locale at start-up; numbers keep their ".".
TEST(Conversioni, IlPuntoDecimaleNonDipendeDallaLingua) {
  const std::string prima = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "it_IT.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
    GTEST_SKIP() << "no locale with a decimal comma on this machine";
  const std::string singolo = testoSingolo(62 * 100 / 63.0f);
  const double letto = valoreIniziale("969.4127");
  std::setlocale(LC_NUMERIC, prima.c_str());
  EXPECT_EQ(singolo, " 98.4127");
  EXPECT_DOUBLE_EQ(letto, 969.4127);
}

TEST(Conversioni, EstensioneAggiuntaSeIlNomeNonFinisceConLei) {
  const std::pair<const char*, const char*> casi[] = {
      {"partita", "partita.vl2"},         {"partita.VL2", "partita.VL2"}, {"partitavl2", "partitavl2"},
      {"partita.txt", "partita.txt.vl2"}, {"/a/b c/città", "/a/b c/città.vl2"}, {"l2", "l2.vl2"},
      {"", ".vl2"}};
  for (auto [nome, atteso] : casi) EXPECT_EQ(conEstensione(nome, "vl2"), atteso) << nome;
}

TEST(Conversioni, TagliaSoloIBlanchi) {
  EXPECT_EQ(taglia("  a b  "), "a b");
  EXPECT_EQ(taglia("   "), "");
  EXPECT_EQ(taglia("\ta "), "\ta");
}

}  // namespace
}  // namespace velmo
