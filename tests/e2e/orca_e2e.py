"""A blind player's match with the real Orca screen reader, started before
the game as a blind player does. The game is played by keyboard alone, and
after each key the test asserts what Orca spoke, in Italian: a new match, a
column read on the board, a menu's items with their keys, a piece dropped
by Space, three column keys with the computer's answers, a round lost to
the computer's line, an undo, a pause and its end, the about window with
its links reached by Tab, the about window and the leaderboard closed with
Escape, and the quit answered by keyboard. The transcript is kept in the artefacts folder (trascrizione.txt).

Exits with 77 (skipped) when Orca or its helpers are not installed, unless
VELMO_ORCA_OBBLIGATORIO is set (scripts/orca_ci.sh). Run inside
dbus-run-session.

Usage: orca_e2e.py VELMO ARTEFACTS_FOLDER"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sessione_x import ErroreX, SessioneX, attendi  # noqa: E402
import lettore_schermo  # noqa: E402

SALTATO = 77

# Steps another change of the windows brings (the about window read with its
# text, Escape closing the information windows and the leaderboard, the S and
# N letters of the Yes/No boxes). Until it is in, such a step that fails is
# reported and passed by its old way; one that passes is reported too, to be
# taken off this list, which makes it a step that must pass.
ATTESI: set[str] = set()


class Partita:
    def __init__(self, sessione, orca, artefatti):
        self.s = sessione
        self.orca = orca
        self.trascrizione = []
        self.attesi_falliti = []
        self.attesi_riusciti = []
        self.artefatti = artefatti

    def tasto(self, tasto):
        # Orca misses short taps: a press held as a finger holds it.
        self.s.xdotool("keydown", tasto)
        time.sleep(0.08)
        self.s.xdotool("keyup", tasto)

    def passo(self, nome, tasti, *attesi, secondi=40.0, dopo=0.8, tutti=True):
        """Presses the keys and asserts that Orca said every fragment (with
        `tutti` false: one of them). Without keys, what was said since the
        last step counts too; with keys, it belongs to the last step."""
        if tasti:
            resto = self.orca.nuovo()
            if resto and self.trascrizione:
                self.trascrizione[-1][1].extend(resto)
        for t in tasti:
            self.tasto(t)
        try:
            detto = self.orca.attendi_detto(*attesi, secondi=secondi, dopo=dopo, tutti=tutti)
        except ErroreX:
            self.trascrizione.append((nome + " (failed)", self.orca.nuovo()))
            raise
        self.trascrizione.append((nome, list(detto)))
        print(f"[{nome}]", " | ".join(detto), flush=True)
        return detto

    def ascolta(self, nome, *frammenti, secondi=3.0):
        """What Orca says within `secondi` if it says one of the fragments;
        nothing when it does not."""
        try:
            detto = self.orca.attendi_detto(*frammenti, secondi=secondi, dopo=0.5, tutti=False)
        except ErroreX:
            detto = self.orca.nuovo()
        if detto:
            self.trascrizione.append((nome, list(detto)))
            print(f"[{nome}]", " | ".join(detto), flush=True)
        return detto

    def atteso(self, nome, riuscito):
        """A check another change brings, noted either way; off ATTESI it
        must pass."""
        assert riuscito or nome in ATTESI, nome
        if riuscito:
            self.attesi_riusciti.append(nome)
        else:
            self.attesi_falliti.append(nome)
            print(f"[{nome}] not yet", flush=True)

    def passo_atteso(self, nome, tasti, attesi, ripiego, *ripiego_attesi):
        """A step another change brings: tried, and on failure passed by the
        old keys `ripiego`. Off ATTESI it must pass."""
        if nome not in ATTESI:
            self.passo(nome, tasti, *attesi)
            return
        try:
            self.passo(nome, tasti, *attesi, secondi=10.0)
            self.attesi_riusciti.append(nome)
        except ErroreX as e:
            self.attesi_falliti.append(f"{nome}: {e}")
            print(f"[{nome}] not yet: {e}", flush=True)
            self.passo(nome + " (ripiego)", ripiego, *ripiego_attesi)

    def salva(self):
        with open(os.path.join(self.artefatti, "trascrizione.txt"), "w", encoding="utf-8") as f:
            for nome, detto in self.trascrizione:
                f.write(f"[{nome}]\n")
                for riga in detto:
                    f.write(f"  {riga}\n")


def main(velmo, artefatti):
    assert os.environ.get("DBUS_SESSION_BUS_ADDRESS"), "run inside dbus-run-session"
    if lettore_schermo.mancanti():
        print("not installed:", lettore_schermo.mancanti())
        return 1 if os.environ.get("VELMO_ORCA_OBBLIGATORIO") else SALTATO
    with SessioneX(velmo, artefatti) as s:
        orca = lettore_schermo.LettoreSchermo(s.env, artefatti).avvia()
        p = Partita(s, orca, artefatti)
        try:
            gioca(s, orca, p)
        finally:
            p.salva()
            if s.gioco and s.gioco.poll() is None:
                s.gioco.kill()
            orca.chiudi()
    if p.attesi_riusciti:
        print("expected to fail but passed, take off ATTESI:", p.attesi_riusciti)
    if p.attesi_falliti:
        print("waiting on the windows' keyboard change:", *p.attesi_falliti, sep="\n  ")
    return 0


def gioca(s, orca, p):
    s.env = dict(s.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    orca.segna()
    s.avvia_gioco()
    # The game window takes the focus: Orca reads it and the board's column.
    orca.attendi_detto("Brenvo Velmo", "Colonna 1", secondi=40)

    p.passo("F2", ["F2"], "Nuova partita: hai 3 vite. Tocca a te.")
    detto = p.passo("Destra", ["Right"], "Colonna 2: 0 pedine, libera")
    assert any("libera pulsante" in r for r in detto), detto  # a button, pressed by Space
    # The menus' items are read with their keys.
    p.passo("Alt+F", ["alt+f"], "Pausa F3")  # in a match, "Nuova partita" is disabled
    p.passo("Giù", ["Down"], "Termina partita F4")
    p.passo("Esc sul menu", ["Escape"], "File")
    p.passo("Esc sulla barra", ["Escape"], "Colonna 2")
    # Space drops into the column the focus stands on.
    p.passo("Spazio", ["space"], "Tu: colonna 2", "Computer: colonna")
    for colonna in ("5", "5", "4"):
        detto = p.passo(colonna, [colonna], f"Tu: colonna {colonna}", "Computer: colonna")
        assert any(r.startswith("notifica") for r in detto), detto

    # The player keeps to the right edge and the computer makes its line.
    perso = False
    for _ in range(60):
        colonna = scegli(p)
        detto = p.passo(f"{colonna} (verso la linea del computer)", [colonna], f"Tu: colonna {colonna}",
                        secondi=20.0, dopo=1.0)
        testo = " ".join(detto)
        if not any(f in testo for f in ("Computer: colonna", "Quattro in fila", "pareggio")):
            testo += " ".join(p.passo("la risposta", [], "Computer: colonna", "Quattro in fila", "pareggio",
                                      tutti=False, dopo=1.0))
        # The line the computer's answer made is told after the piece lands.
        if "Quattro in fila" not in testo and "pareggio" not in testo:
            testo += " ".join(p.ascolta("dopo la risposta", "Quattro in fila", "pareggio"))
        if "Quattro in fila" in testo or "Round finito" in testo:
            if "il round" not in testo and "Round finito" not in testo:
                testo += " ".join(p.passo("fine del round", [], "il round", "Round finito", tutti=False))
            if "OK pulsante" not in testo:  # the message box is read, so it has the focus
                testo += " ".join(p.passo("il messaggio", [], "OK pulsante"))
            p.passo("Invio sul messaggio", ["Return"], "Nuovo round, tavola vuota.", secondi=20.0)
            if "Quattro in fila del computer" in testo:
                assert "ti restano 2 vite" in testo, testo
                perso = True
                break
    assert perso, "the computer made no line in 60 moves"

    p.passo("1", ["1"], "Tu: colonna 1", "Computer: colonna")
    p.passo("F7", ["F7"], "Ultimo inserimento annullato", "Costo 1000 punti, punteggio")
    p.passo("F3", ["F3"], "Partita in pausa, orologio fermo.")
    p.passo("F3 di nuovo", ["F3"], "Partita ripresa.")
    detto = p.passo("F1", ["F1"], "Brenvo Velmo 2.0", secondi=20.0, dopo=2.0)
    p.atteso("F1 testo letto", any("Programma realizzato da Brenvo" in r for r in detto))
    # Its links are reached by Tab.
    p.passo("F1 Tab", ["Tab"], "Clicca qui per info sul Brenvo Info Center", "collegamento")
    p.passo("F1 Tab di nuovo", ["Tab"], "Brenvo Web Site collegamento")
    p.passo_atteso("F1 Escape", ["Escape"], ["Colonna"], ["alt+F4"], "Colonna")
    p.passo("F5", ["F5"], "Classifica", secondi=20.0)
    p.passo_atteso("F5 Escape", ["Escape"], ["Colonna"], ["alt+F4"], "Colonna")
    # Alt+F4 during a match asks only whether to save it.
    p.passo("Alt+F4", ["alt+F4"], "Salvare la partita in corso")
    # N answers No: the game says goodbye and ends.
    p.passo("Salvare N", ["n"], dopo=0)
    try:
        attendi(lambda: s.gioco.poll() is not None, 10, "the game to end")
        p.atteso("Salvare N", True)
    except ErroreX:
        p.atteso("Salvare N", False)
        p.passo("Salvare N (ripiego)", ["Tab", "Return"], dopo=0)
        attendi(lambda: s.gioco.poll() is not None, 15, "the game to end")


def scegli(p):
    """The rightmost column not yet full, as the transcript tells."""
    pieni = set()
    for _, detto in p.trascrizione:
        for riga in detto:
            for c in range(1, 10):
                if f"Colonna {c} piena" in riga:
                    pieni.add(c)
            if "Nuovo round" in riga:
                pieni.clear()
    for c in (9, 8, 7, 6):
        if c not in pieni:
            return str(c)
    return "1"


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
