"""End to end: the start of the real program in a real X server.

The splash comes first, then the game window, then the splash goes. Two
copies started at once: exactly one runs, the other says so and ends. A copy
killed with SIGKILL leaves its lock behind, and the next start runs all the
same. The splash's screenshot stays in the artefacts folder."""

import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from sessione_x import SessioneX, attendi  # noqa: E402

SPLASH = "Velmo - avvio"
GIOCO = "Brenvo Velmo"


def finestre(x, nome):
    r = x._esegui(["xdotool", "search", "--onlyvisible", "--name", nome], controlla=False)
    return r.stdout.split() if r.returncode == 0 else []


def descrivi(x, nome):
    """The windows named so, with their process and geometry, for a failure."""
    righe = []
    for w in finestre(x, nome):
        pid = x._esegui(["xdotool", "getwindowpid", w], controlla=False).stdout.strip()
        titolo = x._esegui(["xdotool", "getwindowname", w], controlla=False).stdout.strip()
        righe.append(f"{w} pid {pid} '{titolo}'")
    return righe


def splash_poi_gioco(x):
    x.gioco = subprocess.Popen([x.eseguibile], env=x.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    attendi(lambda: finestre(x, SPLASH), 30, "the splash", 0.02)
    assert not finestre(x, GIOCO), "the game window came before the splash"
    time.sleep(0.3)  # the splash paints its pictures
    x.schermata("avvio_splash.png")
    x.finestra = attendi(lambda: finestre(x, GIOCO), 30, "the game window", 0.05)[-1]
    attendi(lambda: not finestre(x, SPLASH), 5, "the splash to close", 0.05)
    x.schermata("avvio_gioco.png")
    print("splash, then the game window, then the splash gone")


def due_copie(x):
    """Another copy while one runs: its message, and it ends; the first runs on."""
    seconda = subprocess.Popen([x.eseguibile], env=x.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    avviso = x.cerca_finestra("Brenvo Info Service", 30)
    x.schermata("avvio_seconda_copia.png")
    x.attiva(avviso)
    x.tasto("Return")
    assert seconda.wait(15) == 0, "the second copy did not end cleanly"
    assert x.gioco.poll() is None, "the first copy ended"
    # A search can fail while the ended copy's windows are being destroyed.
    attendi(lambda: len(finestre(x, GIOCO)) == 1, 5, "exactly one game window")
    print("a second copy said so and ended; the first runs on")


def insieme(x):
    """Two copies started at the same moment: exactly one game window."""
    copie = [subprocess.Popen([x.eseguibile], env=x.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
             for _ in range(2)]
    avviso = x.cerca_finestra("Brenvo Info Service", 30)
    x.attiva(avviso)
    x.tasto("Return")
    attendi(lambda: any(c.poll() is not None for c in copie), 15, "the refused copy to end")
    finita = next(c for c in copie if c.poll() is not None)
    assert finita.returncode == 0, f"the refused copy ended with {finita.returncode}"
    x.gioco = next(c for c in copie if c.poll() is None)
    x.finestra = attendi(lambda: finestre(x, GIOCO), 30, "the one game window", 0.1)[-1]
    attendi(lambda: len(finestre(x, GIOCO)) == 1, 5, "exactly one game window")
    time.sleep(1.0)  # the copy that runs has finished its start
    assert len(finestre(x, GIOCO)) == 1, f"two game windows: {descrivi(x, GIOCO)}"
    print("two copies at once: exactly one runs")


def main():
    eseguibile, artefatti = sys.argv[1], sys.argv[2]
    with SessioneX(eseguibile, artefatti) as x:
        splash_poi_gioco(x)
        due_copie(x)

        # Killed without a chance to let its lock go: the next start runs.
        x.gioco.send_signal(signal.SIGKILL)
        x.gioco.wait(15)
        assert os.path.exists(os.path.join(x.cartella_gioco, "Velmo.lock")), "no lock left to test"
        x.avvia_gioco()
        print("after a copy killed with SIGKILL the next start runs")
        x.gioco.send_signal(signal.SIGKILL)
        x.gioco.wait(15)
        x.gioco = None
        # The server drops a killed client's windows when it notices the
        # connection gone.
        attendi(lambda: not finestre(x, GIOCO), 10, "the killed copy's window to go")

        insieme(x)


if __name__ == "__main__":
    main()
