#pragma once
// The program's one generator of uniform numbers in [0, 1) (Rnd), as a
// value type: the general module holds the program's instance, tests and the
// computer's rules take any.

#include <cstdint>
#include <random>

namespace velmo {

class Casuale {
 public:
  Casuale() : Casuale(0) {}
  explicit Casuale(std::uint64_t seme) : motore_(seme) {}
  double rnd() { return std::uniform_real_distribution<double>(0.0, 1.0)(motore_); }
  // Int(Rnd * n) + 1: a whole number 1..n.
  int da1a(int n) { return static_cast<int>(rnd() * n) + 1; }
  // A new sequence from a number such as the time of day.
  void reseed(double seme);

 private:
  std::mt19937_64 motore_;
};

}  // namespace velmo
