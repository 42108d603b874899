"""End to end: the game under KDE's KWin, headless (a virtual output), on
Wayland with XWayland, as a player meets it (see desktop_reale.prova_partita).
Keys and clicks reach the game through KWin's fake-input Wayland protocol
(tasti_kwin), as a player's arrive from the compositor; pictures come from
KWin's ScreenShot2 D-Bus interface. Skipped where KWin is missing.

Arguments: the game, the program that prints the board's layout, the folder
for the pictures and logs, the fake-input client."""

import os
import shutil
import subprocess
import sys
import threading

import dbus

sys.path.insert(0, os.path.dirname(__file__))
from desktop_reale import ALTEZZA, LARGHEZZA, DesktopReale, prova_partita  # noqa: E402
from sessione_x import ErroreX, attendi, presente  # noqa: E402

SALTATO = 77

# Linux input key codes (linux/input-event-codes.h) of the keys the tests press.
CODICI = {"Escape": 1, "Tab": 15, "Return": 28, "alt": 56, "ctrl": 29, "shift": 42, "space": 57,
          **{str(n): 1 + n for n in range(1, 10)}, "0": 11, **{f"F{n}": 58 + n for n in range(1, 11)}}


class DesktopKde(DesktopReale):
    nome = "kde"
    variabili_desktop = {"XDG_CURRENT_DESKTOP": "KDE", "XDG_SESSION_DESKTOP": "KDE", "XDG_SESSION_TYPE": "wayland",
                         "KDE_FULL_SESSION": "true", "KDE_SESSION_VERSION": "5", "DESKTOP_SESSION": "plasmawayland"}

    def __init__(self, eseguibile, artefatti, tasti_kwin):
        super().__init__(eseguibile, artefatti)
        self.tasti_kwin = tasti_kwin

    def _avvia_compositore(self):
        # The installed binary carries a file capability this sandbox refuses;
        # a copy has none.
        kwin = shutil.copy(shutil.which("kwin_wayland"), os.path.join(self.cartella, "kwin_wayland"))
        # KWin starts the program it is given once XWayland is up, with the
        # session's variables: it writes them down for the test.
        variabili = os.path.join(self.cartella, "variabili")
        annota = os.path.join(self.cartella, "annota.sh")
        with open(annota, "w") as f:
            f.write("#!/bin/sh\n"
                    f'printf "%s\\n%s\\n" "$DISPLAY" "$XAUTHORITY" > {variabili}.tmp\n'
                    f"mv {variabili}.tmp {variabili}\n")
        os.chmod(annota, 0o700)
        self.kwin = self.avvia([kwin, "--virtual", "--xwayland", "--no-lockscreen", "--socket", "wayland-velmo",
                                "--width", str(LARGHEZZA), "--height", str(ALTEZZA), annota],
                               self.registro, KWIN_WAYLAND_NO_PERMISSION_CHECKS="1",
                               KWIN_SCREENSHOT_NO_PERMISSION_CHECKS="1")

        def xwayland():
            if self.kwin.poll() is not None:
                raise ErroreX(f"kwin_wayland ended with code {self.kwin.returncode}: see {self.registro}")
            if not os.path.exists(variabili):
                return None
            with open(variabili) as f:
                return f.read().split("\n")[:2]

        display, autorizzazione = attendi(xwayland, 90, "KWin's XWayland")
        self.bus = dbus.bus.BusConnection(self.base["DBUS_SESSION_BUS_ADDRESS"])
        attendi(lambda: self.bus.name_has_owner("org.kde.KWin"), 30, "KWin on the session bus")
        ambiente = dict(self.base, DISPLAY=display, WAYLAND_DISPLAY="wayland-velmo")
        if autorizzazione:
            ambiente["XAUTHORITY"] = autorizzazione
        return display, ambiente

    def pid_compositore(self):
        return self.kwin.pid

    def premi(self, *tasti):
        eventi = []
        for combinazione in tasti:
            codici = [CODICI[t] for t in combinazione.split("+")]
            eventi += [f"+{c}" for c in codici] + [f"-{c}" for c in reversed(codici)]
        self._esegui([self.tasti_kwin, *eventi])

    def clic(self, x, y, pulsante=1):
        """A click at a point of the desktop (BTN_LEFT is 272)."""
        bottone = 0x110 + pulsante - 1
        self._esegui([self.tasti_kwin, f"@{x},{y}", f"+{bottone}", f"-{bottone}"])

    def _cattura(self, percorso):
        schermata = dbus.Interface(self.bus.get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2"),
                                   "org.kde.KWin.ScreenShot2")
        lettura, scrittura = os.pipe()
        dati = []
        lettore = threading.Thread(target=lambda: dati.append(os.fdopen(lettura, "rb").read()))
        lettore.start()
        try:
            esito = schermata.CaptureScreen("Virtual-0", {"include-cursor": False, "native-resolution": True},
                                            dbus.types.UnixFd(scrittura))
        finally:
            os.close(scrittura)
            lettore.join(30)
        larghezza, altezza, passo = int(esito["width"]), int(esito["height"]), int(esito["stride"])
        grezzo = b"".join(dati[0][r * passo:r * passo + 4 * larghezza] for r in range(altezza))
        # QImage's 32-bit formats, little-endian: blue, green, red, alpha.
        subprocess.run(["convert", "-size", f"{larghezza}x{altezza}", "-depth", "8", "bgra:-", "-alpha", "off",
                        percorso], input=grezzo, check=True, timeout=60)


def main():
    eseguibile, programma_geometria, artefatti, tasti_kwin = sys.argv[1:5]
    if not presente("kwin_wayland", "Xwayland"):
        print("skipped: KWin or XWayland is not installed")
        return SALTATO
    with DesktopKde(eseguibile, artefatti, tasti_kwin) as desktop:
        prova_partita(desktop, programma_geometria)
    return 0


if __name__ == "__main__":
    sys.exit(main())
