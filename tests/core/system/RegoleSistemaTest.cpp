// The display modes of a screen turned a quarter: the server lists them
// unturned, the program asks for sizes as the screen shows them.

#include "core/system/RegoleSistema.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace velmo {
namespace {

TEST(ModiDelloSchermo, UnoSchermoGiratoMostraOgniModoAllIncontrario) {
  const std::vector<Dimensioni> modi{{2560, 1440}, {1280, 1024}, {1024, 1280}, {800, 600}};
  struct Caso {
    Dimensioni visibile;
    bool girato;
    std::optional<std::size_t> modo;
  };
  const Caso casi[] = {
      {{2560, 1440}, false, 0},
      {{1440, 2560}, true, 0},  // the start-up size of a portrait screen, put back at the end
      {{1440, 2560}, false, std::nullopt},
      {{2560, 1440}, true, std::nullopt},
      {{1280, 1024}, false, 1},
      {{1280, 1024}, true, 2},  // the switch of a portrait screen wider than 1280
      {{800, 600}, true, std::nullopt},
      {{600, 800}, true, 3},
  };
  for (const Caso& c : casi) {
    EXPECT_EQ(pfuncModoCheMostra(modi, c.visibile, c.girato), c.modo)
        << c.visibile.larghezza << "x" << c.visibile.altezza << (c.girato ? " girato" : "");
    if (c.modo) {
      EXPECT_EQ(pfuncDimensioniVisibili(modi[*c.modo], c.girato), c.visibile);
    }
  }
}

}  // namespace
}  // namespace velmo
