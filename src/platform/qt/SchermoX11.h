#pragma once
// The display's mode on X11, through XRandR on the connection Qt already
// holds. Off X11 (the offscreen platform, a Wayland session without
// XWayland) there is no switch: every function answers as a display with one
// fixed mode would.

#include <optional>
#include <vector>

#include "core/system/Sistema.h"

namespace velmo::x11 {

// Sizes are as the screen shows them: a screen turned a quarter shows the
// server's modes the other way round.
// The screen's size in pixels; nullopt off X11.
std::optional<Dimensioni> dimensione();
// The sizes the server offers.
std::vector<Dimensioni> modi();
// Switches the screen to a size the server offers, keeping its rotation and,
// where the size offers it, its refresh rate. The change lasts for the X
// session. False when no such size exists or the server refuses.
bool cambiaRisoluzione(Dimensioni d);

}  // namespace velmo::x11
