"""End to end: the real game started on broken files beside it.

Each case prepares a private copy of the game's folder with one bad file,
starts the game in a real X server with a real sound server (so the
start-up music is decoded and played), and checks the outcome: either the
program's message box, which closed ends the game, or the game window with
no message (a silent skip). Never a crash, never a start slower than a
normal one by more than 2 s, and never a changed settings file, except the
launch counter the program itself writes back.

The cases that need permissions to mean something (an unreadable file, a
settings file the player may not write) run the game as an ordinary user
through setpriv: as root, chmod refuses nothing."""

import os
import pwd
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from server_audio import ServerAudio  # noqa: E402
from sessione_x import ErroreX, SessioneX, attendi, copia_del_gioco  # noqa: E402

MESSAGGIO = "Brenvo Info Service"
FINESTRA_GIOCO = "Brenvo Velmo"  # the game window's caption
UTENTE = "velmoprova"
MARGINE = 2.0  # seconds over a normal start


def wave(dati, dimensione_dichiarata=None):
    """A PCM 8-bit mono 11025 Hz WAVE holding `dati`; its header may claim
    another size for the data and the file."""
    d = len(dati) if dimensione_dichiarata is None else dimensione_dichiarata
    fmt = struct.pack("<HHIIHH", 1, 1, 11025, 11025, 1, 8)
    return (b"RIFF" + struct.pack("<I", min(36 + d, 0xFFFFFFFF)) + b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt
            + b"data" + struct.pack("<I", d) + dati)


# Each case: name, how to spoil the folder, the outcome ("messaggio" or
# "gioco"), and whether the game runs as the ordinary user.
def settings_in_cartella(cartella):
    return os.path.join(cartella, "Velmo.001")


def musica_in_cartella(cartella):
    return os.path.join(cartella, "Velmo.002")


def cartella_velmo001(c):
    os.remove(settings_in_cartella(c))
    os.mkdir(settings_in_cartella(c))


def enorme(c):
    with open(settings_in_cartella(c), "ab") as f:
        f.truncate(100 << 20)


def spazzatura(c):
    with open(settings_in_cartella(c), "wb") as f:
        f.write(bytes((i * 7919 + 13) % 256 for i in range(64 << 10)))


def riga_lunga(c):
    with open(settings_in_cartella(c), "ab") as f:
        f.write(b"[Lunga]\r\nx=" + b"y" * (1 << 20) + b"\r\n")


def anello(c):
    os.remove(settings_in_cartella(c))
    os.symlink("Velmo.001", settings_in_cartella(c))


def illeggibile(c):
    os.chmod(settings_in_cartella(c), 0o000)


def sola_lettura(c):
    os.chmod(settings_in_cartella(c), 0o444)


def musica_non_wave(c):
    with open(musica_in_cartella(c), "wb") as f:
        f.write(b"Questa non e' musica.\r\n" * 100)


