"""End to end: a match saved through the real save dialog, the game quit and
started again, and the match loaded through the real open dialog, with the
same pieces on the screen's pixels.

The game runs from a copy in a temporary folder (its folder is the
executable's), under an Italian locale whose decimal comma must not reach
the file."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from sessione_x import ErroreX, SessioneX, copia_del_gioco  # noqa: E402

TWIPS = 15  # twips per pixel at 96 dpi
SEZIONE = "[Brenvo Velmo 2.0 - Partita salvata]"


def origine_tavolo(foto, x, y, larghezza):
    """The board area starts below the menu bar, where its dark blue does."""
    for dy in range(0, 120):
        r, g, b = foto.pixel(x + larghezza // 2, y + dy)
        if b > r + 20 and r < 80:
            return x, y + dy
    raise AssertionError("board area not found below the menu bar")


def pezzi(x, foto):
    """The pieces on the board as the pixels show them: (column, row) -> colour."""
    cx, cy, larghezza, _ = x.geometria(x.finestra)
    ox, oy = origine_tavolo(foto, cx, cy, 200)
    trovati = {}
    for c in range(1, 10):
        for r in range(1, 8):
            px = ox + (950 + 690 * (c - 1) + 630 / 2) / TWIPS
            py = oy + (5270 - 720 * (r - 1) + 645 / 2) / TWIPS
            rr, gg, bb = foto.pixel(px, py)
            if rr > 150 and gg < 100 and bb < 100:
                trovati[(c, r)] = "rossa"
            elif rr > 170 and gg > 140 and bb < 110:
                trovati[(c, r)] = "gialla"
    return trovati


def visibile(x, nome):
    try:
        return bool(x.xdotool("search", "--onlyvisible", "--name", nome))
    except ErroreX:  # xdotool's search fails when it finds nothing
        return False


def dialogo(x, titolo, percorso, nome_foto):
    """Types a path into the file dialog and confirms it."""
    finestra = x.cerca_finestra(titolo, 10)
    x.attiva(finestra)
    x.schermata(nome_foto)
    x.xdotool("type", "--delay", "20", percorso)
    x.tasto("Return")
    time.sleep(1.0)
    # A completion list may take the first Return.
    if visibile(x, titolo):
        x.tasto("Return")
        time.sleep(1.0)


def messaggio(x, nome_foto):
    """Shows and closes the next message box."""
    box = x.cerca_finestra("Brenvo Info Service", 10)
    x.attiva(box)
    x.schermata(nome_foto)
    x.tasto("Return")
    time.sleep(0.5)


def esci(x, gioco):
    x.tasto("alt+F4")
    domanda = x.cerca_finestra("Brenvo Info Service", 10)
    x.attiva(domanda)
    x.tasto("n")  # "&No" to saving
    assert gioco.wait(15) == 0, "the game did not end cleanly"


def main():
    eseguibile, artefatti = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="velmo-e2e-") as cartella:
        copia = copia_del_gioco(eseguibile, cartella)
        partite = os.path.join(cartella, "le mie partite")
        os.mkdir(partite)
        salvata = os.path.join(partite, "prima partita")

        with SessioneX(copia, artefatti, copia=False) as x:
            locali = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower()
            if "it_it.utf8" in locali:
                x.env["LC_ALL"] = "it_IT.UTF-8"

            gioco = x.avvia_gioco()
            x.tasto("F2")
            time.sleep(1.0)
            x.tasto("5")
            time.sleep(3.0)  # the player's fall, the computer's pause and fall
            prima = pezzi(x, x.schermata("s01_mosse.png"))
            assert prima.get((5, 1)) == "rossa" and len(prima) == 2, f"pieces before saving: {prima}"

            x.tasto("alt+f")
            time.sleep(0.5)
            x.tasto("s")  # "&Salva"
            dialogo(x, "Salva gioco...", salvata, "s02_dialogo_salva.png")
            messaggio(x, "s03_salvata.png")
            file = salvata + ".vl2"
            assert os.path.exists(file), f"no saved game at {file}: {os.listdir(partite)}"
            with open(file, encoding="cp1252") as f:
                testo = f.read()
            assert SEZIONE in testo, testo[:200]
            millesimali = [r for r in testo.splitlines() if r.startswith("millesimali=")]
            assert millesimali == ["millesimali=967.8254"], millesimali
            esci(x, gioco)

            gioco = x.avvia_gioco()
            x.tasto("alt+f")
            time.sleep(0.5)
            x.tasto("c")  # "&Carica partita"
            dialogo(x, "Carica gioco...", file, "s04_dialogo_carica.png")
            messaggio(x, "s05_caricata.png")
            x.attiva(x.finestra)
            dopo = pezzi(x, x.schermata("s06_caricata.png"))
            print(f"pieces saved {prima}, loaded {dopo}")
            assert dopo == prima, f"loaded pieces {dopo} differ from the saved ones {prima}"
            titolo = x.xdotool("getwindowname", x.finestra)  # without its leading blank
            assert titolo == f"Brenvo Velmo 2.0 - [{file}]", titolo
            esci(x, gioco)


if __name__ == "__main__":
    main()
