"""A real desktop compositor, headless, with XWayland: what a player's session
has around the game. Its own runtime folder, system and session buses (no
service activation: nothing starts that the test did not), the compositor,
and the environment a launcher hands a program it starts. The keys reach the
game through the compositor's own input interface, as a player's do, never
through the X server; the pictures come from the compositor's own capture.

Every process started here (and everything they start) carries the session's
runtime folder in its environment; leaving the session ends exactly those.
The GNOME and KDE sessions are in desktop_gnome.py and desktop_kde.py."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

from partita_e2e import Tavola
from sessione_x import ErroreX, Immagine, SessioneX, attendi

CONFIGURAZIONE_BUS = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>{tipo}</type>
  <listen>unix:path={percorso}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
    <allow user="*"/>
  </policy>
</busconfig>
"""

LARGHEZZA, ALTEZZA = 1920, 1080


def processi_con(variabile, valore):
    """The ids of the processes whose environment has variabile=valore."""
    cercato = f"{variabile}={valore}".encode() + b"\0"
    trovati = []
    for voce in os.listdir("/proc"):
        if not voce.isdigit() or int(voce) == os.getpid():
            continue
        try:
            with open(f"/proc/{voce}/environ", "rb") as f:
                if cercato in f.read() + b"\0":
                    trovati.append(int(voce))
        except OSError:
            pass  # ended meanwhile, or a kernel thread
    return trovati


