"""End to end: the game on a Wayland desktop (weston's headless back end,
1920x1080, with XWayland). The program picks XWayland itself (no
QT_QPA_PLATFORM given), whose emulated modes accept the switch to 1280x1024,
so the player gets the game window, not the refusal; SIGTERM ends it cleanly.
Skipped where weston or XWayland is missing."""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
from sessione_x import ErroreX, SessioneX, attendi  # noqa: E402

SALTATO = 77


class SessioneWayland(SessioneX):
    def _avvia_x(self):
        self.cartella_wayland = tempfile.mkdtemp(prefix="velmo-wayland-")
        os.chmod(self.cartella_wayland, 0o700)
        ambiente = dict(os.environ, XDG_RUNTIME_DIR=self.cartella_wayland)
        ambiente.pop("DISPLAY", None)
        registro = os.path.join(self.artefatti, "weston.log")
        self.processi.append(subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--xwayland", "--width=1920", "--height=1080",
             "--socket=wayland-velmo", f"--log={registro}"], env=ambiente,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

        def display_x():
            if self.processi[-1].poll() is not None:
                raise ErroreX(f"weston ended with code {self.processi[-1].returncode}")
            if not os.path.exists(registro):
                return None
            with open(registro) as f:
                trovato = re.search(r"xserver listening on display (:\d+)", f.read())
            return trovato and trovato.group(1)

        self.display = attendi(display_x, 20, "weston's XWayland display")
        # A Wayland session: the program finds both displays and chooses.
        self.env = dict(ambiente, DISPLAY=self.display, WAYLAND_DISPLAY="wayland-velmo")
        self.env.pop("QT_QPA_PLATFORM", None)
        # XWayland starts on demand: the desktop is ready once its output
        # offers the emulated modes.
        attendi(lambda: "1280x1024" in self._esegui(["xrandr"], controlla=False).stdout, 30,
                "XWayland's emulated modes")

    def attiva(self, finestra, secondi=10):
        """weston's X window manager takes no activation requests from
        outside; the test needs no keyboard."""

    def __exit__(self, *argomenti):
        super().__exit__(*argomenti)
        shutil.rmtree(getattr(self, "cartella_wayland", ""), ignore_errors=True)


def main():
    eseguibile, artefatti = sys.argv[1], sys.argv[2]
    if not shutil.which("weston") or not shutil.which("Xwayland"):
        print("skipped: weston and XWayland are not installed")
        return SALTATO
    with SessioneWayland(eseguibile, artefatti) as x:
        gioco = x.avvia_gioco()  # a window on the X display: the program chose XWayland
        # XWayland is rootless: the game window's own picture.
        x._esegui(["import", "-window", x.finestra, os.path.join(x.artefatti, "wayland.png")], secondi=30)
        assert gioco.poll() is None, "the game ended"
        try:
            avviso = x.cerca_finestra("Brenvo Info Service", 1)
        except ErroreX:
            avviso = None
        if avviso:
            x._esegui(["import", "-window", avviso, os.path.join(x.artefatti, "avviso.png")], secondi=30)
            raise AssertionError("a message box came up on the Wayland desktop (see avviso.png)")
        gioco.send_signal(signal.SIGTERM)
        codice = gioco.wait(15)
        assert codice == 128 + signal.SIGTERM, f"exit code {codice}"
        print("the game ran on XWayland at 1920x1080 and ended cleanly on SIGTERM")
    return 0


if __name__ == "__main__":
    sys.exit(main())
