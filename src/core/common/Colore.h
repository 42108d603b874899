#pragma once
// A colour as red, green, blue from 0 to 255.

namespace velmo {

struct Colore {
  int rosso = 0, verde = 0, blu = 0;
  friend bool operator==(const Colore&, const Colore&) = default;
};

}  // namespace velmo
