#include "platform/qt/TastiQt.h"

namespace velmo {

namespace {

// Main-row digits 1..9, 0 are X key codes 10..19 on every evdev keyboard.
int cifraDaCodiceHardware(unsigned codice) {
  if (codice < 10 || codice > 19) return 0;
  return codice == 19 ? '0' : static_cast<int>('1' + (codice - 10));
}

int tastierinoNumerico(int tasto) {
  if (tasto >= Qt::Key_0 && tasto <= Qt::Key_9) return 96 + (tasto - Qt::Key_0);
  switch (tasto) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;  // the decimal key, whatever the locale prints
    case Qt::Key_Slash: return 111;
    default: return 0;  // with Num Lock off the keys are arrows, Home, ...: below
  }
}

}  // namespace

int codiceVirtuale(int tasto, Qt::KeyboardModifiers modificatori, unsigned codiceHardware) {
  if (modificatori & Qt::KeypadModifier) {
    if (const int c = tastierinoNumerico(tasto)) return c;
  } else if (const int c = cifraDaCodiceHardware(codiceHardware)) {
    return c;
  }
  if (tasto >= Qt::Key_0 && tasto <= Qt::Key_9) return '0' + (tasto - Qt::Key_0);
  if (tasto >= Qt::Key_A && tasto <= Qt::Key_Z) return 'A' + (tasto - Qt::Key_A);
  if (tasto >= Qt::Key_F1 && tasto <= Qt::Key_F24) return 112 + (tasto - Qt::Key_F1);
  switch (tasto) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Help: return 47;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Semicolon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Period: return 190;
    case Qt::Key_Slash: return 191;
    case Qt::Key_QuoteLeft: return 192;
    case Qt::Key_BracketLeft: return 219;
    case Qt::Key_Backslash: return 220;
    case Qt::Key_BracketRight: return 221;
    case Qt::Key_Apostrophe: return 222;
    case Qt::Key_Less:
    case Qt::Key_Greater: return 226;
    default: return 0;
  }
}

int bitShift(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

int bitPulsanti(Qt::MouseButtons p) {
  return (p & Qt::LeftButton ? 1 : 0) | (p & Qt::RightButton ? 2 : 0) | (p & Qt::MiddleButton ? 4 : 0);
}

}  // namespace velmo
