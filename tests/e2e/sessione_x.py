"""A real X session for the game: Xvfb at 1280x1024x24 with openbox, the
game started in it, and the helpers to drive it with xdotool and read its
pixels. Used by the end-to-end test and the idle benchmark."""

import os
import shutil
import subprocess
import time

SCHERMO = "1280x1024x24"


def _display_libero():
    for n in range(90, 200):
        if not os.path.exists(f"/tmp/.X{n}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{n}"):
            return f":{n}"
    raise RuntimeError("no free X display")


class SessioneX:
    def __init__(self, eseguibile, cartella_artefatti):
        self.eseguibile = eseguibile
        self.artefatti = cartella_artefatti
        os.makedirs(self.artefatti, exist_ok=True)
        self.display = _display_libero()
        self.env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb")
        self.env.pop("WAYLAND_DISPLAY", None)
        self.processi = []
        self.gioco = None

    def __enter__(self):
        xvfb = subprocess.Popen(["Xvfb", self.display, "-screen", "0", SCHERMO, "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processi.append(xvfb)
        self._attendi(lambda: subprocess.run(["xdpyinfo"], env=self.env, stdout=subprocess.DEVNULL,
                                             stderr=subprocess.DEVNULL).returncode == 0, 10, "Xvfb")
        # Without a window manager X gives no focus and Alt+F4 closes nothing.
        self.processi.append(subprocess.Popen(["openbox"], env=self.env,
                                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1.0)
        return self

    def __exit__(self, *_):
        for p in ([self.gioco] if self.gioco else []) + self.processi[::-1]:
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()

    @staticmethod
    def _attendi(condizione, secondi, cosa):
        fine = time.monotonic() + secondi
        while time.monotonic() < fine:
            if condizione():
                return
            time.sleep(0.1)
        raise RuntimeError(f"timed out waiting for {cosa}")

    def avvia_gioco(self):
        self.gioco = subprocess.Popen([self.eseguibile], env=self.env,
                                      stdout=open(os.path.join(self.artefatti, "velmo.out"), "w"),
                                      stderr=subprocess.STDOUT)
        self.finestra = self.cerca_finestra("Brenvo Velmo", 15)
        self.attiva(self.finestra)
        return self.gioco

    def attiva(self, finestra):
        """Gives the window the focus; a window manager still starting may
        miss the first request."""
        for _ in range(3):
            try:
                self.xdotool("windowactivate", "--sync", finestra)
                break
            except subprocess.TimeoutExpired:
                continue
        time.sleep(0.5)

    def xdotool(self, *argomenti):
        r = subprocess.run(["xdotool", *argomenti], env=self.env, capture_output=True, text=True, timeout=10)
        return r.stdout.strip()

    def cerca_finestra(self, nome, secondi):
        trovate = []

        def trova():
            trovate[:] = self.xdotool("search", "--onlyvisible", "--name", nome).split()
            return bool(trovate)

        self._attendi(trova, secondi, f"window '{nome}'")
        return trovate[-1]

    def tasto(self, *tasti):
        self.xdotool("key", "--clearmodifiers", *tasti)

    def geometria(self, finestra):
        """Position and size of a window's client area on the screen."""
        valori = {}
        for riga in self.xdotool("getwindowgeometry", "--shell", finestra).splitlines():
            k, _, v = riga.partition("=")
            valori[k] = int(v)
        return valori["X"], valori["Y"], valori["WIDTH"], valori["HEIGHT"]

    def schermata(self, nome):
        """Saves a screenshot of the whole screen; returns it as an image."""
        percorso = os.path.join(self.artefatti, nome)
        subprocess.run(["import", "-window", "root", percorso], env=self.env, check=True, timeout=30)
        return Immagine(percorso)


class Immagine:
    """An RGB picture read through ImageMagick's plain PPM output."""

    def __init__(self, percorso):
        ppm = subprocess.run(["convert", percorso, "-depth", "8", "ppm:-"], capture_output=True,
                             check=True).stdout
        campi = ppm.split(maxsplit=4)
        assert campi[0] == b"P6", "unexpected picture format"
        self.larghezza, self.altezza = int(campi[1]), int(campi[2])
        self.dati = campi[4]

    def pixel(self, x, y):
        i = 3 * (int(y) * self.larghezza + int(x))
        return tuple(self.dati[i:i + 3])


def presente(*comandi):
    return all(shutil.which(c) for c in comandi)
