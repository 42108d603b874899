#pragma once
// A property that must hold for every input: when it does not, the target
// stops with the property's text, and libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

#define VERIFICA(condizione)                                                                      \
  do {                                                                                            \
    if (!(condizione)) {                                                                          \
      std::fprintf(stderr, "property broken: %s (%s:%d)\n", #condizione, __FILE__, __LINE__);    \
      std::abort();                                                                               \
    }                                                                                             \
  } while (0)
