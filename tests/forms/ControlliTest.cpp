// Control arrays: indices from 1, and a wrong index fails loudly in every
// build, release included.

#include "forms/Controlli.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace velmo {
namespace {

TEST(Serie, IndiciDa1ANEFuoriDaiLimitiUnaEccezione) {
  Serie<Immagine, 3> serie;
  serie[1].setTag("prima");
  serie[3].setTag("ultima");
  EXPECT_EQ(serie.begin()->tag(), "prima");
  EXPECT_EQ((serie.end() - 1)->tag(), "ultima");
  for (int sbagliato : {0, 4, -1}) EXPECT_THROW(serie[sbagliato], std::out_of_range) << sbagliato;
  const auto& costante = serie;
  EXPECT_THROW(costante[0], std::out_of_range);
}

}  // namespace
}  // namespace velmo
