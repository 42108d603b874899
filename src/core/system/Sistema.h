#pragma once
// Facts of the system the program runs on, as the platform reports them.

#include <string>

namespace velmo {

struct Dimensioni {
  int larghezza = 0, altezza = 0;
  friend bool operator==(const Dimensioni&, const Dimensioni&) = default;
};

struct VersioneSistema {
  std::string famiglia;  // one of the families below, or another name
  int maggiore = 0, minore = 0;
};

// The two families of the system the program was written for; any other
// (Linux among them) is named by the platform as it likes.
inline constexpr const char* famigliaConsumer = "Windows 95/98/ME";
inline constexpr const char* famigliaNT = "Windows NT";

}  // namespace velmo
