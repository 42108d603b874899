"""End to end: the real game plays its cues through a real sound server.

A private PulseAudio server with a null sink stands in for a sound card;
what the game plays into it is recorded from the sink's monitor. F2 starts
a match and "5" drops the player's piece: the wooden tick of cue "id_15"
must sound right after the key, about 0.07 s long, and again for the
computer's answer. Alt+F4 and "No" to the save question then quit with the
farewell "id_10" (MPEG layer 3 in a WAVE wrapper), about 1.9 s of sound
before the game stops it and ends.

A script of cues shows that each new cue cuts the one before and that a
stop silences it at once: the 3.8 s fanfare "id_09" cut after 0.5 s by the
tick, the 6.3 s "id_06" stopped after 0.4 s. Another plays the start-up
music and stalls the user interface's thread twice for 300 ms: the music
goes on without a gap.

Then the same without any sound server: the game starts, plays the match
and quits at once, without the farewell's wait, and without a message.
Last, a server that stops answering while the music plays: F2 starts the
match within moments all the same, and the game ends normally once the
server answers again."""

import array
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from server_audio import VARIABILI, SenzaServer, ServerAudio  # noqa: E402
from sessione_x import SessioneX, attendi  # noqa: E402

FREQUENZA = 22050
SOGLIA = 60  # about -55 dBFS; the null sink's silence is exact zeros


def suoni_registrati(percorso, fine_registrazione):
    """The bursts of sound in a recording, as (start, length) in seconds of
    the monotonic clock; gaps under 50 ms do not split a burst."""
    campioni = array.array("h")
    with open(percorso, "rb") as f:
        campioni.frombytes(f.read())
    inizio_registrazione = fine_registrazione - len(campioni) / FREQUENZA
    finestra = FREQUENZA // 200  # 5 ms
    attivi = [i for i in range(0, len(campioni), finestra)
              if max(map(abs, campioni[i:i + finestra])) > SOGLIA]
    suoni = []
    for i in attivi:
        t = i / FREQUENZA
        if suoni and t - (suoni[-1][0] + suoni[-1][1]) < 0.05:
            suoni[-1][1] = t + 0.005 - suoni[-1][0]
        else:
            suoni.append([t, 0.005])
    return [(inizio_registrazione + a, durata) for a, durata in suoni]


def partita_e_uscita(x, artefatti, prefisso):
    """F2, the piece in column 5, Alt+F4 and "No": returns the times of F2,
    of the key "5" and of the answer, and the seconds the game took to end."""
    gioco = x.avvia_gioco()
    time.sleep(1.0)
    t_partita = time.monotonic()
    x.tasto("F2")
    time.sleep(1.0)
    t_pedina = time.monotonic()
    x.tasto("5")
    time.sleep(3.0)
    x.schermata(prefisso + "_mosse.png")
    x.tasto("alt+F4")
    domanda = x.cerca_finestra("Brenvo Info Service", 10)
    x.attiva(domanda)
    t_risposta = time.monotonic()
    x.tasto("n")  # "&No"
    codice = gioco.wait(15)
    durata_uscita = time.monotonic() - t_risposta
    assert codice == 0, f"exit code {codice}"
    with open(os.path.join(artefatti, "velmo.out")) as f:
        uscita = f.read()
    return t_partita, t_pedina, t_risposta, durata_uscita, uscita


