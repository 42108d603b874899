"""End to end: the leaderboard in the real game, in a real X server.

The game runs from a copy in a temporary folder, beside a settings file that
holds five places. F5 opens the leaderboard, which shows the five rows; a
click closes it behind the closing effect and the board shows again. F6
opens the reset, which Alt+F4 does not close; "Certo !" empties the file.
The screenshots stay in the artefacts folder."""

import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from sessione_x import ErroreX, SessioneX, attendi  # noqa: E402

TWIPS = 15  # twips per pixel at 96 dpi
SFONDO = (250, 244, 222)  # the leaderboard window's colour

IMPOSTAZIONI = (
    "[Toob]\r\nk=3\r\n\r\n"
    "[Nome]\r\n1=Giovanni Bat\r\n2=Mario  Rossi\r\n3=Niccolò Àlva\r\n4=Anna\r\n5=Zoe\r\n\r\n"
    "[Info]\r\n1=4 vittorie\r\n2=1 vittoria\r\n3=2 vittorie\r\n4=0 vittorie\r\n5=0 vittorie\r\n\r\n"
    "[Punteggio]\r\n1=12840\r\n2=5230\r\n3=4100\r\n4=-360\r\n5=-900\r\n"
).encode("cp1252")

# Where each row's name lies in the window, in twips: left, top, width, height.
NOMI = [(1380, 270, 3840, 420)] + [(960, 1680 + 480 * i, 2280, 300) for i in range(4)]


def vicino(a, b, tolleranza=6):
    return all(abs(x - y) <= tolleranza for x, y in zip(a, b))


def origine_client(foto, x, y, larghezza, colore):
    """The client area's top: where the window's colour starts below the
    title bar, near the reported top (window managers report it with or
    without their frame)."""
    for dy in range(-60, 60):
        sopra, qui = foto.pixel(x + larghezza - 8, y + dy - 1), foto.pixel(x + larghezza - 8, y + dy)
        if vicino(qui, colore) and not vicino(sopra, colore):
            return x, y + dy
    raise AssertionError(f"window colour {colore} not found below a title bar")


def pixel_scuri(foto, ox, oy, rettangolo):
    l, t, w, h = (v / TWIPS for v in rettangolo)
    return sum(1 for px in range(int(ox + l), int(ox + l + w)) for py in range(int(oy + t), int(oy + t + h))
               if sum(foto.pixel(px, py)) < 300)


def visibile(x, nome):
    try:
        return bool(x.xdotool("search", "--onlyvisible", "--name", nome))
    except ErroreX:  # xdotool's search fails when it finds nothing
        return False


def main():
    eseguibile, artefatti = sys.argv[1], sys.argv[2]
    cartella = tempfile.mkdtemp(prefix="velmo-e2e-")
    try:
        copia = os.path.join(cartella, "velmo")
        shutil.copy2(eseguibile, copia)
        shutil.copyfile(os.path.join(os.path.dirname(eseguibile), "Velmo.002"), os.path.join(cartella, "Velmo.002"))
        impostazioni = os.path.join(cartella, "Velmo.001")
        with open(impostazioni, "wb") as f:
            f.write(IMPOSTAZIONI)
        with SessioneX(copia, artefatti, copia=False) as x:
            gioco = x.avvia_gioco()
            gx, gy, gw, gh = x.geometria(x.finestra)

            # F5: five rows, each with its text.
            x.tasto("F5")
            classifica = x.cerca_finestra("Classifica", 10)
            time.sleep(1.0)
            foto = x.schermata("classifica_01_aperta.png")
            cx, cy, cw, ch = x.geometria(classifica)
            ox, oy = origine_client(foto, cx, cy, cw, SFONDO)
            scuri = [pixel_scuri(foto, ox, oy, r) for r in NOMI]
            print(f"leaderboard client at {ox},{oy} (window {cx},{cy} {cw}x{ch}); dark pixels of the five names: {scuri}")
            assert all(n > 40 for n in scuri), f"a row shows no name: {scuri}"
            assert vicino(foto.pixel(ox + 10, oy + 240), SFONDO), "no window colour below the rows"

            # A click on the window closes it; the board shows where it was.
            x.xdotool("mousemove", str(ox + 10), str(oy + 240), "click", "1")
            attendi(lambda: not visibile(x, "Classifica"), 5, "the leaderboard closing")
            time.sleep(0.5)
            foto = x.schermata("classifica_02_chiusa.png")
            centro = foto.pixel(cx + cw // 2, cy + ch // 2)
            assert not vicino(centro, SFONDO), f"leaderboard colour left on the board: {centro}"

            # F6: Alt+F4 does not close the reset; "Certo !" empties the file.
            x.attiva(x.finestra)
            x.tasto("F6")
            resetta = x.cerca_finestra("Resetta Classifica", 10)
            x.attiva(resetta)
            x.tasto("alt+F4")
            time.sleep(1.0)
            assert visibile(x, "Resetta Classifica"), "Alt+F4 closed the reset window"
            rx, ry, rw, rh = x.geometria(resetta)
            foto = x.schermata("classifica_03_resetta.png")
            rox, roy = origine_client(foto, rx, ry, rw, foto.pixel(rx + rw - 8, ry + rh // 2))
            x.xdotool("mousemove", str(int(rox + (2220 + 900) / TWIPS)), str(int(roy + (1200 + 225) / TWIPS)),
                      "click", "1")
            attendi(lambda: not visibile(x, "Resetta Classifica"), 10, "the reset closing")
            with open(impostazioni, "rb") as f:
                testo = f.read().decode("cp1252")
            assert testo.count("=vuoto\r\n") == 15, testo
            assert "[Toob]\r\nk=4\r\n" in testo, testo  # this start counted
            print("reset: fifteen values 'vuoto', the counter kept")

            x.attiva(x.finestra)
            x.tasto("alt+F4")
            codice = gioco.wait(15)
            assert codice == 0, f"exit code {codice}"
    finally:
        shutil.rmtree(cartella, ignore_errors=True)


if __name__ == "__main__":
    main()
