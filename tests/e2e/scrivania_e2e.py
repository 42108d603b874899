"""End to end: the game on a desktop, as its players start and leave it.

- Without a display (only WAYLAND_DISPLAY, neither, or one that does not
  answer) the game says why in Italian and exits with a non-zero code,
  without aborting.
- The game window allows the close function in its Motif hints, so GNOME
  and KDE pass their Alt+F4 on to it; the window manager's close request
  (_NET_CLOSE_WINDOW, as a taskbar or a title-bar button sends it) runs the
  Alt+F4 path: without a match the game quits without a question (and,
  with no sound device here, without the farewell's wait), during a match
  it asks only "Salvare la partita in corso ?".
- Every window that names a transient parent names a mapped one, from the
  splash on, and so does the message box of a second copy started while the
  game runs, which has no window of its own.
- The save dialog shows Qt's own texts in Italian (a screenshot to look at).
- Under a window manager that never activates a window, the about window's
  intro show still runs, once, and closes itself.

    scrivania_e2e.py VELMO ARTEFATTI"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from sessione_x import ErroreX, SessioneX, attendi  # noqa: E402

try:
    from Xlib import X, Xatom, display, protocol
except ImportError:  # a Python of its own beside Debian's, whose package holds Xlib
    sys.path.append("/usr/lib/python3/dist-packages")
    from Xlib import X, Xatom, display, protocol

TWIPS = 15
MWM_FUNC_ALL, MWM_FUNC_CLOSE = 0x1, 0x20
DOMANDA = "Brenvo Info Service"
# Where the menu bar shows "Informazioni su...", from the window's left
# (DejaVu Sans, the font the setup installs).
MENU_INFORMAZIONI = 340


def senza_display(eseguibile):
    base = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    casi = [("only WAYLAND_DISPLAY", dict(base, WAYLAND_DISPLAY="wayland-velmo-assente"), "Wayland"),
            ("neither", base, "DISPLAY"),
            ("a display that does not answer", dict(base, DISPLAY=":987"), "impossibile collegarsi")]
    for nome, env, parola in casi:
        r = subprocess.run([eseguibile], env=env, capture_output=True, text=True, timeout=30)
        detto = (r.stdout + r.stderr).strip()
        print(f"{nome}: exit code {r.returncode}, said: {detto!r}")
        assert r.returncode > 0, f"{nome}: exit code {r.returncode} (a signal when negative)"
        assert parola in detto, f"{nome}: the message does not say '{parola}'"
        assert "Qt platform plugin" not in detto, f"{nome}: Qt's own abort message came through"


def proprieta_motif(x, finestra):
    valori = [int(v, 16) for v in x.proprieta(finestra, "_MOTIF_WM_HINTS").split(",")]
    return valori  # flags, functions, decorations, ...


def chiedi_chiusura(x, finestra):
    """The window manager's close, as a taskbar or a title-bar button asks it."""
    d = display.Display(x.display)
    radice = d.screen().root
    evento = protocol.event.ClientMessage(window=d.create_resource_object("window", int(finestra)),
                                          client_type=d.intern_atom("_NET_CLOSE_WINDOW"),
                                          data=(32, [X.CurrentTime, 2, 0, 0, 0]))
    radice.send_event(evento, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    d.sync()  # a flush alone may lose the request when the connection closes at once
    d.close()


def finestre(x, nome):
    try:
        return x.xdotool("search", "--onlyvisible", "--name", nome).split()
    except ErroreX:  # xdotool's search fails when it finds nothing
        return []


def transitorie_sbagliate(d, viste):
    """Every client window naming a transient parent: (window, name, parent,
    whether the parent is mapped). Clients are the root's children or, under
    a window manager that reparents, their children."""
    sbagliate = []
    radice = d.screen().root
    for cornice in radice.query_tree().children:
        try:
            candidati = [cornice] + list(cornice.query_tree().children)
        except Exception:  # gone meanwhile
            continue
        for w in candidati:
            try:
                p = w.get_full_property(Xatom.WM_TRANSIENT_FOR, Xatom.WINDOW)
                if not p or not p.value:
                    continue
                padre = d.create_resource_object("window", p.value[0])
                mappato = padre.get_attributes().map_state == X.IsViewable
                nome = w.get_wm_name() or ""
            except Exception:
                continue
            viste.add((w.id, nome, p.value[0], mappato))
            if not mappato:
                sbagliate.append((hex(w.id), nome, hex(p.value[0])))
    return sbagliate


def chiusura_e_transitorie(eseguibile, artefatti):
    with SessioneX(eseguibile, artefatti) as x:
        # The start, watched for transient windows from the first moment.
        d = display.Display(x.display)
        x.gioco = subprocess.Popen([x.eseguibile], env=x.env, stdout=open(os.path.join(artefatti, "velmo.out"), "w"),
                                   stderr=subprocess.STDOUT)
        viste, sbagliate = set(), []
        fine = time.monotonic() + 6
        while time.monotonic() < fine:
            sbagliate += transitorie_sbagliate(d, viste)
            time.sleep(0.02)
        d.close()
        for w, nome, padre, mappato in sorted(viste):
            print(f"transient window {hex(w)} '{nome}' names {hex(padre)}, {'mapped' if mappato else 'NOT mapped'}")
        assert not sbagliate, f"transient windows naming unmapped parents: {sbagliate}"

        x.finestra = x.cerca_finestra("Brenvo Velmo", 30)
        x.attiva(x.finestra)

        # A second copy: its message box comes before it has any window.
        d = display.Display(x.display)
        seconda = subprocess.Popen([x.eseguibile], env=x.env, stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
        gia = attendi(lambda: [w for w in finestre(x, DOMANDA)], 30, "the second copy's message")[-1]
        time.sleep(0.5)
        viste = set()
        sbagliate = transitorie_sbagliate(d, viste)
        d.close()
        print(f"second copy's message box: transient for {[hex(p) for w, _, p, _ in viste if w == int(gia)] or 'none'}")
        assert not sbagliate, f"transient windows naming unmapped parents: {sbagliate}"
        x.attiva(gia)
        x.tasto("Return")
        assert seconda.wait(15) == 0, "the second copy did not end after its message"

        motif = proprieta_motif(x, x.finestra)
        print(f"game window _MOTIF_WM_HINTS = {', '.join(hex(v) for v in motif)}")
        assert motif[0] & 1 and (motif[1] & MWM_FUNC_ALL or motif[1] & MWM_FUNC_CLOSE), \
            "the Motif hints do not allow the close function"

        # The save dialog in Italian, during a match: File, Salva.
        x.tasto("F2")
        time.sleep(1.0)
        gx, gy, _, _ = x.geometria(x.finestra)
        x.clic(gx + 20, gy + 10)
        time.sleep(0.6)
        x.tasto("s")
        dialogo = x.cerca_finestra("Salva gioco", 10)
        time.sleep(1.0)
        x.schermata("scrivania_01_salva.png")
        x.attiva(dialogo)
        x.tasto("Escape")
        attendi(lambda: dialogo not in finestre(x, "Salva gioco"), 10, "the save dialog closing")

        # The close request during a match: only the save question.
        x.attiva(x.finestra)
        chiedi_chiusura(x, x.finestra)
        domanda = x.cerca_finestra(DOMANDA, 10)
        x.schermata("scrivania_02_chiusura_in_partita.png")
        x.attiva(domanda)
        x.tasto("Tab", "Return")  # "No": the game ends; had it asked "Sicuro ?" it would stay
        codice = x.gioco.wait(15)
        print(f"close request in a match: one question, then exit code {codice}")
        assert codice == 0, f"exit code {codice}"

        # Without a match: no question at all, the farewell, the end.
        x.avvia_gioco()
        inizio = time.monotonic()
        chiedi_chiusura(x, x.finestra)
        domande = []
        while x.gioco.poll() is None and time.monotonic() - inizio < 15:
            domande += finestre(x, DOMANDA)
            time.sleep(0.1)
        durata = time.monotonic() - inizio
        print(f"close request without a match: exit code {x.gioco.poll()} after {durata:.2f} s, "
              f"{len(set(domande))} questions")
        assert x.gioco.poll() == 0, f"the game did not end: {x.gioco.poll()}"
        assert not domande, "a question was asked"


def intro_senza_attivazione(eseguibile, artefatti):
    gestore = ["/usr/bin/python3", os.path.join(os.path.dirname(os.path.abspath(__file__)), "gestore_pigro.py")]
    with SessioneX(eseguibile, artefatti, gestore=gestore) as x:
        x.gioco = subprocess.Popen([x.eseguibile], env=x.env,
                                   stdout=open(os.path.join(artefatti, "velmo_pigro.out"), "w"),
                                   stderr=subprocess.STDOUT)
        x.finestra = x.cerca_finestra("Brenvo Velmo", 30)
        time.sleep(2.0)
        # No window has the focus: the about window through the menu bar, with
        # the mouse and the letter of its item (an open menu takes the keys).
        gx, gy, _, _ = x.geometria(x.finestra)
        x.clic(gx + MENU_INFORMAZIONI, gy + 10)
        time.sleep(0.6)
        x.tasto("v")
        velmo = attendi(lambda: [w for w in finestre(x, "Brenvo Velmo") if w != str(x.finestra)], 10,
                        "the about window")[-1]
        time.sleep(0.8)
        vx, vy, _, _ = x.geometria(velmo)
        x.xdotool("mousemove", 5, 5)
        x.clic(vx + (480 + 900) // TWIPS, vy + (3060 + 135) // TWIPS)
        intro = x.cerca_finestra("Central Unit", 10)
        comparsa = time.monotonic()
        time.sleep(4.0)
        x.schermata("scrivania_03_intro_senza_attivazione.png")
        fuoco = x._esegui(["xdotool", "getwindowfocus"], controlla=False).stdout.strip()  # fails on none
        assert fuoco != str(intro), "the intro window has the focus: this window manager activated it"
        attendi(lambda: not finestre(x, "Central Unit"), 40, "the intro show closing itself")
        durata = time.monotonic() - comparsa
        print(f"intro show without activation: closed itself {durata:.1f} s after it appeared")
        # One show with its closing effect takes about 15 s; a second one would double it.
        assert durata < 24, f"the show took {durata:.1f} s: it ran twice"
        assert x.gioco.poll() is None, "the game ended"


def main():
    eseguibile, artefatti = sys.argv[1], sys.argv[2]
    os.makedirs(artefatti, exist_ok=True)
    senza_display(eseguibile)
    chiusura_e_transitorie(eseguibile, artefatti)
    intro_senza_attivazione(eseguibile, artefatti)
    print("desktop end to end: passed")


if __name__ == "__main__":
    main()
