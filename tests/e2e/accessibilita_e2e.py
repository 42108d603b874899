"""The game as a screen reader meets it: the real program under Xvfb with
the accessibility bus running, read through AT-SPI (pyatspi). It finds the
arrows, the cells and the side panel by their Italian names, plays one
exchange of moves from the keyboard alone (F2, then "5") and hears the
announcements of both pieces, each a notification shown anew. What Orca
itself speaks is orca_e2e.py's test. Run inside dbus-run-session.

Usage: accessibilita_e2e.py VELMO ARTEFACTS_FOLDER"""

import os
import sys
import threading

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sessione_x import SessioneX, attendi  # noqa: E402

import pyatspi  # noqa: E402


def nomi(radice):
    """The names of every object under `radice`, with their roles."""
    trovati = []

    def visita(o, profondita=0):
        if o is None or profondita > 30:
            return
        trovati.append((o.name or "", o.getRoleName()))
        for i in range(o.childCount):
            visita(o.getChildAtIndex(i), profondita + 1)

    visita(radice)
    return trovati


def applicazione(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


class Ascoltatore:
    """Collects every notification shown on the bus, as a screen reader hears them."""

    def __init__(self):
        self.annunci = []
        self._blocco = threading.Lock()
        # Name changes are listened to as a screen reader does: the program
        # sends only what someone listens to, and the names kept here follow them.
        pyatspi.Registry.registerEventListener(self._evento, "object:state-changed:showing",
                                               "object:property-change:accessible-name")
        self._filo = threading.Thread(target=pyatspi.Registry.start, daemon=True)
        self._filo.start()

    def _evento(self, e):
        try:
            if e.type.startswith("object:state-changed:showing") and e.detail1 and e.source.name \
                    and e.source.getRoleName() == "notification":
                with self._blocco:
                    self.annunci.append(e.source.name)
        except Exception:  # the object may be gone already
            pass

    def copia(self):
        with self._blocco:
            return list(self.annunci)


def main(velmo, artefatti):
    assert os.environ.get("DBUS_SESSION_BUS_ADDRESS"), "run inside dbus-run-session"
    with SessioneX(velmo, artefatti) as s:
        s.env = dict(s.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        ascolta = Ascoltatore()
        gioco = s.avvia_gioco()
        app = attendi(lambda: applicazione(gioco.pid), 30, "the game on the accessibility bus")

        def nomi_con(prefisso):
            return [n for n, _ in nomi(app) if n.startswith(prefisso)]

        # The arrows and, for the keyboard, the columns themselves are buttons.
        pulsanti = attendi(lambda: [n for n, r in nomi(app) if r == "push button" and n.startswith("Colonna ")],
                           20, "the arrows' names")
        assert pulsanti == ([f"Colonna {i}" for i in range(1, 10)] +
                            [f"Colonna {i}: 0 pedine, libera" for i in range(1, 10)]), pulsanti
        celle = nomi_con("Colonna 1, riga 1:")
        assert celle == ["Colonna 1, riga 1: vuota"], celle
        assert len([n for n, _ in nomi(app) if ", riga " in n]) == 63

        # Keyboard only: F2 starts, "5" drops the player's piece.
        s.tasto("F2")
        for valore in ("Tempo: ", "Caselle libere: 63", "Punteggio: 0", "Vittorie del giocatore: 0",
                       "Colore pedine: "):
            attendi(lambda: nomi_con(valore), 10, f"the side panel's '{valore}'")
        s.tasto("5")
        attendi(lambda: any(a.startswith("Computer: ") for a in ascolta.copia()), 20, "the computer's answer")
        assert "Nuova partita: hai 3 vite. Tocca a te." in ascolta.copia(), ascolta.copia()

        annunci = ascolta.copia()
        giocatore = [a for a in annunci if a.startswith("Tu: ")]
        computer = [a for a in annunci if a.startswith("Computer: ")]
        assert giocatore == ["Tu: colonna 5, riga 1."], annunci
        assert len(computer) == 1 and computer[0].startswith("Computer: colonna "), annunci
        assert nomi_con("Colonna 5, riga 1:") == ["Colonna 5, riga 1: pedina rossa"]
        attendi(lambda: nomi_con("Caselle libere: 61, 96,82 per cento"), 10, "61 free cells, said as words")
        # The board's columns take the focus, each named with its count.
        colonne = [n for n, _ in nomi(app) if n.startswith("Colonna 5: ")]
        assert colonne == ["Colonna 5: 2 pedine, libera"] or colonne == ["Colonna 5: 1 pedina, libera"], colonne
        s.schermata("accessibilita.png")
        with open(os.path.join(artefatti, "annunci.txt"), "w") as f:
            f.write("\n".join(annunci) + "\n")
        print("announced:", annunci)
        pyatspi.Registry.stop()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
