"""A real X session for the game: Xvfb at 1280x1024x24 with openbox, the
game started in it, and the helpers to drive it with xdotool and read its
pixels. Used by the end-to-end test and the idle benchmark.

Every wait polls for what it waits for, with a deadline; every X tool's
failure is an error, never a silent empty answer. Xvfb picks a free display
itself, so runs side by side never meet."""

import contextlib
import fcntl
import os
import shutil
import subprocess
import tempfile
import time

SCHERMO = "1280x1024x24"


class ErroreX(RuntimeError):
    """An X tool failed, or what a test waited for never came."""


def attendi(condizione, secondi, cosa, passo=0.1):
    """Polls until condizione() gives a true value and returns it; raises
    ErroreX naming `cosa` at the deadline."""
    fine = time.monotonic() + secondi
    while True:
        esito = condizione()
        if esito:
            return esito
        if time.monotonic() >= fine:
            raise ErroreX(f"timed out after {secondi} s waiting for {cosa}")
        time.sleep(passo)


AVVISO_AUDIO = b"[frmSchedaAudioAssente.chkRicordamelo]\r\nvalue="


def senza_avviso_audio(impostazioni):
    """Turns off, in a settings file, the reminder that shows the warning
    about a missing sound device at start (these X servers have no sound)."""
    with open(impostazioni, "rb") as f:
        testo = f.read()
    with open(impostazioni, "wb") as f:
        f.write(testo.replace(AVVISO_AUDIO + b"si", AVVISO_AUDIO + b"no"))


def copia_del_gioco(eseguibile, cartella):
    """The program with the two files beside it, copied into `cartella`, so
    the build folder's settings file stays as it was; returns the copy."""
    for nome in ("Velmo.001", "Velmo.002"):
        sorgente = os.path.join(os.path.dirname(eseguibile), nome)
        if os.path.exists(sorgente):
            shutil.copyfile(sorgente, os.path.join(cartella, nome))
    copia = shutil.copy2(eseguibile, cartella)
    if os.path.exists(os.path.join(cartella, "Velmo.001")):
        senza_avviso_audio(os.path.join(cartella, "Velmo.001"))
    return copia


@contextlib.contextmanager
def avvio_riservato():
    """X servers started with -displayfd leave no lock file and take the
    first display whose socket they can bind: two starting at the same moment
    can take one number. Starts here are one at a time, across processes."""
    with open(os.path.join(tempfile.gettempdir(), "velmo-avvio-x.lock"), "w") as blocco:
        fcntl.flock(blocco, fcntl.LOCK_EX)
        yield