def musica_troncata(c):
    with open(musica_in_cartella(c), "r+b") as f:
        f.truncate(os.path.getsize(musica_in_cartella(c)) // 3)


def musica_enorme(c):
    with open(musica_in_cartella(c), "wb") as f:
        f.write(wave(bytes(128 + (i % 32) for i in range(22050)), 0xFFFFFFF0))


def musica_list_enorme(c):
    # A LIST chunk that claims 4 GB in a file of a few bytes.
    with open(musica_in_cartella(c), "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 130) + b"WAVE" + b"LIST" + b"\xff" * 126)


CASI = [
    ("normale", lambda c: None, "gioco", False),
    ("una cartella di nome Velmo.001", cartella_velmo001, "messaggio", False),
    ("un Velmo.001 di 100 MB", enorme, "messaggio", False),
    ("un Velmo.001 di byte a caso", spazzatura, "gioco", False),
    ("un Velmo.001 con una riga di 1 MB", riga_lunga, "gioco", False),
    ("un Velmo.001 collegamento a se stesso", anello, "messaggio", False),
    ("un Velmo.001 senza permesso di lettura", illeggibile, "messaggio", True),
    ("un Velmo.001 che l'utente non puo' scrivere", sola_lettura, "messaggio e gioco", True),
    ("un Velmo.002 che non e' un WAVE", musica_non_wave, "gioco", False),
    ("un Velmo.002 troncato", musica_troncata, "gioco", False),
    ("un Velmo.002 che dichiara 4 GB", musica_enorme, "gioco", False),
    ("un Velmo.002 con un blocco LIST di 4 GB", musica_list_enorme, "gioco", False),
]


def contenuto(percorso):
    """What a file holds, or what it is when it is no file."""
    if os.path.islink(percorso):
        return ("link", os.readlink(percorso))
    if os.path.isdir(percorso):
        return ("cartella",)
    with open(percorso, "rb") as f:
        return f.read()


def righe_senza_contatore(testo):
    """The lines of a settings file, however they end, but the launch
    counter's, which the program writes at each start."""
    righe = re.split(rb"\r\n|\r|\n", testo)
    if righe and righe[-1] == b"":
        righe.pop()
    return [r for r in righe if not r.startswith(b"k=")]


def esegui_caso(x, eseguibile, nome, guasta, atteso, come_utente, riferimento):
    cartella = tempfile.mkdtemp(prefix="velmo-guasti-")
    try:
        copia = copia_del_gioco(eseguibile, cartella)
        guasta(cartella)
        prefisso, env = [], dict(x.env)
        if come_utente:
            # The folder and its files stay root's: the user reads them,
            # and writes nothing there.
            uid = pwd.getpwnam(UTENTE).pw_uid
            os.chmod(cartella, 0o755)
            prefisso = ["setpriv", f"--reuid={uid}", f"--regid={uid}", "--clear-groups"]
            env["HOME"] = cartella
            for variabile in ("XDG_RUNTIME_DIR", "PULSE_SERVER", "PULSE_CLIENTCONFIG"):
                env.pop(variabile, None)
        prima = contenuto(settings_in_cartella(cartella))
        inizio = time.monotonic()
        x.gioco = subprocess.Popen(prefisso + [copia], env=env, stdout=open(
            os.path.join(x.artefatti, "velmo-guasti.out"), "a"), stderr=subprocess.STDOUT)
        messaggi = 0
        if atteso.startswith("messaggio"):
            box = x.cerca_finestra(MESSAGGIO, 30)
            durata = time.monotonic() - inizio
            x.schermata(f"guasti-{len(os.listdir(x.artefatti))}.png")
            x.attiva(box)
            x.tasto("Return")
            messaggi = 1
        if atteso.endswith("gioco"):
            x.cerca_finestra(FINESTRA_GIOCO, 30)
            if not messaggi:
                durata = time.monotonic() - inizio
            assert x.gioco.poll() is None, "the game ended"
            # No message box came (or stayed) on top of the game.
            r = x._esegui(["xdotool", "search", "--onlyvisible", "--name", MESSAGGIO], controlla=False)
            assert r.returncode != 0, "a message box is open over the game"
            x.gioco.terminate()
            x.gioco.wait(5)
        else:
            codice = x.gioco.wait(MARGINE)
            assert codice == 1, f"the game ended with code {codice}"
        dopo = contenuto(settings_in_cartella(cartella))
        if atteso == "gioco" and not come_utente:
            # The counter is written back (a file without one gets it at its
            # end); every other line the file held stays, in its order.
            vecchie, nuove = righe_senza_contatore(prima), righe_senza_contatore(dopo)
            assert nuove[:len(vecchie)] == vecchie, "the settings file lost or changed lines"
        else:
            assert dopo == prima, "the settings file changed"
        if riferimento is not None:
            assert durata <= riferimento + MARGINE, f"{durata:.1f} s to start, {riferimento:.1f} s normally"
        print(f"ok: {nome}: {atteso} after {durata:.2f} s" + (" (as an ordinary user)" if come_utente else ""))
        return durata
    finally:
        if x.gioco and x.gioco.poll() is None:
            x.gioco.kill()
            x.gioco.wait()
        x.gioco = None
        shutil.rmtree(cartella, ignore_errors=True)


def main():
    eseguibile, artefatti = sys.argv[1], sys.argv[2]
    utente = os.geteuid() == 0
    if utente:
        try:
            pwd.getpwnam(UTENTE)
        except KeyError:
            subprocess.run(["useradd", "-M", "-s", "/usr/sbin/nologin", UTENTE], check=True)
    fallimenti = 0
    with ServerAudio() as audio, SessioneX(eseguibile, artefatti, copia=False) as x:
        x.env.update({k: v for k, v in audio.env.items() if k in ("XDG_RUNTIME_DIR", "PULSE_SERVER",
                                                                 "PULSE_CLIENTCONFIG")})
        riferimento = None
        for nome, guasta, atteso, come_utente in CASI:
            if come_utente and not utente:
                print(f"skipped: {nome} (needs root to switch user)")
                continue
            try:
                durata = esegui_caso(x, eseguibile, nome, guasta, atteso, come_utente, riferimento)
                if riferimento is None:
                    riferimento = durata
            except (AssertionError, ErroreX, subprocess.TimeoutExpired) as e:
                fallimenti += 1
                print(f"FAILED: {nome}: {e}")
    sys.exit(1 if fallimenti else 0)


if __name__ == "__main__":
    main()
