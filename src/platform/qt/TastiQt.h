#pragma once
// Keys and mouse buttons as the form handlers expect them: the virtual-key
// codes and the shift, button bit masks of the program's original system.

#include <Qt>

namespace velmo {

// The virtual-key code of a key, 0 for keys without one. Keypad digits
// (96..105) differ from the main row (48..57). `codiceHardware` is the
// X11/evdev key code when known (0 otherwise): it names the main-row digit
// keys whatever Shift or the layout makes of them, as the original codes do.
int codiceVirtuale(int tastoQt, Qt::KeyboardModifiers modificatori, unsigned codiceHardware = 0);

// Shift 1, Ctrl 2, Alt 4.
int bitShift(Qt::KeyboardModifiers modificatori);

// Left 1, right 2, middle 4 (one button or a mask of held ones).
int bitPulsanti(Qt::MouseButtons pulsanti);

}  // namespace velmo
