#pragma once
// A fresh general module on the test platform, for each test.

#include "PiattaformaTest.h"
#include "common/ModGenerale.h"

namespace velmo::test {

struct Ambiente {
  PiattaformaTest p;
  Ambiente() {
    modGenerale = ModGenerale{};
    modGenerale.piattaforma = &p;
  }
  ~Ambiente() { modGenerale.piattaforma = nullptr; }
  Ambiente(const Ambiente&) = delete;
  Ambiente& operator=(const Ambiente&) = delete;
};

}  // namespace velmo::test
