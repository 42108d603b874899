"""What the start screen costs the real desktops, side by side with a minimal
40 Hz animation (bench/animazione_minima_bench): under GNOME Shell and under
KWin (headless, software rendering, XWayland), the compositor's CPU and the
pixels (and rectangles) per second the X Damage extension reports for the
window, while the credits crawl and while each of the minimal animation's
two windows runs; then the game's own CPU with the credits on screen,
minimised, and fully covered by another window. Each figure is taken over
15 s.

The minimal animation runs twice: in its small window, and in a window the
size of the game's, since a compositor's cost grows with the window's size
whatever changes in it. A desktop's cost also drifts over a session (the
same crawl measured 59 % of a core in a fresh GNOME session and 69-73 %
after the animations), so the crawl is measured first and again last,
around the animations. Needs what scripts/desktop_reali.sh installs; run as root after a
build:

    /usr/bin/python3 bench/compositori_bench.py [BUILD [gnome|kde ...]]
"""

import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from crediti_bench import Danni  # noqa: E402
from desktop_gnome_e2e import DesktopGnome  # noqa: E402
from desktop_kde_e2e import DesktopKde  # noqa: E402
from sessione_x import ErroreX, attendi  # noqa: E402

SECONDI = 15.0
FINE_MUSICA = 26.0  # seconds from the game's start to past its start-up music


def tempi_thread(pid):
    """Each thread's seconds on a CPU so far, by thread id."""
    tempi = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                tempi[tid] = int(f.read().split()[0]) / 1e9
        except (FileNotFoundError, ProcessLookupError):
            pass  # a thread that ended meanwhile
    return tempi


def misura(desktop, finestra=None, pid=None):
    """Over SECONDI: the compositor's CPU and that of process `pid` (% of one
    core), the pixels and damage reports per second in `finestra`. Threads
    are read every quarter second, so one that ends within the time still
    counts for what it ran (the process's own total is counted in ticks of
    10 ms, too coarse here)."""
    os.environ["XAUTHORITY"] = desktop.env.get("XAUTHORITY", "")  # for Xlib's own connection
    danni = Danni(desktop.display, finestra) if finestra else None
    processi = {"compositore": desktop.pid_compositore(), **({"processo": pid} if pid else {})}
    primi = {nome: tempi_thread(p) for nome, p in processi.items()}
    ultimi = {nome: dict(t) for nome, t in primi.items()}
    pixel0, rapporti0 = (danni.area, danni.eventi) if danni else (0, 0)
    inizio = time.monotonic()
    while time.monotonic() - inizio < SECONDI:
        time.sleep(0.25)
        for nome, p in processi.items():
            ultimi[nome].update(tempi_thread(p))
    durata = time.monotonic() - inizio
    # A thread born meanwhile counts from zero.
    esito = {nome: sum(t - primi[nome].get(tid, 0.0) for tid, t in ultimi[nome].items()) / durata * 100
             for nome in processi}
    if danni:
        esito.update(danni=(danni.area - pixel0) / durata, rapporti=(danni.eventi - rapporti0) / durata)
        danni.chiudi()
    return esito


def finestra_di_classe(desktop, classe, tranne=None):
    """A window whose WM_CLASS is `classe`, other than `tranne`, from the
    window tree (xdotool's search misses some windows framed by KWin)."""
    # The tree fails when a window goes while it is read: "not yet".
    for riga in desktop._esegui(["xwininfo", "-root", "-tree"], controlla=False).stdout.splitlines():
        if f'("{classe}" ' in riga and str(int(riga.split()[0], 16)) != tranne:
            return str(int(riga.split()[0], 16))
    return None


def animazione_minima(desktop, programma, misura_finestra=None):
    """The minimal animation's windows, one after the other, as the program
    runs them: each starts 1 s after the previous figure's line and runs 20 s.
    `misura_finestra` (width, height) sizes them; None keeps the program's
    own small window."""
    figure = {}
    righe = []
    finestra = None
    comando = [programma] + (["--finestra", "%dx%d" % misura_finestra] if misura_finestra else [])
    dove = " in a %dx%d window" % misura_finestra if misura_finestra else ""
    animazione = subprocess.Popen(comando, env=desktop.env, stdout=subprocess.PIPE, text=True)
    threading.Thread(target=lambda: righe.extend(animazione.stdout), daemon=True).start()
    try:
        time.sleep(3.0)  # its first 20 s: a sleep loop, no window
        if not misura_finestra:
            figure["no window (the desktop alone)"] = misura(desktop)
        for riga_prima, nome in (("bare 25 ms timer", "40 Hz, Qt widget (minimal)" + dove),
                                 ("Qt widget", "40 Hz, XRender by hand (minimal)" + dove)):
            attendi(lambda: any(r.strip().startswith(riga_prima) for r in righe), 60, riga_prima, 0.05)
            finestra = attendi(lambda: finestra_di_classe(desktop, "animazione_minima_bench", finestra), 10, nome)
            time.sleep(2.0)
            figure[nome] = misura(desktop, finestra)
        animazione.wait(60)
    finally:
        if animazione.poll() is None:
            animazione.kill()
            animazione.wait()
    return figure


