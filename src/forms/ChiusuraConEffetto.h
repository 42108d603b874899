#pragma once
// The closing effect of the general module, shared by the leaderboard and
// the intro window: rectangles shrinking to the window's centre are drawn on
// the screen over it, then the window unloads and another element is
// repainted, which wipes the rectangles left over it.

#include <cstdint>

namespace velmo {

class Controllo;
class Form;

// The pace of the rectangles: on the machines the effect was drawn for,
// each took about this long, which is what makes it visible.
inline constexpr double secondiPerRettangolo = 0.001;

// Draws `passi` rectangles, from the whole window down to its centre, then
// unloads the window and repaints `daRidisegnare`. The window unloaded
// meanwhile (its close command) ends the drawing early.
void psubChiudiConEffetto(Form& finestra, std::int16_t passi, Controllo& daRidisegnare);

}  // namespace velmo
