"""The installed game, checked as a player meets it: installed into a
temporary prefix, its desktop entry and software-centre entry validated,
its icons there, then started twice under Xvfb by a player with a fresh
home, whose own folder must be made and seeded by the first start and
count the second. Nothing may be written beside the installed executable.

Usage: verifica_installazione.py BUILD_FOLDER ARTEFACTS_FOLDER"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from sessione_x import ErroreX, SessioneX, attendi  # noqa: E402


def esegui(*comando):
    print("+", " ".join(comando), flush=True)
    subprocess.run(comando, check=True)


def contatore(impostazioni):
    with open(impostazioni, "rb") as f:
        trovato = re.search(rb"\[Toob\]\r?\nk=(\d+)", f.read())
    return int(trovato.group(1)) if trovato else None


def avvia(s, eseguibile, artefatti, nome):
    """Starts the installed game and waits for its game window; the warning
    about a missing sound device, shown on a machine without one, is closed
    with its OK button as a player would."""
    s.gioco = subprocess.Popen([eseguibile], env=s.env, stdout=open(os.path.join(artefatti, nome), "w"),
                               stderr=subprocess.STDOUT)

    def finestra():
        for titolo in ("Brenvo Velmo", "Brenvo Info Service"):
            trovate = s._esegui(["xdotool", "search", "--onlyvisible", "--name", titolo], controlla=False)
            if s.gioco.poll() is not None:
                raise ErroreX(f"the installed game ended with code {s.gioco.returncode}")
            if trovate.returncode == 0:
                return titolo, trovate.stdout.split()[-1]
        return None

    titolo, id_finestra = attendi(finestra, 30, "the installed game's first window")
    if titolo == "Brenvo Info Service":
        s.attiva(id_finestra)
        x, y = s.geometria(id_finestra)[:2]
        s.xdotool("mousemove", "--sync", 0, 0)  # the pointer may already lie there from the first start
        s.clic(x + 350, y + 146)  # its OK button, at 4560 + 1380 / 2, 1980 + 420 / 2 twips
    s.finestra = s.cerca_finestra("Brenvo Velmo", 30)


def chiudi(s):
    s.gioco.terminate()  # the game ends on SIGTERM as on its other exits
    s.gioco.wait(10)
    s.gioco = None


def main(build, artefatti):
    os.makedirs(artefatti, exist_ok=True)
    prefisso = tempfile.mkdtemp(prefix="velmo-prefisso-")
    home = tempfile.mkdtemp(prefix="velmo-home-")
    try:
        controlla(build, artefatti, prefisso, home)
    finally:
        shutil.rmtree(prefisso, ignore_errors=True)
        shutil.rmtree(home, ignore_errors=True)
    pacchetto_debian(build, artefatti)


def controlla(build, artefatti, prefisso, home):
    esegui("cmake", "--install", build, "--prefix", prefisso)

    esegui("desktop-file-validate", os.path.join(prefisso, "share/applications/velmo.desktop"))
    metainfo = glob.glob(os.path.join(prefisso, "share/metainfo/*.metainfo.xml"))
    assert len(metainfo) == 1, metainfo
    esegui("appstreamcli", "validate", "--no-net", metainfo[0])
    icone = os.path.join(prefisso, "share/icons/hicolor")
    for icona in ("scalable/apps/velmo.svg", "16x16/apps/velmo.png", "48x48/apps/velmo.png",
                  "256x256/apps/velmo.png"):
        assert os.path.getsize(os.path.join(icone, icona)) > 0, icona

    eseguibile = os.path.join(prefisso, "bin/velmo")
    cartella_bin = sorted(os.listdir(os.path.dirname(eseguibile)))
    cartella_giocatore = os.path.join(home, ".local/share/velmo")
    with SessioneX(eseguibile, artefatti, copia=False) as s:
        s.env = dict(s.env, HOME=home)
        s.env.pop("XDG_DATA_HOME", None)
        avvia(s, eseguibile, artefatti, "installata-1.out")
        impostazioni = os.path.join(cartella_giocatore, "Velmo.001")
        for nome in ("Velmo.001", "Velmo.002"):
            assert os.path.getsize(os.path.join(cartella_giocatore, nome)) > 0, f"{nome} not seeded"
        attendi(lambda: contatore(impostazioni) == 1, 10, "the launch counter at 1")
        s.schermata("installata.png")
        chiudi(s)

        avvia(s, eseguibile, artefatti, "installata-2.out")
        attendi(lambda: contatore(impostazioni) == 2, 10, "the launch counter at 2")
        chiudi(s)

    assert sorted(os.listdir(os.path.dirname(eseguibile))) == cartella_bin, "files written beside the executable"
    assert contatore(os.path.join(prefisso, "share/velmo/Velmo.001")) == 0, "the installed defaults changed"
    print(f"installed game: its own folder {cartella_giocatore}, launch counter 2")


def pacchetto_debian(build, artefatti):
    """The Debian package installs and removes cleanly (root only: it
    changes the machine, as on CI's fresh one)."""
    if os.geteuid() != 0:
        print("Debian package: not checked, it needs root")
        return
    cartella = os.path.join(artefatti, "pacchetto")
    esegui("cpack", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", cartella)
    deb = glob.glob(os.path.join(cartella, "velmo_*.deb"))
    assert len(deb) == 1, deb
    esegui("dpkg", "-i", deb[0])
    try:
        elenco = subprocess.run(["dpkg", "-L", "velmo"], check=True, capture_output=True, text=True).stdout
        for f in ("/usr/bin/velmo", "/usr/share/velmo/Velmo.001", "/usr/share/applications/velmo.desktop"):
            assert f in elenco.split(), f"{f} not in the package"
    finally:
        esegui("dpkg", "-r", "velmo")
    stato = subprocess.run(["dpkg-query", "-W", "-f=${Status}", "velmo"], capture_output=True, text=True).stdout
    assert "installed" not in stato.split() and not os.path.exists("/usr/bin/velmo"), "velmo left behind"


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
