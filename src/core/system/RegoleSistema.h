#pragma once
// The rules of the display and system checks at start-up, as pure
// functions: the system's name, the colour count, the resolution to switch
// to, and the two messages that refuse a display.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/system/Sistema.h"

namespace velmo {

// "Win95/98/ME", "WinNT", "Win2000", "WinXP", "Si NT", "Sconosciuto", or ""
// for a family the program does not know (Linux among them).
std::string pfuncNomeSistema(const VersioneSistema& v);

// 2 to the bits per pixel, times the colour planes.
double pfuncNumeroColori(int bitPerPixel, int piani);

// The resolution a screen of this width must be switched to: 800 x 600 below
// 800 pixels, 1280 x 1024 above 1280, none in between.
std::optional<Dimensioni> pfuncRisoluzioneRichiesta(int larghezza);
inline constexpr double coloriMinimi = 65000;

// A screen turned a quarter (90 or 270 degrees) shows each mode of the
// display server's list, which is kept unturned, the other way round. The
// program measures, switches to and restores sizes as the screen shows them.
Dimensioni pfuncDimensioniVisibili(Dimensioni modo, bool girato);
// The place in the server's list of the mode that shows `visibile` on the
// screen as it is turned; nullopt when there is none.
std::optional<std::size_t> pfuncModoCheMostra(const std::vector<Dimensioni>& modi, Dimensioni visibile, bool girato);

std::string pfuncTestoRisoluzione(Dimensioni avvio);
std::string pfuncTestoColori(double colori);

}  // namespace velmo
