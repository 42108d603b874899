"""The play command on a checkout that is already built: the time from the
command being typed (`bash scripts/play.sh`, run by a shell in the checkout)
to the splash being mapped on the screen, median of 10, in a bare Xvfb.
Also the time of the set-up step alone, what the command adds to the
program's own start. The sound warning is turned off for the run, and the
player's settings file is put back as it was.

    python3 bench/secondo_avvio.py [CHECKOUT]
"""

import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from avvio_bench import X, display, fino_allo_splash, xvfb  # noqa: E402
from sessione_x import senza_avviso_audio  # noqa: E402


def main():
    checkout = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    impostazioni = os.path.join(checkout, "build", "Velmo.001")
    if not os.path.exists(os.path.join(checkout, "build", "velmo")):
        sys.exit(f"{checkout} is not built: run bash scripts/play.sh there once first")
    server, nome_display = xvfb()
    with tempfile.TemporaryDirectory(prefix="velmo-bench-secondo-avvio-") as cartella:
        copia = os.path.join(cartella, "Velmo.001")
        shutil.copy2(impostazioni, copia)
        # Without a sound server the warning would come before the splash.
        senza_avviso_audio(impostazioni)
        try:
            env = dict(os.environ, DISPLAY=nome_display, QT_QPA_PLATFORM="xcb")
            schermo = display.Display(nome_display)
            schermo.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)

            preparazione = []
            for _ in range(10):
                inizio = time.monotonic()
                subprocess.run(["bash", "scripts/setup.sh", "gioco"], cwd=checkout, env=env, check=True,
                               stdout=subprocess.DEVNULL)
                preparazione.append(time.monotonic() - inizio)

            tempi = []
            for _ in range(10):
                inizio = time.monotonic()
                gioco = subprocess.Popen(["bash", "-c", "bash scripts/play.sh"], cwd=checkout, env=env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                tempi.append(fino_allo_splash(schermo, inizio))
                time.sleep(2.0)  # the rest of the start, so the next one starts clean
                gioco.send_signal(signal.SIGTERM)  # the shell has become the game (exec)
                gioco.wait(15)
        finally:
            server.terminate()
            server.wait(5)
            shutil.copy2(copia, impostazioni)

    print("set-up step alone (scripts/setup.sh gioco), ms: " + " ".join(f"{t * 1000:.0f}" for t in preparazione))
    print(f"median: {statistics.median(preparazione) * 1000:.0f} ms")
    print("play command typed to splash mapped, ms: " + " ".join(f"{t * 1000:.0f}" for t in tempi))
    print(f"median of 10 starts: {statistics.median(tempi) * 1000:.0f} ms (target at most 1500 ms)")


if __name__ == "__main__":
    main()
