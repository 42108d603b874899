"""End to end: the display switch at start and its restore at exit, on a
real X server that can change its mode (Xorg with the dummy video driver,
offering 1600x1200, 1280x1024 and 1024x768).

At 1600x1200 the game switches the screen to 1280x1024; quitting puts
1600x1200 back, and so does a SIGTERM. At 1024x768 nothing is switched.
Xorg needs root: elsewhere the test reports itself skipped."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
from sessione_x import SessioneX, attendi  # noqa: E402

SALTATO = 77  # ctest's SKIP_RETURN_CODE for this test

CONFIGURAZIONE = """
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
Section "Device"
  Identifier "scheda"
  Driver "dummy"
  VideoRam 65536
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1600x1200" 162.00 1600 1664 1856 2160 1200 1201 1204 1250 +hsync +vsync
  Modeline "1280x1024" 108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
EndSection
Section "Screen"
  Identifier "schermo"
  Device "scheda"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1600x1200" "1280x1024" "1024x768"
    Virtual 1600 1200
  EndSubSection
EndSection
"""


class SessioneXorg(SessioneX):
    """A SessioneX whose server is Xorg with the dummy driver."""

    def _comando_server(self, descrittore):
        self.cartella_xorg = tempfile.mkdtemp(prefix="velmo-xorg-")
        configurazione = os.path.join(self.cartella_xorg, "xorg.conf")
        with open(configurazione, "w") as f:
            f.write(CONFIGURAZIONE)
        return ["Xorg", "-displayfd", descrittore, "-noreset", "-nolisten", "tcp", "-config", configurazione,
                "-logfile", os.path.join(self.artefatti, "Xorg.log")]

    def __exit__(self, *argomenti):
        super().__exit__(*argomenti)
        shutil.rmtree(getattr(self, "cartella_xorg", ""), ignore_errors=True)

    def modo(self):
        """The screen's current size, as xrandr reports it: "1280x1024"."""
        prima = self._esegui(["xrandr"]).stdout.splitlines()[0]
        corrente = prima.split("current", 1)[1].split(",", 1)[0]
        return corrente.replace(" ", "")

    def imposta_modo(self, modo):
        self._esegui(["xrandr", "-s", modo])
        attendi(lambda: self.modo() == modo, 10, f"the screen at {modo}")

    def esci_con_alt_f4(self):
        """Quits from the start screen: no match, so no question."""
        self.attiva(self.finestra)
        self.tasto("alt+F4")
        return self.gioco.wait(15)


def main():
    eseguibile, artefatti = sys.argv[1], sys.argv[2]
    if os.geteuid() != 0 or not shutil.which("Xorg"):
        print("skipped: a Xorg server with the dummy driver needs root")
        return SALTATO
    with SessioneXorg(eseguibile, artefatti) as x:
        x.imposta_modo("1600x1200")

        x.avvia_gioco()
        assert x.modo() == "1280x1024", f"the game left the screen at {x.modo()}"
        x.schermata("schermo_1280.png")
        codice = x.esci_con_alt_f4()
        assert codice == 0, f"exit code {codice}"
        attendi(lambda: x.modo() == "1600x1200", 10, "the screen back at 1600x1200 after quitting")
        print("1600x1200: switched to 1280x1024, restored on quitting")

        x.avvia_gioco()
        assert x.modo() == "1280x1024", f"the game left the screen at {x.modo()}"
        x.gioco.send_signal(signal.SIGTERM)
        codice = x.gioco.wait(15)
        assert codice == 128 + signal.SIGTERM, f"exit code {codice} after SIGTERM"
        attendi(lambda: x.modo() == "1600x1200", 10, "the screen back at 1600x1200 after SIGTERM")
        print("1600x1200: restored after SIGTERM")

        x.imposta_modo("1024x768")
        x.avvia_gioco()
        assert x.modo() == "1024x768", f"a 1024-wide screen was switched to {x.modo()}"
        codice = x.esci_con_alt_f4()
        assert codice == 0, f"exit code {codice}"
        assert x.modo() == "1024x768", f"quitting left the screen at {x.modo()}"
        print("1024x768: no switch")
    return 0


if __name__ == "__main__":
    sys.exit(main())
