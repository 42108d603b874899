"""End to end: the real game in a real X server, driven by real keys.

F2 starts a match, "5" drops the player's piece into the bottom cell of
column 5, the computer answers, and the screen shows both pieces in the right
cells; Alt+F4 then asks whether to save and the game ends on the answer."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from sessione_x import SessioneX  # noqa: E402

TWIPS = 15  # twips per pixel at 96 dpi


def centro_cella(colonna, riga):
    """Centre of a cell in pixels of the board area."""
    x = (950 + 690 * (colonna - 1) + 630 / 2) / TWIPS
    y = (5270 - 720 * (riga - 1) + 645 / 2) / TWIPS
    return x, y


def e_rossa(p):
    r, g, b = p
    return r > 150 and g < 100 and b < 100


def e_gialla(p):
    r, g, b = p
    return r > 170 and g > 140 and b < 110


def origine_tavolo(foto, x, y, larghezza):
    """The board area starts below the menu bar: the first row, scanning
    down from the client's top, where the board's dark blue begins."""
    for dy in range(0, 120):
        r, g, b = foto.pixel(x + larghezza // 2, y + dy)
        if b > r + 20 and r < 80:
            return x, y + dy
    raise AssertionError("board area not found below the menu bar")


def main():
    eseguibile, artefatti = sys.argv[1], sys.argv[2]
    with SessioneX(eseguibile, artefatti) as x:
        gioco = x.avvia_gioco()
        x.schermata("01_avvio.png")

        x.tasto("F2")
        time.sleep(1.0)
        x.tasto("5")
        # The player's fall (0.7 s), the computer's pause (0.2 s) and fall.
        time.sleep(3.0)
        foto = x.schermata("02_mosse.png")

        cx, cy, larghezza, _ = x.geometria(x.finestra)
        ox, oy = origine_tavolo(foto, cx, cy, 200)

        def colore(colonna, riga):
            px, py = centro_cella(colonna, riga)
            return foto.pixel(ox + px, oy + py)

        assert e_rossa(colore(5, 1)), f"player's red piece missing at (5,1): {colore(5, 1)}"
        candidati = [(c, 1) for c in range(1, 10) if c != 5] + [(5, 2)]
        gialle = [cella for cella in candidati if e_gialla(colore(*cella))]
        assert len(gialle) == 1, f"expected one yellow computer piece, found {gialle}"
        altre = [(c, r) for c in range(1, 10) for r in range(1, 8)
                 if (c, r) not in [(5, 1), gialle[0]] and (e_gialla(colore(c, r)) or e_rossa(colore(c, r)))]
        assert not altre, f"unexpected pieces at {altre}"
        print(f"pieces: player at (5,1), computer at {gialle[0]}")

        # Alt+F4 skips "Sicuro di voler uscire ?" but asks to save the match.
        x.tasto("alt+F4")
        domanda = x.cerca_finestra("Brenvo Info Service", 10)
        x.schermata("03_salvare.png")
        x.attiva(domanda)
        x.tasto("Escape")  # "No"
        inizio = time.monotonic()
        codice = gioco.wait(15)
        print(f"game ended with code {codice} {time.monotonic() - inizio:.1f} s after the answer")
        assert codice == 0, f"exit code {codice}"


if __name__ == "__main__":
    main()
