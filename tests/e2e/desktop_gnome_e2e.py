"""End to end: the game under GNOME Shell (mutter), headless, on Wayland with
XWayland, as a player meets it (see desktop_reale.prova_partita). Keys and
clicks reach the game through mutter's RemoteDesktop D-Bus interface, as a
player's arrive from the compositor; pictures come from mutter's ScreenCast
through PipeWire. Skipped where GNOME Shell is missing.

Arguments: the game, the program that prints the board's layout, the folder
for the pictures and logs."""

import glob
import os
import re
import subprocess
import sys
import time

import dbus
import dbus.mainloop.glib
from gi.repository import GLib
from Xlib import XK

sys.path.insert(0, os.path.dirname(__file__))
from desktop_reale import ALTEZZA, LARGHEZZA, DesktopReale, prova_partita  # noqa: E402
from sessione_x import ErroreX, attendi, presente  # noqa: E402

SALTATO = 77
MUTTER = "org.gnome.Mutter"


class DesktopGnome(DesktopReale):
    nome = "gnome"
    variabili_desktop = {"XDG_CURRENT_DESKTOP": "GNOME", "XDG_SESSION_DESKTOP": "gnome",
                         "XDG_SESSION_TYPE": "wayland", "GDMSESSION": "gnome"}
    # A transient window must name a mapped parent, or none.
    avvisi_vietati = ("Invalid WM_TRANSIENT_FOR",)

    def _avvia_compositore(self):
        # PipeWire carries the pictures (and the game's sound, as on a desktop).
        registro = os.path.join(self.artefatti, "pipewire.log")
        open(registro, "w").close()
        for servizio in ("pipewire", "wireplumber", "pipewire-pulse"):
            self.avvia([servizio], registro)
        self.shell = self.avvia(["gnome-shell", "--headless", "--wayland", "--wayland-display", "wayland-velmo",
                                 "--virtual-monitor", f"{LARGHEZZA}x{ALTEZZA}"], self.registro)

        def xwayland():
            if self.shell.poll() is not None:
                raise ErroreX(f"gnome-shell ended with code {self.shell.returncode}: see {self.registro}")
            autorizzazioni = glob.glob(os.path.join(self.cartella, ".mutter-Xwaylandauth.*"))
            trovato = re.search(r"Using public X11 display (:\d+)", self.leggi_registro())
            return trovato and autorizzazioni and (trovato.group(1), autorizzazioni[0])

        display, autorizzazione = attendi(xwayland, 90, "gnome-shell's XWayland")
        self.bus = dbus.bus.BusConnection(self.base["DBUS_SESSION_BUS_ADDRESS"],
                                          mainloop=dbus.mainloop.glib.DBusGMainLoop())
        attendi(lambda: self.bus.name_has_owner(f"{MUTTER}.RemoteDesktop"), 30, "mutter's RemoteDesktop")
        self._tastiera = None
        # A sound device for the game, as a desktop with a sound card has.
        attendi(lambda: subprocess.run(["pactl", "load-module", "module-null-sink", "sink_name=velmo"],
                                       env=self.base, capture_output=True).returncode == 0, 20, "pipewire-pulse")
        # GNOME starts in the overview; the player leaves it with Escape.
        shell = self.bus.get_object("org.gnome.Shell", "/org/gnome/Shell")

        def panoramica():
            return shell.Get("org.gnome.Shell", "OverviewActive", dbus_interface=dbus.PROPERTIES_IFACE)

        attendi(panoramica, 60, "the shell's overview", 0.2)
        fine = time.monotonic() + 30
        while panoramica():
            assert time.monotonic() < fine, "Escape did not close the shell's overview"
            self.premi("Escape")
            time.sleep(1.0)  # its closing animation
        return display, dict(self.base, DISPLAY=display, XAUTHORITY=autorizzazione, WAYLAND_DISPLAY="wayland-velmo")

    def pid_compositore(self):
        return self.shell.pid

    def _interfaccia(self, percorso, nome):
        servizio = f"{MUTTER}.{nome.split('.')[0]}"
        return dbus.Interface(self.bus.get_object(servizio, percorso), f"{MUTTER}.{nome}")

    def premi(self, *tasti):
        if self._tastiera is None:
            inizio = self._interfaccia("/org/gnome/Mutter/RemoteDesktop", "RemoteDesktop")
            self._tastiera = self._interfaccia(inizio.CreateSession(), "RemoteDesktop.Session")
            self._tastiera.Start()
            # A new session loses its first key: a lone Shift.
            for giu in (True, False):
                self._tastiera.NotifyKeyboardKeysym(dbus.UInt32(XK.XK_Shift_L), giu)
        nomi = {"alt": "Alt_L", "ctrl": "Control_L", "shift": "Shift_L"}
        for combinazione in tasti:
            simboli = [XK.string_to_keysym(nomi.get(t, t)) for t in combinazione.split("+")]
            assert all(simboli), f"unknown key in {combinazione}"
            for simbolo in simboli:
                self._tastiera.NotifyKeyboardKeysym(dbus.UInt32(simbolo), True)
            for simbolo in reversed(simboli):
                self._tastiera.NotifyKeyboardKeysym(dbus.UInt32(simbolo), False)

    def _flusso(self, sessione, flusso, avvia):
        """Runs `avvia` (which starts the session of the stream at path
        `flusso`) and returns the stream's PipeWire node once announced."""
        nodo = []
        ricevitore = self.bus.add_signal_receiver(lambda n: nodo.append(int(n)), "PipeWireStreamAdded",
                                                  f"{MUTTER}.ScreenCast.Stream", path=flusso)
        try:
            avvia()
            contesto = GLib.MainContext.default()

            def annunciato():
                while contesto.iteration(False):
                    pass
                return nodo

            return attendi(annunciato, 20, "mutter's picture stream", 0.02)[0]
        finally:
            ricevitore.remove()

    def _cattura(self, percorso):
        """One frame of the monitor: a ScreenCast session only while it is
        taken (a stream costs the compositor a copy of every frame)."""
        inizio = self._interfaccia("/org/gnome/Mutter/ScreenCast", "ScreenCast")
        sessione = self._interfaccia(inizio.CreateSession({}), "ScreenCast.Session")
        try:
            flusso = sessione.RecordMonitor("", {"cursor-mode": dbus.UInt32(0)})
            nodo = self._flusso(sessione, flusso, sessione.Start)
            self._esegui(["gst-launch-1.0", "-q", "pipewiresrc", f"path={nodo}", "num-buffers=1",
                          "!", "videoconvert", "!", "pngenc", "snapshot=false", "!",
                          "multifilesink", f"location={percorso}"], secondi=60)
        finally:
            sessione.Stop()

    def clic(self, x, y, pulsante=1):
        """A click of the left button at a point of the desktop. mutter
        places the pointer only on a stream of a remote-desktop session: one
        for this click alone."""
        remota = self._interfaccia(
            self._interfaccia("/org/gnome/Mutter/RemoteDesktop", "RemoteDesktop").CreateSession(),
            "RemoteDesktop.Session")
        identita = remota.Get(f"{MUTTER}.RemoteDesktop.Session", "SessionId", dbus_interface=dbus.PROPERTIES_IFACE)
        schermo = self._interfaccia(self._interfaccia("/org/gnome/Mutter/ScreenCast", "ScreenCast").CreateSession(
            {"remote-desktop-session-id": identita}), "ScreenCast.Session")
        try:
            flusso = schermo.RecordMonitor("", {})
            self._flusso(schermo, flusso, remota.Start)
            remota.NotifyPointerMotionAbsolute(flusso, float(x), float(y))
            for giu in (True, False):
                remota.NotifyPointerButton(0x110 + pulsante - 1, giu)  # BTN_LEFT and on
        finally:
            remota.Stop()


def main():
    eseguibile, programma_geometria, artefatti = sys.argv[1:4]
    if not presente("gnome-shell", "Xwayland", "pipewire", "gst-launch-1.0"):
        print("skipped: GNOME Shell, XWayland, PipeWire or GStreamer is not installed")
        return SALTATO
    with DesktopGnome(eseguibile, artefatti) as desktop:
        prova_partita(desktop, programma_geometria)
    return 0


if __name__ == "__main__":
    sys.exit(main())