def stato(desktop):
    """The game window's WM_STATE: "Normal", "Iconic" (minimised)."""
    testo = desktop._esegui(["xprop", "-id", str(desktop.finestra), "WM_STATE"]).stdout
    return testo.partition("window state: ")[2].split("\n")[0].strip()


def gioco(desktop, voce="credits crawl (the game)", solo_crediti=False):
    """The game's start screen: the credits on screen, then (unless
    `solo_crediti`) the window minimised, then covered whole by another
    window; the game then ends. Gives the figures and the game window's size."""
    figure = {}
    programma = desktop.avvia_gioco()
    avvio = time.monotonic()
    time.sleep(3.0)  # past the start-up's first paints
    figure[voce] = misura(desktop, desktop.finestra, programma.pid)
    if solo_crediti:
        gl, ga = desktop.geometria(desktop.finestra)[2:]
        programma.terminate()
        programma.wait(30)
        return figure, (gl, ga)
    desktop.xdotool("windowminimize", desktop.finestra)
    attendi(lambda: stato(desktop) == "Iconic", 10, "the window minimised")
    # Past the start-up music (22 s), which plays on while minimised: what
    # is measured is the window's own cost.
    time.sleep(max(2.0, FINE_MUSICA - (time.monotonic() - avvio)))
    figure["game minimised"] = misura(desktop, None, programma.pid)
    desktop.xdotool("windowactivate", desktop.finestra)
    attendi(lambda: stato(desktop) == "Normal", 10, "the window shown again")
    copertura = subprocess.Popen(["xmessage", "-name", "copertura", "-geometry", "1920x1080+0+0", "copertura"],
                                 env=desktop.env, stderr=subprocess.DEVNULL)
    try:
        sopra = desktop.cerca_finestra("copertura", 15)
        time.sleep(2.0)
        gx, gy, gl, ga = desktop.geometria(desktop.finestra)
        cx, cy, cl, ca = desktop.geometria(sopra)
        coperta = cx <= gx and cy <= gy and gx + gl <= cx + cl and gy + ga <= cy + ca
        figure["game covered" if coperta else "game partly covered"] = misura(desktop, None, programma.pid)
        try:
            desktop.schermata("coperta.png")
        except ErroreX as e:  # a picture for the eye, not a figure: the run goes on
            print("no picture of the covered window:", e, file=sys.stderr)
    finally:
        copertura.terminate()
        programma.terminate()  # puts the display back as it found it
        programma.wait(30)
    return figure, (gl, ga)


def main():
    cartella = sys.argv[1] if len(sys.argv) > 1 else "build"
    scelti = sys.argv[2:] or ["gnome", "kde"]
    artefatti = os.path.join(cartella, "bench-compositori")
    eseguibile = os.path.join(cartella, "velmo")
    animazione = os.path.join(cartella, "bench", "animazione_minima_bench")
    for nome in scelti:
        classe = {"gnome": DesktopGnome, "kde": DesktopKde}[nome]
        argomenti = (None,) if classe is DesktopKde else ()
        with classe(eseguibile, os.path.join(artefatti, nome), *argomenti) as desktop:
            compositore = "gnome-shell" if nome == "gnome" else "kwin_wayland"
            figure, misura_gioco = gioco(desktop, "credits crawl (the game), first", solo_crediti=True)
            figure.update(animazione_minima(desktop, animazione, misura_gioco))
            figure.update(animazione_minima(desktop, animazione))
            figure.update(gioco(desktop, "credits crawl (the game), last")[0])
        print(f"{compositore} ({SECONDI:.0f} s each): compositor CPU, damage, game CPU")
        for voce, f in figure.items():
            danni = f"{f['danni'] / 1e6:6.3f} Mpx/s in {f['rapporti']:4.0f} rects/s" if "danni" in f else " " * 28
            processo = f"game {f['processo']:.3f}%" if "processo" in f else ""
            print(f"  {voce:56} {f['compositore']:6.1f}%  {danni}  {processo}")
        sys.stdout.flush()


if __name__ == "__main__":
    main()