class SessioneX:
    def __init__(self, eseguibile, cartella_artefatti, copia=True, gestore=("openbox", "--sm-disable")):
        """With `copia` the game runs from a private copy of its folder
        (see copia_del_gioco); a test that prepares its own folder says no.
        `gestore` is the window manager's command line."""
        self.gestore = list(gestore)
        self.cartella_gioco = tempfile.mkdtemp(prefix="velmo-gioco-") if copia else None
        self.eseguibile = copia_del_gioco(eseguibile, self.cartella_gioco) if copia else eseguibile
        self.artefatti = cartella_artefatti
        os.makedirs(self.artefatti, exist_ok=True)
        self.display = None
        self.env = None
        self.processi = []
        self.gioco = None
        self.finestra = None

    def __enter__(self):
        try:
            self._avvia_x()
        except BaseException:
            self.__exit__()
            raise
        return self

    def _comando_server(self, descrittore):
        """The X server's command line; it writes the number of the display
        it found free to the file descriptor given."""
        # -noreset: a server resets when its last client leaves, and refuses
        # the next one meanwhile; the probe below is such a client.
        return ["Xvfb", "-displayfd", descrittore, "-noreset", "-screen", "0", SCHERMO, "-nolisten", "tcp"]

    def _avvia_x(self):
        with avvio_riservato():
            lettura, scrittura = os.pipe()
            comando = self._comando_server(str(scrittura))
            server = subprocess.Popen(comando, pass_fds=(scrittura,),
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(scrittura)
            self.processi.append(server)
            with os.fdopen(lettura) as tubo:
                numero = tubo.readline().strip()  # empty if the server died first
        if not numero.isdigit():
            raise ErroreX(f"{comando[0]} gave no display (exit code {server.poll()})")
        self.display = f":{numero}"
        self.env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb")
        self.env.pop("WAYLAND_DISPLAY", None)
        # Under load, openbox started the moment the display was named now and
        # then failed to open it: it starts once the server answers.
        attendi(lambda: self._esegui(["xprop", "-root"], controlla=False).returncode == 0,
                15, f"the X server on {self.display} to answer")
        # Without a window manager X gives no focus and Alt+F4 closes nothing.
        self.uscita_wm = os.path.join(self.artefatti, os.path.basename(self.gestore[0]) + ".out")
        with open(self.uscita_wm, "w") as uscita:
            self.processi.append(subprocess.Popen(self.gestore, env=self.env,
                                                  stdout=uscita, stderr=subprocess.STDOUT))
        attendi(self._window_manager_pronto, 15, "the window manager to manage the display")

    def _window_manager_pronto(self):
        if self.processi[-1].poll() is not None:
            with open(self.uscita_wm) as uscita:
                detto = uscita.read().strip()
            raise ErroreX(f"{self.gestore[0]} ended with code {self.processi[-1].returncode}: {detto}")
        r = self._esegui(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], controlla=False)
        return r.returncode == 0 and "window id" in r.stdout

    def __exit__(self, *_):
        for p in ([self.gioco] if self.gioco else []) + self.processi[::-1]:
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        if self.cartella_gioco:
            shutil.rmtree(self.cartella_gioco, ignore_errors=True)

    # --- Running X tools ------------------------------------------------------

    def _esegui(self, comando, controlla=True, secondi=10):
        try:
            r = subprocess.run(comando, env=self.env, capture_output=True, text=True, timeout=secondi)
        except subprocess.TimeoutExpired:
            raise ErroreX(f"{' '.join(comando)} did not answer within {secondi} s") from None
        if controlla and r.returncode != 0:
            raise ErroreX(f"{' '.join(comando)} failed with code {r.returncode}: {r.stderr.strip()}")
        return r

    def xdotool(self, *argomenti):
        """Runs xdotool; its output, stripped. A failure raises ErroreX."""
        return self._esegui(["xdotool", *map(str, argomenti)]).stdout.strip()

    # --- The game and its windows ----------------------------------------------

    def avvia_gioco(self):
        self.gioco = subprocess.Popen([self.eseguibile], env=self.env,
                                      stdout=open(os.path.join(self.artefatti, "velmo.out"), "w"),
                                      stderr=subprocess.STDOUT)
        # A machine busy building may take a while to load Qt the first time.
        self.finestra = self.cerca_finestra("Brenvo Velmo", 30)
        self.attiva(self.finestra)
        return self.gioco

    def cerca_finestra(self, nome, secondi):
        """The newest visible window whose title contains `nome`, once there."""
        def trova():
            if self.gioco and self.gioco.poll() is not None:
                raise ErroreX(f"the game ended with code {self.gioco.returncode} "
                              f"while waiting for window '{nome}'")
            # xdotool search fails when nothing matches: that is "not yet".
            r = self._esegui(["xdotool", "search", "--onlyvisible", "--name", nome], controlla=False)
            return r.stdout.split() if r.returncode == 0 else None

        try:
            return attendi(trova, secondi, f"window '{nome}'")[-1]
        except ErroreX as e:
            albero = self._esegui(["xwininfo", "-root", "-tree"], controlla=False).stdout
            finestre = [riga.strip() for riga in albero.splitlines() if '"' in riga]
            raise ErroreX(f"{e}; the windows there: {finestre}") from None

    def attiva(self, finestra, secondi=10):
        """Gives the window the focus and waits until it has it; a window
        manager still starting may miss a request, so it is repeated."""
        def attiva_ora():
            self.xdotool("windowactivate", finestra)
            return attendi(lambda: self.finestra_attiva() == str(finestra), 1, "the focus", 0.05)

        def prova():
            try:
                return attiva_ora()
            except ErroreX:
                return False

        try:
            attendi(prova, secondi, f"window {finestra} to take the focus", 0)
        except ErroreX as e:
            raise ErroreX(f"{e}; {self._stato_finestre(finestra)}") from None

    def _stato_finestre(self, finestra):
        """What tells why a window will not take the focus: whether it is
        mapped and managed, where the focus is, and the tree of windows (a
        managed window sits inside the window manager's frame)."""
        def esegui(*comando):
            return self._esegui(list(comando), controlla=False).stdout.strip()
        mappa = [r.strip() for r in esegui("xwininfo", "-id", str(finestra)).splitlines() if "Map State" in r]
        gestione = esegui("xprop", "-id", str(finestra), "WM_STATE")
        return (f"it is {mappa}, {gestione}; the focus is on {self.finestra_attiva() or 'nothing'}; "
                f"the windows:\n{esegui('xwininfo', '-root', '-tree')}")

    def finestra_attiva(self):
        """The window that has the focus."""
        return self._esegui(["xdotool", "getactivewindow"], controlla=False).stdout.strip()

    def tasto(self, *tasti):
        self.xdotool("key", "--clearmodifiers", *tasti)

    def clic(self, x, y, pulsante=1):
        """A click at a point of the screen."""
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", pulsante)

    def geometria(self, finestra):
        """Position and size of a window's client area on the screen."""
        # xwininfo also reads the window manager's frame, which openbox may
        # be replacing at that moment: such a failure passes in a moment.
        def descrivi():
            r = self._esegui(["xwininfo", "-id", str(finestra)], controlla=False)
            return r if r.returncode == 0 else None

        r = attendi(descrivi, 5, f"xwininfo to describe window {finestra}")
        valori = {}
        for riga in r.stdout.splitlines():
            chiave, _, valore = riga.strip().partition(":")
            valori[chiave] = valore.strip()
        return (int(valori["Absolute upper-left X"]), int(valori["Absolute upper-left Y"]),
                int(valori["Width"]), int(valori["Height"]))

    def proprieta(self, finestra, nome):
        """A window property as xprop prints its value ('' when unset)."""
        testo = self._esegui(["xprop", "-id", str(finestra), nome]).stdout.strip()
        _, uguale, valore = testo.partition("=")
        return valore.strip() if uguale else ""

    def schermata(self, nome):
        """Saves a screenshot of the whole screen; returns it as an image."""
        percorso = os.path.join(self.artefatti, nome)
        self._esegui(["import", "-window", "root", percorso], secondi=30)
        return Immagine(percorso)


class Immagine:
    """An RGB picture read through ImageMagick's plain PPM output."""

    def __init__(self, percorso):
        ppm = subprocess.run(["convert", percorso, "-depth", "8", "ppm:-"], capture_output=True,
                             check=True).stdout
        # Header: "P6", width, height, maximum value, each ended by one blank;
        # the samples follow at once and may themselves begin with blanks.
        campi, inizio = [], 0
        while len(campi) < 4:
            while ppm[inizio:inizio + 1].isspace():
                inizio += 1
            fine = inizio
            while not ppm[fine:fine + 1].isspace():
                fine += 1
            campi.append(ppm[inizio:fine])
            inizio = fine + 1
        assert campi[0] == b"P6", "unexpected picture format"
        self.larghezza, self.altezza = int(campi[1]), int(campi[2])
        self.dati = ppm[inizio:]

    def pixel(self, x, y):
        i = 3 * (int(y) * self.larghezza + int(x))
        return tuple(self.dati[i:i + 3])


def presente(*comandi):
    return all(shutil.which(c) for c in comandi)
