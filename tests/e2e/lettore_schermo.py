"""The real Orca screen reader inside an X session, with what it speaks
captured: speech-dispatcher on its dummy output (no sound needed), Orca with
its debug file written line by line, the accessibility bus of the session.
Every utterance is a line "HH:MM:SS.micro - SPEECH OUTPUT: '...'" of that
file; `parlato()` gives them in order.

Needs the session bus of dbus-run-session around the test, and the Debian
packages orca, speech-dispatcher, at-spi2-core, python3-pyatspi."""

import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

from sessione_x import ErroreX, attendi

PROGRAMMI = ("orca", "speech-dispatcher", "/usr/libexec/at-spi-bus-launcher")

# Orca writes its debug file block-buffered: lines would arrive late and be
# lost when it is killed. The launcher opens that one file line-buffered.
LANCIATORE = r'''
import builtins, runpy, sys
_apri = builtins.open
_diario = sys.argv[-1]
def _apri_a_righe(file, mode="r", *args, **kwargs):
    if str(file) == _diario and "w" in mode:
        return _apri(file, mode, 1, encoding="utf-8")
    return _apri(file, mode, *args, **kwargs)
builtins.open = _apri_a_righe
sys.argv = ["orca"] + sys.argv[1:-1]
runpy.run_path("/usr/bin/orca", run_name="__main__")
'''

# Orca's settings: speech on through speech-dispatcher, keys echoed, no
# first-start tutorial.
IMPOSTAZIONI = {"enableSpeech": True, "speechServerFactory": "speechdispatcherfactory",
                "enableKeyEcho": True, "enableTutorialMessages": False, "enableSound": False,
                "firstStart": False}

INIZIO = re.compile(r"^\d\d:\d\d:\d\d\.\d+ - SPEECH OUTPUT: '")
# The closing quote, with the voice's settings after it on some lines.
FINE = re.compile(r"'\s*(?:\[?\{.*\}\]?)?\s*$")


def mancanti():
    """The programs this needs that are not installed."""
    return [p for p in PROGRAMMI if not shutil.which(p) and not os.path.exists(p)]


class LettoreSchermo:
    """Orca and speech-dispatcher for the X session `env`, started by
    avvia() before the program under test, as a blind player does."""

    def __init__(self, env, artefatti):
        self.artefatti = artefatti
        self.casa = tempfile.mkdtemp(prefix="velmo-orca-")
        config = os.path.join(self.casa, ".config")
        self.env = dict(env, HOME=self.casa, XDG_CONFIG_HOME=config,
                        XDG_RUNTIME_DIR=os.path.join(self.casa, "run"),
                        LANG="it_IT.UTF-8", LANGUAGE="it", LC_ALL="it_IT.UTF-8",
                        GTK_MODULES="gail:atk-bridge", NO_AT_BRIDGE="0")
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700)
        # speech-dispatcher's dummy module, ALSA into a null device.
        shutil.copytree("/etc/speech-dispatcher", os.path.join(config, "speech-dispatcher"))
        with open(os.path.join(config, "speech-dispatcher", "speechd.conf"), "a") as f:
            f.write('\nAudioOutputMethod "alsa"\nAudioALSADevice "default"\nDefaultModule dummy\n')
        with open(os.path.join(self.casa, ".asoundrc"), "w") as f:
            f.write("pcm.!default { type null }\nctl.!default { type hw card 0 }\n")
        self.preferenze = os.path.join(self.casa, "orca")
        os.makedirs(self.preferenze)
        with open(os.path.join(self.preferenze, "user-settings.conf"), "w") as f:
            json.dump({"general": IMPOSTAZIONI, "keybindings": {}, "pronunciations": {},
                       "profiles": {"default": dict(IMPOSTAZIONI, profile=["Default", "default"])}}, f)
        self.diario = os.path.join(artefatti, "orca-debug.txt")
        self.processi = []
        self._letto = 0

    def _avvia(self, comando, nome):
        uscita = open(os.path.join(self.artefatti, nome + ".out"), "w")
        p = subprocess.Popen(comando, env=self.env, stdout=uscita, stderr=subprocess.STDOUT,
                             start_new_session=True)
        self.processi.append(p)
        return p

    def avvia(self):
        self._avvia(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], "at-spi")
        time.sleep(1)
        self._avvia(["speech-dispatcher", "-s", "-t", "0"], "speech-dispatcher")
        time.sleep(1)
        lanciatore = os.path.join(self.casa, "orca_a_righe.py")
        with open(lanciatore, "w") as f:
            f.write(LANCIATORE)
        if os.path.exists(self.diario):
            os.remove(self.diario)
        self.orca = self._avvia(["/usr/bin/python3", lanciatore, "-u", self.preferenze, "--replace",
                                 "--debug-file=" + self.diario, self.diario], "orca")
        # Orca says it started ("Lettore schermo attivo.") once its speech works.
        attendi(lambda: self.orca.poll() is None and self.tutto(), 60, "Orca to start speaking", 0.2)
        return self

    def chiudi(self):
        for p in self.processi[::-1]:
            if p.poll() is None:
                # Orca ignores SIGTERM.
                os.killpg(p.pid, signal.SIGKILL)
                p.wait()
        shutil.rmtree(self.casa, ignore_errors=True)

    def tutto(self):
        """Every utterance so far, in order."""
        try:
            with open(self.diario, encoding="utf-8", errors="replace") as f:
                righe = f.read().split("\n")
        except FileNotFoundError:
            return []
        detti = []
        i = 0
        while i < len(righe):
            inizio = INIZIO.match(righe[i])
            i += 1
            if not inizio:
                continue
            # A text of several lines goes on, indented, up to its closing quote.
            testo = righe[i - 1][inizio.end():]
            while not FINE.search(testo) and i < len(righe) and righe[i].startswith(" "):
                testo += " " + righe[i].strip()
                i += 1
            if m := FINE.search(testo):
                detti.append(" ".join(testo[:m.start()].split()))
        return detti

    def nuovo(self):
        """What was spoken since the last call."""
        tutto = self.tutto()
        nuovo, self._letto = tutto[self._letto:], len(tutto)
        return nuovo

    def segna(self):
        """Forgets what was spoken so far."""
        self.nuovo()

    def attendi_detto(self, *frammenti, secondi=5.0, dopo=0.6, tutti=True):
        """Waits until every fragment (with `tutti` false: one of them) was
        spoken since the mark, each in some utterance, in any order, then
        `dopo` seconds more for what follows;
        returns the utterances since the mark and moves the mark past them.
        Raises ErroreX with the utterances when one is missing."""
        inizio = self._letto
        fine = time.monotonic() + secondi
        while True:
            detto = self.tutto()[inizio:]
            if (all if tutti else any)(any(f in riga for riga in detto) for f in frammenti):
                break
            if time.monotonic() > fine:
                mancano = [f for f in frammenti if not any(f in riga for riga in detto)]
                raise ErroreX(f"Orca did not say {mancano}; it said {detto}")
            time.sleep(0.05)
        time.sleep(dopo)
        return self.nuovo()