def con_server(eseguibile, artefatti):
    registrazione = os.path.join(artefatti, "registrazione.raw")
    with ServerAudio() as server, SessioneX(eseguibile, artefatti) as x:
        x.env.update({k: server.env[k] for k in VARIABILI})
        registratore = server.registra(registrazione, FREQUENZA)
        time.sleep(2.0)  # the monitor takes a moment to attach
        t_partita, t_pedina, t_risposta, durata_uscita, _ = partita_e_uscita(x, artefatti, "suono")
        time.sleep(0.5)
        registratore.terminate()
        registratore.wait(5)
        fine = time.monotonic()

    suoni = suoni_registrati(registrazione, fine)
    for a, durata in suoni:
        print(f"sound at {a - t_pedina:+.3f} s from the key '5', {durata:.3f} s long")
    # The start-up music plays from the start until F2 starts a match.
    prima = [s for s in suoni if s[0] < t_pedina - 0.05]
    assert len(prima) == 1, f"expected the start-up music alone before the first cue, found {prima}"
    musica_fine = prima[0][0] + prima[0][1]
    assert abs(musica_fine - t_partita) < 0.4, f"the music ended {musica_fine - t_partita:+.3f} s from F2"
    pedine = [s for s in suoni if t_pedina - 0.05 <= s[0] < t_risposta - 0.05]
    assert len(pedine) == 2, f"expected the two pieces' ticks, found {pedine}"
    giocatore, computer = pedine
    assert giocatore[0] - t_pedina < 0.35, f"the player's tick came {giocatore[0] - t_pedina:.3f} s late"
    # The player's piece falls for 0.7 s, the computer pauses 0.2 s.
    assert 0.6 < computer[0] - giocatore[0] < 1.6, f"the computer's tick after {computer[0] - giocatore[0]:.3f} s"
    for a, durata in pedine:
        assert 0.03 <= durata <= 0.15, f"a tick of {durata:.3f} s (the cue lasts 0.07 s)"
    saluto = [s for s in suoni if s[0] >= t_risposta - 0.05]
    assert len(saluto) == 1, f"expected the farewell alone after the answer, found {saluto}"
    a, durata = saluto[0]
    assert a - t_risposta < 0.5, f"the farewell came {a - t_risposta:.3f} s late"
    assert 1.5 <= durata <= 2.1, f"a farewell of {durata:.3f} s (1.9 s before the game stops it)"
    assert durata_uscita >= 1.85, f"the game ended {durata_uscita:.2f} s after the answer, before the farewell's wait"


def copione(suona, artefatti):
    registrazione = os.path.join(artefatti, "copione.raw")
    with ServerAudio() as server:
        registratore = server.registra(registrazione, FREQUENZA)
        time.sleep(2.0)
        uscita = subprocess.run([suona, "id_09", "0.5", "id_15", "0.5", "id_06", "0.4", "ferma", "0.6"],
                                env=server.env, capture_output=True, text=True, check=True, timeout=30).stdout
        time.sleep(0.3)
        registratore.terminate()
        registratore.wait(5)
        fine = time.monotonic()
    tempi = {nome: float(t) for t, nome in (riga.split() for riga in uscita.splitlines())}
    suoni = suoni_registrati(registrazione, fine)
    for a, durata in suoni:
        print(f"script: sound at {a - tempi['id_09']:+.3f} s from its start, {durata:.3f} s long")
    assert len(suoni) == 2, f"expected two sounds, found {suoni}"
    (a1, d1), (a2, d2) = suoni
    # The fanfare for 0.5 s, then the tick's 0.07 s; nothing of the fanfare after.
    assert abs(a1 - tempi["id_09"]) < 0.15, f"the fanfare started {a1 - tempi['id_09']:+.3f} s off"
    assert 0.5 <= d1 <= 0.7, f"fanfare and tick lasted {d1:.3f} s: the tick did not cut the fanfare"
    assert abs(a2 - tempi["id_06"]) < 0.15, f"the second cue started {a2 - tempi['id_06']:+.3f} s off"
    assert 0.3 <= d2 <= 0.55, f"the cue stopped after 0.4 s lasted {d2:.3f} s"


def silenzio_piu_lungo(campioni, da, a):
    """The longest run of exact zeros between two sample indices, in seconds:
    the null sink records a gap in what it was fed as digital silence."""
    piu_lungo = corrente = 0
    for v in campioni[max(da, 0):min(a, len(campioni))]:
        corrente = corrente + 1 if v == 0 else 0
        piu_lungo = max(piu_lungo, corrente)
    return piu_lungo / FREQUENZA


