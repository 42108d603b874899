#include "core/common/Casuale.h"

#include <bit>

namespace velmo {

void Casuale::reseed(double seme) { motore_.seed(std::bit_cast<std::uint64_t>(seme)); }

}  // namespace velmo
