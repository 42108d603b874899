"""End to end: the real game in a real X server, driven by real keys.

F2 starts a match, "5" drops the player's piece into the bottom cell of
column 5, the computer answers, and the screen shows both pieces in the right
cells. A menu opened with a click and closed with Escape leaves the digit
keys working. Alt+F4 then asks whether to save: Escape leaves the question
open, and the game ends on "N" (No). The title bar offers minimize and close, never maximize.

Arguments: the game, the helper that prints the board's layout, the folder
for the screenshots."""

import json
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from sessione_x import ErroreX, SessioneX, attendi  # noqa: E402


def e_rossa(p):
    r, g, b = p
    return r > 150 and g < 100 and b < 100


def e_gialla(p):
    r, g, b = p
    return r > 170 and g > 140 and b < 110


def e_chiaro(p):
    return min(p) > 190  # the menu bar and the menus


class Tavola:
    """The board of the game window on the screen: the layout printed by the
    helper, placed at the client area below the menu bar."""

    def __init__(self, sessione, programma_geometria):
        self.x = sessione
        self.disposizione = json.loads(subprocess.run([programma_geometria], capture_output=True, text=True,
                                                      check=True, timeout=30).stdout)
        # The window may still be placed by the window manager after it shows.
        prima = []

        def ferma():
            ora = sessione.geometria(sessione.finestra)
            fermo = ora == (prima[0] if prima else None)
            prima[:] = [ora]
            return fermo

        attendi(ferma, 10, "the game window to settle", 0.3)
        foto = self.fotografa("01_avvio.png")
        # The menu bar is the light band at the top of the client area; the
        # side panel at the right edge is dark right below it.
        altezza_barra = next((dy for dy in range(1, 80)
                              if not e_chiaro(foto.pixel(self.cx + self.larghezza - 4, self.cy + dy))), None)
        assert altezza_barra, "menu bar not found at the top of the window"
        self.altezza_barra = altezza_barra

    @property
    def ox(self):
        return self.cx

    @property
    def oy(self):
        return self.cy + self.altezza_barra

    def centro(self, rettangolo):
        x, y, w, h = rettangolo
        return self.ox + x + w // 2, self.oy + y + h // 2

    def cella(self, colonna, riga):
        return self.foto.pixel(*self.centro(self.disposizione["celle"][f"{colonna},{riga}"]))

    def pezzi(self):
        """The pieces on the last screenshot: (column, row) of red and yellow."""
        rosse, gialle = [], []
        for colonna in range(1, 10):
            for riga in range(1, 8):
                colore = self.cella(colonna, riga)
                if e_rossa(colore):
                    rosse.append((colonna, riga))
                elif e_gialla(colore):
                    gialle.append((colonna, riga))
        return rosse, gialle

    def fotografa(self, nome="attesa.png"):
        """A screenshot, and where the window's client area is on it."""
        self.cx, self.cy, self.larghezza, _ = self.x.geometria(self.x.finestra)
        self.foto = self.x.schermata(nome)
        return self.foto

    def in_partita(self):
        """The board's match picture is blue between the cells; without a
        match it is grey."""
        x, y, w, h = self.disposizione["celle"]["1,1"]
        r, _, b = self.fotografa().pixel(self.ox + x + w + 2, self.oy + y + h // 2)
        return b > r + 80

    def attendi_pezzi(self, rosse, gialle, cosa):
        """Waits until the screen shows that many red and yellow pieces, all
        landed: a falling piece shows in the cells it passes."""
        visti = []

        def contati():
            self.fotografa()
            r, g = self.pezzi()
            visti[:] = [r, g]
            tutti = set(r + g)
            atterrati = all(riga == 1 or (colonna, riga - 1) in tutti for colonna, riga in tutti)
            return (r, g) if len(r) == rosse and len(g) == gialle and atterrati else None

        try:
            return attendi(contati, 20, cosa, 0.2)
        except ErroreX as e:
            raise ErroreX(f"{e}; last seen red {visti[0]}, yellow {visti[1]} (attesa.png)") from None

    def titolo_menu_file(self):
        """The title " File " at the left of the menu bar."""
        return self.cx + 22, self.cy + self.altezza_barra // 2

    def menu_file_aperto(self):
        """Whether the File menu covers the board's top left corner, which
        is dark: mostly light pixels there (its text is dark)."""
        foto = self.fotografa()
        punti = [foto.pixel(self.ox + dx, self.oy + dy) for dx in range(10, 50, 4) for dy in range(10, 50, 4)]
        return sum(map(e_chiaro, punti)) > len(punti) // 2


def controlla_barra_del_titolo(x):
    """The game asks for minimize and no maximize (Motif hints), and the
    window manager, seeing a fixed size, offers no maximize or resize.
    (Openbox's default layout still draws the maximize button, disabled,
    where it lies between minimize and the title.)"""
    campi = [int(v, 16) for v in x.proprieta(x.finestra, "_MOTIF_WM_HINTS").split(",")]
    funzioni, decorazioni = campi[1], campi[2]
    assert funzioni & 0x08 and decorazioni & 0x20, f"the game asks for no minimize: {campi}"
    assert not funzioni & 0x10 and not decorazioni & 0x40, f"the game asks for maximize: {campi}"
    azioni = x.proprieta(x.finestra, "_NET_WM_ALLOWED_ACTIONS")
    print(f"window manager offers: {azioni}")
    for vietata in ("_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"):
        assert vietata not in azioni, f"the title bar offers {vietata}"
    for voluta in ("_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE"):
        assert voluta in azioni, f"the title bar lacks {voluta}"


def main():
    eseguibile, programma_geometria, artefatti = sys.argv[1:4]
    with SessioneX(eseguibile, artefatti) as x:
        gioco = x.avvia_gioco()
        tavola = Tavola(x, programma_geometria)
        controlla_barra_del_titolo(x)

        x.tasto("F2")
        attendi(tavola.in_partita, 15, "the match to start", 0.2)
        x.tasto("5")
        # The player's fall, the computer's pause and its fall.
        rosse, gialle = tavola.attendi_pezzi(1, 1, "the player's piece and the computer's answer")
        tavola.fotografa("02_mosse.png")
        assert rosse == [(5, 1)], f"player's red piece not at (5,1): {rosse}"
        print(f"pieces: player at (5,1), computer at {gialle[0]}")

        # A menu opened with a click and closed with Escape leaves the digits
        # working (the menu bar held on to the keyboard once).
        x.clic(*tavola.titolo_menu_file())
        attendi(tavola.menu_file_aperto, 10, "the File menu to open", 0.2)
        tavola.fotografa("03_menu_aperto.png")
        x.tasto("Escape")
        attendi(lambda: not tavola.menu_file_aperto(), 10, "the File menu to close", 0.2)
        colonna = next(c for c in range(1, 10) if (c, 1) not in rosse + gialle)
        x.tasto(str(colonna))
        rosse, gialle = tavola.attendi_pezzi(2, 2, f"a piece in column {colonna} after the menu closed")
        tavola.fotografa("04_dopo_il_menu.png")
        assert (colonna, 1) in rosse, f"the digit {colonna} after Escape dropped no piece there: {rosse}"
        print(f"after a menu closed with Escape, key {colonna} dropped a piece at ({colonna},1)")

        # Alt+F4 skips "Sicuro di voler uscire ?" but asks to save the match.
        x.tasto("alt+F4")
        domanda = x.cerca_finestra("Brenvo Info Service", 10)
        x.schermata("05_salvare.png")
        x.attiva(domanda)
        # The question has no implicit answer: Escape leaves it open.
        x.tasto("Escape")
        time.sleep(1.0)
        assert gioco.poll() is None, "Escape answered the question"
        x.cerca_finestra("Brenvo Info Service", 1)
        print("Escape left the question open")
        x.tasto("n")  # "&No"
        inizio = time.monotonic()
        codice = gioco.wait(15)
        print(f"game ended with code {codice} {time.monotonic() - inizio:.1f} s after the answer")
        assert codice == 0, f"exit code {codice}"


if __name__ == "__main__":
    main()
