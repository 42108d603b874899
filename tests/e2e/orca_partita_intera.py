"""A whole match to game over, by keyboard alone and by ear, with the real
Orca: the player knows the board only from what Orca says ("Tu: colonna 5,
riga 1.", "Computer: colonna 4, riga 2."), plays to win a round (a win if
there is one, a block of the computer's, else the column with most of its
own pieces around), then lets the computer take the lives, answers GAME
OVER, types a name for the leaderboard letter by letter as Orca echoes it,
hears the leaderboard and declines another match. The transcript is kept as
partita_intera.txt. Not part of the test suite: it plays for minutes.

Usage: dbus-run-session -- /usr/bin/python3 orca_partita_intera.py VELMO ARTEFACTS_FOLDER"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sessione_x import SessioneX  # noqa: E402
import lettore_schermo  # noqa: E402
from orca_e2e import Partita  # noqa: E402

MOSSA = re.compile(r"(Tu|Computer): colonna (\d), riga (\d)")
NOME = "orecchio"


class Tavola:
    """The board as heard."""

    def __init__(self):
        self.celle = {}

    def ascolta(self, detto):
        for riga in detto:
            if "Nuovo round" in riga:
                self.celle = {}
            for chi, c, r in MOSSA.findall(riga):
                self.celle[(int(c), int(r))] = "P" if chi == "Tu" else "C"

    def altezza(self, c):
        return sum(1 for (cc, _) in self.celle if cc == c)

    def quattro(self, c, r, chi):
        for dc, dr in ((1, 0), (0, 1), (1, 1), (1, -1)):
            n = 1
            for verso in (1, -1):
                k = 1
                while self.celle.get((c + verso * k * dc, r + verso * k * dr)) == chi:
                    n += 1
                    k += 1
            if n >= 4:
                return True
        return False

    def vicini(self, c, r, chi):
        return sum(1 for dc in (-1, 0, 1) for dr in (-1, 0, 1) if self.celle.get((c + dc, r + dr)) == chi)

    def scegli(self):
        libere = [c for c in range(1, 10) if self.altezza(c) < 7]
        for chi in ("P", "C"):  # win, else block
            for c in libere:
                if self.quattro(c, self.altezza(c) + 1, chi):
                    return c

        def sicura(c):  # no gift of a win to the computer right above
            r = self.altezza(c) + 1
            if r == 7:
                return True
            self.celle[(c, r)] = "P"
            dono = self.quattro(c, r + 1, "C")
            del self.celle[(c, r)]
            return not dono

        candidate = [c for c in libere if sicura(c)] or libere
        return max(candidate, key=lambda c: (self.vicini(c, self.altezza(c) + 1, "P"), -abs(c - 5)))


def main(velmo, artefatti):
    with SessioneX(velmo, artefatti) as s:
        orca = lettore_schermo.LettoreSchermo(s.env, artefatti).avvia()
        p = Partita(s, orca, artefatti)
        try:
            s.env = dict(s.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
            s.avvia_gioco()
            orca.attendi_detto("Colonna 1", secondi=20)
            t = Tavola()
            p.passo("F2", ["F2"], "Nuova partita")
            vinto, finita = False, False
            for _ in range(200):
                c = t.scegli() if not vinto else max(c for c in range(1, 10) if t.altezza(c) < 7)
                detto = p.passo(str(c), [str(c)], f"Tu: colonna {c}", dopo=1.0)
                testo = " ".join(detto)
                if not any(f in testo for f in ("Computer: colonna", "Quattro in fila", "pareggio")):
                    detto = detto + p.passo("la risposta", [], "Computer: colonna", "Quattro in fila", "pareggio",
                                     tutti=False, dopo=1.0)
                if not any(f in " ".join(detto) for f in ("Quattro in fila", "pareggio")):
                    detto = detto + p.ascolta("dopo la risposta", "Quattro in fila", "pareggio")
                t.ascolta(detto)
                testo = " ".join(detto)
                if "Quattro in fila" in testo or "pareggio" in testo:
                    if "il round" not in testo and "Round finito" not in testo:
                        testo += " ".join(p.passo("fine del round", [], "il round", "Round finito", tutti=False))
                    vinto = vinto or "Hai vinto il round" in testo
                    if "partita finita" in testo:
                        finita = True
                        break
                    if "OK pulsante" not in testo:
                        p.passo("il messaggio", [], "OK pulsante")
                    detto = p.passo("Invio", ["Return"], "Nuovo round", dopo=1.5)
                    t.ascolta(detto)
            assert finita, "no game over in 200 moves"
            if "G A M E" not in testo:
                p.passo("GAME OVER", [], "G A M E")
            if vinto:
                p.passo("Invio su GAME OVER", ["Return"], "Inserisci il tuo nome")
                for lettera in NOME:
                    p.passo(f"lettera {lettera}", [lettera], secondi=10, dopo=0.3)
                p.passo("Invio sul nome", ["Return"], "Classifica", dopo=3.0)
                try:
                    p.passo("Escape sulla classifica", ["Escape"], "altra partita", secondi=8)
                except Exception:
                    p.passo("Alt+F4 sulla classifica", ["alt+F4"], "altra partita")
            else:
                p.passo("Invio su GAME OVER", ["Return"], "altra partita")
            try:
                p.passo("N: nessun'altra partita", ["n"], "Colonna", secondi=8)
            except Exception:
                p.passo("Tab e Invio: nessun'altra partita", ["Tab", "Return"], "Colonna")
        finally:
            p.salva()
            os.replace(os.path.join(artefatti, "trascrizione.txt"), os.path.join(artefatti, "partita_intera.txt"))
            if s.gioco and s.gioco.poll() is None:
                s.gioco.kill()
            orca.chiudi()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
