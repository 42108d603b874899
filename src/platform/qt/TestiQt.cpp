#include "platform/qt/TestiQt.h"

namespace velmo {

std::string righeUnix(std::string testo) {
  std::string uscita;
  uscita.reserve(testo.size());
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] != '\r') {
      uscita += testo[i];
      continue;
    }
    uscita += '\n';
    if (i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
  }
  return uscita;
}

}  // namespace velmo
