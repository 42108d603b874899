"""A window manager that never activates a window: it maps what asks to be
mapped where it asks and ignores every request to activate one, as a
desktop with strict focus-stealing prevention may do with a new window; so
no window ever has the keyboard focus. No frames, no keys of its own.

    python3 gestore_pigro.py   (with DISPLAY set; runs until killed)"""

import sys

try:
    from Xlib import X, Xatom, display
except ImportError:  # a Python of its own beside Debian's, whose package holds Xlib
    sys.path.append("/usr/lib/python3/dist-packages")
    from Xlib import X, Xatom, display


def main():
    d = display.Display()
    radice = d.screen().root
    atomo = d.intern_atom
    attivo, supportati = atomo("_NET_ACTIVE_WINDOW"), atomo("_NET_SUPPORTED")
    verifica = atomo("_NET_SUPPORTING_WM_CHECK")
    radice.change_attributes(event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    d.sync()
    # Who runs the display: a child window naming itself, as EWMH asks.
    sentinella = radice.create_window(-10, -10, 1, 1, 0, X.CopyFromParent)
    sentinella.change_property(verifica, Xatom.WINDOW, 32, [sentinella.id])
    sentinella.change_property(atomo("_NET_WM_NAME"), atomo("UTF8_STRING"), 8, b"gestore pigro")
    radice.change_property(verifica, Xatom.WINDOW, 32, [sentinella.id])
    radice.change_property(supportati, Xatom.ATOM, 32, [attivo, verifica])
    radice.change_property(attivo, Xatom.WINDOW, 32, [X.NONE])
    d.set_input_focus(X.NONE, X.RevertToNone, X.CurrentTime)
    d.flush()
    while True:
        e = d.next_event()
        if e.type == X.MapRequest:
            e.window.map()
        elif e.type == X.ConfigureRequest:
            valori = {}
            for nome, bit in (("x", X.CWX), ("y", X.CWY), ("width", X.CWWidth), ("height", X.CWHeight),
                              ("border_width", X.CWBorderWidth)):
                if e.value_mask & bit:
                    valori[nome] = getattr(e, nome)
            if valori:
                e.window.configure(**valori)
        d.flush()


if __name__ == "__main__":
    main()
