#pragma once
// Texts between the program (UTF-8, Windows line breaks) and Qt.

#include <QString>
#include <string>

namespace velmo {

// "\r\n" and a lone "\r" both become "\n": the program breaks lines the
// Windows way, sometimes with a bare carriage return.
std::string righeUnix(std::string testo);

inline QString testoQt(const std::string& testo) { return QString::fromStdString(testo); }

}  // namespace velmo
