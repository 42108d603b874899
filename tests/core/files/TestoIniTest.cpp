// The INI-style text: reading one value and writing one value, over odd
// spacing, line ends, duplicates, long values and bytes that are not text.

#include "core/files/TestoIni.h"

#include <gtest/gtest.h>

#include <string>

#include "core/files/Windows1252.h"

namespace velmo {
namespace {

using namespace std::string_literals;

TEST(TestoIni, LetturaDiUnValore) {
  struct Caso {
    std::string testo;
    const char *sezione, *chiave, *atteso;
  };
  const std::string lungo(300, 'x');
  const Caso casi[] = {
      {"[Toob]\r\nk=5\r\n", "Toob", "k", "5"},
      {"[toob]\nK=5\n", "TOOB", "k", "5"},                           // names without regard to case
      {"  [ Nome ]  \n  1  =   Anna Rossi   \n", "Nome", "1", "Anna Rossi"},
      {"[a]\n\tk\t=\tv\t\n", "a", "k", "v"},                          // tabs are blanks too
      {"[a]\rk=cr\r", "a", "k", "cr"},                                 // old Mac line ends
      {"[a]\r\nk=senza fine riga", "a", "k", "senza fine riga"},       // no end on the last line
      {"[a] k=1", "a", "k", ""},                                       // one line, no line end at all
      {"[a]\nk=1\n", "b", "k", ""},                                    // missing section
      {"[a]\nk=1\n", "a", "j", ""},                                    // missing key
      {"[a]\nk=primo\nk=secondo\n", "a", "k", "primo"},                // duplicate keys: the first wins
      {"[a]\nx=1\n[b]\n[A]\nk=2\n", "a", "k", ""},                     // only the first section of a name
      {"k=fuori\n[a]\nj=1\n", "a", "k", ""},                           // a key before any section
      {"[a]\nk=1\n[b]\nj=2\n", "b", "k", ""},                          // a key of another section
      {"[a]\nk=\n", "a", "k", ""},
      {"[a]\nk=   \n", "a", "k", ""},
      {"[a]\nk=x=y\n", "a", "k", "x=y"},
      {"[a]\n;k=commento\nk=valore\n", "a", "k", "valore"},
      {"[a\nk=1\n", "a", "k", ""},                                     // no closing bracket: no section
      {"[a]\nk=ab \0cd\n"s, "a", "k", "ab"},                           // a value ends at a NUL byte
      {"[a]\nk=" + lungo + "\n", "a", "k", nullptr},                   // see below: cut to 254
      {"", "a", "k", ""},
  };
  for (const Caso& c : casi) {
    const std::string atteso = c.atteso ? c.atteso : lungo.substr(0, 254);
    EXPECT_EQ(valoreIni(c.testo, c.sezione, c.chiave), atteso) << '"' << c.testo << '"';
  }
}

TEST(TestoIni, PiuValoriInUnaPassataComeUnoAllaVolta) {
  const std::string testo = "k=fuori\n[a]\nB=2\n;c=no\nc=3\nb=doppia\n[b]\nd=4\n[A]\nd=5\n";
  const std::vector<std::string> chiavi = {"d", "b", "C", "k", "b"};
  EXPECT_EQ(valoriIni(testo, "a", chiavi), (std::vector<std::string>{"", "2", "3", "", "2"}));
  for (const std::string& k : chiavi) EXPECT_EQ(valoreIni(testo, "A", k), valoriIni(testo, "A", {k})[0]) << k;
  EXPECT_EQ(valoriIni("", "a", {"x", "y"}), (std::vector<std::string>{"", ""}));
}

TEST(TestoIni, ScritturaDiUnValoreTieneLeAltreRighe) {
  struct Caso {
    std::string testo;
    const char *sezione, *chiave, *valore;
    std::string atteso;
  };
  const Caso casi[] = {
      {"", "a", "k", "v", "[a]\r\nk=v\r\n"},                           // a new file
      {"; commento\r\n[a]\r\nk=1\r\nj=2\r\n", "a", "k", "9", "; commento\r\n[a]\r\nk=9\r\nj=2\r\n"},
      {"[A]\nK=1\n", "a", "k", "2", "[A]\r\nk=2\r\n"},                  // LF in, CR LF out
      {"[a]\r\nj=1\r\n\r\n[b]\r\nx=2\r\n", "a", "k", "v", "[a]\r\nj=1\r\nk=v\r\n\r\n[b]\r\nx=2\r\n"},
      {"[a]\r\nj=1", "b", "k", "v", "[a]\r\nj=1\r\n\r\n[b]\r\nk=v\r\n"},  // a section at the end
      {"[a]", "a", "k", "v", "[a]\r\nk=v\r\n"},
      {"[a]\nk=1\nk=2\n", "a", "k", "3", "[a]\r\nk=3\r\nk=2\r\n"},      // the first of duplicates
      {"k=0\n[a]\n", "a", "k", "1", "k=0\r\n[a]\r\nk=1\r\n"},
      {"[a]\n[b]\n", "a", "k", "1", "[a]\r\nk=1\r\n[b]\r\n"},
      {"[a]\r\nx=a\0b\r\n[?]\r\n"s, "a", "k", "1", "[a]\r\nx=a\0b\r\nk=1\r\n[?]\r\n"s},  // odd bytes kept
      {"[a]\nk=1\n", "a", "k", "due\r\nrighe\n[b]", "[a]\r\nk=due  righe [b]\r\n"},   // a value is one line
      {"[a]\nk=1\n", "a", "k", "", "[a]\r\nk=\r\n"},
  };
  for (const Caso& c : casi)
    EXPECT_EQ(conValoreIni(c.testo, c.sezione, c.chiave, c.valore), c.atteso) << '"' << c.testo << '"';
}

TEST(TestoIni, UnValoreScrittoSiRilegge) {
  const std::string lungo(300, 'y');
  std::string t;
  for (auto [s, k, v] : {std::tuple{"Nome", "1", " Anna "}, {"Punteggio", "1", "5230"}, {"Nome", "2", "Bruno"},
                         {"Info", "1", lungo.c_str()}, {"nome", "1", "Carla"}})
    t = conValoreIni(t, s, k, v);
  EXPECT_EQ(valoreIni(t, "Nome", "1"), "Carla");
  EXPECT_EQ(valoreIni(t, "Nome", "2"), "Bruno");
  EXPECT_EQ(valoreIni(t, "Punteggio", "1"), "5230");
  EXPECT_EQ(valoreIni(t, "Info", "1"), lungo.substr(0, 254));
  EXPECT_EQ(t, "[Nome]\r\n1=Carla\r\n2=Bruno\r\n\r\n[Punteggio]\r\n1=5230\r\n\r\n[Info]\r\n1=" + lungo + "\r\n");
}

TEST(Windows1252, DaEVersoUtf8) {
  EXPECT_EQ(aWindows1252("niccolò àlvaro €"), "niccol\xF2 \xE0lvaro \x80");
  EXPECT_EQ(daWindows1252("niccol\xF2 \xE0lvaro \x80"), "niccolò àlvaro €");
  EXPECT_EQ(aWindows1252("日本 ok"), "?? ok");        // outside the code page
  EXPECT_EQ(aWindows1252("a\xFF" "b\xC3"), "a?b?");    // broken UTF-8
  EXPECT_EQ(aWindows1252("\xE0\x80\x80"), "???");      // an overlong form is broken too
  // Every byte comes back as it was, the five undefined ones included.
  std::string tutti;
  for (int b = 0; b < 256; ++b) tutti += static_cast<char>(b);
  EXPECT_EQ(aWindows1252(daWindows1252(tutti)), tutti);
}

TEST(Windows1252, MaiuscoleEMinuscoleAccentate) {
  const std::pair<const char*, const char*> coppie[] = {
      {"a", "A"}, {"z", "Z"}, {"à", "À"}, {"ò", "Ò"}, {"ñ", "Ñ"}, {"þ", "Þ"}, {"œ", "Œ"}, {"š", "Š"}, {"ÿ", "Ÿ"}};
  for (auto [minuscola, maiuscola] : coppie) {
    const char m = aWindows1252(minuscola)[0], M = aWindows1252(maiuscola)[0];
    EXPECT_EQ(maiuscola1252(m), M) << minuscola;
    EXPECT_EQ(minuscola1252(M), m) << maiuscola;
  }
  for (const char* uguale : {"ß", "÷", "×", "1", " ", "?", "µ"}) {
    const char c = aWindows1252(uguale)[0];
    EXPECT_EQ(maiuscola1252(c), c) << uguale;
    EXPECT_EQ(minuscola1252(c), c) << uguale;
  }
}

}  // namespace
}  // namespace velmo