def stallo(suona, artefatti, musica):
    """The start-up music plays while the user interface's thread stalls for
    300 ms, twice what the output holds ahead: the sound is decoded and fed
    on its own thread, so the recording shows no gap."""
    registrazione = os.path.join(artefatti, "stallo.raw")
    with ServerAudio() as server:
        registratore = server.registra(registrazione, FREQUENZA)
        time.sleep(2.0)
        uscita = subprocess.run([suona, "file:" + musica, "1.5", "blocca:0.3", "1.0", "blocca:0.3", "1.0", "ferma",
                                 "0.3"], env=server.env, capture_output=True, text=True, check=True,
                                timeout=30).stdout
        time.sleep(0.3)
        registratore.terminate()
        registratore.wait(5)
        fine = time.monotonic()
    passi = [(float(t), nome) for t, nome in (riga.split() for riga in uscita.splitlines())]
    campioni = array.array("h")
    with open(registrazione, "rb") as f:
        campioni.frombytes(f.read())
    inizio = fine - len(campioni) / FREQUENZA

    def indice(t):
        return int((t - inizio) * FREQUENZA)

    t_musica = next(t for t, nome in passi if nome == "file")
    # Before any stall: what the music itself holds of silence.
    quieto = silenzio_piu_lungo(campioni, indice(t_musica + 0.4), indice(t_musica + 1.4))
    print(f"stall: longest silence in the music before any stall {quieto * 1000:.1f} ms")
    for t, nome in passi:
        if nome != "blocca":
            continue
        # The stall, what the output held at its start, and a margin.
        buco = silenzio_piu_lungo(campioni, indice(t - 0.05), indice(t + 0.6))
        print(f"stall at {t - t_musica:+.2f} s into the music: longest silence {buco * 1000:.1f} ms")
        assert buco < 0.02, f"a gap of {buco * 1000:.0f} ms in the music while the user interface stalled"


def senza_server(eseguibile, artefatti):
    with SenzaServer() as nessuno, SessioneX(eseguibile, artefatti) as x:
        x.env.update({k: nessuno.env[k] for k in VARIABILI})
        _, _, _, durata_uscita, uscita = partita_e_uscita(x, artefatti, "senza_server")
    print(f"without a sound server the game ended {durata_uscita:.2f} s after the answer")
    # No device: no cue plays, so the farewell's 1.9 s wait is skipped too.
    assert durata_uscita < 1.5, f"the game waited {durata_uscita:.2f} s for a farewell it cannot play"
    assert "Segmentation" not in uscita and "Aborted" not in uscita, uscita


def server_fermo(eseguibile, artefatti):
    """A sound server that stops answering (as one still starting does)
    while the music plays: the windows go on at once, F2 starts a match and
    Alt+F4 asks its question; once the server answers again the game ends
    as always."""
    with ServerAudio() as server, SessioneX(eseguibile, artefatti) as x:
        x.env.update({k: server.env[k] for k in VARIABILI})
        gioco = x.avvia_gioco()
        time.sleep(1.0)  # the start-up music plays
        with open(os.path.join(server.cartella, "pulse", "pid")) as f:
            pid_server = int(f.read())
        os.kill(pid_server, signal.SIGSTOP)
        try:
            x.tasto("F2")  # stops the music and plays a cue: both wait on the server
            inizio = time.monotonic()
            attendi(lambda: "Partita non salvata" in x.xdotool("getwindowname", x.finestra), 5,
                    "the match to start while the sound server is stopped")
            print(f"with the sound server stopped F2 took {time.monotonic() - inizio:.2f} s to show")
            x.tasto("5")
            x.tasto("alt+F4")
            domanda = x.cerca_finestra("Brenvo Info Service", 5)
        finally:
            os.kill(pid_server, signal.SIGCONT)
        x.attiva(domanda)
        x.tasto("n")
        assert gioco.wait(30) == 0


def main():
    eseguibile, artefatti, suona = sys.argv[1], sys.argv[2], sys.argv[3]
    os.makedirs(artefatti, exist_ok=True)
    con_server(eseguibile, artefatti)
    copione(suona, artefatti)
    stallo(suona, artefatti, os.path.join(os.path.dirname(eseguibile), "Velmo.002"))
    senza_server(eseguibile, artefatti)
    server_fermo(eseguibile, artefatti)
    print("sound end to end: passed")


if __name__ == "__main__":
    main()
