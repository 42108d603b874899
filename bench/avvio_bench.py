"""The start of the real program: the time from exec to the splash being
mapped on the screen (the X server's MapNotify), median of 10 starts, and
the resident memory 10 s after start with the start-up music playing into
a private sound server. Run after building:

    python3 bench/avvio_bench.py build/velmo
"""

import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

try:
    from Xlib import X, display
except ImportError:  # a Python of its own beside Debian's, whose package holds Xlib
    sys.path.append("/usr/lib/python3/dist-packages")
    from Xlib import X, display

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from server_audio import VARIABILI, ServerAudio  # noqa: E402
from finestra_inattiva import memoria_residente_mib  # noqa: E402
from sessione_x import copia_del_gioco  # noqa: E402

SPLASH = "Velmo - avvio"


def xvfb():
    """A bare Xvfb: without a window manager the splash is a child of the
    root window, whose MapNotify the benchmark sees."""
    lettura, scrittura = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(scrittura), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp"], pass_fds=(scrittura,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(scrittura)
    with os.fdopen(lettura) as tubo:
        return server, ":" + tubo.readline().strip()


def fino_allo_splash(schermo, inizio, secondi=30):
    """Seconds from `inizio` to the MapNotify of the splash."""
    radice = schermo.screen().root
    while time.monotonic() - inizio < secondi:
        evento = schermo.next_event()
        if evento.type != X.MapNotify:
            continue
        try:
            nome = evento.window.get_wm_name()
        except Exception:  # a window gone meanwhile
            continue
        if nome == SPLASH:
            return time.monotonic() - inizio
    raise RuntimeError("no splash")


def main():
    eseguibile = sys.argv[1] if len(sys.argv) > 1 else "build/velmo"
    server, nome_display = xvfb()
    try:
        with tempfile.TemporaryDirectory(prefix="velmo-bench-avvio-") as cartella:
            copia = copia_del_gioco(eseguibile, cartella)
            env = dict(os.environ, DISPLAY=nome_display, QT_QPA_PLATFORM="xcb")
            schermo = display.Display(nome_display)
            schermo.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
            tempi = []
            for _ in range(10):
                inizio = time.monotonic()
                gioco = subprocess.Popen([copia], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                tempi.append(fino_allo_splash(schermo, inizio))
                time.sleep(2.0)  # the rest of the start, so the next one starts clean
                gioco.send_signal(signal.SIGTERM)
                gioco.wait(15)
            print("exec to splash mapped, ms: " + " ".join(f"{t * 1000:.0f}" for t in tempi))
            print(f"median of 10 starts: {statistics.median(tempi) * 1000:.0f} ms (target 100 ms)")

            with ServerAudio() as suono:
                env.update({k: suono.env[k] for k in VARIABILI})
                gioco = subprocess.Popen([copia], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                time.sleep(10.0)
                rss = memoria_residente_mib(gioco.pid)
                gioco.send_signal(signal.SIGTERM)
                gioco.wait(15)
            print(f"resident memory 10 s after start, the music playing: {rss:.1f} MiB (target under 45 MiB)")
    finally:
        server.terminate()
        server.wait(5)


if __name__ == "__main__":
    main()
