#pragma once
// The display and system checks of the start-up, on the platform: the
// system's name, the colour count, the display switch, and the checks that
// refuse a display the game window does not fit.

#include <string>

namespace velmo {

// The system's name from the platform's family and version; an unexpected
// error shows its own short message and ends the program.
std::string mfuncRilevaOS();

// 2 to the screen's bits per pixel (one colour plane).
double mfuncRilevaNumeroColoriSchermo();

// Switches the display to the width and height (rounded halves to even):
// 0 when the display now has that size, 1 when the switch was refused.
float pfuncCambiaRisoluzioneSchermo(float larghezza, float altezza);

// Measures the screen as the start-up size, switches it when it is narrower
// than 800 or wider than 1280 pixels, refuses fewer than 65000 colours, and
// names the system. A refused display shows its message and ends the
// program.
void psubControllaSchermoESistema();

}  // namespace velmo
