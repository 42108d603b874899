"""The credits' crawl as the window system sees it, on the real game under
Xvfb and openbox:

- the damaged area per second, read with the X DAMAGE extension on the game
  window over 10 s, against a repaint of the whole moving panel at the same
  tick rate, and the strip of a minimal 40 Hz animation (120x12 pixels, see
  animazione_minima_bench);
- the game's CPU over 20 s with the credits on screen, minimised, on another
  workspace, and fully covered by another window; and that the crawl goes
  on after each.

    /usr/bin/python3 bench/crediti_bench.py build/velmo"""

import os
import sys
import threading
import time

try:
    from Xlib import X, display
    from Xlib.ext import damage
except ImportError:  # a Python of its own beside Debian's, whose package holds Xlib
    sys.path.append("/usr/lib/python3/dist-packages")
    from Xlib import X, display
    from Xlib.ext import damage

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
sys.path.insert(0, os.path.dirname(__file__))
from finestra_inattiva import tempo_cpu  # noqa: E402
from sessione_x import SessioneX  # noqa: E402

TWIPS = 15
PANNELLO = (2175 // TWIPS, 4560 // TWIPS)  # the credits' moving area, in pixels
STRISCIA = 120 * 12  # the minimal animation's strip


class Danni:
    """Counts the pixels damaged in a window, from another X connection."""

    def __init__(self, nome_display, finestra):
        self.d = display.Display(nome_display)
        self.d.damage_query_version()  # the extension's handshake, before any other request
        self.evento = self.d.query_extension("DAMAGE").first_event + damage.DamageNotifyCode
        self.finestra = self.d.create_resource_object("window", int(finestra))
        self.danno = self.finestra.damage_create(damage.DamageReportRawRectangles)
        self.d.flush()
        self.area = self.eventi = 0
        self.fine = False
        self.filo = threading.Thread(target=self._leggi, daemon=True)
        self.filo.start()

    def _leggi(self):
        while not self.fine:
            while self.d.pending_events():
                e = self.d.next_event()
                if e.type == self.evento:
                    self.area += e.area.width * e.area.height
                    self.eventi += 1
            time.sleep(0.005)

    def misura(self, secondi):
        """Pixels and damage reports per second over the next seconds."""
        a0, e0, t0 = self.area, self.eventi, time.monotonic()
        time.sleep(secondi)
        dt = time.monotonic() - t0
        return (self.area - a0) / dt, (self.eventi - e0) / dt

    def chiudi(self):
        self.fine = True
        self.filo.join()
        self.d.close()


def cpu(pid, secondi=20.0):
    c0, t0 = tempo_cpu(pid), time.monotonic()
    time.sleep(secondi)
    return (tempo_cpu(pid) - c0) / (time.monotonic() - t0) * 100


def coperta(nome_display):
    """A window over the whole screen, mapped and raised: the game is fully
    covered. Returns its display connection, to close it."""
    d = display.Display(nome_display)
    schermo = d.screen()
    w = schermo.root.create_window(0, 0, schermo.width_in_pixels, schermo.height_in_pixels, 0,
                                   schermo.root_depth, background_pixel=schermo.white_pixel)
    w.set_wm_name("copertura")
    w.map()
    w.configure(stack_mode=X.Above)
    d.flush()
    return d


def main():
    eseguibile = sys.argv[1] if len(sys.argv) > 1 else "build/velmo"
    with SessioneX(eseguibile, "/tmp/velmo-bench-crediti") as x:
        gioco = x.avvia_gioco()
        time.sleep(2.0)
        danni = Danni(x.display, x.finestra)
        area, eventi = danni.misura(10.0)
        w, h = PANNELLO
        print(f"credits on screen: {area:,.0f} damaged pixels/s in {eventi:.0f} reports/s")
        print(f"  a repaint of the whole panel ({w}x{h}) at 40 Hz: {w * h * 40:,.0f} pixels/s "
              f"({area / (w * h * 40) * 100:.1f}% of it)")
        print(f"  a minimal 40 Hz animation's strip (120x12): {STRISCIA * 40:,.0f} pixels/s")
        print(f"credits on screen: CPU {cpu(gioco.pid):.3f}% of one core over 20 s")

        x.xdotool("windowminimize", x.finestra)
        time.sleep(1.0)
        area, _ = danni.misura(3.0)
        print(f"minimised: CPU {cpu(gioco.pid):.3f}% of one core over 20 s (target at most 0.05%), "
              f"{area:,.0f} damaged pixels/s")
        x.attiva(x.finestra)
        time.sleep(1.0)
        area, _ = danni.misura(3.0)
        print(f"shown again: {area:,.0f} damaged pixels/s (the crawl goes on)")

        x.xdotool("set_desktop", 1)
        time.sleep(1.0)
        area, _ = danni.misura(3.0)
        print(f"on another workspace: CPU {cpu(gioco.pid):.3f}% of one core over 20 s, {area:,.0f} damaged pixels/s")
        x.xdotool("set_desktop", 0)
        x.attiva(x.finestra)
        time.sleep(1.0)
        area, _ = danni.misura(3.0)
        print(f"back on its workspace: {area:,.0f} damaged pixels/s (the crawl goes on)")

        copertura = coperta(x.display)
        time.sleep(1.0)
        area, _ = danni.misura(3.0)
        print(f"fully covered: CPU {cpu(gioco.pid):.3f}% of one core over 20 s, {area:,.0f} damaged pixels/s")
        copertura.close()
        x.attiva(x.finestra)
        time.sleep(1.0)
        area, _ = danni.misura(3.0)
        print(f"uncovered: {area:,.0f} damaged pixels/s (the crawl goes on)")
        danni.chiudi()


if __name__ == "__main__":
    main()
