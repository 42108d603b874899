"""End to end: the shows in the real game, in a real X server.

The game runs from a copy in a temporary folder with the settings file and
the start-up music beside it. The credits crawl on the start screen: two
screenshots two seconds apart show the lines moved, bright in the middle of
the panel and dim at its edges. Each information window opens from its
command and closes on a click; the about window's info label opens the
intro show, caught mid-way. The screenshots stay in the artefacts folder."""

import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from sessione_x import ErroreX, SessioneX, attendi  # noqa: E402

TWIPS = 15
# The credits' moving area inside the game window's client area, in pixels:
# the side panel's left, the area's top and its size.
CREDITI = (7980 // TWIPS, 1060 // TWIPS, 2175 // TWIPS, 4560 // TWIPS)
# Where the menu bar shows "Informazioni su..." and "Thanx to...", from the
# window's left (DejaVu Sans, the font the setup installs).
MENU_INFORMAZIONI, MENU_THANX = 340, 440


def luminosita(p):
    return max(p)


def finestre(x, nome):
    try:
        return x.xdotool("search", "--onlyvisible", "--name", nome).split()
    except ErroreX:  # xdotool's search fails when it finds nothing
        return []


def righe_luminose(foto, ox, oy):
    """The brightest channel of each row of the credits area."""
    l, t, w, h = CREDITI
    return [max(luminosita(foto.pixel(ox + l + px, oy + t + py)) for px in range(0, w, 2)) for py in range(h)]


def apri_e_chiudi(x, comando, nome_foto):
    """Runs a command that opens an information window, photographs it and
    closes it with a click on its middle. A command is a key, or a point of
    the window (the menu bar) to click and a letter of the menu it opens."""
    prima = set(finestre(x, "Brenvo Velmo"))
    x.attiva(x.finestra)
    if isinstance(comando, str):
        x.tasto(comando)
    else:
        (mx, my), lettera = comando
        gx, gy, _, _ = x.geometria(x.finestra)
        x.clic(gx + mx, gy + my)
        time.sleep(0.6)
        if lettera:
            x.tasto(lettera)
    nuova = attendi(lambda: set(finestre(x, "Brenvo Velmo")) - prima, 10, f"the window of {comando}")
    finestra = nuova.pop()
    time.sleep(0.8)
    x.schermata(nome_foto)
    fx, fy, fw, fh = x.geometria(finestra)
    x.xdotool("mousemove", 5, 5)
    x.clic(fx + fw // 2, fy + fh // 2)
    attendi(lambda: finestra not in finestre(x, "Brenvo Velmo"), 10, f"the window of {comando} closing")
    return fx, fy, fw, fh


def main():
    eseguibile, artefatti = sys.argv[1], sys.argv[2]
    cartella_build = os.path.dirname(eseguibile)
    cartella = tempfile.mkdtemp(prefix="velmo-e2e-")
    try:
        copia = os.path.join(cartella, "velmo")
        shutil.copy2(eseguibile, copia)
        for nome in ("Velmo.001", "Velmo.002"):
            shutil.copy2(os.path.join(cartella_build, nome), os.path.join(cartella, nome))
        with SessioneX(copia, artefatti) as x:
            gioco = x.avvia_gioco()
            ox, oy, _, _ = x.geometria(x.finestra)

            # The credits at two moments.
            time.sleep(3.0)
            prima = x.schermata("spettacoli_01_crediti.png")
            time.sleep(2.0)
            dopo = x.schermata("spettacoli_02_crediti_dopo.png")
            r1, r2 = righe_luminose(prima, ox, oy), righe_luminose(dopo, ox, oy)
            assert r1 != r2, "the credits did not move"
            h = len(r2)
            centro = max(r2[h // 3: 2 * h // 3])
            bordi = max(r2[:8] + r2[-8:])
            print(f"credits: brightest row in the middle third {centro}, at the edges {bordi}")
            assert centro > 180, f"no bright line in the middle of the credits: {centro}"
            assert bordi < centro * 0.35, f"the lines are not faded at the edges: {bordi} vs {centro}"

            # The five information windows.
            # "&Informazioni su..." shares its letter with "&Impostazioni":
            # the menus are opened with the mouse, where the bar shows them.
            informazioni, thanx = (MENU_INFORMAZIONI, 10), (MENU_THANX, 10)
            apri_e_chiudi(x, (informazioni, "r"), "spettacoli_03_regole.png")
            apri_e_chiudi(x, (informazioni, "t"), "spettacoli_04_tastiera.png")
            apri_e_chiudi(x, (informazioni, "c"), "spettacoli_05_codice.png")
            apri_e_chiudi(x, (thanx, None), "spettacoli_06_thanx.png")
            apri_e_chiudi(x, "F1", "spettacoli_07_velmo.png")

            # The intro show from the about window's info label.
            x.attiva(x.finestra)
            x.tasto("F1")
            velmo = attendi(lambda: [w for w in finestre(x, "Brenvo Velmo") if w != str(x.finestra)], 10,
                            "the about window")[-1]
            time.sleep(0.8)
            vx, vy, _, _ = x.geometria(velmo)
            x.xdotool("mousemove", 5, 5)  # a move with --sync waits for the pointer to change place
            x.clic(vx + (480 + 900) // TWIPS, vy + (3060 + 135) // TWIPS)
            intro = x.cerca_finestra("Central Unit", 10)
            time.sleep(8.5)  # the shot has arrived and the logo blinks
            x.schermata("spettacoli_08_intro_a_meta.png")
            time.sleep(4.5)  # the address typed
            x.schermata("spettacoli_09_intro_indirizzo.png")
            attendi(lambda: not finestre(x, "Central Unit"), 20, "the intro show closing itself")
            assert finestre(x, "Brenvo Velmo"), "the about window closed with the show"
            x.schermata("spettacoli_10_dopo_intro.png")
            fx, fy, fw, fh = x.geometria(velmo)
            x.xdotool("mousemove", 5, 5)
            x.clic(fx + fw // 2, fy + fh // 2)
            attendi(lambda: str(velmo) not in finestre(x, "Brenvo Velmo"), 10, "the about window closing")
            print(f"intro window {intro} showed and closed itself; the about window stayed until clicked")
            assert gioco.poll() is None, "the game ended"
    finally:
        shutil.rmtree(cartella, ignore_errors=True)


if __name__ == "__main__":
    main()
