"""A private PulseAudio server with a null sink, for the sound tests and the
sound benchmark: no sound hardware needed, works as root, and touches no
other server. What is played into the sink can be recorded from its
monitor."""

import os
import shutil
import subprocess
import tempfile
import time

SINK = "velmo_prova"
# What a program needs in its environment to find (or not find) the server.
VARIABILI = ("XDG_RUNTIME_DIR", "PULSE_SERVER", "PULSE_CLIENTCONFIG")


class ServerAudio:
    def __init__(self):
        self.cartella = tempfile.mkdtemp(prefix="velmo-pulse-")
        os.chmod(self.cartella, 0o700)
        # Everything of this server lives in its own runtime folder; the
        # client configuration forbids starting any other server.
        config = os.path.join(self.cartella, "client.conf")
        with open(config, "w") as f:
            f.write("autospawn = no\n")
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.cartella, PULSE_CLIENTCONFIG=config,
                        PULSE_SERVER="unix:" + os.path.join(self.cartella, "pulse", "native"))
        self.env.pop("PULSE_SINK", None)

    def __enter__(self):
        try:
            self._avvia()
        except BaseException:
            self.__exit__()
            raise
        return self

    def _avvia(self):
        subprocess.run(["pulseaudio", "-D", "-n", "--exit-idle-time=-1", "--system=false",
                        "--disallow-exit", "--log-target=stderr",
                        "--load=module-native-protocol-unix",
                        f"--load=module-null-sink sink_name={SINK} rate=44100 channels=2"],
                       env=self.env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=20)
        fine = time.monotonic() + 10
        while subprocess.run(["pactl", "info"], env=self.env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL).returncode != 0:
            if time.monotonic() > fine:
                raise RuntimeError("the sound server did not start")
            time.sleep(0.1)
        subprocess.run(["pactl", "set-default-sink", SINK], env=self.env, check=True)

    def __exit__(self, *_):
        subprocess.run(["pulseaudio", "--kill"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        shutil.rmtree(self.cartella, ignore_errors=True)

    def registra(self, percorso, frequenza=22050):
        """Starts recording the sink's monitor as raw 16-bit mono samples;
        returns the recorder's process (terminate it to stop)."""
        return subprocess.Popen(["parec", "-d", SINK + ".monitor", "--raw", "--format=s16le",
                                 f"--rate={frequenza}", "--channels=1", "--latency-msec=20"],
                                env=self.env, stdout=open(percorso, "wb"), stderr=subprocess.DEVNULL)


class SenzaServer:
    """An environment where no sound server can be reached or started."""

    def __enter__(self):
        self.cartella = tempfile.mkdtemp(prefix="velmo-nopulse-")
        os.chmod(self.cartella, 0o700)
        config = os.path.join(self.cartella, "client.conf")
        with open(config, "w") as f:
            f.write("autospawn = no\n")
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.cartella, PULSE_CLIENTCONFIG=config,
                        PULSE_SERVER="unix:" + os.path.join(self.cartella, "nessuno"))
        return self

    def __exit__(self, *_):
        shutil.rmtree(self.cartella, ignore_errors=True)