class DesktopReale(SessioneX):
    """A compositor's session; subclasses start the compositor
    (_avvia_compositore, which returns the XWayland display), and give
    its keys (premi) and pictures (_cattura)."""

    nome = "desktop"
    variabili_desktop = {}  # what the desktop's launcher adds to a program's environment
    avvisi_vietati = ()  # what the compositor's log must never say about the game's windows

    def _avvia_x(self):
        self.cartella = tempfile.mkdtemp(prefix=f"velmo-{self.nome}-")
        os.chmod(self.cartella, 0o700)
        casa = os.path.join(self.cartella, "casa")
        os.makedirs(casa)
        self.base = {k: v for k, v in os.environ.items()
                     if not k.startswith(("DISPLAY", "WAYLAND_", "XDG_", "DBUS_", "QT_", "XAUTHORITY"))}
        self.base.update(XDG_RUNTIME_DIR=self.cartella, HOME=casa, XDG_CONFIG_HOME=os.path.join(casa, ".config"),
                         XDG_DATA_HOME=os.path.join(casa, ".local", "share"),
                         XDG_CACHE_HOME=os.path.join(casa, ".cache"), LANG="it_IT.UTF-8")
        self.base["DBUS_SYSTEM_BUS_ADDRESS"] = self._avvia_bus("system")
        self.base["DBUS_SESSION_BUS_ADDRESS"] = self._avvia_bus("session")
        self.registro = os.path.join(self.artefatti, f"{self.nome}.log")
        open(self.registro, "w").close()  # this session's alone: its display is read there
        self.display, self.env = self._avvia_compositore()
        self.env.update(self.variabili_desktop)
        # The desktop is ready once its XWayland answers.
        attendi(lambda: self._esegui(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                     controlla=False).returncode == 0, 60, f"{self.nome}'s XWayland to answer")

    def _avvia_bus(self, tipo):
        percorso = os.path.join(self.cartella, f"bus-{tipo}")
        configurazione = os.path.join(self.cartella, f"bus-{tipo}.conf")
        with open(configurazione, "w") as f:
            f.write(CONFIGURAZIONE_BUS.format(tipo=tipo, percorso=percorso))
        self.processi.append(subprocess.Popen(
            ["dbus-daemon", "--nofork", f"--config-file={configurazione}"], env=self.base,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        attendi(lambda: os.path.exists(percorso), 10, f"the {tipo} bus")
        return f"unix:path={percorso}"

    def avvia(self, comando, registro=None, **variabili):
        """Starts a process of the session, its output into `registro`."""
        with open(registro or os.devnull, "a") as uscita:  # the process keeps its own copy
            processo = subprocess.Popen(comando, env=dict(self.base, **variabili), stdout=uscita,
                                        stderr=subprocess.STDOUT)
        self.processi.append(processo)
        return processo

    def leggi_registro(self):
        with open(self.registro, errors="replace") as f:
            return f.read()

    def __exit__(self, tipo=None, *argomenti):
        if tipo is not None and self.env:
            try:
                self.schermata("errore.png")  # what was on the screen when the test failed
            except Exception as e:  # noqa: BLE001 - the failure itself is what gets reported
                print(f"no picture of the failure: {e}")
        try:
            super().__exit__(tipo, *argomenti)
        finally:
            # What the compositor and the buses started themselves (XWayland,
            # its helpers) carries the runtime folder too.
            for segnale, attesa in ((signal.SIGTERM, 5), (signal.SIGKILL, 2)):
                fine = time.monotonic() + attesa
                for pid in processi_con("XDG_RUNTIME_DIR", self.cartella):
                    try:
                        os.kill(pid, segnale)
                    except ProcessLookupError:
                        pass
                while processi_con("XDG_RUNTIME_DIR", self.cartella) and time.monotonic() < fine:
                    time.sleep(0.1)
            shutil.rmtree(self.cartella, ignore_errors=True)

    # --- What the player does, through the compositor ------------------------

    def premi(self, *tasti):
        """Presses the keys of each argument together, in order: "alt+F4"."""
        raise NotImplementedError

    def tasto(self, *tasti):
        self.premi(*tasti)

    def schermata(self, nome):
        """The whole desktop as the compositor shows it, saved as a PNG."""
        percorso = os.path.join(self.artefatti, nome)
        self._cattura(percorso)
        return Immagine(percorso)

    def attiva(self, finestra, secondi=10):
        """A new window of the game gets the focus from the compositor itself,
        as on a player's desktop: this waits for it."""
        try:
            attendi(lambda: self.finestra_attiva_x() == int(finestra), secondi, f"window {finestra} to take the focus")
        except ErroreX as e:
            raise ErroreX(f"{e}; {self._stato_finestre(finestra)}") from None

    def finestra_attiva_x(self):
        valore = self._esegui(["xprop", "-root", "_NET_ACTIVE_WINDOW"], controlla=False).stdout
        trovato = re.search(r"window id # (0x[0-9a-f]+)", valore)
        return int(trovato.group(1), 16) if trovato else 0

    def modo_schermo(self):
        """The X screen's current size, as xrandr gives it: "1920x1080"."""
        r = self._esegui(["xrandr", "--current"])
        trovato = re.search(r"current (\d+) x (\d+)", r.stdout)
        return f"{trovato.group(1)}x{trovato.group(2)}"

    def bordi(self, finestra):
        """The frame the compositor drew around a window: left, right, top,
        bottom, from _NET_FRAME_EXTENTS (absent: not decorated)."""
        valore = self.proprieta(finestra, "_NET_FRAME_EXTENTS")
        return tuple(int(v) for v in valore.split(",")) if valore else (0, 0, 0, 0)

    def pid_compositore(self):
        raise NotImplementedError


def prova_partita(desktop, programma_geometria):
    """The game on this desktop as a player meets it: started from the
    launcher's environment, decorated, a match played with F2 and a column
    key, Alt+F4 through the compositor asking to save the match, the answer
    "No" ending the game (had the first question been "Sicuro di voler
    uscire ?", "No" would have kept it running), the screen back at the size
    it had; then a new start whose match the title bar's close button,
    clicked through the compositor, ends the same way; and no warning from
    the compositor about the game's windows.
    Raises AssertionError or ErroreX on the first thing that goes wrong.

    XWayland emulates a mode switch for the client that asks for it alone:
    xrandr, another client, sees the desktop's size throughout."""
    prima = desktop.modo_schermo()
    gioco = desktop.avvia_gioco()
    print(f"{desktop.nome}: the game window came up on XWayland {desktop.display} "
          f"(screen {prima}, now {desktop.modo_schermo()})")
    bordi = desktop.bordi(desktop.finestra)
    tavola = Tavola(desktop, programma_geometria)  # its first picture: 01_avvio.png
    assert bordi[2] > 0, f"the game window has no title bar: _NET_FRAME_EXTENTS {bordi}"
    print(f"{desktop.nome}: decorated, frame extents (left, right, top, bottom) {bordi}")

    desktop.premi("F2")
    attendi(tavola.in_partita, 20, "the match to start", 0.2)
    desktop.premi("5")
    rosse, gialle = tavola.attendi_pezzi(1, 1, "the player's piece and the computer's answer")
    tavola.fotografa("02_mossa.png")
    assert rosse == [(5, 1)], f"player's red piece not at (5,1): {rosse}"
    print(f"{desktop.nome}: F2 and 5 played: the player's piece at (5,1), the computer's at {gialle[0]}")

    desktop.premi("alt+F4")
    domanda = desktop.cerca_finestra("Brenvo Info Service", 15)
    desktop.attiva(domanda)
    desktop.schermata("03_salvare.png")
    print(f"{desktop.nome}: Alt+F4 from the compositor asked to save the match")
    desktop.premi("Tab")  # from "Sì" to "No"
    desktop.premi("Return")
    codice = gioco.wait(20)
    dopo = desktop.modo_schermo()
    foto = desktop.schermata("04_dopo.png")
    print(f"{desktop.nome}: the game ended with code {codice}; screen {prima} before, {dopo} after, "
          f"the desktop's picture {foto.larghezza}x{foto.altezza}")
    assert codice == 0, f"exit code {codice}"
    assert dopo == prima == f"{foto.larghezza}x{foto.altezza}", f"the screen is {dopo}, was {prima}"
    # The title bar's close button: the same path as Alt+F4.
    gioco = desktop.avvia_gioco()
    desktop.premi("F2")
    attendi(tavola.in_partita, 20, "the match to start", 0.2)
    x, y, larghezza, _ = desktop.geometria(desktop.finestra)
    alto = desktop.bordi(desktop.finestra)[2]
    desktop.clic(x + larghezza - alto // 2, y - alto // 2)
    domanda = desktop.cerca_finestra("Brenvo Info Service", 15)
    desktop.attiva(domanda)
    desktop.schermata("05_chiusura_salvare.png")
    desktop.premi("Tab")
    desktop.premi("Return")
    codice = gioco.wait(20)
    print(f"{desktop.nome}: the title bar's close button asked to save the match; the game ended with code {codice}")
    assert codice == 0, f"exit code {codice}"

    avvisi = [riga for riga in desktop.leggi_registro().splitlines()
              if any(avviso in riga for avviso in desktop.avvisi_vietati)]
    assert not avvisi, f"{desktop.nome} warned about the game's windows: {avvisi}"
